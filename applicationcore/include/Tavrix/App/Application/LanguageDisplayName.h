#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <string>

namespace Tavrix::App {

/// How a language menu shows `code`: the language's own name for a locale code ("Deutsch" for
/// "de_DE"), the English name for an ISO 639-2 code ("ger"), "" for "und", and `code` itself for
/// any other text.
APPLICATIONCORE_EXPORT std::string GetLanguageDisplayName(const std::string& code);

} // namespace Tavrix::App
