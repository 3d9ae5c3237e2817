#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>
#include <Tavrix/Platform/Win32Gesture.h>

#include <QAbstractEventDispatcher>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTouchDevice>

#include <limits>
#include <optional>
#include <vector>

using namespace Tavrix::App;
namespace Win32 = Tavrix::Platform::Win32;

// One gesture message, as the system describes it behind the message's handle.
struct Message
{
    Win32::DWORD id;
    Win32::DWORD flags;
    short x;
    short y;
    Win32::ULONGLONG arguments;
};
Q_DECLARE_METATYPE(QVector<Message>)

namespace {

constexpr auto INT_MAX32 = std::numeric_limits<std::int32_t>::max();
constexpr auto INT_MIN32 = std::numeric_limits<std::int32_t>::min();
const auto TOP_WINDOW = reinterpret_cast<Win32::HWND>(0x100);
const auto CHILD_WINDOW = reinterpret_cast<Win32::HWND>(0x200);

Win32::ULONGLONG PanArguments(short inertiaX, short inertiaY, Win32::DWORD distance)
{
    return (std::uint64_t{std::uint16_t(inertiaY)} << 48)
           | (std::uint64_t{std::uint16_t(inertiaX)} << 32) | distance;
}

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
    bool Gesture(const Message& m, long* result = nullptr, Win32::HWND window = TOP_WINDOW,
                 const char* type = "windows_generic_MSG")
    {
        const Win32::GESTUREINFO info{sizeof(info), m.flags, m.id, {}, {m.x, m.y}, 0, 0,
                                      m.arguments,  0};
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

std::unique_ptr<QAbstractScrollArea> LongList(bool itemView = true)
{
    std::unique_ptr<QAbstractScrollArea> area;
    if (itemView) {
        auto list = std::make_unique<QListWidget>();
        for (int row = 0; row < 300; ++row)
            list->addItem(QStringLiteral("Row %1").arg(row));
        area = std::move(list);
    } else {
        auto scrollArea = std::make_unique<QScrollArea>();
        scrollArea->setWidget(new QWidget);
        scrollArea->widget()->resize(2000, 3000);
        area = std::move(scrollArea);
    }
    area->setGeometry(100, 100, 300, 300);
    area->show();
    return QTest::qWaitForWindowExposed(area.get()) ? std::move(area) : nullptr;
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
    void routeFindsInnermostConsumer_data();
    void routeFindsInnermostConsumer();
    void nativeDispatch_data();
    void nativeDispatch();
    void configurationFromAnswers_data();
    void configurationFromAnswers();
    void decoding_data();
    void decoding();
    void undecodedMessages_data();
    void undecodedMessages();
    void emitter();
    void scrollByPanning_data();
    void scrollByPanning();
    void unpairedBeginAndEnd();
    void touchPanScrolls_data();
    void touchPanScrolls();
    void touchPinchZooms();
    void touchTapClicks();

private:
    QTouchDevice* m_touchScreen = QTest::createTouchDevice();
};

void GesturesTest::routeFindsInnermostConsumer_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("consumer");
    QTest::newRow("widget without one, parent with one") << QPoint(115, 115) << "inner";
    QTest::newRow("two on the window: the first") << QPoint(260, 115) << "first";
    QTest::newRow("window without any") << QPoint(550, 150) << "";
    QTest::newRow("no window") << QPoint(20, 20) << "";
}

void GesturesTest::routeFindsInnermostConsumer()
{
    QFETCH(QPoint, point);
    QFETCH(QString, consumer);

    Stage stage, bare;
    stage.consumer->setObjectName(QStringLiteral("first"));
    (new RecordingConsumer(&stage.window))->setObjectName(QStringLiteral("second"));
    auto* inner = new QWidget(&stage.window);
    inner->setGeometry(10, 10, 100, 100);
    (new RecordingConsumer(inner))->setObjectName(QStringLiteral("inner"));
    (new QWidget(inner))->setGeometry(0, 0, 50, 50);
    auto* sibling = new QWidget(&stage.window);
    sibling->setGeometry(150, 10, 100, 100);
    inner->show();
    sibling->show();
    delete bare.consumer;
    bare.window.setGeometry(500, 100, 100, 100);

    Gesture g;
    g.screenX = point.x();
    g.screenY = point.y();
    auto* found = dynamic_cast<QObject*>(Gesture::Router().Route(g));
    QCOMPARE(found ? found->objectName() : QString(), consumer);
}

void GesturesTest::nativeDispatch_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<uint>("message");
    QTest::addColumn<bool>("child");
    QTest::addColumn<bool>("consumed");
    QTest::addColumn<long>("result");
    const QByteArray generic("windows_generic_MSG");
    const uint gesture = Win32::WM_GESTURE;
    QTest::newRow("top-level") << generic << gesture << false << true << 0L;
    QTest::newRow("dispatcher") << QByteArray("windows_dispatcher_MSG") << gesture << false << true
                                << 0L;
    QTest::newRow("child window") << generic << gesture << true << true << 42L;
    QTest::newRow("notification") << generic << uint(Win32::WM_GESTURENOTIFY) << false << false
                                  << -1L;
    QTest::newRow("other message") << generic << 0x0200u << false << false << -1L;
    QTest::newRow("X11 event") << QByteArray("xcb_generic_event_t") << gesture << false << false
                               << -1L;
}

// The router answers first; what it consumes no handler of the product sees. A gesture on a
// child window goes up through the default procedure and arrives again at the top-level one.
void GesturesTest::nativeDispatch()
{
    QFETCH(QByteArray, type);
    QFETCH(uint, message);
    QFETCH(bool, child);
    QFETCH(bool, consumed);
    QFETCH(long, result);

    struct CountingHandler : EventHandler
    {
        int calls = 0;
        void OnNativeEvent(const QByteArray&, void*, long*) override { ++calls; }
    };
    const auto handler = std::make_shared<CountingHandler>();
    Stage stage;
    stage.consumer->pan = 30;
    FakeSystem system;
    system.Notify({150, 150});
    auto* const app = static_cast<Application*>(QCoreApplication::instance());
    app->RegisterEventHandler(handler);

    long answer = -1;
    const Message pan{Win32::GID_PAN, Win32::GF_BEGIN, 150, 150, 0};
    const Win32::GESTURENOTIFYSTRUCT notification{sizeof(notification), 0, {}, {}, 0};
    QCOMPARE(message == Win32::WM_GESTURE
                 ? system.Gesture(pan, &answer, child ? CHILD_WINDOW : TOP_WINDOW, type)
                 : system.Send(message, &notification, &answer, TOP_WINDOW, type),
             consumed);
    QCOMPARE(answer, result);
    QCOMPARE(stage.consumer->log.size(), consumed && !child ? 1 : 0);
    QCOMPARE(system.passedUp, consumed && child ? 1 : 0);
    QCOMPARE(handler->calls, consumed ? 0 : 1);
    app->UnregisterEventHandler(handler);
}

void GesturesTest::configurationFromAnswers_data()
{
    QTest::addColumn<QVector<int>>("answers"); // zoom, pan, rotate, tap, press-and-tap
    QTest::addColumn<QVector<uint>>("wanted"); // the same order
    QTest::newRow("nothing") << QVector<int>{0, 0, 0, 0, 0} << QVector<uint>{0, 0, 0, 0, 0};
    QTest::newRow("zoom only") << QVector<int>{1, 0, 0, 0, 0} << QVector<uint>{1, 0, 0, 0, 0};
    QTest::newRow("zoom answered 2") << QVector<int>{2, 0, 0, 0, 0} << QVector<uint>{0, 0, 0, 0, 0};
    QTest::newRow("every kind") << QVector<int>{1, 1, 1, 1, 1} << QVector<uint>{1, 0x1F, 1, 1, 1};
    QTest::newRow("pan 30") << QVector<int>{0, 30, 0, 0, 0} << QVector<uint>{0, 0x1F, 0, 0, 0};
    QTest::newRow("pan 4") << QVector<int>{0, 4, 0, 0, 0} << QVector<uint>{0, 5, 0, 0, 0};
    QTest::newRow("pan 8: inertia")
        << QVector<int>{0, 8, 0, 0, 0} << QVector<uint>{0, 0x11, 0, 0, 0};
    QTest::newRow("pan 16: gutter") << QVector<int>{0, 16, 0, 0, 0} << QVector<uint>{0, 9, 0, 0, 0};
}

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

    // Nothing under the point: one entry that blocks every gesture.
    system.Notify({20, 20});
    const auto& blocking = system.configurations.back();
    QCOMPARE(blocking.size(), size_t(1));
    QCOMPARE(blocking[0].dwID | blocking[0].dwWant, 0u);
    QCOMPARE(blocking[0].dwBlock, Win32::GC_ALLGESTURES);
}

void GesturesTest::decoding_data()
{
    QTest::addColumn<QVector<Message>>("messages");
    QTest::addColumn<QStringList>("delivered");
    QTest::addColumn<bool>("extremeClient");
    using namespace Win32;
    const DWORD begin = GF_BEGIN, end = GF_END, none = 0;
    const auto row = [](const char* name, const QVector<Message>& messages,
                        const QStringList& delivered, bool extremeClient = false) {
        QTest::newRow(name) << messages << delivered << extremeClient;
    };
    row("zoom", {{GID_ZOOM, begin, 150, 160, 200}, {GID_ZOOM, none, 150, 160, 300}},
        {"zoom 50,60 (150,160) begin: 200 -> 200", "zoom 50,60 (150,160): 200 -> 300"});
    row("pan",
        {{GID_PAN, begin, 150, 160, PanArguments(-3, 7, 40)},
         {GID_PAN, GF_INERTIA, 140, 130, PanArguments(32767, -32768, 0)},
         {GID_PAN, end, 140, 130, 0}},
        {"pan 50,60 (150,160) begin: from 50,60 inertia -3,7 distance 40",
         "pan 40,30 (140,130): from 50,60 inertia 32767,-32768 on distance 0",
         "pan 40,30 (140,130) end: from 50,60 inertia 0,0 distance 0"});
    row("pan start kept from an earlier sequence",
        {{GID_PAN, begin | end, 150, 160, 0}, {GID_PAN, none, 120, 110, 0}},
        {"pan 50,60 (150,160) begin end: from 50,60 inertia 0,0 distance 0",
         "pan 20,10 (120,110): from 50,60 inertia 0,0 distance 0"});
    row("rotate",
        {{GID_ROTATE, begin, 150, 160, 0},
         {GID_ROTATE, none, 150, 160, 32768},
         {GID_ROTATE, end, 150, 160, 65535}},
        {"rotate 50,60 (150,160) begin: -6.2831853 -> -6.2831853",
         "rotate 50,60 (150,160): -6.2831853 -> 0.0000959",
         "rotate 50,60 (150,160) end: -6.2831853 -> 6.2831853"});
    row("two-finger tap", {{GID_TWOFINGERTAP, begin | end, 150, 160, 55}},
        {"tap 50,60 (150,160) begin end: 55"});
    row("press and tap", {{GID_PRESSANDTAP, none, 200, 200, std::uint16_t(-10) | 5u << 16}},
        {"pressAndTap 100,100 (200,200): at 90,105"});
    row("16-bit screen limits", {{GID_TWOFINGERTAP, none, -32768, 32767, 1}},
        {"tap -32868,32667 (-32768,32767): 1"});
    row("32-bit client limits",
        {{GID_PRESSANDTAP, none, 0, 0, 10u | std::uint32_t{std::uint16_t(-10)} << 16}},
        {"pressAndTap 2147483647,-2147483648 (0,0): at 2147483647,-2147483648"}, true);
    row("begin, end and unknown ids left open",
        {{GID_BEGIN, begin, 150, 160, 0},
         {GID_END, end, 150, 160, 0},
         {0, none, 150, 160, 0},
         {8, none, 150, 160, 0}},
        {});
}

// Messages go to the consumer chosen at the notification, wherever they are; a handle is closed
// exactly when its gesture was delivered.
void GesturesTest::decoding()
{
    QFETCH(QVector<Message>, messages);
    QFETCH(QStringList, delivered);
    QFETCH(bool, extremeClient);

    Stage stage;
    auto& c = *stage.consumer;
    c.zoom = c.rotate = c.tap = c.pressAndTap = 1;
    c.pan = 30;
    FakeSystem system;
    system.Notify({150, 160});
    if (extremeClient)
        system.forcedClient = Win32::POINT{INT_MAX32, INT_MIN32};
    int consumed = 0;
    for (const Message& m : messages)
        consumed += system.Gesture(m) ? 1 : 0;
    QCOMPARE(c.log, delivered);
    QCOMPARE(consumed, delivered.size());
    QCOMPARE(system.closed, consumed);
}

void GesturesTest::undecodedMessages_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("configured");
    QTest::addColumn<bool>("decoded");
    QTest::newRow("sound") << "" << true << true;
    QTest::newRow("size field grown by the system") << "grown" << true << true;
    QTest::newRow("size field shrunk by the system") << "shrunk" << true << false;
    QTest::newRow("information refused") << "refused" << true << false;
    QTest::newRow("no gesture functions") << "missing" << false << false;
    QTest::newRow("notification too short") << "short" << false << false;
    QTest::newRow("consumer destroyed") << "consumer" << true << false;
    QTest::newRow("window destroyed") << "window" << true << false;
    QTest::newRow("no notification before") << "unnotified" << false << false;
}

// Nothing is read past a structure, and no gone object is called.
void GesturesTest::undecodedMessages()
{
    QFETCH(QString, fault);
    QFETCH(bool, configured);
    QFETCH(bool, decoded);

    auto stage = std::make_unique<Stage>();
    stage->consumer->pan = 30;
    FakeSystem system(fault != QLatin1String("missing"));
    if (fault != QLatin1String("unnotified"))
        system.Notify({150, 150}, fault == QLatin1String("short")
                                      ? 8
                                      : Win32::UINT(sizeof(Win32::GESTURENOTIFYSTRUCT)));
    QCOMPARE(system.configurations.size(), size_t(configured ? 1 : 0));
    system.infoFails = fault == QLatin1String("refused");
    if (fault == QLatin1String("grown") || fault == QLatin1String("shrunk"))
        system.writtenSize = fault == QLatin1String("grown") ? 4096 : 40;
    if (fault == QLatin1String("consumer"))
        delete std::exchange(stage->consumer, nullptr);
    if (fault == QLatin1String("window"))
        stage.reset();

    QCOMPARE(system.Gesture({Win32::GID_PAN, Win32::GF_BEGIN, 150, 150, 0}), decoded);
    QCOMPARE(system.Gesture({Win32::GID_PAN, Win32::GF_END, 150, 150, 0}), decoded);
    QCOMPARE(system.closed, decoded ? 2 : 0);
    if (stage && stage->consumer)
        QCOMPARE(stage->consumer->log.size(), decoded ? 2 : 0);
}

// Every combination of the eight setters: each kind answers on its own; each gesture is emitted.
void GesturesTest::emitter()
{
    for (int setters = 0; setters < 256; ++setters) {
        const auto on = [setters](int bit) { return (setters >> bit & 1) != 0; };
        const auto allIf = [&on](int bit) { return on(bit) ? Gesture::All : Gesture::None; };
        Gesture::Emitter emitter;
        emitter.setZoomEnabled(on(0));
        emitter.setRotateEnabled(on(1));
        emitter.setTapEnabled(on(2));
        emitter.setPressAndTapEnabled(on(3));
        emitter.setHorizontalPanEnabled(on(4));
        emitter.setVerticalPanEnabled(on(5));
        emitter.setPanGutterEnabled(on(6));
        emitter.setPanInertiaEnabled(on(7));
        QCOMPARE(emitter.WantGesture(Gesture::Zoom()), allIf(0));
        QCOMPARE(emitter.WantGesture(Gesture::Rotate()), allIf(1));
        QCOMPARE(emitter.WantGesture(Gesture::Tap()), allIf(2));
        QCOMPARE(emitter.WantGesture(Gesture::PressAndTap()), allIf(3));
        QCOMPARE(emitter.WantGesture(Gesture::Pan()),
                 (on(4) ? 4 : 0) | (on(5) ? 2 : 0) | (on(6) ? 16 : 0) | (on(7) ? 8 : 0));
    }

    Gesture::Emitter emitter;
    QSignalSpy pans(&emitter, &Gesture::Emitter::pan);
    QSignalSpy zooms(&emitter, &Gesture::Emitter::zoom);
    QSignalSpy rotations(&emitter, &Gesture::Emitter::rotate);
    QSignalSpy taps(&emitter, &Gesture::Emitter::tap);
    QSignalSpy pressAndTaps(&emitter, &Gesture::Emitter::pressAndTap);
    emitter.OnGesture(PanAt(7, 8, true));
    emitter.OnGesture(Gesture::Zoom());
    emitter.OnGesture(Gesture::Rotate());
    emitter.OnGesture(Gesture::Tap());
    emitter.OnGesture(Gesture::PressAndTap());
    for (const QSignalSpy* spy : {&pans, &zooms, &rotations, &taps, &pressAndTaps})
        QCOMPARE(spy->count(), 1);
    QCOMPARE(pans[0][0].value<Gesture::Pan>().clientY, 8);

    QListWidget list;
    Gesture::Scroller scroller(&list);
    QCOMPARE(scroller.WantGesture(Gesture::Pan()), 30);
    QCOMPARE(scroller.WantGesture(Gesture::Zoom()) | scroller.WantGesture(Gesture::Rotate())
                 | scroller.WantGesture(Gesture::Tap())
                 | scroller.WantGesture(Gesture::PressAndTap()),
             Gesture::None);
}

void GesturesTest::scrollByPanning_data()
{
    QTest::addColumn<bool>("itemView");
    QTest::newRow("list view") << true;
    QTest::newRow("plain scroll area") << false;
}

void GesturesTest::scrollByPanning()
{
    QFETCH(bool, itemView);

    const auto area = LongList(itemView);
    QVERIFY(area);
    // Shown again and again, the area keeps its one scroller.
    for (int i = 0; i < 2; ++i) {
        area->hide();
        area->show();
    }
    QCOMPARE(area->findChildren<Gesture::Scroller*>().size(), 1);
    Gesture::Scroller* const scroller = ScrollerOf(area.get());
    auto* view = qobject_cast<QAbstractItemView*>(area.get());
    if (view)
        view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QScrollBar* const bar = area->verticalScrollBar();
    bar->setValue(100);

    scroller->OnGesture(PanAt(100, 100, true));
    if (view) {
        QCOMPARE(view->verticalScrollMode(), QAbstractItemView::ScrollPerPixel);
        QCOMPARE(view->horizontalScrollMode(), QAbstractItemView::ScrollPerPixel);
    }
    const int start = bar->value();
    scroller->OnGesture(PanAt(90, 90));
    QCOMPARE(bar->value(), start + 10);
    scroller->OnGesture(PanAt(70, 70));
    QCOMPARE(bar->value(), start + 30);
    if (!view)
        QCOMPARE(area->horizontalScrollBar()->value(), 30);
    scroller->OnGesture(PanAt(70, 70, false, true));
    if (view) {
        QCOMPARE(view->verticalScrollMode(), QAbstractItemView::ScrollPerItem);
        QCOMPARE(view->horizontalScrollMode(), QAbstractItemView::ScrollPerPixel);

        // Panned to the end, it stays at the end when per-item scrolling comes back.
        scroller->OnGesture(PanAt(0, 0, true));
        scroller->OnGesture(PanAt(0, -100000));
        scroller->OnGesture(PanAt(0, -100000, false, true));
        QCOMPARE(view->verticalScrollMode(), QAbstractItemView::ScrollPerItem);
        QCOMPARE(bar->value(), bar->maximum());
        const QModelIndex last = view->model()->index(view->model()->rowCount() - 1, 0);
        QVERIFY(view->viewport()->rect().contains(view->visualRect(last)));
    }
    // Positions as far apart as they go scroll to the ends, without overflow.
    scroller->OnGesture(PanAt(0, INT_MIN32, true));
    scroller->OnGesture(PanAt(0, INT_MAX32));
    QCOMPARE(bar->value(), bar->minimum());
    scroller->OnGesture(PanAt(INT_MAX32, INT_MIN32));
    QCOMPARE(bar->value(), bar->maximum());
}

// A begin without an end, or an end without a begin, leaves the product's own modes.
void GesturesTest::unpairedBeginAndEnd()
{
    const auto list = LongList();
    QVERIFY(list);
    auto* const view = static_cast<QAbstractItemView*>(list.get());
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    Gesture::Scroller* scroller = ScrollerOf(list.get());
    scroller->OnGesture(PanAt(0, 0, false, true));
    QCOMPARE(view->verticalScrollMode(), QAbstractItemView::ScrollPerPixel);
    QCOMPARE(view->horizontalScrollMode(), QAbstractItemView::ScrollPerItem);

    // A move with no pan running has nothing to move from.
    scroller->OnGesture(PanAt(0, -500));
    QCOMPARE(list->verticalScrollBar()->value(), 0);

    scroller->OnGesture(PanAt(0, 0, true));
    scroller->OnGesture(PanAt(0, 0, true));
    scroller->OnGesture(PanAt(0, 0, false, true));
    QCOMPARE(view->verticalScrollMode(), QAbstractItemView::ScrollPerPixel);
    QCOMPARE(view->horizontalScrollMode(), QAbstractItemView::ScrollPerItem);
}

void GesturesTest::touchPanScrolls_data()
{
    QTest::addColumn<bool>("itemView");
    QTest::addColumn<bool>("destroyed");
    QTest::newRow("list view") << true << false;
    QTest::newRow("plain scroll area") << false << false;
    QTest::newRow("scroller destroyed in the middle") << true << true;
}

// A finger dragged over a scroll area moves the content with it, with no code of the product's.
void GesturesTest::touchPanScrolls()
{
    QFETCH(bool, itemView);
    QFETCH(bool, destroyed);

    const auto area = LongList(itemView);
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
    else if (auto* view = qobject_cast<QAbstractItemView*>(area.get()))
        QCOMPARE(view->indexAt({1, 1}).row(), 200 / view->sizeHintForRow(0));
    else
        QCOMPARE(bar->value(), 200);
}

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
    auto* const list = static_cast<QListWidget*>(area.get());
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
