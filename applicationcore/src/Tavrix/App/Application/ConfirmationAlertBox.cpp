#include <Tavrix/App/Application/ConfirmationAlertBox.h>

#include <Tavrix/App/Application/ISettingsKeyList.h>
#include <Tavrix/App/Application/ISettingsManager.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/WidgetStyle.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>

#include <boost/algorithm/string/predicate.hpp>
#include <boost/format.hpp>

namespace Tavrix::App {

namespace {
const char* const GROUP = "confirm";
const char* const DONT_CONFIRM = "dont_confirm";
const char* const ANSWER = "answer";
} // namespace

class ConfirmationAlertBox::Private
{
public:
    Private(ConfirmationAlertBox* box, std::shared_ptr<ISettingsManager> store)
        : q(box), settings(std::move(store)), checkBox(new QCheckBox(box))
    {
    }

    std::string GetSettingKey(const std::string& suffix) const
    {
        return (boost::format("%1%/%2%_%3%") % GROUP % Util::QStringToUtf8(confirmationId) % suffix)
            .str();
    }
    int ReadAnswer() const { return settings ? settings->GetInt(GetSettingKey(ANSWER), 0) : 0; }
    void WriteAnswer(int answer)
    {
        if (settings)
            settings->SetInt(GetSettingKey(ANSWER), forceSave ? forcedAnswer : answer);
    }
    bool ReadDontConfirm() const
    {
        return settings && settings->GetBool(GetSettingKey(DONT_CONFIRM), false);
    }
    void WriteDontConfirm(bool value)
    {
        if (settings)
            settings->SetBool(GetSettingKey(DONT_CONFIRM), value);
    }

    void PlaceCheckBox();

    ConfirmationAlertBox* const q;
    std::shared_ptr<ISettingsManager> settings;
    QString confirmationId;
    QCheckBox* const checkBox;
    bool rememberOnReject = false;
    QFlags<QMessageBox::StandardButton> rememberOnly;
    bool forceSave = false;
    int forcedAnswer = 0;
    // The line holding the check box and the buttons; it goes when the message box rebuilds its
    // layout (which it does when an icon or a further text is set), and is then made again.
    QPointer<QHBoxLayout> buttonLine;
};

// Puts the check box on the buttons' line, at their left.
void ConfirmationAlertBox::Private::PlaceCheckBox()
{
    auto* grid = qobject_cast<QGridLayout*>(q->layout());
    auto* buttonBox = q->findChild<QDialogButtonBox*>();
    if (!grid || !buttonBox)
        return;
    const int index = grid->indexOf(buttonBox);
    if (index < 0)
        return;

    buttonBox->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    if (QPushButton* ok = buttonBox->button(QDialogButtonBox::Ok))
        Util::ApplyWidgetStyle(ok, QStringLiteral("activeButton"), "styleHint");
    if (QPushButton* cancel = buttonBox->button(QDialogButtonBox::Cancel))
        Util::ApplyWidgetStyle(cancel, QStringLiteral("rejectButton"), "styleHint");

    int row = 0;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    QLayoutItem* const buttons = grid->takeAt(index);
    auto* line = new QHBoxLayout;
    line->addWidget(checkBox, 0);
    line->addItem(buttons);
    grid->addLayout(line, row, column, rowSpan, columnSpan);
    buttonLine = line;
}

ConfirmationAlertBox::ConfirmationAlertBox(std::shared_ptr<ISettingsManager> settings,
                                           Util::AlertBox::Level level, const QString& title,
                                           const QString& text,
                                           QFlags<QMessageBox::StandardButton> buttons,
                                           QWidget* parent, QFlags<Qt::WindowType> flags)
    : AlertBox(level, title, text, buttons, parent, flags),
      d(std::make_unique<Private>(this, std::move(settings)))
{
    d->checkBox->setObjectName(QStringLiteral("dontConfirmCheckBox"));
    d->checkBox->setText(tr("Don't show this again"));
    d->PlaceCheckBox();
}

ConfirmationAlertBox::~ConfirmationAlertBox() = default;

QMessageBox::StandardButton ConfirmationAlertBox::Exec()
{
    if (d->ReadDontConfirm())
        return static_cast<QMessageBox::StandardButton>(d->ReadAnswer());

    const QMessageBox::StandardButton result = AlertBox::Exec();
    if (!d->checkBox->isChecked())
        return result;

    // A box closed without a click (from outside, or by a window manager with no escape button
    // to press) has no answer to remember; remembering one would silence the question for good.
    QAbstractButton* const clicked = clickedButton();
    const auto* buttonBox = findChild<QDialogButtonBox*>();
    if (!clicked || !buttonBox)
        return result;
    if (!d->rememberOnReject && buttonBox->buttonRole(clicked) == QDialogButtonBox::RejectRole)
        return result;
    if (d->rememberOnly && !(d->rememberOnly & result))
        return result;

    d->WriteDontConfirm(true);
    d->WriteAnswer(result);
    return result;
}

void ConfirmationAlertBox::showEvent(QShowEvent* event)
{
    if (!d->buttonLine)
        d->PlaceCheckBox();
    AlertBox::showEvent(event);
}

void ConfirmationAlertBox::SetConfirmationId(const QString& id)
{
    d->confirmationId = id;
}

QString ConfirmationAlertBox::GetConfirmationId() const
{
    return d->confirmationId;
}

void ConfirmationAlertBox::SetConfirmationText(const QString& text)
{
    d->checkBox->setText(text);
}

QString ConfirmationAlertBox::GetConfirmationText() const
{
    return d->checkBox->text();
}

void ConfirmationAlertBox::SetDontConfirm(bool dontConfirm)
{
    d->checkBox->setChecked(dontConfirm);
}

bool ConfirmationAlertBox::IsDontConfirm() const
{
    return d->checkBox->isChecked();
}

void ConfirmationAlertBox::SetRememberOnReject(bool remember)
{
    d->rememberOnReject = remember;
}

bool ConfirmationAlertBox::RememberOnReject() const
{
    return d->rememberOnReject;
}

void ConfirmationAlertBox::SetRememberOnly(QFlags<QMessageBox::StandardButton> buttons)
{
    d->rememberOnly = buttons;
}

QFlags<QMessageBox::StandardButton> ConfirmationAlertBox::RememberOnly() const
{
    return d->rememberOnly;
}

void ConfirmationAlertBox::SetForceSaveAnswer(int answer)
{
    d->forceSave = true;
    d->forcedAnswer = answer;
}

void ConfirmationAlertBox::Reset()
{
    d->WriteDontConfirm(false);
}

void ConfirmationAlertBox::ResetAll(const std::shared_ptr<ISettingsManager>& settings)
{
    if (settings)
        settings->Remove(GROUP);
}

bool ConfirmationAlertBox::HasRememberedAnswers(const std::shared_ptr<ISettingsManager>& settings)
{
    if (!settings)
        return false;
    const auto* keyList = dynamic_cast<const ISettingsKeyList*>(settings.get());
    if (!keyList)
        return true;
    const std::string suffix = std::string("_") + DONT_CONFIRM;
    const std::string prefix = std::string(GROUP) + "/";
    for (const std::string& key : keyList->GetKeys(GROUP)) {
        if (boost::algorithm::ends_with(key, suffix) && settings->GetBool(prefix + key, false))
            return true;
    }
    return false;
}

} // namespace Tavrix::App
