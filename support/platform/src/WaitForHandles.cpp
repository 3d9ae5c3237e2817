#include <Tavrix/Platform/WaitForHandles.h>

#include <QDeadlineTimer>

#include <cerrno>

#include <poll.h>

namespace Tavrix::Platform {

int WaitForAnyHandle(const std::vector<int>& handles, int milliseconds)
{
    if (handles.empty())
        return WAIT_FAILED;
    std::vector<pollfd> entries;
    entries.reserve(handles.size());
    for (const int handle : handles) {
        if (handle <= 0)
            return WAIT_FAILED;
        entries.push_back(pollfd{handle, POLLIN, 0});
    }
    // A signal cuts the wait short; the next try waits only for what is left of the time.
    const QDeadlineTimer deadline
        = milliseconds < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(milliseconds);
    int result;
    do {
        result = ::poll(entries.data(), entries.size(), static_cast<int>(deadline.remainingTime()));
    } while (result < 0 && errno == EINTR);
    if (result < 0)
        return WAIT_FAILED;
    if (result == 0)
        return WAIT_TIMEOUT;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].revents & POLLNVAL)
            return WAIT_FAILED;
        if (entries[i].revents != 0)
            return static_cast<int>(i);
    }
    return WAIT_FAILED;
}

} // namespace Tavrix::Platform
