#include <Tavrix/Platform/NamedMutex.h>
#include <Tavrix/Platform/RuntimeFolder.h>

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace Tavrix::Platform {
namespace {

int OpenLockFile(const QString& name)
{
    const QByteArray path = QFile::encodeName(RuntimeObjectPath(name, QStringLiteral(".lock")));
    int fd;
    do {
        fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int LockFile(int fd, int operation)
{
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

} // namespace

NamedMutex::NamedMutex(const QString& name) : m_fd(OpenLockFile(name))
{
    if (m_fd >= 0 && LockFile(m_fd, LOCK_SH) != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

NamedMutex::~NamedMutex()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool NamedMutex::IsValid() const
{
    return m_fd >= 0;
}

std::unique_ptr<NamedMutexLock> NamedMutexLock::TryAcquire(const QString& name)
{
    const int fd = OpenLockFile(name);
    if (fd < 0)
        return nullptr;
    // The exclusive lock only proves that nobody else holds the mutex. Kept, it would make every
    // program that opens the mutex wait in its constructor for as long as this lock lives; a
    // shared lock keeps other takers out just the same. A taker that slips in while the lock is
    // converted wins, and this one then reports the mutex as held.
    if (LockFile(fd, LOCK_EX | LOCK_NB) != 0 || LockFile(fd, LOCK_SH | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<NamedMutexLock>(new NamedMutexLock(fd));
}

NamedMutexLock::NamedMutexLock(int fd) : m_fd(fd) {}

NamedMutexLock::~NamedMutexLock()
{
    ::close(m_fd);
}

} // namespace Tavrix::Platform
