#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <QObject>

#include <functional>
#include <memory>

class QMenuBar;
class QWidget;

namespace Tavrix::App {

/// Wires the application menu and the Window menu of a menu bar, found by object name.
///
/// In the menu "menuMacOSMenu": "action_Hide" (Ctrl+H), "action_Hide_Others" (Ctrl+Alt+H),
/// "action_Preferences" (the Preferences shortcut), and the menu's last action (the Quit
/// shortcut). In the menu "menuWindow": "actionMinimize" and "actionZoom", which minimize the
/// active window and toggle it between maximized and normal, on every platform, and
/// "actionBring_all_to_Front". Missing menus and actions are skipped. Hide, Hide Others and
/// Bring All to Front do nothing.
class APPLICATIONCORE_EXPORT MacMenuActionHandler : public QObject
{
    Q_OBJECT

public:
    /// Becomes a child of `menuBar` (null wires nothing) and wires it at once. `windowFilter`
    /// may refuse windows to minimize and zoom; an empty filter allows every window.
    MacMenuActionHandler(QMenuBar* menuBar, std::function<bool(QWidget*)> windowFilter);
    ~MacMenuActionHandler() override;
    MacMenuActionHandler(const MacMenuActionHandler&) = delete;
    MacMenuActionHandler& operator=(const MacMenuActionHandler&) = delete;

private:
    /// Whether minimize and zoom may act on `widget`: the filter's answer. Subclasses may
    /// decide otherwise.
    virtual bool canManipulateWithWidget(QWidget* widget);

private Q_SLOTS:
    void onHideItself();
    void onHideOthers();
    void onMinimize();
    void onZoom();
    void onBringAllToFront();

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
