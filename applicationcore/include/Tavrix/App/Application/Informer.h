#pragma once

#include <Tavrix/App/applicationcore_export.h>
#include <Tavrix/Util/AlertBox.h>

#include <QObject>

#include <functional>
#include <memory>

class QWidget;

namespace Tavrix::App {

/// Shows short informational message boxes whose text may hold links, and handles the links
/// itself: an ordinary link opens in the desktop's handler; an e-mail link ("mailto:" anywhere
/// in it, in any case), or a link the desktop cannot open, goes to the clipboard without its
/// "mailto:" and a tooltip says so.
///
/// The informer lives as a child of the widget its getter returns at construction, and can close
/// a box it shows from outside. It may be destroyed while its box is open.
class APPLICATIONCORE_EXPORT Informer : public QObject
{
    Q_OBJECT

public:
    /// `parentGetter` gives the parent of the informer (asked once, now) and of each box (asked
    /// at each ExecDialog); an empty getter, or one that returns null, means no parent.
    explicit Informer(const std::function<QWidget*()>& parentGetter);
    ~Informer() override;
    Informer(const Informer&) = delete;
    Informer& operator=(const Informer&) = delete;

    /// Shows `text` modally (object name "Informer_AlertBox", width 450, an Ok button) with the
    /// picture at `iconPath` (":/Icons/large_icon.png" when empty) and a "Learn more" link to
    /// `learnMoreLink` (none when empty). Returns the button that closed the box.
    QFlags<QMessageBox::StandardButton> ExecDialog(const QString& text,
                                                   const QString& learnMoreLink,
                                                   const QString& iconPath,
                                                   Tavrix::Util::AlertBox::Level level);

    /// Closes the box being shown and returns what QWidget::close() says; true without a box.
    bool Close();

private Q_SLOTS:
    void OnDialogLinkActivated(const QString& link);

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
