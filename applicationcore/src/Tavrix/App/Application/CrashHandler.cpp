#include "CrashHandler_p.h"

#include "CrashReport_p.h"

#include <Tavrix/Platform/FileDescriptorIO.h>

#include <QFile>

#include <boost/stacktrace/safe_dump_to.hpp>
#include <glog/logging.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <cxxabi.h>
#include <exception>
#include <typeinfo>

#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <time.h>
#include <ucontext.h>
#include <unistd.h>

namespace Tavrix::App {
namespace {

constexpr std::array<int, 5> CRASH_SIGNALS = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// Everything the handlers touch, prepared before any crash: a signal handler may neither allocate
// nor take a lock. Static storage, so that a handler never finds it gone.
struct HandlerState
{
    std::atomic<bool> installed{false};
    std::atomic<bool> armed{false};
    std::atomic<bool> reported{false};
    std::atomic<bool> written{false};
    // The thread that writes the report: a second fault inside the writing must not wait for it.
    std::atomic<pid_t> writer{0};
    // A child forked without exec inherits the handlers; its crash is not this session's.
    pid_t owner = 0;
    char reportPath[PATH_MAX];
    std::array<struct sigaction, CRASH_SIGNALS.size()> previous;
    std::terminate_handler previousTerminate = nullptr;
    CrashReport::RawHeader header;
    const void* frames[CrashReport::MAX_FRAMES + 1];
    char copyBuffer[4096];
    // Room to report a stack overflow from; untouched pages cost nothing.
    alignas(16) char alternateStack[64 * 1024];
};

HandlerState state;

int SignalIndex(int signal)
{
    for (std::size_t i = 0; i < CRASH_SIGNALS.size(); ++i) {
        if (CRASH_SIGNALS[i] == signal)
            return int(i);
    }
    return -1;
}

void CopyText(char* target, std::size_t size, const char* text)
{
    std::size_t i = 0;
    for (; text && text[i] != '\0' && i + 1 < size; ++i)
        target[i] = text[i];
    target[i] = '\0';
}

std::uint64_t InterruptedInstruction(const void* context)
{
    if (!context)
        return 0;
    const auto* const machine = &static_cast<const ucontext_t*>(context)->uc_mcontext;
#if defined(__x86_64__)
    return std::uint64_t(machine->gregs[REG_RIP]);
#elif defined(__i386__)
    return std::uint64_t(machine->gregs[REG_EIP]);
#elif defined(__aarch64__)
    return std::uint64_t(machine->pc);
#else
    (void)machine;
    return 0;
#endif
}

// The loaded modules, so that the next start can find each frame's module and offset.
std::uint64_t CopyMaps(int fd)
{
    const int maps = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (maps < 0)
        return 0;
    std::uint64_t total = 0;
    for (;;) {
        const ssize_t got = ::read(maps, state.copyBuffer, sizeof state.copyBuffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || !Platform::WriteAll(fd, state.copyBuffer, std::size_t(got)))
            break;
        total += std::uint64_t(got);
    }
    ::close(maps);
    return total;
}

// Async-signal-safe calls only: open, write, read, close, getpid and the unwinder.
void WriteReport(int signal, const siginfo_t* info, const void* context)
{
    const int fd = ::open(state.reportPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    CrashReport::RawHeader& header = state.header;
    header.signal = signal;
    header.code = info ? info->si_code : 0;
    header.faultAddress = info ? std::uint64_t(reinterpret_cast<std::uintptr_t>(info->si_addr)) : 0;
    header.programCounter = InterruptedInstruction(context);
    header.processId = ::getpid();
    const std::size_t stored
        = boost::stacktrace::safe_dump_to(0, state.frames, sizeof state.frames);
    header.frameCount = std::uint32_t(stored > 0 ? stored - 1 : 0);
    if (Platform::WriteAll(fd, &header, sizeof header)
        && Platform::WriteAll(fd, state.frames, header.frameCount * sizeof state.frames[0])) {
        CrashReport::RawTrailer trailer{};
        std::memcpy(trailer.magic, CrashReport::TRAILER_MAGIC, sizeof trailer.magic);
        trailer.mapsSize = CopyMaps(fd);
        Platform::WriteAll(fd, &trailer, sizeof trailer);
    }
    ::close(fd);
}

// Another thread crashed first: its report must be complete before this fault ends the process.
// Bounded, in case that thread never finishes.
void WaitForReport()
{
    const timespec pause{0, 10 * 1000 * 1000};
    for (int i = 0; i < 300 && !state.written.load(); ++i)
        ::nanosleep(&pause, nullptr);
}

void OnCrashSignal(int signal, siginfo_t* info, void* context)
{
    const int savedErrno = errno;
    if (state.armed.load() && ::getpid() == state.owner) {
        const auto thread = static_cast<pid_t>(::syscall(SYS_gettid));
        if (!state.reported.exchange(true)) {
            state.writer.store(thread);
            WriteReport(signal, info, context);
            state.written.store(true);
        } else if (state.writer.load() != thread) {
            WaitForReport();
        }
    }
    const int index = SignalIndex(signal);
    if (index >= 0)
        ::sigaction(signal, &state.previous[std::size_t(index)], nullptr);
    // A fault that the kernel raised comes back as soon as this handler returns, now to the
    // earlier disposition, with its own context. A signal that was sent is sent again; it stays
    // pending until this handler returns.
    if (!info || info->si_code <= 0)
        ::raise(signal);
    errno = savedErrno;
}

// Keeps the exception's type and text for the report that the abort after it writes.
[[noreturn]] void OnTerminate()
{
    CrashReport::RawHeader& header = state.header;
    header.terminated = 1;
    // Only with an exception in flight may it be rethrown; rethrowing allocates nothing.
    if (const std::type_info* const type = abi::__cxa_current_exception_type()) {
        CopyText(header.exceptionType, sizeof header.exceptionType, type->name());
        try {
            throw;
        } catch (const std::exception& error) {
            CopyText(header.exceptionWhat, sizeof header.exceptionWhat, error.what());
        } catch (...) {
        }
    }
    if (state.previousTerminate)
        state.previousTerminate();
    std::abort();
}

bool IsOurs(const struct sigaction& action)
{
    return (action.sa_flags & SA_SIGINFO) && action.sa_sigaction == &OnCrashSignal;
}

} // namespace

CrashHandler::CrashHandler(const QString& reportFile)
{
    const QByteArray path = QFile::encodeName(reportFile);
    if (path.isEmpty() || std::size_t(path.size()) >= sizeof state.reportPath) {
        LOG(WARNING) << "No crash handler: the report path is unusable: " << path.constData();
        return;
    }
    bool expected = false;
    if (!state.installed.compare_exchange_strong(expected, true)) {
        LOG(WARNING) << "The crash handlers of this process are installed already";
        return;
    }
    std::memcpy(state.reportPath, path.constData(), std::size_t(path.size()) + 1);
    std::memset(&state.header, 0, sizeof state.header);
    std::memcpy(state.header.magic, CrashReport::HEADER_MAGIC, sizeof state.header.magic);
    state.header.version = CrashReport::VERSION;
    state.header.pointerSize = sizeof(void*);
    state.reported = false;
    state.written = false;
    state.writer = 0;
    state.owner = ::getpid();

    // One unwinding now binds the unwinder's symbols, so that a crash does not have to.
    const void* warmUp[2];
    boost::stacktrace::safe_dump_to(0, warmUp, sizeof warmUp);

    // A stack of its own for this thread, so that a stack overflow can be reported; a product's
    // own alternate stack is left in place.
    stack_t current{};
    if (::sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE)) {
        stack_t ours{};
        ours.ss_sp = state.alternateStack;
        ours.ss_size = sizeof state.alternateStack;
        ::sigaltstack(&ours, nullptr);
    }

    struct sigaction action = {};
    action.sa_sigaction = &OnCrashSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < CRASH_SIGNALS.size(); ++i) {
        ::sigaction(CRASH_SIGNALS[i], &action, &state.previous[i]);
        // Handlers left behind by an earlier set would hand the signal back to us for ever.
        if (IsOurs(state.previous[i])) {
            state.previous[i] = {};
            state.previous[i].sa_handler = SIG_DFL;
        }
    }
    state.previousTerminate = std::set_terminate(&OnTerminate);
    if (state.previousTerminate == &OnTerminate)
        state.previousTerminate = nullptr;
    state.armed = true;
    m_installed = true;
}

CrashHandler::~CrashHandler()
{
    if (!m_installed)
        return;
    state.armed = false;
    for (std::size_t i = 0; i < CRASH_SIGNALS.size(); ++i) {
        struct sigaction current = {};
        if (::sigaction(CRASH_SIGNALS[i], nullptr, &current) == 0 && IsOurs(current))
            ::sigaction(CRASH_SIGNALS[i], &state.previous[i], nullptr);
    }
    if (std::get_terminate() == &OnTerminate)
        std::set_terminate(state.previousTerminate);
    stack_t current{};
    if (::sigaltstack(nullptr, &current) == 0 && current.ss_sp == state.alternateStack
        && !(current.ss_flags & SS_ONSTACK)) {
        stack_t off{};
        off.ss_flags = SS_DISABLE;
        ::sigaltstack(&off, nullptr);
    }
    state.installed = false;
}

bool CrashHandler::IsInstalled() const
{
    return m_installed;
}

void CrashHandler::SetArmed(bool armed)
{
    if (m_installed)
        state.armed = armed;
}

} // namespace Tavrix::App
