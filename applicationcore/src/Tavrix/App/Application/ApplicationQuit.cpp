#include <Tavrix/App/Application/Application.h>

#include "Application_p.h"

#include <Tavrix/App/Application/RestartApplication.h>

namespace Tavrix::App {

bool Application::TryToQuit()
{
    d->quitting = TryToQuitImpl();
    return d->quitting;
}

bool Application::TryToQuitImpl()
{
    QCoreApplication::quit();
    return true;
}

void Application::TryToRestart(Tavrix::Enums::WorkingMode mode, QString arguments)
{
    RestartApplication(mode, QPixmap(), arguments);
}

} // namespace Tavrix::App
