#include <Tavrix/Exception.h>
#include <Tavrix/Core/IOException.h>

#include <boost/stacktrace.hpp>

#include <sstream>

namespace Tavrix {

std::string GetCallStack()
{
    std::ostringstream text;
    text << boost::stacktrace::stacktrace();
    return text.str();
}

Exception::Exception(const std::string& description)
    : std::runtime_error(description), m_description(description), m_callStack(GetCallStack())
{
}

Exception::Exception(const std::string& description, const char* function, const char* file,
                     int line)
    : std::runtime_error(description), m_description(description),
      m_location(std::string(function ? function : "") + " (" + (file ? file : "") + ":"
                 + std::to_string(line) + ")"),
      m_callStack(GetCallStack())
{
}

Exception::~Exception() = default;

namespace Core {
IOException::~IOException() = default;
} // namespace Core

} // namespace Tavrix
