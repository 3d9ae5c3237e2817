#pragma once

#include <Tavrix/platform_export.h>

#include <vector>

namespace Tavrix::Platform {

constexpr int WAIT_TIMEOUT = -1;
constexpr int WAIT_FAILED = -2;

/// Waits until any of `handles` (process handles, events, or any descriptor that turns readable)
/// is signalled, for up to `milliseconds` (negative: for ever). Returns the index of the first
/// signalled handle, WAIT_TIMEOUT, or WAIT_FAILED at once when the list is empty or holds a
/// handle that is 0 or not open.
PLATFORM_EXPORT int WaitForAnyHandle(const std::vector<int>& handles, int milliseconds);

} // namespace Tavrix::Platform
