#include "EmailDialog.h"

#include <Tavrix/Links/ILinksManager.h>
#include <Tavrix/Mail/IEmailStore.h>
#include <Tavrix/Util/Conversions.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace Tavrix::Mail {

EmailDialog::EmailDialog(std::shared_ptr<IEmailStore> store, std::shared_ptr<ILinksManager> links,
                         QWidget* parent)
    : m_store(std::move(store)), m_links(std::move(links)), m_dialog(new QDialog(parent))
{
    m_dialog->setObjectName(QStringLiteral("emailDialog"));
    m_dialog->setWindowTitle(tr("Stay in touch"));
    m_dialog->setWindowFlags(m_dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_dialog->setModal(true);

    auto* layout = new QVBoxLayout(m_dialog);
    // Wrapped texts change their height with the language and the hint comes and goes: the
    // dialog follows its contents.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* intro
        = new QLabel(tr("Leave your e-mail address to hear about updates, tips and offers for %1.")
                         .arg(QCoreApplication::applicationName()),
                     m_dialog);
    intro->setObjectName(QStringLiteral("emailIntro"));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* label = new QLabel(tr("E-mail address:"), m_dialog);
    m_edit = new QLineEdit(Util::Utf8ToQString(m_store->GetEmail()), m_dialog);
    m_edit->setObjectName(QStringLiteral("emailEdit"));
    m_edit->setPlaceholderText(QStringLiteral("name@example.com"));
    m_edit->setMaxLength(254);
    m_edit->setMinimumWidth(360);
    label->setBuddy(m_edit);
    layout->addWidget(label);
    layout->addWidget(m_edit);

    m_error = new QLabel(tr("Please enter a valid e-mail address, such as name@example.com."),
                         m_dialog);
    m_error->setObjectName(QStringLiteral("emailError"));
    m_error->setWordWrap(true);
    m_error->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_error->hide();
    layout->addWidget(m_error);
    QObject::connect(m_edit, &QLineEdit::textEdited, m_error, &QWidget::hide);

    const QString privacyUrl = m_links ? m_links->GetUrl(PRIVACY_POLICY_URL) : QString();
    if (!privacyUrl.isEmpty()) {
        auto* privacy = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>")
                                       .arg(privacyUrl.toHtmlEscaped(), tr("Privacy policy")),
                                   m_dialog);
        privacy->setObjectName(QStringLiteral("privacyLink"));
        privacy->setTextInteractionFlags(Qt::LinksAccessibleByMouse
                                         | Qt::LinksAccessibleByKeyboard);
        QObject::connect(privacy, &QLabel::linkActivated, m_dialog,
                         [links = m_links](const QString& url) { links->OpenUrl(url); });
        layout->addWidget(privacy);
    }

    auto* buttons = new QDialogButtonBox(m_dialog);
    QPushButton* subscribe = buttons->addButton(tr("Subscribe"), QDialogButtonBox::AcceptRole);
    subscribe->setObjectName(QStringLiteral("subscribeButton"));
    subscribe->setDefault(true);
    buttons->addButton(tr("Not now"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("notNowButton"));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, m_dialog, [this] { Submit(); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, m_dialog, &QDialog::reject);
}

EmailDialog::~EmailDialog()
{
    delete m_dialog;
}

bool EmailDialog::Exec()
{
    return m_dialog && m_dialog->exec() == QDialog::Accepted;
}

bool EmailDialog::IsWellFormed(const QString& address)
{
    static const QRegularExpression form(
        QStringLiteral("^[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+(?:\\.[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+)*"
                       "@(?:[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?\\.)+"
                       "[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?$"));
    return address.size() <= 254 && address.indexOf(QLatin1Char('@')) <= 64
           && form.match(address).hasMatch();
}

void EmailDialog::Submit()
{
    const QString address = m_edit->text().trimmed();
    if (!IsWellFormed(address)) {
        m_error->show();
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_store->SetEmail(Util::QStringToUtf8(address));
    m_dialog->accept();
}

} // namespace Tavrix::Mail
