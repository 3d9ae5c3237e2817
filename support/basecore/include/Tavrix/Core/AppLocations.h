#pragma once

#include <Tavrix/ioPath.h>
#include <Tavrix/basecore_export.h>

namespace Tavrix::Core {

/// Where the product finds its files.
class BASECORE_EXPORT AppLocations
{
public:
    /// The process-wide locations.
    static AppLocations& GetLocations();

    virtual ~AppLocations();
    /// The folder of the running executable.
    virtual ioPath GetApplicationLocation() const;
    /// "TAVRIX_RESOURCES_PATH" when set and not empty, else `<application folder>/resources`.
    virtual ioPath GetResourcesLocation() const;
    /// `<resources location>/fonts.conf`.
    virtual ioPath GetFontConfigLocation() const;
};

} // namespace Tavrix::Core
