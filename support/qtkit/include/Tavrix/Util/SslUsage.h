#pragma once

#include <Tavrix/qtkit_export.h>

namespace Tavrix::Util {

/// Whether generated links use "https" (the default) or "http".
QTKIT_EXPORT void SetDefaultSslUsage(bool useHttps);
QTKIT_EXPORT bool GetDefaultSslUsage();

} // namespace Tavrix::Util
