#pragma once

#include <Tavrix/basecore_export.h>

#include <string>

namespace Tavrix::Core {

/// A product version: major.minor.patch with an optional build number.
class BASECORE_EXPORT Version
{
public:
    Version() = default;
    Version(unsigned int major, unsigned int minor, unsigned int patch);
    Version(unsigned int major, unsigned int minor, unsigned int patch, unsigned int build);

    unsigned int Major() const { return m_major; }
    unsigned int Minor() const { return m_minor; }
    unsigned int Patch() const { return m_patch; }
    unsigned int Build() const { return m_build; }
    bool HasBuild() const { return m_hasBuild; }

    bool operator==(const Version& other) const;
    bool operator!=(const Version& other) const { return !(*this == other); }
    bool operator<(const Version& other) const;

private:
    unsigned int m_major = 0;
    unsigned int m_minor = 0;
    unsigned int m_patch = 0;
    unsigned int m_build = 0;
    bool m_hasBuild = false;
};

} // namespace Tavrix::Core
