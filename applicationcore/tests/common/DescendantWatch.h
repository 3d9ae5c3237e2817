#pragma once

#include <QDeadlineTimer>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

// Every process started while the watch exists, detached ones and their children too, inherits
// one end of a pipe; the other end reads end-of-file once they have all ended. So a test learns
// that a process it expects not to exist never ran, or that one it expects has written all it
// would, without waiting for a fixed time. A helper that must outlive the wait is started before
// the watch.
class DescendantWatch
{
public:
    DescendantWatch()
    {
        if (::pipe(m_fds) == 0)
            ::fcntl(m_fds[0], F_SETFD, FD_CLOEXEC);
    }
    ~DescendantWatch()
    {
        for (const int fd : m_fds)
            ::close(fd);
    }
    DescendantWatch(const DescendantWatch&) = delete;
    DescendantWatch& operator=(const DescendantWatch&) = delete;

    // Hands the pipe to no further process and waits until every process holding it has ended.
    bool WaitForAllEnded(int timeoutMs = 20000)
    {
        ::close(std::exchange(m_fds[1], -1));
        const QDeadlineTimer deadline(timeoutMs);
        char byte;
        for (;;) {
            pollfd ready{m_fds[0], POLLIN, 0};
            const int polled = ::poll(&ready, 1, int(deadline.remainingTime()));
            if (polled == 0)
                return false;
            const ssize_t got = polled > 0 ? ::read(m_fds[0], &byte, 1) : -1;
            if (got == 0)
                return true;
            if (got < 0 && errno != EINTR)
                return false;
        }
    }

private:
    int m_fds[2] = {-1, -1};
};
