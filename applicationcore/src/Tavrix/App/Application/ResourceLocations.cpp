#include <Tavrix/App/Application/ResourceLocations.h>

#include <Tavrix/Core/AppLocations.h>

namespace Tavrix::App {

Tavrix::ioPath GetPathToResources()
{
    return Core::AppLocations::GetLocations().GetResourcesLocation();
}

Tavrix::ioPath GetPathToFontConfigFile()
{
    return Core::AppLocations::GetLocations().GetFontConfigLocation();
}

} // namespace Tavrix::App
