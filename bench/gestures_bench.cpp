// One pan message of the system decoded by the gesture router and delivered to a list's touch
// scroller, against only fetching the message's information from the system and copying it; with
// the heap allocations that each message costs.
#include "BenchmarkMain.h"

#include <Tavrix/App/Application/GestureRouter.h>
#include <Tavrix/App/Application/GestureScroller.h>
#include <Tavrix/Platform/Win32Gesture.h>

#include <QApplication>
#include <QCursor>
#include <QListWidget>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

// Every heap allocation of the program: operator new, and malloc itself (Qt's containers use it).
namespace {
std::atomic<long long> operatorNewCalls{0};
std::atomic<long long> mallocCalls{0};
} // namespace

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);

void* malloc(std::size_t size)
{
    mallocCalls.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size)
{
    mallocCalls.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, std::size_t size)
{
    mallocCalls.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(pointer, size);
}
}

void* operator new(std::size_t size)
{
    operatorNewCalls.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

namespace Win32 = Tavrix::Platform::Win32;
using Tavrix::App::Gesture;

const auto WINDOW = reinterpret_cast<Win32::HWND>(0x100);

// The system's side: the information behind a handle is a structure it keeps.
Win32::BOOL GetGestureInfo(Win32::HGESTUREINFO handle, Win32::GESTUREINFO* info)
{
    if (info->cbSize != sizeof(Win32::GESTUREINFO))
        return 0;
    *info = *static_cast<const Win32::GESTUREINFO*>(handle);
    return 1;
}

Win32::BOOL CloseGestureInfoHandle(Win32::HGESTUREINFO)
{
    return 1;
}

Win32::BOOL SetGestureConfig(Win32::HWND, Win32::DWORD, Win32::UINT, Win32::GESTURECONFIG*,
                             Win32::UINT)
{
    return 1;
}

Win32::GESTUREINFO PanInfo(short y, Win32::DWORD flags)
{
    Win32::GESTUREINFO info{};
    info.cbSize = sizeof(info);
    info.dwID = Win32::GID_PAN;
    info.dwFlags = flags;
    info.hwndTarget = WINDOW;
    info.ptsLocation = {200, y};
    return info;
}

// Two moves ten pixels apart, so that each message really scrolls the list up or down.
const Win32::GESTUREINFO MOVES[2] = {PanInfo(200, 0), PanInfo(190, 0)};

class FixedRouter : public Gesture::Router
{
public:
    Gesture::Consumer* Route(const Gesture&) override { return consumer; }
    Gesture::Consumer* consumer = nullptr;
};

// A bare consumer: decoding and delivery with next to no work behind them.
class Sink : public QObject, public Gesture::Consumer
{
public:
    int WantGesture(const Gesture::Pan&) override { return 1; }
    void OnGesture(const Gesture::Pan& pan) override { travel += pan.clientY; }
    long long travel = 0;
};

long long AllocationsNow()
{
    return mallocCalls.load(std::memory_order_relaxed);
}

void ReportAllocations(benchmark::State& state, long long newBefore, long long mallocBefore)
{
    state.counters["new_per_msg"] = benchmark::Counter(double(operatorNewCalls.load() - newBefore),
                                                       benchmark::Counter::kAvgIterations);
    state.counters["allocs_per_msg"] = benchmark::Counter(double(AllocationsNow() - mallocBefore),
                                                          benchmark::Counter::kAvgIterations);
}

void SendPans(benchmark::State& state, FixedRouter& router)
{
    Win32::GESTURENOTIFYSTRUCT notification{};
    notification.cbSize = sizeof(notification);
    Win32::MSG msg{};
    msg.hwnd = WINDOW;
    msg.message = Win32::WM_GESTURENOTIFY;
    msg.lParam = reinterpret_cast<Win32::LPARAM>(&notification);
    long result = 0;
    const QByteArray type("windows_generic_MSG");
    router.nativeEvent(type, &msg, &result);
    const Win32::GESTUREINFO begin = PanInfo(200, Win32::GF_BEGIN);
    msg.message = Win32::WM_GESTURE;
    msg.lParam = reinterpret_cast<Win32::LPARAM>(&begin);
    router.nativeEvent(type, &msg, &result);

    const long long newBefore = operatorNewCalls.load();
    const long long mallocBefore = AllocationsNow();
    unsigned next = 0;
    for (auto _ : state) {
        msg.lParam = reinterpret_cast<Win32::LPARAM>(&MOVES[next++ & 1]);
        if (!router.nativeEvent(type, &msg, &result))
            state.SkipWithError("a pan message was not delivered");
    }
    ReportAllocations(state, newBefore, mallocBefore);
}

// A list laid out on screen and then hidden, so that the scroll bars have their ranges and
// painting stays out of the figures; `visible` keeps it on screen.
void PanToList(benchmark::State& state, bool visible)
{
    QListWidget list;
    for (int row = 0; row < 500; ++row)
        list.addItem(QStringLiteral("Row %1").arg(row));
    // Away from the mouse cursor: an item view looks for the item under the cursor whenever it
    // scrolls, and that search (Qt's, not the decoding's) allocates.
    list.setGeometry(400, 400, 300, 300);
    QCursor::setPos(0, 0);
    list.show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    if (!visible)
        list.hide();
    auto* scroller = new Gesture::Scroller(&list);
    list.verticalScrollBar()->setValue(100);
    FixedRouter router;
    router.consumer = scroller;
    SendPans(state, router);
    // One more message: the list moves by ten pixels.
    const int before = list.verticalScrollBar()->value();
    Win32::MSG msg{};
    msg.hwnd = WINDOW;
    msg.message = Win32::WM_GESTURE;
    msg.lParam = reinterpret_cast<Win32::LPARAM>(&MOVES[state.iterations() & 1]);
    long result = 0;
    router.nativeEvent("windows_generic_MSG", &msg, &result);
    if (std::abs(list.verticalScrollBar()->value() - before) != 10)
        state.SkipWithError("the list did not scroll");
}

void BM_PanToScroller(benchmark::State& state)
{
    PanToList(state, false);
}
BENCHMARK(BM_PanToScroller);

void BM_PanToShownScroller(benchmark::State& state)
{
    PanToList(state, true);
}
BENCHMARK(BM_PanToShownScroller);

void BM_PanToScroller_Baseline(benchmark::State& state)
{
    const auto getGestureInfo = Tavrix::Platform::GestureFunctions().GetGestureInfo;
    const long long newBefore = operatorNewCalls.load();
    const long long mallocBefore = AllocationsNow();
    unsigned next = 0;
    for (auto _ : state) {
        Win32::GESTUREINFO info{};
        info.cbSize = sizeof(info);
        getGestureInfo(const_cast<Win32::GESTUREINFO*>(&MOVES[next++ & 1]), &info);
        Win32::GESTUREINFO copy = info;
        benchmark::DoNotOptimize(copy);
    }
    ReportAllocations(state, newBefore, mallocBefore);
}
BENCHMARK(BM_PanToScroller_Baseline);

void BM_PanDecode(benchmark::State& state)
{
    Sink sink;
    FixedRouter router;
    router.consumer = &sink;
    SendPans(state, router);
    benchmark::DoNotOptimize(sink.travel);
}
BENCHMARK(BM_PanDecode);

// The same baseline under each name, so that every figure has its ratio.
BENCHMARK(BM_PanToScroller_Baseline)->Name("BM_PanDecode_Baseline");
BENCHMARK(BM_PanToScroller_Baseline)->Name("BM_PanToShownScroller_Baseline");

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto& api = Tavrix::Platform::GestureFunctions();
    api.GetGestureInfo = &GetGestureInfo;
    api.CloseGestureInfoHandle = &CloseGestureInfoHandle;
    api.SetGestureConfig = &SetGestureConfig;
    return RunBenchmarks(argc, argv);
}
