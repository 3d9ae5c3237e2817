#include "PipeFile.h"

#include <Tavrix/Core/IOException.h>
#include <Tavrix/Core/PipeName.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Tavrix::Core::Pipes {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error)
{
    TAVRIX_THROW(IOException, what + " " + path + ": " + std::strerror(error));
}

// A write to a pipe whose reader has gone raises SIGPIPE, which ends the process by default and
// reaches whatever handler the program installed otherwise. It is held off in this thread while
// writing, and one raised by the write is taken back, so the write just fails with EPIPE.
class BrokenPipeSignalGuard
{
public:
    BrokenPipeSignalGuard()
    {
        sigemptyset(&m_signal);
        sigaddset(&m_signal, SIGPIPE);
        ::pthread_sigmask(SIG_BLOCK, &m_signal, &m_previous);
        m_wasBlocked = sigismember(&m_previous, SIGPIPE) == 1;
    }
    ~BrokenPipeSignalGuard()
    {
        if (!m_wasBlocked)
            ::pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    BrokenPipeSignalGuard(const BrokenPipeSignalGuard&) = delete;
    BrokenPipeSignalGuard& operator=(const BrokenPipeSignalGuard&) = delete;

    void TakeBackSignal()
    {
        if (m_wasBlocked)
            return;
        const timespec now{};
        while (::sigtimedwait(&m_signal, nullptr, &now) < 0 && errno == EINTR) {
        }
    }

private:
    sigset_t m_signal;
    sigset_t m_previous;
    bool m_wasBlocked = false;
};

int Open(const std::string& path, int flags)
{
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Waits until `fd` is ready for `events` or closed on its other side, or `peerFd` (when not -1)
// reports its other side closed; the revents of `fd`, or POLLHUP alone for a gone peer.
short Poll(int fd, short events, int peerFd)
{
    pollfd entries[2] = {{fd, events, 0}, {peerFd, 0, 0}};
    const nfds_t count = peerFd >= 0 ? 2 : 1;
    int result;
    do {
        result = ::poll(entries, count, -1);
    } while (result < 0 && errno == EINTR);
    if (result < 0)
        TAVRIX_THROW(IOException, std::string("Could not wait on a pipe: ") + std::strerror(errno));
    if (count == 2 && (entries[1].revents & (POLLHUP | POLLERR | POLLNVAL))
        && !(entries[0].revents & events))
        return POLLHUP;
    return entries[0].revents;
}

} // namespace

PipeFile::PipeFile(const std::string& name, Mode mode, bool create)
{
    const std::string path = PipePath(name);
    if (path.empty())
        TAVRIX_THROW(IOException, "Not a pipe name, or no runtime folder for it: " + name);

    // The owner opens its writing end for reading too: the open then needs no reader yet, and
    // the other side's opens never wait either.
    const int access = mode == Mode::Read ? O_RDONLY : (create ? O_RDWR : O_WRONLY);
    if (create && ::mkfifo(path.c_str(), 0600) != 0)
        Fail("Could not create the pipe", path, errno);
    // A constructor that throws leaves no destructor to close and remove what it made.
    const auto undo = [this, create, &path] {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        if (create)
            ::unlink(path.c_str());
    };
    m_fd = Open(path, access);
    if (m_fd < 0) {
        const int error = errno;
        undo();
        Fail(error == ENXIO ? "Nobody reads the pipe" : "Could not open the pipe", path, error);
    }
    struct stat status
    {};
    if (::fstat(m_fd, &status) != 0 || !S_ISFIFO(status.st_mode) || status.st_uid != ::geteuid()
        || (status.st_mode & 077) != 0) {
        undo();
        TAVRIX_THROW(IOException, "Not a private pipe of this user: " + path);
    }
    if (create)
        m_createdPath = path;
    m_device = status.st_dev;
    m_inode = status.st_ino;
    // Reads block in the kernel, as on a plain pipe, rather than in a poll and a retry; writes
    // keep polling, so that a write can give up when the other side goes.
    if (mode == Mode::Read)
        ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
}

PipeFile::~PipeFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    struct stat status
    {};
    if (!m_createdPath.empty() && ::lstat(m_createdPath.c_str(), &status) == 0
        && status.st_dev == m_device && status.st_ino == m_inode)
        ::unlink(m_createdPath.c_str());
}

bool WaitForData(int fd, int peerFd)
{
    return (Poll(fd, POLLIN, peerFd) & POLLIN) != 0;
}

std::size_t BytesWaiting(int fd)
{
    int count = 0;
    if (::ioctl(fd, FIONREAD, &count) != 0)
        TAVRIX_THROW(IOException, std::string("Could not query a pipe: ") + std::strerror(errno));
    return static_cast<std::size_t>(count > 0 ? count : 0);
}

std::size_t ReadSome(int fd, void* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got > 0)
            return static_cast<std::size_t>(got);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno != EAGAIN)
            TAVRIX_THROW(IOException,
                         std::string("Could not read from a pipe: ") + std::strerror(errno));
        // A pipe whose writer has not opened it yet reads as ended too: only the poll tells
        // the end of the data apart from a writer still to come.
        if (!WaitForData(fd, -1))
            return 0;
    }
}

std::size_t ReadFully(int fd, void* buffer, std::size_t size)
{
    char* const bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const std::size_t got = ReadSome(fd, bytes + done, size - done);
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

void WriteFully(int fd, const void* data, std::size_t size, int peerFd)
{
    const char* bytes = static_cast<const char*>(data);
    BrokenPipeSignalGuard guard;
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written > 0) {
            bytes += written;
            size -= static_cast<std::size_t>(written);
            // Less than asked: the pipe is full, so wait for room rather than try again.
            if (size > 0 && !(Poll(fd, POLLOUT, peerFd) & POLLOUT))
                TAVRIX_THROW(IOException, "The other side of the channel has closed");
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno == EPIPE) {
            guard.TakeBackSignal();
            TAVRIX_THROW(IOException, "The reader of the pipe has gone");
        }
        if (written < 0 && errno != EAGAIN)
            TAVRIX_THROW(IOException,
                         std::string("Could not write to a pipe: ") + std::strerror(errno));
        if (!(Poll(fd, POLLOUT, peerFd) & POLLOUT))
            TAVRIX_THROW(IOException, "The other side of the channel has closed");
    }
}

} // namespace Tavrix::Core::Pipes
