#include <Tavrix/App/Application/Application.h>

#include "Application_p.h"

namespace Tavrix::App {

std::string Application::SessionId() const
{
    return d->crashTracker.SessionId();
}

std::deque<std::string> Application::GetCrashedSessions() const
{
    return d->crashTracker.BadSessionsList();
}

bool Application::HasUnreportedCrash() const
{
    return d->crashTracker.HasUnreportedCrash();
}

std::string Application::GetCrashReport(const std::string& sessionId) const
{
    return d->crashTracker.GetCrashReport(sessionId);
}

void Application::ClearCrashes()
{
    d->crashTracker.ClearHistory();
}

} // namespace Tavrix::App
