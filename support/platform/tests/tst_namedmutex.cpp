#include "lockhelper.h"
#include "TestMain.h"

#include <Tavrix/Platform/NamedMutex.h>

#include <QTest>

#include <chrono>
#include <future>
#include <thread>

using Tavrix::Platform::NamedMutex;
using Tavrix::Platform::NamedMutexLock;

class tst_NamedMutex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void heldElsewhere_data();
    void heldElsewhere();
    void openingNeverWaits();
};

namespace {

// The names become file names: separators and non-ASCII letters must neither break nor merge
// them. Each kind of holding is tried with one of them.
void AddNameRows()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("mutex, name with separators") << "mutex"
                                                 << "Global\\tst/odd name";
    QTest::newRow("lock, non-ASCII name") << "lock" << QStringLiteral("tst-\u00e9\u6f22");
}

} // namespace

void tst_NamedMutex::heldElsewhere_data()
{
    AddNameRows();
}

// A mutex held by another process cannot be taken here until that process dies; its death
// frees it with nobody letting go.
void tst_NamedMutex::heldElsewhere()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    const auto holder = StartReadyHelper({QStringLiteral("hold") + kind, name});
    QVERIFY(holder);
    QVERIFY(!NamedMutexLock::TryAcquire(name));
    if (kind == QLatin1String("mutex"))
        QVERIFY(NamedMutex(name).IsValid()); // several processes may hold it open at once
    QVERIFY(KillHelper(*holder));
    QVERIFY(NamedMutexLock::TryAcquire(name));
}

// Opening a mutex must not wait for another process that has it taken: a starting program
// would hang for as long as that process keeps it.
void tst_NamedMutex::openingNeverWaits()
{
    const QString name = QStringLiteral("tst-taken");
    const auto taker = StartReadyHelper({QStringLiteral("holdlock"), name});
    QVERIFY(taker);
    std::packaged_task<bool()> open([&] { return NamedMutex(name).IsValid(); });
    auto opened = open.get_future();
    std::thread opener(std::move(open));
    const bool inTime = opened.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!inTime) {
        QVERIFY(KillHelper(*taker)); // lets the opener finish
        opener.join();
        QFAIL("opening the mutex waited for the process that had taken it");
    }
    opener.join();
    QVERIFY(KillHelper(*taker));
}

TAVRIX_TEST_MAIN(tst_NamedMutex, QCoreApplication)
#include "tst_namedmutex.moc"
