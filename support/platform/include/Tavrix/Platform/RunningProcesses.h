#pragma once

#include <Tavrix/platform_export.h>

#include <vector>

namespace Tavrix::Platform {

/// The ids of the processes running now, ascending; empty when the system does not tell.
/// Checking many ids against one listing is far cheaper than asking about each.
PLATFORM_EXPORT std::vector<long> RunningProcessIds();

} // namespace Tavrix::Platform
