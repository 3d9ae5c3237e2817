#pragma once

#include <Tavrix/basecore_export.h>

#include <boost/filesystem/path.hpp>

#include <string>

namespace Tavrix {

/// A file system path that converts to and from UTF-8 and wide strings.
class BASECORE_EXPORT ioPath
{
public:
    ioPath() = default;
    ioPath(const std::string& utf8);
    ioPath(const std::wstring& wide);
    ioPath(const char* utf8);
    ioPath(const boost::filesystem::path& path);

    ioPath& operator=(const char* utf8);

    ioPath operator/(const ioPath& other) const;
    bool operator==(const ioPath& other) const { return m_path == other.m_path; }
    bool operator!=(const ioPath& other) const { return m_path != other.m_path; }

    std::string utf8string() const;
    std::wstring wstring() const;
    /// The form the operating system's calls take; on Linux the same text as wstring().
    std::wstring platformString() const;

    ioPath parent_path() const;
    ioPath& make_preferred();
    bool exists() const;
    bool empty() const { return m_path.empty(); }

    /// Creates the folder and its missing parents; false when that fails.
    static bool create_directories(const ioPath& path);

    const boost::filesystem::path& native() const { return m_path; }

private:
    boost::filesystem::path m_path;
};

} // namespace Tavrix
