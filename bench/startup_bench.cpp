// Whole-process start-up: a product built on the application core against the same visible start
// made with Qt alone (the core's own cost), and the sample product against a bare Qt program that
// shows an empty window (the absolute figure).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <cstdlib>
#include <vector>

namespace {

void RunProcess(benchmark::State& state, const QString& program, const QStringList& arguments)
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(program, arguments);
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0) {
            state.SkipWithError("the program did not start and quit cleanly");
            break;
        }
    }
}

QString BinaryDir()
{
    return QString::fromLocal8Bit(TAVRIX_BENCH_BIN_DIR);
}

void BM_StartupCore(benchmark::State& state)
{
    RunProcess(state, BinaryDir() + QStringLiteral("/bench_startup_core"), {});
}

void BM_StartupCore_Baseline(benchmark::State& state)
{
    RunProcess(state, BinaryDir() + QStringLiteral("/bench_startup_plain"), {});
}

void BM_Startup(benchmark::State& state)
{
    RunProcess(state, BinaryDir() + QStringLiteral("/tavrix-demo"),
               {QStringLiteral("--quit-after-start")});
}

void BM_Startup_Baseline(benchmark::State& state)
{
    RunProcess(state, BinaryDir() + QStringLiteral("/bench_startup_bare"), {});
}

} // namespace

// Whole processes on a shared machine drift with its disk and other load: each figure is the
// median of repetitions that run interleaved with those of its baseline.
#define STARTUP_BENCHMARK(name)                                                                   \
    BENCHMARK(name)                                                                               \
        ->Unit(benchmark::kMillisecond)                                                           \
        ->UseRealTime()                                                                           \
        ->MinTime(0.5)                                                                            \
        ->Repetitions(9)                                                                          \
        ->ReportAggregatesOnly(true)

STARTUP_BENCHMARK(BM_StartupCore);
STARTUP_BENCHMARK(BM_StartupCore_Baseline);
STARTUP_BENCHMARK(BM_Startup);
STARTUP_BENCHMARK(BM_Startup_Baseline);

int main(int argc, char** argv)
{
    // Interleaving first, so that a flag on the command line still overrides it.
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> arguments{argv[0], interleave};
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
