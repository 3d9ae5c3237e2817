#include "IpcTestSupport.h"

#include <Tavrix/App/Application/IPCFocusTransfererSlave.h>
#include <Tavrix/App/Application/IPCManager.h>
#include <Tavrix/Core/IOException.h>

#include <CapturingLogSink.h>
#include <HelperProcess.h>

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <thread>
#include <vector>

using Tavrix::App::IPCFocusTransfererSlave;
using Tavrix::App::IPCManager;

namespace {

// The master: launches this program as its slave in `scenario`, waits for the hand-over
// message when `answer` is not "none", answers it, and reports what it received.
int RunMaster(const QString& answer, const QString& scenario)
{
    RecordingClient client;
    if (!IPCManager::LaunchSlave(client, QCoreApplication::applicationFilePath(),
                                 "slave " + scenario, false))
        return 1;
    Report("M: launched");
    Tavrix::Core::IDataChannel& channel = *client.channel;
    try {
        if (answer != "none") {
            const int ready = Tavrix::Platform::WaitForAnyHandle(
                {channel.InputHandle(), client.process.Get()}, -1);
            if (ready != 0)
                return 1;
            QByteArray message(static_cast<int>(channel.GetSize()), '\0');
            channel.Read(message.data(), static_cast<std::size_t>(message.size()));
            Report("M: got " + QByteArray::number(message.size()) + " " + message);
            if (answer == "close") {
                client.ChannelClosed();
            } else if (answer == "huge") {
                const std::vector<char> block(8 * 1024 * 1024, 'y');
                channel.Write(block.data(), block.size());
            } else if (answer == "endless") {
                const std::vector<char> block(64 * 1024, 'y');
                for (;;)
                    channel.Write(block.data(), block.size());
            } else {
                channel.Write(answer.toUtf8().constData(), static_cast<std::size_t>(answer.size()));
            }
        }
    } catch (const Tavrix::Core::IOException&) {
        Report("M: write failed");
    }
    if (!client.process.WaitForExit(-1))
        return 1;
    Report("M: slave exited");
    if (client.channel)
        Report("M: rest " + QByteArray::number(ReadToEnd(channel).size()));
    return 0;
}

bool WaitForMasterEnd(const IPCFocusTransfererSlave& slave)
{
    return QTest::qWaitFor([&] { return !slave.IsMasterAlive(); }, 20000);
}

// The slave, set up from its command line as a product's slave is.
int RunSlave(const QString& scenario)
{
    CapturingLogSink log;
    IPCFocusTransfererSlave& slave = IPCFocusTransfererSlave::Instance();
    Report("S: alive=" + QByteArray::number(slave.IsMasterAlive()));
    if (scenario == "handover") {
        slave.GiveFocusToParent();
        slave.GiveFocusToParent();
        for (const QString& line : log.TakeLines())
            Report("S: log " + line.toUtf8());
        if (WaitForMasterEnd(slave))
            Report("S: watch ended");
    } else if (scenario == "watch") {
        Report("S: waiting");
        if (WaitForMasterEnd(slave))
            Report("S: master gone");
    } else if (scenario == "handler0") {
        slave.SetAppHandler(0);
        if (WaitForMasterEnd(slave))
            Report("S: alive=0");
        slave.GiveFocusToParent();
    }
    // "exit": return with the watch still running and the master alive.
    Report("S: exiting");
    return 0;
}

} // namespace

class FocusTransfererTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void handOver_data();
    void handOver();
    void watchEnds_data();
    void watchEnds();
    void processWideInstance();

private:
    // Starts a master that launches its slave in `scenario`.
    bool StartMaster(HelperProcess& master);
    bool Reported(const QString& line) const { return ReportedLines(m_report).contains(line); }

    QTemporaryDir m_dir;
    QString m_report;
};

void FocusTransfererTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void FocusTransfererTest::init()
{
    m_report = m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()) + ".report");
}

bool FocusTransfererTest::StartMaster(HelperProcess& master)
{
    master.SetEnvironment("TAVRIX_IPC_REPORT", m_report);
    // Window switches are checked on a real X server elsewhere; here they only show in the log.
    master.SetEnvironment("DISPLAY", QString());
    return master.Start();
}

void FocusTransfererTest::handOver_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("switched");

    QTest::newRow("yesWindow") << "yes=1234" << QByteArray("window 1234");
    QTest::newRow("yesNotNumber") << "yes=abc" << QByteArray("window 0");
    QTest::newRow("no") << "no" << QByteArray();
    QTest::newRow("yesWithoutValue") << "yes" << QByteArray();
    QTest::newRow("closedWithoutAnswer") << "close" << QByteArray();
    QTest::newRow("huge") << "huge" << QByteArray();
    QTest::newRow("endless") << "endless" << QByteArray();
}

void FocusTransfererTest::handOver()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, switched);

    HelperProcess master({"master", answer, "handover"});
    QVERIFY(StartMaster(master));
    QVERIFY(master.Finish(60000));
    QVERIFY(Reported("S: alive=1"));
    // The message, whole and once.
    QVERIFY(Reported("M: got 17 applicationClosed"));
    if (answer != "close")
        QVERIFY(Reported("M: rest 0"));
    // Whatever the answer, the watch of the master ends after the hand-over.
    QVERIFY(Reported("S: watch ended"));
    QVERIFY(Reported("S: exiting"));

    const QStringList switches = ReportedLines(m_report).filter("Switching");
    if (switched.isEmpty()) {
        QVERIFY2(switches.isEmpty(), qPrintable(switches.value(0)));
    } else {
        QCOMPARE(switches.size(), 1);
        QVERIFY(switches.at(0).endsWith(QString::fromUtf8(switched)));
    }
}

void FocusTransfererTest::watchEnds_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<bool>("killMaster");
    QTest::addColumn<QByteArray>("ended");

    QTest::newRow("masterKilled") << "watch" << true << QByteArray("S: master gone");
    QTest::newRow("noMasterHandle") << "handler0" << false << QByteArray("S: alive=0");
    // The watch still runs when the slave returns from main: the exit must not wait for it.
    QTest::newRow("exitWhileMasterRuns") << "exit" << false << QByteArray("M: slave exited");
}

void FocusTransfererTest::watchEnds()
{
    QFETCH(QString, scenario);
    QFETCH(bool, killMaster);
    QFETCH(QByteArray, ended);

    HelperProcess master({"master", "none", scenario});
    QVERIFY(StartMaster(master));
    if (killMaster) {
        QTRY_VERIFY_WITH_TIMEOUT(Reported("S: waiting"), 20000);
        master.Kill(SIGKILL);
    }
    QTRY_VERIFY_WITH_TIMEOUT(Reported(QString::fromUtf8(ended)), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(Reported("S: exiting"), 20000);
    QVERIFY(Reported("S: alive=1"));
    if (!killMaster) {
        // The events the waits above ran may have seen the master end already.
        QTRY_COMPARE_WITH_TIMEOUT(master.Process().state(), QProcess::NotRunning, 20000);
        QCOMPARE(master.Process().exitCode(), 0);
        // After SetAppHandler(0) the hand-over writes nothing.
        QVERIFY(Reported("M: rest 0"));
    }
}

void FocusTransfererTest::processWideInstance()
{
    IPCFocusTransfererSlave& slave = IPCFocusTransfererSlave::Instance();
    QCOMPARE(&IPCFocusTransfererSlave::Instance(), &slave);
    QVERIFY(!slave.IsMasterAlive());
    // Not linked: nothing to do, nothing to fail, nothing to log.
    CapturingLogSink log;
    slave.GiveFocusToParent();
    QCOMPARE(log.TakeLines(), QStringList());

    const unsigned int initial = slave.GetRefCount();
    QVERIFY(initial >= 1);
    {
        const boost::intrusive_ptr<Tavrix::IRefCountable> first(&slave);
        const boost::intrusive_ptr<Tavrix::Core::IDataInput> unrelated; // not counted
        boost::intrusive_ptr<Tavrix::IRefCountable> second = first;
        QCOMPARE(slave.GetRefCount(), initial + 2);
    }
    QCOMPARE(slave.GetRefCount(), initial);
    // From several threads at once: one instance, and a count that comes back.
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 1000; ++i) {
                IPCFocusTransfererSlave& instance = IPCFocusTransfererSlave::Instance();
                instance.AddRef();
                instance.IsMasterAlive();
                instance.Release();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    QCOMPARE(slave.GetRefCount(), initial);
    // Releases beyond the references taken never bring the instance down.
    for (unsigned int i = 0; i <= initial; ++i)
        slave.Release();
    QVERIFY(slave.GetRefCount() >= 1);
    QCOMPARE(slave.objectName(), QString());

    QObject* const object = &slave;
    QCOMPARE(qobject_cast<Tavrix::App::IIPCClient*>(object),
             static_cast<Tavrix::App::IIPCClient*>(&slave));
    QCOMPARE(qobject_cast<Tavrix::App::IFocusTransferer*>(object),
             static_cast<Tavrix::App::IFocusTransferer*>(&slave));
    QCOMPARE(qobject_cast<Tavrix::IRefCountable*>(object),
             static_cast<Tavrix::IRefCountable*>(&slave));
}

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == "master")
        return RunMaster(arguments.value(2), arguments.value(3));
    if (arguments.value(1) == "slave")
        return RunSlave(arguments.value(2));
    FocusTransfererTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_focustransferer.moc"
