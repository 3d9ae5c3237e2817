#include <Tavrix/Core/AppLocations.h>

#include <boost/filesystem/operations.hpp>

#include <cstdlib>

namespace Tavrix::Core {

AppLocations& AppLocations::GetLocations()
{
    static AppLocations locations;
    return locations;
}

AppLocations::~AppLocations() = default;

ioPath AppLocations::GetApplicationLocation() const
{
    boost::system::error_code error;
    const auto executable = boost::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return ioPath(boost::filesystem::current_path(error));
    return ioPath(executable.parent_path());
}

ioPath AppLocations::GetResourcesLocation() const
{
    if (const char* configured = std::getenv("TAVRIX_RESOURCES_PATH"); configured && *configured)
        return ioPath(configured);
    return GetApplicationLocation() / ioPath("resources");
}

ioPath AppLocations::GetFontConfigLocation() const
{
    return GetResourcesLocation() / ioPath("fonts.conf");
}

} // namespace Tavrix::Core
