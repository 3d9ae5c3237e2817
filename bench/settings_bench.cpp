// Typed reads and writes of the settings store, with three observers, against raw QSettings on
// the same kind of store.
#include "BenchmarkMain.h"

#include <Tavrix/App/Application/ISettingsManagerObserver.h>
#include <Tavrix/App/Application/SettingsManager.h>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>

namespace {

const QString ORGANIZATION = QStringLiteral("Tavrix");
const QString APPLICATION = QStringLiteral("SettingsBench");
const std::string INT_KEY = "Window/Width";
const std::string STRING_KEY = "Window/Title";

class CountingObserver final : public Tavrix::App::ISettingsManagerObserver
{
public:
    void OnBoolChanged(const std::string&, bool, const boost::optional<bool>&) override { ++calls; }
    void OnIntChanged(const std::string&, int, const boost::optional<int>&) override { ++calls; }
    void OnStringChanged(const std::string&, const std::string&,
                         const boost::optional<std::string>&) override
    {
        ++calls;
    }
    void OnInt64Changed(const std::string&, long long, const boost::optional<long long>&) override
    {
        ++calls;
    }
    void OnDoubleChanged(const std::string&, double, const boost::optional<double>&) override
    {
        ++calls;
    }
    void OnByteArrayChanged(const std::string&, const std::vector<unsigned char>&,
                            const boost::optional<std::vector<unsigned char>>&) override
    {
        ++calls;
    }

    long long calls = 0;
};

// A store with the two keys written and three observers registered for the whole run.
struct ObservedStore
{
    ObservedStore()
    {
        store.SetInt(INT_KEY, 800);
        store.SetString(STRING_KEY, "Vellumix");
        for (auto& observer : observers)
            store.RegisterObserver(&observer);
    }
    ~ObservedStore()
    {
        for (auto& observer : observers)
            store.UnregisterObserver(&observer);
    }

    Tavrix::App::SettingsManager store{APPLICATION, ORGANIZATION};
    std::array<CountingObserver, 3> observers;
};

struct RawStore
{
    RawStore()
    {
        settings.setValue(QString::fromStdString(INT_KEY), 800);
        settings.setValue(QString::fromStdString(STRING_KEY), QStringLiteral("Vellumix"));
    }

    QSettings settings{ORGANIZATION, APPLICATION};
};

void BM_GetInt(benchmark::State& state)
{
    ObservedStore s;
    for (auto _ : state)
        benchmark::DoNotOptimize(s.store.GetInt(INT_KEY, 0));
}
BENCHMARK(BM_GetInt);

void BM_GetInt_Baseline(benchmark::State& state)
{
    RawStore s;
    for (auto _ : state)
        benchmark::DoNotOptimize(s.settings.value(QString::fromStdString(INT_KEY), 0).toInt());
}
BENCHMARK(BM_GetInt_Baseline);

void BM_GetString(benchmark::State& state)
{
    ObservedStore s;
    for (auto _ : state)
        benchmark::DoNotOptimize(s.store.GetString(STRING_KEY, std::string()));
}
BENCHMARK(BM_GetString);

void BM_GetString_Baseline(benchmark::State& state)
{
    RawStore s;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            s.settings.value(QString::fromStdString(STRING_KEY), QString()).toString());
}
BENCHMARK(BM_GetString_Baseline);

void BM_SetIntUnchanged(benchmark::State& state)
{
    ObservedStore s;
    for (auto _ : state)
        s.store.SetInt(INT_KEY, 800);
    if (s.observers[0].calls != 0)
        state.SkipWithError("an unchanged value was reported");
}
BENCHMARK(BM_SetIntUnchanged);

void BM_SetIntUnchanged_Baseline(benchmark::State& state)
{
    RawStore s;
    for (auto _ : state)
        s.settings.setValue(QString::fromStdString(INT_KEY), 800);
}
BENCHMARK(BM_SetIntUnchanged_Baseline);

void BM_SetIntChanged(benchmark::State& state)
{
    ObservedStore s;
    int value = 0;
    for (auto _ : state)
        s.store.SetInt(INT_KEY, ++value);
    if (s.observers[2].calls != state.iterations())
        state.SkipWithError("not every change was reported");
}
BENCHMARK(BM_SetIntChanged);

// A store that hands its observers the old value must read it before it writes.
void BM_SetIntChanged_Baseline(benchmark::State& state)
{
    RawStore s;
    int value = 0;
    for (auto _ : state) {
        const QString key = QString::fromStdString(INT_KEY);
        const QVariant newValue(++value);
        if (s.settings.value(key) != newValue)
            s.settings.setValue(key, newValue);
    }
}
BENCHMARK(BM_SetIntChanged_Baseline);

} // namespace

int main(int argc, char** argv)
{
    // The native store lives under the configuration folder: keep it away from the user's own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QCoreApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
