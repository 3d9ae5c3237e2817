#pragma once

#include <Tavrix/platform_export.h>

#include <QString>

#include <memory>

namespace Tavrix::Platform {

/// A system-wide named mutex that this process holds open for as long as the object lives, so
/// that other processes can tell by its name that the holder runs. The kernel lets go of it when
/// the process dies, so a crashed holder never blocks anyone.
class PLATFORM_EXPORT NamedMutex
{
public:
    /// Opens the mutex `name`, creating it when it does not exist yet.
    explicit NamedMutex(const QString& name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    /// False when the mutex could not be opened (the object then holds nothing).
    bool IsValid() const;

private:
    int m_fd = -1;
};

/// Ownership of a named mutex, released when the object goes. Nobody else can take it meanwhile,
/// but opening it (NamedMutex) never waits for the owner.
class PLATFORM_EXPORT NamedMutexLock
{
public:
    /// Takes the mutex `name` without waiting; null while any holder has it open.
    static std::unique_ptr<NamedMutexLock> TryAcquire(const QString& name);
    ~NamedMutexLock();
    NamedMutexLock(const NamedMutexLock&) = delete;
    NamedMutexLock& operator=(const NamedMutexLock&) = delete;

private:
    explicit NamedMutexLock(int fd);
    int m_fd;
};

} // namespace Tavrix::Platform
