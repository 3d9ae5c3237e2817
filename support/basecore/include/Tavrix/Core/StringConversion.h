#pragma once

#include <Tavrix/basecore_export.h>

#include <string>

namespace Tavrix::Core {

/// UTF-8 to wide text; invalid UTF-8 sequences become U+FFFD.
BASECORE_EXPORT std::wstring WstringFromUtf8(const std::string& utf8);
/// Wide text to UTF-8; values that are no Unicode code point become U+FFFD.
BASECORE_EXPORT std::string Utf8FromWstring(const std::wstring& wide);

} // namespace Tavrix::Core
