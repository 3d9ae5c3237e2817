#pragma once

#include <Tavrix/platform_export.h>

namespace Tavrix::Platform {

/// A manual-reset event: once set it stays signalled, for every waiter, until it is reset. Its
/// handle can be waited on together with process handles (WaitForAnyHandle).
class PLATFORM_EXPORT Event
{
public:
    /// A new event, not signalled. It is invalid (and never signalled) when the system refuses one.
    Event();
    ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    bool IsValid() const;
    void Set();
    void Reset();
    bool IsSet() const;
    /// The handle for WaitForAnyHandle; 0 when the event is invalid.
    int Get() const;

private:
    int m_fd;
};

} // namespace Tavrix::Platform
