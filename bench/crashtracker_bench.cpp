// Start-up of the crash tracker on a file full of dead sessions against the least any tracker must
// do: read that file and durably record one entry of its own.
#include "BenchmarkMain.h"

#include <Tavrix/App/Application/CrashTracker.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <optional>

namespace {

constexpr int ENTRIES = 1000;
// Above the kernel's largest process id: none of these processes runs.
constexpr int FIRST_DEAD_PID = 5000000;

QString SessionFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::DataLocation)
           + QStringLiteral("/Tavrix/vellumix 2.4.1/")
           + QFileInfo(QCoreApplication::applicationFilePath()).baseName() + QStringLiteral(".ini");
}

const QByteArray& DeadSessions()
{
    static const QByteArray content = [] {
        QByteArray text("[General]\n");
        for (int i = 0; i < ENTRIES; ++i)
            text += QByteArray::number(FIRST_DEAD_PID + i) + "=240101-120000-"
                    + QByteArray::number(100000 + i) + '\n';
        return text;
    }();
    return content;
}

bool WriteDeadSessions()
{
    QDir().mkpath(QFileInfo(SessionFile()).path());
    QFile file(SessionFile());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(DeadSessions()) == DeadSessions().size();
}

void BM_CrashTrackerStartup(benchmark::State& state)
{
    std::optional<Tavrix::App::CrashTracker> tracker;
    for (auto _ : state) {
        state.PauseTiming();
        tracker.reset();
        if (!WriteDeadSessions()) {
            state.SkipWithError("cannot write the session file");
            break;
        }
        state.ResumeTiming();
        tracker.emplace();
        state.PauseTiming();
        if (tracker->BadSessionsList().size() != ENTRIES) {
            state.SkipWithError("not every dead session was reported");
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CrashTrackerStartup)->Unit(benchmark::kMicrosecond);

void BM_CrashTrackerStartup_Baseline(benchmark::State& state)
{
    std::optional<QSettings> settings;
    for (auto _ : state) {
        state.PauseTiming();
        settings.reset();
        if (!WriteDeadSessions()) {
            state.SkipWithError("cannot write the session file");
            break;
        }
        state.ResumeTiming();
        settings.emplace(SessionFile(), QSettings::IniFormat);
        const QStringList keys = settings->allKeys();
        benchmark::DoNotOptimize(keys);
        settings->setValue(QString::number(QCoreApplication::applicationPid()),
                           QStringLiteral("240101-120000-999999"));
        settings->sync();
        if (keys.size() != ENTRIES || settings->status() != QSettings::NoError) {
            state.SkipWithError("the file was not read and written");
            break;
        }
    }
}
BENCHMARK(BM_CrashTrackerStartup_Baseline)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // The session file goes into a folder of its own, never into the user's data.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    QCoreApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
