// Whole-process start-up: a product built on the application core against the same visible start
// made with Qt alone (the core's own cost), and the sample product against a bare Qt program that
// shows an empty window (the absolute figure).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <cstdlib>

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

BENCHMARK(BM_StartupCore)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_StartupCore_Baseline)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_Startup_Baseline)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

BENCHMARK_MAIN();
