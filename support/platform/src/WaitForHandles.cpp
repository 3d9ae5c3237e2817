#include <Tavrix/Platform/WaitForHandles.h>

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
    int result;
    do {
        result = ::poll(entries.data(), entries.size(), milliseconds);
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
