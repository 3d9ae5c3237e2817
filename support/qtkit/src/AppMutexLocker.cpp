#include <Tavrix/Util/AppMutexLocker.h>
#include <Tavrix/Util/Conversions.h>

#include <Tavrix/Platform/NamedMutex.h>

namespace Tavrix::Util {

struct AppMutexLocker::Private
{
    std::vector<std::string> names;
    std::vector<std::unique_ptr<Platform::NamedMutexLock>> held;
};

AppMutexLocker::AppMutexLocker(std::vector<std::string> names) : d(std::make_unique<Private>())
{
    d->names = std::move(names);
}

AppMutexLocker::~AppMutexLocker() = default;

bool AppMutexLocker::TryLockAppMutex()
{
    d->held.clear();
    std::vector<std::unique_ptr<Platform::NamedMutexLock>> taken;
    for (const std::string& name : d->names) {
        auto lock = Platform::NamedMutexLock::TryAcquire(Utf8ToQString(name));
        if (!lock)
            return false;
        taken.push_back(std::move(lock));
    }
    d->held = std::move(taken);
    return true;
}

} // namespace Tavrix::Util
