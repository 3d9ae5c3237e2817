// What the crash reports cost: the application's construction with its crash handlers against the
// same construction without them (and the installation alone against an empty step), and the
// report of a real 30-frame crash at the next start against resolving 30 live frames in-process.
#include "BenchmarkMain.h"

#include <Tavrix/App/Application/Application.h>
#include <Tavrix/App/Application/CrashTracker.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <boost/stacktrace.hpp>
#include <benchmark/benchmark.h>

#include <iostream>
#include <optional>
#include <sstream>

#include <sys/resource.h>

namespace {

const char* const CRASH_WORD = "crash-child";
// With the child's frames below the recursion (its main, the C library's start and _start) and the
// crashing one, the stack is 30 frames deep.
constexpr int RECURSION_DEPTH = 25;

int g_argc = 1;
char* g_argv[] = {const_cast<char*>("bench_crashreports"), nullptr};

__attribute__((noinline, no_sanitize("address", "undefined"))) int Recurse(int depth)
{
    if (depth == 0) {
        volatile int* volatile address = nullptr;
        *address = 1;
        return 0;
    }
    // Through a pointer the compiler cannot see through, so that every call keeps its frame.
    static int (*volatile const next)(int) = &Recurse;
    return next(depth - 1) + 1;
}

__attribute__((noinline)) boost::stacktrace::stacktrace LiveStack(int depth)
{
    if (depth == 0)
        return boost::stacktrace::stacktrace();
    auto stack = LiveStack(depth - 1);
    benchmark::DoNotOptimize(stack);
    return stack;
}

int CountFrames(const std::string& report)
{
    int frames = 0;
    for (std::size_t at = report.find("\n#"); at != std::string::npos;
         at = report.find("\n#", at + 1))
        ++frames;
    return frames;
}

// The session of a child that crashed RECURSION_DEPTH calls deep, made once.
const std::string& CrashedSession()
{
    static const std::string session = [] {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(CRASH_WORD)});
        child.waitForFinished(30000);
        return child.readAllStandardOutput().trimmed().toStdString();
    }();
    return session;
}

void BM_ApplicationConstruction(benchmark::State& state)
{
    for (auto _ : state) {
        Tavrix::App::Application app(g_argc, g_argv);
        benchmark::DoNotOptimize(&app);
    }
}
BENCHMARK(BM_ApplicationConstruction)->Unit(benchmark::kMicrosecond);

void BM_ApplicationConstruction_Baseline(benchmark::State& state)
{
    Tavrix::App::Application::AppContext context;
    context.installCrashHandlers = false;
    for (auto _ : state) {
        Tavrix::App::Application app(g_argc, g_argv, context);
        benchmark::DoNotOptimize(&app);
    }
}
BENCHMARK(BM_ApplicationConstruction_Baseline)->Unit(benchmark::kMicrosecond);

// The installation alone; the tracker's own start-up is left out of both.
void InstallLoop(benchmark::State& state, bool install)
{
    QCoreApplication app(g_argc, g_argv);
    std::optional<Tavrix::App::CrashTracker> tracker;
    for (auto _ : state) {
        state.PauseTiming();
        tracker.reset();
        tracker.emplace();
        state.ResumeTiming();
        if (install && !tracker->InstallCrashHandlers()) {
            state.SkipWithError("the handlers were not installed");
            break;
        }
    }
}

void BM_CrashHandlerInstall(benchmark::State& state)
{
    InstallLoop(state, true);
}
// Each step starts a tracker outside the timing, which takes far longer than the step itself.
BENCHMARK(BM_CrashHandlerInstall)->Unit(benchmark::kMicrosecond)->Iterations(300);

void BM_CrashHandlerInstall_Baseline(benchmark::State& state)
{
    InstallLoop(state, false);
}
BENCHMARK(BM_CrashHandlerInstall_Baseline)->Unit(benchmark::kMicrosecond)->Iterations(300);

void BM_CrashReport30Frames(benchmark::State& state)
{
    QCoreApplication app(g_argc, g_argv);
    const std::string& session = CrashedSession();
    const Tavrix::App::CrashTracker tracker;
    std::string report;
    for (auto _ : state) {
        report = tracker.GetCrashReport(session);
        benchmark::DoNotOptimize(report);
    }
    if (qEnvironmentVariableIsSet("BENCH_PRINT_REPORT"))
        std::cerr << report;
    state.counters["frames"] = CountFrames(report);
    if (report.find("Recurse(int)") == std::string::npos)
        state.SkipWithError("the report does not name the crashing function");
}
BENCHMARK(BM_CrashReport30Frames)->Unit(benchmark::kMicrosecond);

// The least a report of 30 frames takes: the same resolution of 30 frames of this process.
void BM_CrashReport30Frames_Baseline(benchmark::State& state)
{
    const boost::stacktrace::stacktrace stack = LiveStack(RECURSION_DEPTH);
    const std::vector<boost::stacktrace::frame> frames(
        stack.begin(), stack.begin() + std::min<std::ptrdiff_t>(std::ptrdiff_t(stack.size()), 30));
    for (auto _ : state) {
        std::ostringstream text;
        for (const boost::stacktrace::frame& frame : frames)
            text << frame.name() << " at " << frame.source_file() << ':' << frame.source_line()
                 << '\n';
        benchmark::DoNotOptimize(text.str());
    }
    state.counters["frames"] = double(frames.size());
}
BENCHMARK(BM_CrashReport30Frames_Baseline)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], CRASH_WORD) == 0) {
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        QCoreApplication app(g_argc, g_argv);
        Tavrix::App::CrashTracker tracker;
        tracker.InstallCrashHandlers();
        std::cout << tracker.SessionId() << std::endl;
        return Recurse(RECURSION_DEPTH);
    }
    // The session files go into a folder of their own, never into the user's data.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(data.path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_argv[0] = argv[0];
    return RunBenchmarks(argc, argv);
}
