#include <Tavrix/App/Application/Application.h>

#include "Application_p.h"

#include <Tavrix/App/Application/IGateway.h>
#include <Tavrix/App/Application/ISettingsManager.h>

#include <QTimer>

namespace Tavrix::App {

QString Application::GetPreferredBrowserUserAgent() const
{
    return d->preferredBrowser->UserAgent();
}

void Application::OpenThankForInstall() const
{
    if (d->gateway)
        d->gateway->Post({"THANK_FOR_INSTALL", [this] { OpenUrlThankForInstall(); }});
    else
        OpenUrlThankForInstall();
}

void Application::OpenUrlThankForInstall() const
{
    // This build has no links manager to name the thank-you page, so none is opened.
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
    // This build has no e-mail dialog to show.
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
