#include <Tavrix/Platform/Event.h>

#include "FileDescriptor_p.h"

#include <cerrno>
#include <cstdint>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace Tavrix::Platform {

Event::Event() : m_fd(MoveAboveStandardStreams(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))) {}

Event::~Event()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool Event::IsValid() const
{
    return m_fd >= 0;
}

// The counter only has to stay above zero; a saturated one (EAGAIN) is signalled already.
void Event::Set()
{
    const std::uint64_t one = 1;
    if (m_fd >= 0) {
        while (::write(m_fd, &one, sizeof one) < 0 && errno == EINTR) {
        }
    }
}

void Event::Reset()
{
    std::uint64_t count;
    if (m_fd >= 0) {
        while (::read(m_fd, &count, sizeof count) < 0 && errno == EINTR) {
        }
    }
}

bool Event::IsSet() const
{
    if (m_fd < 0)
        return false;
    pollfd entry{m_fd, POLLIN, 0};
    return ::poll(&entry, 1, 0) > 0 && (entry.revents & POLLIN);
}

int Event::Get() const
{
    return m_fd >= 0 ? m_fd : 0;
}

} // namespace Tavrix::Platform
