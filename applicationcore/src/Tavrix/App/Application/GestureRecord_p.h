#pragma once

#include <Tavrix/App/Application/Gesture.h>

namespace Tavrix::App {

/// A record of `Kind` that carries `common`'s position and phase, the rest at its defaults.
template <typename Kind>
Kind Extended(const Gesture& common)
{
    Kind record;
    static_cast<Gesture&>(record) = common;
    return record;
}

} // namespace Tavrix::App
