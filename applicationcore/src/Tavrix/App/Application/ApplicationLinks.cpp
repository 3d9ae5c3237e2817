#include <Tavrix/App/Application/Application.h>

#include "Application_p.h"

#include <Tavrix/App/Application/ICustomizationManager.h>
#include <Tavrix/App/Application/IGateway.h>
#include <Tavrix/App/Application/ILookAndFeelManager.h>
#include <Tavrix/App/Application/ISettingsManager.h>
#include <Tavrix/Links/LinksManager.h>
#include <Tavrix/Mail/EmailDialogCreator.h>
#include <Tavrix/Mail/IEmailStore.h>
#include <Tavrix/NotNull.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/SpontaneousDialog.h>

#include <QRegularExpression>
#include <QTimer>

#include <glog/logging.h>

namespace Tavrix::App {

namespace {

// The e-mail dialog keeps the address in the product's mail store.
class MailStore : public Mail::IEmailStore
{
public:
    explicit MailStore(std::shared_ptr<ISettingsManager> store) : m_store(std::move(store)) {}
    std::string GetEmail() const override { return m_store->GetString("Email", ""); }
    void SetEmail(const std::string& address) override { m_store->SetString("Email", address); }

private:
    std::shared_ptr<ISettingsManager> m_store;
};

// The installer's file name carries "Setup" and a five-character distribution code; the last such
// code in the name counts.
QString InstallerCode(const std::string& installerName)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral(".*Setup([COYSFIUE][a-zA-Z0-9]{4}).*")));
    return pattern.match(Util::Utf8ToQString(installerName)).captured(1);
}

} // namespace

QString Application::GetPreferredBrowserUserAgent() const
{
    return d->preferredBrowser->UserAgent();
}

std::shared_ptr<ILinksManager> Application::GetLinksManager() const
{
    if (!d->linksManager) {
        // The mail store is required of a product with links, though the links do not read it.
        const NotNull<std::shared_ptr<ISettingsManager>> mailStore(GetMailSettingsManager());
        const NotNull<std::shared_ptr<ILookAndFeelManager>> lookAndFeel(d->lookAndFeel);
        const NotNull<std::shared_ptr<ICustomizationManager>> customization(
            d->customizationManager);
        d->linksManager = std::make_shared<LinksManager>(
            [lookAndFeel = lookAndFeel.Get(), customization = customization.Get()] {
                return LinksManager::Context{Util::Utf8ToQString(lookAndFeel->GetCurrentLocale()),
                                             Util::Utf8ToQString(customization->GetModuleName()),
                                             Util::Utf8ToQString(customization->GetProductId()),
                                             Util::VersionToString(customization->GetVersion(),
                                                                   Util::MajorMinorPatch,
                                                                   QStringLiteral("."))};
            });
    }
    return d->linksManager;
}

QString Application::GetUrl(const URLKeys& key) const
{
    return GetLinksManager()->GetUrl(key);
}

QString Application::ApplicationName() const
{
    return d->customizationManager
               ? Util::Utf8ToQString(d->customizationManager->GetApplicationName())
               : QCoreApplication::applicationName();
}

QString Application::GetProductNameAbout() const
{
    if (!d->customizationManager) {
        LOG(WARNING) << "The product name needs the customization manager";
        return QString();
    }
    return Util::Utf8ToQString(d->customizationManager->GetProductNameAbout());
}

void Application::OpenThankForInstall() const
{
    if (d->gateway)
        d->gateway->Post({"THANK_FOR_INSTALL", [this] { OpenUrlThankForInstall(); }});
    else
        OpenUrlThankForInstall();
}

bool Application::NeedOpenUrlThankForInstall() const
{
    const LaunchType type = GetProductLaunchType();
    return type == NewInstall || type == Update || type == Reinstall;
}

void Application::OpenUrlThankForInstall() const
{
    if (!NeedOpenUrlThankForInstall())
        return;
    if (!d->customizationManager) {
        LOG(WARNING) << "The thank-you page needs the customization manager";
        return;
    }
    QString url;
    if (d->customizationManager->GetAfterInstallPage() == "thankyou")
        url = GetUrl(GetProductLaunchType() == NewInstall ? THANK_FOR_INSTALL_URL
                                                          : THANK_FOR_REINSTALL_URL);
    if (url.isEmpty())
        return;

    const auto installer = GetInstallerSettings("");
    const QString code = InstallerCode(installer ? installer->GetString("InstallerName", "") : "");
    if (!code.isEmpty())
        url += QStringLiteral("&did=") + code;
    GetLinksManager()->OpenUrl(url);
}

void Application::ShowEmailDialogIfNeeded()
{
    if (d->gateway)
        d->gateway->Post({"EMAIL_DIALOG", [this] { ShowEmailDialog(); }});
    else
        ShowEmailDialog();
}

void Application::ShowEmailDialog()
{
    if (GetProductLaunchType() != NewInstall)
        return;
    if (!d->customizationManager) {
        LOG(WARNING) << "The e-mail dialog needs the customization manager";
        return;
    }
    if (!d->customizationManager->IsEmailDialogEnabled())
        return;

    Q_EMIT BeforeShowEmailDialog();
    const Mail::EmailDialogCreator creator;
    const auto mailStore = GetMailSettingsManager();
    const auto dialog = creator.Create(mailStore ? std::make_shared<MailStore>(mailStore) : nullptr,
                                       GetLinksManager(), Util::SpontaneousDialog::GetMainWindow());
    if (dialog)
        dialog->Exec();
    else
        LOG(ERROR) << "Failed to create Email Dialog Impl";
    Q_EMIT AfterShowEmailDialog();
}

std::chrono::milliseconds Application::AutoUpdateCheckDelay() const
{
    return std::chrono::milliseconds(5000);
}

void Application::RequestCheckAutoUpdate() const
{
    if (GetProductSettingsManager()->GetBool("autoUpdate", true))
        QTimer::singleShot(AutoUpdateCheckDelay(), this, &Application::AutoUpdateCheckRequested);
}

} // namespace Tavrix::App
