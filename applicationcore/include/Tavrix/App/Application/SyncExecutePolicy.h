#pragma once

#include <functional>

namespace Tavrix::Core {

/// Runs each observer call at once, on the calling thread.
struct SyncExecutePolicy
{
    static void Execute(const std::function<void()>& call) { call(); }
};

} // namespace Tavrix::Core
