#include "IpcTestSupport.h"

#include <Tavrix/App/Application/IPCFocusTransfererSlave.h>
#include <Tavrix/App/Application/IPCManager.h>

#include <CapturingLogSink.h>

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>

#include <xcb/xcb.h>

using Tavrix::App::IPCFocusTransfererSlave;
using Tavrix::App::IPCManager;

namespace {

// The helper: shows a window that takes the focus, closes it, and hands the focus back.
int RunSlave()
{
    CapturingLogSink log;
    IPCFocusTransfererSlave& slave = IPCFocusTransfererSlave::Instance();
    QWidget window;
    window.setWindowTitle(QStringLiteral("helper"));
    window.resize(200, 100);
    window.show();
    window.activateWindow();
    if (QTest::qWaitForWindowActive(&window))
        Report("S: active " + QByteArray::number(window.winId()));
    window.close();
    slave.GiveFocusToParent();
    for (const QString& line : log.TakeLines())
        Report("S: log " + line.toUtf8());
    return 0;
}

template <class Reply>
std::unique_ptr<Reply, decltype(&std::free)> Own(Reply* reply)
{
    return {reply, &std::free};
}

} // namespace

class FocusWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void focusReturnsWithoutWindowManager();
    void windowManagerAskedToActivate();

private:
    // Launches the helper, and answers its hand-over with the master's window.
    void HandOver(QWidget& master);
    xcb_window_t InputFocus() const;
    xcb_atom_t Atom(const char* name) const;
    xcb_window_t RootWindowProperty(const char* name) const;
    bool ActivationRequested(xcb_window_t window);

    QTemporaryDir m_dir;
    QString m_report;
    xcb_connection_t* m_x = nullptr;
    xcb_window_t m_root = 0;
    QProcess m_windowManager;
    bool m_activationRequested = false;
};

void FocusWindowTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_x = xcb_connect(nullptr, nullptr);
    QVERIFY(!xcb_connection_has_error(m_x));
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
}

void FocusWindowTest::init()
{
    m_report = m_dir.filePath(QString::fromLatin1(QTest::currentTestFunction()));
    qputenv("TAVRIX_IPC_REPORT", QFile::encodeName(m_report));
}

void FocusWindowTest::cleanupTestCase()
{
    if (m_windowManager.state() != QProcess::NotRunning) {
        m_windowManager.kill();
        m_windowManager.waitForFinished();
    }
    if (m_x)
        xcb_disconnect(m_x);
}

xcb_window_t FocusWindowTest::InputFocus() const
{
    const auto reply = Own(xcb_get_input_focus_reply(m_x, xcb_get_input_focus(m_x), nullptr));
    return reply ? reply->focus : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

xcb_atom_t FocusWindowTest::Atom(const char* name) const
{
    const auto reply = Own(xcb_intern_atom_reply(
        m_x, xcb_intern_atom(m_x, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

xcb_window_t FocusWindowTest::RootWindowProperty(const char* name) const
{
    const auto reply = Own(xcb_get_property_reply(
        m_x, xcb_get_property(m_x, 0, m_root, Atom(name), XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) < 4)
        return XCB_WINDOW_NONE;
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

// Whether a _NET_ACTIVE_WINDOW request for `window` from a task switcher went to the root
// since the last reset of m_activationRequested.
bool FocusWindowTest::ActivationRequested(xcb_window_t window)
{
    const xcb_atom_t active = Atom("_NET_ACTIVE_WINDOW");
    bool& found = m_activationRequested;
    while (const auto event = Own(xcb_poll_for_event(m_x))) {
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            continue;
        const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event.get());
        found = found
                || (message->type == active && message->window == window
                    && message->data.data32[0] == 2);
    }
    return found;
}

void FocusWindowTest::HandOver(QWidget& master)
{
    const auto masterWindow = static_cast<xcb_window_t>(master.winId());

    RecordingClient client;
    QVERIFY(
        IPCManager::LaunchSlave(client, QCoreApplication::applicationFilePath(), "slave", false));
    QCOMPARE(Tavrix::Platform::WaitForAnyHandle({client.channel->InputHandle()}, 30000), 0);
    QByteArray message(static_cast<int>(client.channel->GetSize()), '\0');
    client.channel->Read(message.data(), static_cast<std::size_t>(message.size()));
    QCOMPARE(message, QByteArray("applicationClosed"));
    // The helper had the focus; its window is closed now, and the focus is not back yet.
    QVERIFY(ReportedLines(m_report).filter("S: active").size() == 1);
    QVERIFY(InputFocus() != masterWindow);
    ActivationRequested(masterWindow);
    m_activationRequested = false;

    const QByteArray answer = "yes=" + QByteArray::number(master.winId());
    client.channel->Write(answer.constData(), static_cast<std::size_t>(answer.size()));
    QVERIFY(client.process.WaitForExit(30000));
}

void FocusWindowTest::focusReturnsWithoutWindowManager()
{
    QCOMPARE(RootWindowProperty("_NET_SUPPORTING_WM_CHECK"), XCB_WINDOW_NONE);
    QWidget master;
    master.show();
    QVERIFY(QTest::qWaitForWindowExposed(&master));
    HandOver(master);
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE_WITH_TIMEOUT(InputFocus(), static_cast<xcb_window_t>(master.winId()), 20000);
}

void FocusWindowTest::windowManagerAskedToActivate()
{
    // The manager claims the screen before it manages windows; its start-up command runs once
    // it does.
    const QString ready = m_dir.filePath("manager ready");
    m_windowManager.start("openbox", {"--sm-disable", "--startup", "touch '" + ready + "'"});
    QVERIFY(m_windowManager.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ready), 20000);
    QVERIFY(RootWindowProperty("_NET_SUPPORTING_WM_CHECK") != XCB_WINDOW_NONE);
    // Requests sent to the root reach every client that listens for its children's changes.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_x, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_x);

    // The manager hands the focus back to the window that had it before the helper's, so that
    // must not be the master's.
    QWidget master;
    master.show();
    QVERIFY(QTest::qWaitForWindowExposed(&master));
    QWidget bystander;
    bystander.show();
    QVERIFY(QTest::qWaitForWindowActive(&bystander));
    HandOver(master);
    if (QTest::currentTestFailed())
        return;
    const auto masterWindow = static_cast<xcb_window_t>(master.winId());
    QTRY_VERIFY_WITH_TIMEOUT(ActivationRequested(masterWindow), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(RootWindowProperty("_NET_ACTIVE_WINDOW"), masterWindow, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(InputFocus(), masterWindow, 20000);
}

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    if (app.arguments().value(1) == QLatin1String("slave"))
        return RunSlave();
    FocusWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_focuswindow.moc"
