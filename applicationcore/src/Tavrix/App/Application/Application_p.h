#pragma once

#include <Tavrix/App/Application/Application.h>

#include "NativeEventFilter_p.h"

#include <Tavrix/App/Application/CrashTracker.h>
#include <Tavrix/Browser/PreferredBrowser.h>
#include <Tavrix/Links/ILinksManager.h>
#include <Tavrix/Platform/NamedMutex.h>

#include <boost/optional.hpp>

#include <memory>

namespace Tavrix {
class URLHandler;
}

namespace Tavrix::App {

class Application::Private
{
public:
    std::shared_ptr<Platform::NamedMutex> runningMutex;
    std::unique_ptr<NativeEventFilter> nativeEventFilter;
    std::shared_ptr<ICustomizationManager> customizationManager;
    std::shared_ptr<ILookAndFeelManager> lookAndFeel;
    std::shared_ptr<ISettingsManager> settingsManager;
    std::shared_ptr<ISplash> splash;
    std::shared_ptr<ISettingsManager> productSettingsManager;
    std::shared_ptr<ISettingsManager> mailSettingsManager;
    std::shared_ptr<ILinksManager> linksManager;
    bool started = false;
    bool quitting = false;
    CrashTracker crashTracker;
    boost::optional<LaunchType> productLaunchType;
    boost::optional<LaunchType> launchType;
    URLHandler* urlHandler = nullptr;
    std::shared_ptr<PreferredBrowser> preferredBrowser = std::make_shared<PreferredBrowser>();
    std::shared_ptr<ExternalStimulus::IGateway> gateway;
};

} // namespace Tavrix::App
