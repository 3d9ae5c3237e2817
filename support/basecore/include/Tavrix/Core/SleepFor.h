#pragma once

#include <Tavrix/basecore_export.h>

namespace Tavrix::Core {

/// Blocks the calling thread for `milliseconds`.
BASECORE_EXPORT void SleepFor(unsigned int milliseconds);

} // namespace Tavrix::Core
