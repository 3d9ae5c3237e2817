#pragma once

#include <Tavrix/platform_export.h>

#include <QString>

#include <string>

namespace Tavrix::Platform {

/// Puts "NAME=VALUE" into the process environment; "NAME=" removes NAME. False when the text
/// holds no "=" or an empty name.
PLATFORM_EXPORT bool PutEnvironment(const std::wstring& assignment);

/// The value of the environment variable `name`; empty when it is not set.
PLATFORM_EXPORT QString GetEnvironment(const char* name);

} // namespace Tavrix::Platform
