#include "AppInstance.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>
#include <Tavrix/Platform/Win32Gesture.h>

#include <QAbstractEventDispatcher>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTouchDevice>

#include <limits>
#include <optional>
#include <vector>

using namespace Tavrix::App;
namespace Win32 = Tavrix::Platform::Win32;

namespace {

constexpr auto INT_MAX32 = std::numeric_limits<std::int32_t>::max();
constexpr auto INT_MIN32 = std::numeric_limits<std::int32_t>::min();
const auto TOP_WINDOW = reinterpret_cast<Win32::HWND>(0x100);
const auto CHILD_WINDOW = reinterpret_cast<Win32::HWND>(0x200);

// A touch-enabled system for the time it lives: its gesture functions answer from what the test
// prepared, and its messages go through the application's native event filter.
struct FakeSystem
{
    explicit FakeSystem(bool gestureFunctions = true)
    {
        current = this;
        Api().ScreenToClient = [](Win32::HWND, Win32::POINT* p) {
            *p = current->forcedClient.value_or(Win32::POINT{p->x - 100, p->y - 100});
            return 1;
        };
        Api().GetParent = [](Win32::HWND w) { return w == CHILD_WINDOW ? TOP_WINDOW : nullptr; };
        Api().DefWindowProcW
            = [](Win32::HWND, Win32::UINT, Win32::WPARAM, Win32::LPARAM) -> Win32::LRESULT {
            ++current->passedUp;
            return 42;
        };
        if (!gestureFunctions)
            return;
        Api().GetGestureInfo = [](Win32::HGESTUREINFO handle, Win32::GESTUREINFO* info) {
            // Like the system, it refuses any size but its own.
            if (current->infoFails || info->cbSize != sizeof(Win32::GESTUREINFO))
                return 0;
            *info = *static_cast<const Win32::GESTUREINFO*>(handle);
            info->cbSize = current->writtenSize ? current->writtenSize : info->cbSize;
            return 1;
        };
        Api().CloseGestureInfoHandle = [](Win32::HGESTUREINFO) { return ++current->closed; };
        Api().SetGestureConfig = [](Win32::HWND, Win32::DWORD, Win32::UINT count,
                                    Win32::GESTURECONFIG* configs, Win32::UINT size) {
            current->configurations.emplace_back(configs, configs + count);
            return int(size == sizeof(Win32::GESTURECONFIG));
        };
    }
    ~FakeSystem() { Api() = saved; }

    static Tavrix::Platform::GestureApi& Api() { return Tavrix::Platform::GestureFunctions(); }

    bool Send(Win32::UINT message, const void* lParam, long* result = nullptr,
              Win32::HWND window = TOP_WINDOW, const char* type = "windows_generic_MSG")
    {
        Win32::MSG msg{window, message, 0, reinterpret_cast<Win32::LPARAM>(lParam), 0, {}, 0};
        long ignored = 0;
        return QAbstractEventDispatcher::instance()->filterNativeEvent(type, &msg,
                                                                       result ? result : &ignored);
    }
    bool Notify(QPoint at, Win32::UINT size = sizeof(Win32::GESTURENOTIFYSTRUCT))
    {
        const Win32::GESTURENOTIFYSTRUCT notification{
            size, 0, {}, {short(at.x()), short(at.y())}, 0};
        return Send(Win32::WM_GESTURENOTIFY, &notification);
    }
    // A gesture message, described by the system behind the message's handle.
    bool Gesture(Win32::DWORD id, Win32::DWORD flags, short x, short y, Win32::ULONGLONG arguments,
                 long* result = nullptr, Win32::HWND window = TOP_WINDOW,
                 const char* type = "windows_generic_MSG")
    {
        const Win32::GESTUREINFO info{sizeof(info), flags, id, {}, {x, y}, 0, 0, arguments, 0};
        return Send(Win32::WM_GESTURE, &info, result, window, type);
    }

    static inline FakeSystem* current = nullptr;
    const Tavrix::Platform::GestureApi saved = Api();
    std::optional<Win32::POINT> forcedClient; // otherwise the window's client area is at 100,100
    bool infoFails = false;
    Win32::UINT writtenSize = 0; // when set, the size GetGestureInfo writes back
    std::vector<std::vector<Win32::GESTURECONFIG>> configurations;
    int closed = 0;
    int passedUp = 0;
};

// A consumer with set answers that writes down what it receives.
class RecordingConsumer : public QObject, public Gesture::Consumer
{
public:
    using QObject::QObject;
    int zoom = 0, pan = 0, rotate = 0, tap = 0, pressAndTap = 0;
    QStringList log;

    int WantGesture(const Gesture::Zoom&) override { return zoom; }
    int WantGesture(const Gesture::Pan&) override { return pan; }
    int WantGesture(const Gesture::Rotate&) override { return rotate; }
    int WantGesture(const Gesture::Tap&) override { return tap; }
    int WantGesture(const Gesture::PressAndTap&) override { return pressAndTap; }
    void OnGesture(const Gesture::Zoom& g) override
    {
        Log("zoom", g, QString::asprintf("%g -> %g", g.startDistance, g.distance));
    }
    void OnGesture(const Gesture::Pan& g) override
    {
        Log("pan", g,
            QString::asprintf("from %d,%d inertia %d,%d%s distance %u", g.startX, g.startY,
                              g.inertiaX, g.inertiaY, g.inertia ? " on" : "", g.distance));
    }
    void OnGesture(const Gesture::Rotate& g) override
    {
        Log("rotate", g, QString::asprintf("%.7f -> %.7f", g.startAngle, g.angle));
    }
    void OnGesture(const Gesture::Tap& g) override { Log("tap", g, QString::number(g.distance)); }
    void OnGesture(const Gesture::PressAndTap& g) override
    {
        Log("pressAndTap", g, QString::asprintf("at %d,%d", g.tapX, g.tapY));
    }

private:
    void Log(const char* kind, const Gesture& g, const QString& rest)
    {
        log << QString::asprintf("%s %d,%d (%d,%d)%s%s: ", kind, g.clientX, g.clientY, g.screenX,
                                 g.screenY, g.begin ? " begin" : "", g.end ? " end" : "")
                   + rest;
    }
};

// A top-level window whose client area is at 100,100 of the screen, with a recording consumer.
struct Stage
{
    Stage()
    {
        window.setGeometry(100, 100, 300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QWidget window;
    RecordingConsumer* consumer = new RecordingConsumer(&window);
};

// A shown list of 300 rows, with its scroller.
std::unique_ptr<QListWidget> LongList()
{
    auto list = std::make_unique<QListWidget>();
    for (int row = 0; row < 300; ++row)
        list->addItem(QStringLiteral("Row %1").arg(row));
    list->setGeometry(100, 100, 300, 300);
    list->show();
    return QTest::qWaitForWindowExposed(list.get()) ? std::move(list) : nullptr;
}

Gesture::Scroller* ScrollerOf(QObject* area)
{
    return area->findChild<Gesture::Scroller*>(QString(), Qt::FindDirectChildrenOnly);
}

Gesture::Pan PanAt(int x, int y, bool begin = false, bool end = false)
{
    Gesture::Pan pan;
    pan.clientX = x;
    pan.clientY = y;
    pan.begin = begin;
    pan.end = end;
    return pan;
}

} // namespace

class GesturesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void configurationFromAnswers_data();
    void configurationFromAnswers();
    void decoding();
    void messageHandling_data();
    void messageHandling();
    void scrollByPanning();
    void touchPanScrolls_data();
    void touchPanScrolls();
    void touchPinchZooms();
    void touchTapClicks();

private:
    QTouchDevice* m_touchScreen = QTest::createTouchDevice();
};

void GesturesTest::configurationFromAnswers_data()
{
    QTest::addColumn<QVector<int>>("answers"); // zoom, pan, rotate, tap, press-and-tap
    QTest::addColumn<QVector<uint>>("wanted"); // the same order
    QTest::newRow("zoom answered 2") << QVector<int>{2, 0, 0, 0, 0} << QVector<uint>{0, 0, 0, 0, 0};
    QTest::newRow("every kind") << QVector<int>{1, 1, 1, 1, 1} << QVector<uint>{1, 0x1F, 1, 1, 1};
    QTest::newRow("pan 4") << QVector<int>{0, 4, 0, 0, 0} << QVector<uint>{0, 5, 0, 0, 0};
    QTest::newRow("pan 8: inertia")
        << QVector<int>{0, 8, 0, 0, 0} << QVector<uint>{0, 0x11, 0, 0, 0};
    QTest::newRow("pan 16: gutter") << QVector<int>{0, 16, 0, 0, 0} << QVector<uint>{0, 9, 0, 0, 0};
}

// The notification configures the window from the answers of the consumer under the point;
// with nothing there, one entry blocks every gesture.
void GesturesTest::configurationFromAnswers()
{
    QFETCH(QVector<int>, answers);
    QFETCH(QVector<uint>, wanted);
    Stage stage;
    auto& c = *stage.consumer;
    std::tie(c.zoom, c.pan, c.rotate, c.tap, c.pressAndTap)
        = std::tie(answers[0], answers[1], answers[2], answers[3], answers[4]);
    FakeSystem system;
    QVERIFY(!system.Notify({150, 150}));
    QCOMPARE(system.configurations.size(), size_t(1));
    const auto& entries = system.configurations.front();
    QCOMPARE(entries.size(), size_t(5));
    for (int i = 0; i < 5; ++i) {
        // Gestures 3 to 7 in order, each of its flags either wanted or blocked.
        QCOMPARE(entries[i].dwID, Win32::GID_ZOOM + i);
        QCOMPARE(entries[i].dwWant, wanted[i]);
        QCOMPARE(entries[i].dwWant & entries[i].dwBlock, 0u);
        QCOMPARE(entries[i].dwWant | entries[i].dwBlock, i == 1 ? 0x1Fu : 1u);
    }
    system.Notify({20, 20});
    const auto& blocking = system.configurations.back();
    QCOMPARE(blocking.size(), size_t(1));
    QCOMPARE(blocking[0].dwID | blocking[0].dwWant, 0u);
    QCOMPARE(blocking[0].dwBlock, Win32::GC_ALLGESTURES);
}

// Each kind's arguments decode into its record, with the start of its sequence's begin, or of an
// earlier one; client points are saturated at the 32-bit limits. Begin, end and unknown ids are
// left to the system. Messages go to the consumer chosen at the notification, wherever they
// are; a handle is closed exactly when its gesture was delivered.
void GesturesTest::decoding()
{
    using namespace Win32;
    Stage stage;
    auto& c = *stage.consumer;
    c.zoom = c.rotate = c.tap = c.pressAndTap = 1;
    c.pan = 30;
    FakeSystem system;
    system.Notify({150, 160});
    const auto send = [&system](auto... message) { return system.Gesture(message...); };
    const auto pan = [](short inertiaX, short inertiaY, DWORD distance) -> ULONGLONG {
        return (std::uint64_t{std::uint16_t(inertiaY)} << 48)
               | (std::uint64_t{std::uint16_t(inertiaX)} << 32) | distance;
    };
    for (const DWORD id : {GID_BEGIN, GID_END, DWORD(0), DWORD(8)})
        QVERIFY(!send(id, GF_BEGIN, 150, 160, 0));
    QVERIFY(send(GID_ZOOM, GF_BEGIN, 150, 160, 200) && send(GID_ZOOM, 0, 150, 160, 300));
    QVERIFY(send(GID_PAN, GF_BEGIN, 150, 160, pan(-3, 7, 40)));
    QVERIFY(send(GID_PAN, GF_INERTIA, 140, 130, pan(32767, -32768, 0)));
    QVERIFY(send(GID_PAN, GF_END, 140, 130, 0) && send(GID_PAN, 0, 120, 110, 0));
    QVERIFY(send(GID_ROTATE, GF_BEGIN, 150, 160, 0) && send(GID_ROTATE, GF_END, 150, 160, 65535));
    QVERIFY(send(GID_TWOFINGERTAP, GF_BEGIN | GF_END, -32768, 32767, 55));
    QVERIFY(send(GID_PRESSANDTAP, 0, 200, 200, std::uint16_t(-10) | 5u << 16));
    system.forcedClient = POINT{INT_MAX32, INT_MIN32};
    QVERIFY(send(GID_PRESSANDTAP, 0, 0, 0, 10u | std::uint32_t{std::uint16_t(-10)} << 16));
    QCOMPARE(
        c.log,
        (QStringList{"zoom 50,60 (150,160) begin: 200 -> 200", "zoom 50,60 (150,160): 200 -> 300",
                     "pan 50,60 (150,160) begin: from 50,60 inertia -3,7 distance 40",
                     "pan 40,30 (140,130): from 50,60 inertia 32767,-32768 on distance 0",
                     "pan 40,30 (140,130) end: from 50,60 inertia 0,0 distance 0",
                     "pan 20,10 (120,110): from 50,60 inertia 0,0 distance 0",
                     "rotate 50,60 (150,160) begin: -6.2831853 -> -6.2831853",
                     "rotate 50,60 (150,160) end: -6.2831853 -> 6.2831853",
                     "tap -32868,32667 (-32768,32767) begin end: 55",
                     "pressAndTap 100,100 (200,200): at 90,105",
                     "pressAndTap 2147483647,-2147483648 (0,0): at 2147483647,-2147483648"}));
    QCOMPARE(system.closed, c.log.size());
}

void GesturesTest::messageHandling_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<bool>("consumed");
    const auto row = [](const char* name, const char* setUp, bool consumed) {
        QTest::newRow(name) << QString(setUp) << consumed;
    };
    row("top-level window", "", true);
    row("child window", "child", true);
    row("X11 event", "x11", false);
    row("size field shrunk by the system", "shrunk", false);
    row("information refused", "refused", false);
    row("no gesture functions", "missing", false);
    row("notification too short", "short", false);
    row("consumer destroyed", "consumer", false);
}

// A pan reaches the consumer chosen at the notification, and the product's handlers see only
// what the router leaves: other events, and gestures it cannot decode without reading past a
// structure or calling a gone object. A gesture on a child window goes up through the default
// procedure, to come again at the top-level one. A handle is closed exactly when its gesture
// was delivered.
void GesturesTest::messageHandling()
{
    QFETCH(QString, setUp);
    QFETCH(bool, consumed);
    struct CountingHandler : EventHandler
    {
        int calls = 0;
        void OnNativeEvent(const QByteArray&, void*, long*) override { ++calls; }
    };
    const auto handler = std::make_shared<CountingHandler>();
    Stage stage;
    stage.consumer->pan = 30;
    FakeSystem system(setUp != QLatin1String("missing"));
    system.Notify({150, 150}, setUp == QLatin1String("short")
                                  ? 8
                                  : Win32::UINT(sizeof(Win32::GESTURENOTIFYSTRUCT)));
    system.infoFails = setUp == QLatin1String("refused");
    if (setUp == QLatin1String("shrunk"))
        system.writtenSize = 40;
    if (setUp == QLatin1String("consumer"))
        delete std::exchange(stage.consumer, nullptr);
    const bool child = setUp == QLatin1String("child");
    const char* const type
        = setUp == QLatin1String("x11") ? "xcb_generic_event_t" : "windows_generic_MSG";
    App()->RegisterEventHandler(handler);
    long result = -1;
    int taken = 0;
    for (const Win32::DWORD flags : {Win32::GF_BEGIN, Win32::GF_END})
        taken += system.Gesture(Win32::GID_PAN, flags, 150, 150, 0, &result,
                                child ? CHILD_WINDOW : TOP_WINDOW, type);
    App()->UnregisterEventHandler(handler);
    QCOMPARE(taken, consumed ? 2 : 0);
    QCOMPARE(handler->calls, consumed ? 0 : 2);
    QCOMPARE(result, consumed ? (child ? 42L : 0L) : -1L);
    QCOMPARE(system.passedUp, child ? 2 : 0);
    QCOMPARE(system.closed, consumed && !child ? 2 : 0);
    if (stage.consumer)
        QCOMPARE(stage.consumer->log.size(), consumed && !child ? 2 : 0);
}

// Every scroll area, however often shown, has one scroller, which wants every pan. The content
// follows the finger; an item view scrolls per pixel for the pan's duration and gets back the modes
// it had, also after an unpaired begin or end, staying at its end when panned there. Positions as
// far apart as they go scroll to the ends, without overflow.
void GesturesTest::scrollByPanning()
{
    const auto area = LongList();
    QVERIFY(area);
    area->hide();
    area->show();
    QCOMPARE(area->findChildren<Gesture::Scroller*>().size(), 1);
    Gesture::Scroller* const scroller = ScrollerOf(area.get());
    QCOMPARE(scroller->WantGesture(Gesture::Pan()), 30);
    QListWidget* const view = area.get();
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    scroller->OnGesture(PanAt(0, 0, false, true));
    scroller->OnGesture(PanAt(0, -500)); // no pan running: nothing to move from
    scroller->OnGesture(PanAt(100, 100, true));
    QCOMPARE(view->verticalScrollMode(), QAbstractItemView::ScrollPerPixel);
    QScrollBar* const bar = area->verticalScrollBar();
    QCOMPARE(bar->value(), 0);
    bar->setValue(100);
    scroller->OnGesture(PanAt(100, 100, true));
    scroller->OnGesture(PanAt(90, 90));
    QCOMPARE(bar->value(), 110);
    scroller->OnGesture(PanAt(70, 70));
    QCOMPARE(bar->value(), 130);
    scroller->OnGesture(PanAt(70, 70, false, true));
    QCOMPARE(view->verticalScrollMode(), QAbstractItemView::ScrollPerItem);
    QCOMPARE(view->horizontalScrollMode(), QAbstractItemView::ScrollPerPixel);
    scroller->OnGesture(PanAt(0, 0, true));
    scroller->OnGesture(PanAt(0, -100000));
    scroller->OnGesture(PanAt(0, -100000, false, true));
    QCOMPARE(view->verticalScrollMode(), QAbstractItemView::ScrollPerItem);
    QCOMPARE(bar->value(), bar->maximum());
    scroller->OnGesture(PanAt(0, INT_MIN32, true));
    scroller->OnGesture(PanAt(0, INT_MAX32));
    QCOMPARE(bar->value(), bar->minimum());
    scroller->OnGesture(PanAt(INT_MAX32, INT_MIN32));
    QCOMPARE(bar->value(), bar->maximum());
}

void GesturesTest::touchPanScrolls_data()
{
    QTest::addColumn<bool>("destroyed");
    QTest::newRow("list view") << false;
    QTest::newRow("scroller destroyed in the middle") << true;
}

// A finger dragged over a scroll area moves the content with it, with no code of the product's.
void GesturesTest::touchPanScrolls()
{
    QFETCH(bool, destroyed);
    const auto area = LongList();
    QVERIFY(area);
    QWidget* const viewport = area->viewport();
    QScrollBar* const bar = area->verticalScrollBar();
    QTest::touchEvent(viewport, m_touchScreen).press(0, QPoint{50, 250}, viewport);
    QTest::touchEvent(viewport, m_touchScreen).move(0, QPoint{52, 200}, viewport);
    if (destroyed)
        delete ScrollerOf(area.get());
    QTest::touchEvent(viewport, m_touchScreen).move(0, QPoint{50, 100}, viewport);
    QCOMPARE(bar->value(), destroyed ? 50 : 150);
    QTest::touchEvent(viewport, m_touchScreen).move(0, QPoint{50, 50}, viewport);
    QTest::touchEvent(viewport, m_touchScreen).release(0, QPoint{50, 50}, viewport);
    if (destroyed)
        QCOMPARE(bar->value(), 50);
    else
        QCOMPARE(area->indexAt({1, 1}).row(), 200 / area->sizeHintForRow(0));
}

// Two fingers over an emitter make zoom signals from the first distance to the last, centred
// between the fingers.
void GesturesTest::touchPinchZooms()
{
    QWidget pad;
    pad.setGeometry(100, 100, 300, 300);
    auto* emitter = new Gesture::Emitter(&pad);
    emitter->setZoomEnabled(true);
    QSignalSpy zooms(emitter, &Gesture::Emitter::zoom);
    pad.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pad));
    QTest::touchEvent(&pad, m_touchScreen)
        .press(0, QPoint{100, 150}, &pad)
        .press(1, QPoint{150, 150}, &pad);
    QTest::touchEvent(&pad, m_touchScreen)
        .move(0, QPoint{50, 150}, &pad)
        .move(1, QPoint{200, 150}, &pad);
    QTest::touchEvent(&pad, m_touchScreen)
        .release(0, QPoint{50, 150}, &pad)
        .release(1, QPoint{200, 150}, &pad);
    QCOMPARE(zooms.count(), 3);
    const auto first = zooms.first()[0].value<Gesture::Zoom>();
    const auto last = zooms.last()[0].value<Gesture::Zoom>();
    QVERIFY(first.begin && !first.end && last.end && !last.begin);
    QCOMPARE(first.startDistance, 50.0);
    QCOMPARE(last.startDistance, 50.0);
    QCOMPARE(last.distance, 150.0);
    QCOMPARE(QPoint(last.clientX, last.clientY), QPoint(125, 150));
}

// A touch that pans nothing is still a click for the widget under it; two make a double click.
void GesturesTest::touchTapClicks()
{
    const auto area = LongList();
    QVERIFY(area);
    QListWidget* const list = area.get();
    QSignalSpy doubleClicks(list, &QListWidget::itemDoubleClicked);
    QWidget* const viewport = list->viewport();
    const QPoint row = list->visualItemRect(list->item(5)).center();
    for (int tap = 0; tap < 2; ++tap) {
        QTest::touchEvent(viewport, m_touchScreen).press(0, row, viewport);
        QTest::touchEvent(viewport, m_touchScreen).move(0, row + QPoint(2, 2), viewport);
        QTest::touchEvent(viewport, m_touchScreen).release(0, row + QPoint(2, 2), viewport);
        QCOMPARE(list->currentRow(), 5);
        QCOMPARE(doubleClicks.count(), tap);
    }
    QCOMPARE(list->verticalScrollBar()->value(), 0);
}

TAVRIX_TEST_MAIN(GesturesTest, Application)

#include "tst_gestures.moc"
