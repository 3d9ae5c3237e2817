#include <Tavrix/Platform/ProcessHandle.h>

#include "FileDescriptor_p.h"

#include <Tavrix/Platform/WaitForHandles.h>

#include <algorithm>
#include <utility>

#include <sys/syscall.h>
#include <unistd.h>

namespace Tavrix::Platform {

ProcessHandle::ProcessHandle(int fd) : m_fd(MoveAboveStandardStreams(fd)) {}

ProcessHandle::~ProcessHandle()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

ProcessHandle::ProcessHandle(ProcessHandle&& other) noexcept : m_fd(std::exchange(other.m_fd, -1))
{
}

ProcessHandle& ProcessHandle::operator=(ProcessHandle&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

ProcessHandle ProcessHandle::Open(long processId)
{
    if (processId <= 0)
        return {};
    // Through the system call itself: not every C library declares a wrapper.
    return ProcessHandle(
        static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(processId), 0U)));
}

bool ProcessHandle::IsValid() const
{
    return m_fd >= 0;
}

int ProcessHandle::Get() const
{
    return m_fd >= 0 ? m_fd : 0;
}

int ProcessHandle::Take()
{
    return std::max(std::exchange(m_fd, -1), 0);
}

bool ProcessHandle::WaitForExit(int milliseconds) const
{
    return m_fd >= 0 && WaitForAnyHandle({m_fd}, milliseconds) == 0;
}

} // namespace Tavrix::Platform
