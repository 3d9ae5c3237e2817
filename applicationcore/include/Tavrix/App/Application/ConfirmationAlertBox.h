#pragma once

#include <Tavrix/App/applicationcore_export.h>
#include <Tavrix/Util/AlertBox.h>

#include <memory>

namespace Tavrix::App {

class ISettingsManager;

/// A modal question with a "Don't show this again" check box beside its buttons.
///
/// When the user ticks the box and answers, the answer is kept in the settings store under
/// "confirm/<id>_dont_confirm" (true) and "confirm/<id>_answer" (the standard button), and from
/// then on Exec() returns it at once without showing anything, until Reset() or ResetAll().
/// The caller chooses which answers may be remembered (SetRememberOnly, SetRememberOnReject) and
/// may keep a fixed answer in place of the one clicked (SetForceSaveAnswer).
class APPLICATIONCORE_EXPORT ConfirmationAlertBox : public Tavrix::Util::AlertBox
{
    Q_OBJECT

public:
    /// `settings` is where answers are kept; a null store makes a box that never remembers.
    /// The other arguments are those of AlertBox.
    ConfirmationAlertBox(std::shared_ptr<ISettingsManager> settings,
                         Tavrix::Util::AlertBox::Level level, const QString& title,
                         const QString& text, QFlags<QMessageBox::StandardButton> buttons,
                         QWidget* parent = nullptr,
                         QFlags<Qt::WindowType> flags
                         = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    ~ConfirmationAlertBox() override;
    ConfirmationAlertBox(const ConfirmationAlertBox&) = delete;
    ConfirmationAlertBox& operator=(const ConfirmationAlertBox&) = delete;

    /// The remembered answer without showing anything (NoButton when the answer is missing or
    /// not a number), or the button the user clicked. A ticked box remembers the answer unless
    /// it is a reject that may not be remembered, is outside RememberOnly(), or no button was
    /// clicked at all (the box closed from outside).
    QMessageBox::StandardButton Exec() override;

    /// Names the remembered choice; boxes with the same id (an empty one included) share it.
    void SetConfirmationId(const QString& id);
    QString GetConfirmationId() const;

    /// The check box's text; "Don't show this again" in the current language by default.
    void SetConfirmationText(const QString& text);
    QString GetConfirmationText() const;

    /// Ticks the check box in advance; nothing is stored until the user answers.
    void SetDontConfirm(bool dontConfirm);
    bool IsDontConfirm() const;

    /// Whether a button of the reject role (Cancel) may be remembered; false by default.
    void SetRememberOnReject(bool remember);
    bool RememberOnReject() const;

    /// Only these answers may be remembered; none (the default) means any.
    void SetRememberOnly(QFlags<QMessageBox::StandardButton> buttons);
    QFlags<QMessageBox::StandardButton> RememberOnly() const;

    /// Keeps `answer` instead of the button clicked whenever an answer is remembered from now
    /// on. Exec() still returns the button clicked that time.
    void SetForceSaveAnswer(int answer);

    /// Asks again next time. The stored answer stays in place.
    void Reset();

    /// Forgets every remembered answer of every confirmation id in `settings` (the whole
    /// "confirm" group). A null store does nothing. Like every removal, it tells no observer.
    static void ResetAll(const std::shared_ptr<ISettingsManager>& settings);
    /// Whether `settings` remembers an answer for any confirmation id. The store is asked for
    /// the keys of "confirm" through ISettingsKeyList; a store that cannot list its keys
    /// answers true, since it cannot be shown to hold none. A null store answers false.
    static bool HasRememberedAnswers(const std::shared_ptr<ISettingsManager>& settings);

protected:
    void showEvent(QShowEvent* event) override;

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
