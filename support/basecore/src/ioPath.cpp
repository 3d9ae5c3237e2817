#include <Tavrix/ioPath.h>
#include <Tavrix/Core/StringConversion.h>

#include <boost/filesystem/operations.hpp>

namespace Tavrix {

ioPath::ioPath(const std::string& utf8) : m_path(utf8) {}

ioPath::ioPath(const std::wstring& wide) : m_path(Core::Utf8FromWstring(wide)) {}

ioPath::ioPath(const char* utf8) : m_path(utf8 ? std::string(utf8) : std::string()) {}

ioPath::ioPath(const boost::filesystem::path& path) : m_path(path) {}

ioPath& ioPath::operator=(const char* utf8)
{
    m_path = utf8 ? std::string(utf8) : std::string();
    return *this;
}

ioPath ioPath::operator/(const ioPath& other) const
{
    return ioPath(m_path / other.m_path);
}

std::string ioPath::utf8string() const
{
    return m_path.string();
}

std::wstring ioPath::wstring() const
{
    return Core::WstringFromUtf8(m_path.string());
}

std::wstring ioPath::platformString() const
{
    return wstring();
}

ioPath ioPath::parent_path() const
{
    return ioPath(m_path.parent_path());
}

ioPath& ioPath::make_preferred()
{
    m_path.make_preferred();
    return *this;
}

bool ioPath::exists() const
{
    boost::system::error_code error;
    return boost::filesystem::exists(m_path, error);
}

bool ioPath::create_directories(const ioPath& path)
{
    boost::system::error_code error;
    boost::filesystem::create_directories(path.m_path, error);
    return !error && boost::filesystem::is_directory(path.m_path, error);
}

} // namespace Tavrix
