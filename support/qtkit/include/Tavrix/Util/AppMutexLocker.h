#pragma once

#include <Tavrix/qtkit_export.h>

#include <memory>
#include <string>
#include <vector>

namespace Tavrix::Util {

/// Takes a set of named system mutexes, to learn whether the programs that hold them still run.
/// Whatever was taken is let go when the locker goes.
class QTKIT_EXPORT AppMutexLocker
{
public:
    explicit AppMutexLocker(std::vector<std::string> names);
    virtual ~AppMutexLocker();
    AppMutexLocker(const AppMutexLocker&) = delete;
    AppMutexLocker& operator=(const AppMutexLocker&) = delete;

    /// True when every named mutex could be taken; false while another process holds one of
    /// them (nothing is kept taken then).
    virtual bool TryLockAppMutex();

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::Util
