#pragma once

#include <Tavrix/basecore_export.h>

#include <stdexcept>
#include <string>

namespace Tavrix {

/// The call stack of the calling thread as text, one frame a line.
BASECORE_EXPORT std::string GetCallStack();

/// Base of the family's exceptions: a description and the call stack where it was raised.
class BASECORE_EXPORT Exception : public std::runtime_error
{
public:
    explicit Exception(const std::string& description);
    /// With the place it was raised at, as TAVRIX_THROW gives it.
    Exception(const std::string& description, const char* function, const char* file, int line);
    ~Exception() override;

    /// what() is the description alone.
    const std::string& Description() const { return m_description; }
    /// "function (file:line)", or empty when the place was not given.
    const std::string& Location() const { return m_location; }
    const std::string& CallStack() const { return m_callStack; }

private:
    std::string m_description;
    std::string m_location;
    std::string m_callStack;
};

} // namespace Tavrix

/// Throws `Type(description)` with the place of the throw.
#define TAVRIX_THROW(Type, description) throw Type((description), __func__, __FILE__, __LINE__)
