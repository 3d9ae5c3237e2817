#pragma once

#include <Tavrix/platform_export.h>

#include <cstdint>

namespace Tavrix::Platform {

enum class WindowSwitchResult {
    /// The window manager was asked to activate the window (_NET_ACTIVE_WINDOW).
    Requested,
    /// With no window manager to ask, the window was raised and given the input focus.
    Focused,
    /// There is no X11 display to talk to.
    NoDisplay,
    /// The window does not exist, is not shown, or is 0.
    Failed
};

/// Brings the top-level window `window` (an X11 window id) to the front with the keyboard focus,
/// the way a task switcher does.
PLATFORM_EXPORT WindowSwitchResult SwitchToWindow(std::uint64_t window);

} // namespace Tavrix::Platform
