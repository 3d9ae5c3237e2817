#include <Tavrix/Core/Version.h>

#include <tuple>

namespace Tavrix::Core {

Version::Version(unsigned int major, unsigned int minor, unsigned int patch)
    : m_major(major), m_minor(minor), m_patch(patch)
{
}

Version::Version(unsigned int major, unsigned int minor, unsigned int patch, unsigned int build)
    : m_major(major), m_minor(minor), m_patch(patch), m_build(build), m_hasBuild(true)
{
}

bool Version::operator==(const Version& other) const
{
    return std::tie(m_major, m_minor, m_patch, m_build)
           == std::tie(other.m_major, other.m_minor, other.m_patch, other.m_build);
}

bool Version::operator<(const Version& other) const
{
    return std::tie(m_major, m_minor, m_patch, m_build)
           < std::tie(other.m_major, other.m_minor, other.m_patch, other.m_build);
}

} // namespace Tavrix::Core
