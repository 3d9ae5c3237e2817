#pragma once

#include <Tavrix/platform_export.h>

namespace Tavrix::Platform {

/// An owned handle of a process (a pidfd), closed when the object goes. It stays valid after the
/// process has ended, so waiting on it never mistakes a reused process id for the process.
class PLATFORM_EXPORT ProcessHandle
{
public:
    ProcessHandle() = default;
    /// Takes ownership of the pidfd `fd`; a negative one means none.
    explicit ProcessHandle(int fd);
    ~ProcessHandle();
    ProcessHandle(ProcessHandle&& other) noexcept;
    ProcessHandle& operator=(ProcessHandle&& other) noexcept;
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;

    /// A handle of the running process `processId`; none when there is no such process.
    static ProcessHandle Open(long processId);

    bool IsValid() const;
    /// The handle as the platform's integer; 0 means none.
    int Get() const;
    /// Gives up ownership: returns the handle (0 when none), which the caller must close.
    int Take();
    /// Waits up to `milliseconds` (negative: for ever) for the process to end; true once it has.
    bool WaitForExit(int milliseconds) const;

private:
    int m_fd = -1;
};

} // namespace Tavrix::Platform
