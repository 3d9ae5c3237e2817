#pragma once

#include <Tavrix/App/Application/ILookAndFeelObserver.h>
#include <Tavrix/App/applicationcore_export.h>

#include <QObject>

#include <list>
#include <memory>
#include <string>

class QMenu;

namespace Tavrix::App {

class ILookAndFeelManager;

/// A language menu and a theme menu for a look-and-feel manager: one checkable entry per locale
/// and per theme. Picking an entry switches the manager and emits the pick; a switch made through
/// the manager moves the check mark.
///
/// Fill the menus with `SetLocaleList`/`SetThemeList` and mark them with `SelectLocale`/
/// `SelectTheme`, or select first and call `Refresh()`. The signals carry std::string: connect
/// them directly.
class APPLICATIONCORE_EXPORT LookAndFeelHandler : public QObject, public ILookAndFeelObserver
{
    Q_OBJECT

public:
    /// Registers with `manager`; the menus may be null and are not filled yet.
    LookAndFeelHandler(std::shared_ptr<ILookAndFeelManager> manager, QMenu* localeMenu,
                       QMenu* themeMenu, QObject* parent);
    ~LookAndFeelHandler() override;

    /// Replaces the locale menu's entries (and ends it with a separator); checks nothing.
    void SetLocaleList(const std::list<std::string>& locales);
    /// Replaces the theme menu's entries, titled in the current locale; checks nothing.
    void SetThemeList(const std::list<std::string>& themes);
    /// Clears the old menu, then fills the new one when a selection is set. Null is allowed.
    void SetLocaleMenu(QMenu* menu);
    void SetThemeMenu(QMenu* menu);
    /// Refills each menu that has a selection and checks the selected entry.
    void Refresh();
    /// Checks the entry of `locale` (when listed) without switching anything.
    void SelectLocale(const std::string& locale);
    void SelectTheme(const std::string& theme);

    void OnLocaleChanged(const std::string& locale) override;
    void OnThemeChanged(const std::string& theme) override;

Q_SIGNALS:
    /// A locale entry was picked, with the picked code (the manager may have resolved it to
    /// another).
    void LocaleChanged(const std::string& locale);
    void ThemeChanged(const std::string& theme);

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
