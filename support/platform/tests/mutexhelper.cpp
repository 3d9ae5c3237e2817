// A second process for the lock tests; the first word selects what it does:
//   holdmutex NAME  opens the named mutex, prints "ready" and waits to be killed
//   holdlock NAME   takes the named mutex exclusively, prints "ready" (or exits 1) and waits
//   sleep           prints "ready" and waits to be killed
#include <Tavrix/Platform/NamedMutex.h>

#include <cstring>
#include <iostream>

#include <unistd.h>

using Tavrix::Platform::NamedMutex;
using Tavrix::Platform::NamedMutexLock;

namespace {

[[noreturn]] void ReadyAndWait()
{
    std::cout << "ready" << std::endl;
    for (;;)
        ::pause();
}

} // namespace

int main(int argc, char** argv)
{
    const char* word = argc > 1 ? argv[1] : "";
    const QString name = argc > 2 ? QString::fromUtf8(argv[2]) : QString();
    if (std::strcmp(word, "holdmutex") == 0) {
        NamedMutex mutex(name);
        if (!mutex.IsValid())
            return 1;
        ReadyAndWait();
    }
    if (std::strcmp(word, "holdlock") == 0) {
        const auto lock = NamedMutexLock::TryAcquire(name);
        if (!lock)
            return 1;
        ReadyAndWait();
    }
    if (std::strcmp(word, "sleep") == 0)
        ReadyAndWait();
    std::cerr << "unknown word " << word << std::endl;
    return 2;
}
