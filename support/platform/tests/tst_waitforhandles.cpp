#include "TestMain.h"

#include <Tavrix/Platform/Event.h>
#include <Tavrix/Platform/WaitForHandles.h>

#include <QCoreApplication>
#include <QScopeGuard>
#include <QTest>

#include <csignal>
#include <ctime>

#include <sys/syscall.h>
#include <unistd.h>

using Tavrix::Platform::Event;
using Tavrix::Platform::WAIT_TIMEOUT;
using Tavrix::Platform::WaitForAnyHandle;

namespace {

constexpr int TICKS = 1000;
timer_t g_timer;
volatile std::sig_atomic_t g_ticks = 0;

// The timer's signal: counts, and stops the timer after TICKS of them.
void OnTick(int)
{
    if (++g_ticks == TICKS) {
        const itimerspec stop{};
        ::timer_settime(g_timer, 0, &stop, nullptr);
    }
}

} // namespace

class WaitForHandlesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eventMadeWithStdinClosed();
    void timeoutUnderSignals();
};

// The descriptor that a closed stdin leaves free would read as "no handle".
void WaitForHandlesTest::eventMadeWithStdinClosed()
{
    const int stdinCopy = ::dup(STDIN_FILENO); // -1 when stdin is closed already
    ::close(STDIN_FILENO);
    // Back once the event has gone, whichever descriptor it took.
    const auto restoreStdin = qScopeGuard([stdinCopy] {
        if (stdinCopy >= 0) {
            ::dup2(stdinCopy, STDIN_FILENO);
            ::close(stdinCopy);
        }
    });
    Event event;
    QVERIFY(event.IsValid());
    QVERIFY(event.Get() > 2);
    QCOMPARE(WaitForAnyHandle({event.Get()}, 0), WAIT_TIMEOUT);
    event.Set();
    QCOMPARE(WaitForAnyHandle({event.Get()}, 0), 0);
}

// A signal every millisecond, TICKS times, interrupts the wait again and again: the wait still
// ends when its time is up, while the signals go on, not only after they stop.
void WaitForHandlesTest::timeoutUnderSignals()
{
    struct sigaction action
    {};
    action.sa_handler = OnTick;
    QCOMPARE(::sigaction(SIGUSR1, &action, nullptr), 0);
    sigevent toThisThread{};
    toThisThread.sigev_notify = SIGEV_THREAD_ID;
    toThisThread.sigev_signo = SIGUSR1;
    toThisThread._sigev_un._tid = static_cast<pid_t>(::syscall(SYS_gettid));
    QCOMPARE(::timer_create(CLOCK_MONOTONIC, &toThisThread, &g_timer), 0);
    const itimerspec everyMillisecond{{0, 1000000}, {0, 1000000}};
    QCOMPARE(::timer_settime(g_timer, 0, &everyMillisecond, nullptr), 0);

    const Event never;
    const int result = WaitForAnyHandle({never.Get()}, 50);
    const int ticks = g_ticks;
    ::timer_delete(g_timer);
    QCOMPARE(result, WAIT_TIMEOUT);
    QVERIFY(ticks > 0);
    QVERIFY2(ticks < TICKS, "the wait outlasted the signals");
}

TAVRIX_TEST_MAIN(WaitForHandlesTest, QCoreApplication)

#include "tst_waitforhandles.moc"
