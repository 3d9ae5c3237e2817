#include "IpcTestSupport.h"

#include <Tavrix/App/Application/IPCManager.h>
#include <Tavrix/Core/DataInputPipe.h>
#include <Tavrix/Core/DataOutputPipe.h>
#include <Tavrix/Platform/RuntimeFolder.h>

#include <CapturingLogSink.h>
#include <CrashSessionFiles.h>

#include <HelperProcess.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <iostream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using Tavrix::App::IPCManager;

namespace {

QString ProcessId()
{
    return QString::number(QCoreApplication::applicationPid());
}

// The pipes in the runtime folder whose names end with the pipe id.
int PipesWithId(const QString& id)
{
    int count = 0;
    const QFileInfoList entries = QDir(Tavrix::Platform::RuntimeFolder())
                                      .entryInfoList(QDir::System | QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        struct stat status
        {};
        if (entry.fileName().endsWith(id)
            && ::stat(QFile::encodeName(entry.filePath()).constData(), &status) == 0
            && S_ISFIFO(status.st_mode))
            ++count;
    }
    return count;
}

// The slave of the launch tests: tells its master over the channel where it runs, with which
// arguments, and how many pipes of its id existed before it opened them.
int RunReportingSlave()
{
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QString pipeId;
    for (const QString& argument : arguments)
        if (argument.startsWith(QLatin1String("/MasterPipeId=")))
            pipeId = argument.mid(14);
    const int pipes = PipesWithId(pipeId);
    RecordingClient client;
    if (!IPCManager::SetUpSlaveClient(client, false))
        return 1;
    QByteArray report = "cwd=" + QFile::encodeName(QDir::currentPath()) + '\n';
    for (const QString& argument : arguments)
        report += "arg=" + argument.toUtf8() + '\n';
    report += "pipes=" + QByteArray::number(pipes) + '\n';
    client.channel->Write(report.constData(), static_cast<std::size_t>(report.size()));
    return 0;
}

// The slave of the argument tests: says whether it could join its master.
int RunSetUp()
{
    RecordingClient client;
    const bool linked = IPCManager::SetUpSlaveClient(client, false);
    std::cout << "setup=" << linked << " handle=" << client.process.IsValid() << std::endl;
    return 0;
}

} // namespace

class IpcManagerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void launch_data();
    void launch();
    void refusedLaunches();
    void slaveArguments_data();
    void slaveArguments();

private:
    QTemporaryDir m_elsewhere;
    boost::intrusive_ptr<Tavrix::Core::IByteDataInputEx> m_input;
    boost::intrusive_ptr<Tavrix::Core::IByteDataOutputEx> m_output;
    int m_nestedPipes[2] = {-1, -1};
};

void IpcManagerTest::initTestCase()
{
    QVERIFY(m_elsewhere.isValid());
    // A relative slave path must be found next to the application, not in the working folder.
    QVERIFY(QDir::setCurrent(m_elsewhere.path()));
    QVERIFY(QFile::link(QCoreApplication::applicationFilePath(),
                        m_elsewhere.filePath(QStringLiteral("slave copy"))));

    // A master's pipes for the id "x77", as the pipe names of the link spell them.
    m_input = Tavrix::Core::DataInputPipe::Create("\\\\.\\pipe\\TavrixIPCOutputx77", true);
    m_output = Tavrix::Core::DataOutputPipe::Create("\\\\.\\pipe\\TavrixIPCInputx77", true);
    // Pipes that an id "a/b" would reach if it were not refused.
    const QString runtime = Tavrix::Platform::RuntimeFolder();
    const QString nested[] = {runtime + "/TavrixIPCInputa/b", runtime + "/TavrixIPCOutputa/b"};
    for (int i = 0; i < 2; ++i) {
        QVERIFY(QDir().mkpath(QFileInfo(nested[i]).path()));
        QCOMPARE(::mkfifo(QFile::encodeName(nested[i]).constData(), 0600), 0);
        m_nestedPipes[i] = ::open(QFile::encodeName(nested[i]).constData(), O_RDWR | O_CLOEXEC);
        QVERIFY(m_nestedPipes[i] >= 0);
    }
}

void IpcManagerTest::cleanupTestCase()
{
    for (const int fd : m_nestedPipes)
        if (fd >= 0)
            ::close(fd);
}

void IpcManagerTest::launch_data()
{
    QTest::addColumn<QString>("slavePath");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QString>("folder");

    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QString applicationDir = QCoreApplication::applicationDirPath();
    QTest::newRow("relativeNextToApplication") << name << "first second" << applicationDir;
    QTest::newRow("absoluteElsewhere") << m_elsewhere.filePath(QStringLiteral("slave copy"))
                                       << "\"two words\" x" << m_elsewhere.path();
    QTest::newRow("emptyParameters") << name << "" << applicationDir;
}

void IpcManagerTest::launch()
{
    QFETCH(QString, slavePath);
    QFETCH(QString, parameters);
    QFETCH(QString, folder);

    CapturingLogSink log;
    RecordingClient client;
    QVERIFY(IPCManager::LaunchSlave(client, slavePath, parameters, false));
    QCOMPARE(client.calls, QStringList({"channel", "handle"}));
    QVERIFY(client.process.WaitForExit(20000));

    QStringList arguments;
    QString workingFolder;
    QString pipes;
    for (const QString& line : QString::fromUtf8(ReadToEnd(*client.channel)).split('\n')) {
        if (line.startsWith("arg="))
            arguments << line.mid(4);
        else if (line.startsWith("cwd="))
            workingFolder = line.mid(4);
        else if (line.startsWith("pipes="))
            pipes = line.mid(6);
    }
    QCOMPARE(QFileInfo(workingFolder).canonicalFilePath(), QFileInfo(folder).canonicalFilePath());
    QVERIFY(!arguments.isEmpty());
    const QString pipeId = arguments.last().startsWith("/ProcessId=") && arguments.size() > 1
                               ? arguments.at(arguments.size() - 2).mid(14)
                               : QString();
    QVERIFY(!pipeId.isEmpty());
    const QStringList appended{"/MasterPipeId=" + pipeId, "/ProcessId=" + ProcessId()};
    QCOMPARE(arguments, QProcess::splitCommand(parameters) + appended);
    // Both pipes were there before the slave started.
    QCOMPARE(pipes, QString("2"));

    const QString commandLine
        = parameters + " /MasterPipeId=" + pipeId + " /ProcessId=" + ProcessId();
    QVERIFY(log.TakeLines().filter("[" + commandLine + "]").size() == 1);

    client.channel.reset();
    QCOMPARE(PipesWithId(pipeId), 0);
}

void IpcManagerTest::refusedLaunches()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    {
        RecordingClient client;
        QVERIFY(!IPCManager::LaunchSlave(client, QString(), "x", false));
        QVERIFY(client.calls.isEmpty());
    }
    {
        // The pipes cannot be made when the runtime folder does not exist.
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray temporary = qgetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(m_elsewhere.filePath("missing")));
        RecordingClient client;
        const bool launched = IPCManager::LaunchSlave(client, name, "x", false);
        qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("TMPDIR", temporary);
        QVERIFY(!launched);
        QVERIFY(client.calls.isEmpty());
    }
    {
        // The channel stays with the client when the slave cannot start.
        RecordingClient client;
        QVERIFY(!IPCManager::LaunchSlave(client, "/nonexistent/slave", "x", false));
        QCOMPARE(client.calls, QStringList{"channel"});
        QVERIFY(client.channel);
    }
}

void IpcManagerTest::slaveArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("result");

    const QString pid = "/ProcessId=" + ProcessId();
    QTest::newRow("none") << QStringList() << QByteArray("setup=0 handle=0");
    QTest::newRow("pipeIdOnly") << QStringList{"/MasterPipeId=x77"}
                                << QByteArray("setup=0 handle=0");
    QTest::newRow("processIdOnly") << QStringList{pid} << QByteArray("setup=0 handle=0");
    QTest::newRow("processIdNotNumber")
        << QStringList{"/MasterPipeId=x77", "/ProcessId=abc"} << QByteArray("setup=0 handle=0");
    QTest::newRow("processIdNegative")
        << QStringList{"/MasterPipeId=x77", "/ProcessId=-1"} << QByteArray("setup=0 handle=0");
    QTest::newRow("keyInsideWord")
        << QStringList{"x/MasterPipeId=77", pid} << QByteArray("setup=1 handle=1");
    QTest::newRow("laterArgumentWins") << QStringList{"/MasterPipeId=76", pid, "/MasterPipeId=x77"}
                                       << QByteArray("setup=1 handle=1");
    QTest::newRow("masterGone") << QStringList{"/MasterPipeId=x77",
                                               QStringLiteral("/ProcessId=") + DEAD_PID}
                                << QByteArray("setup=1 handle=0");
    QTest::newRow("unknownPipeId")
        << QStringList{"/MasterPipeId=555", pid} << QByteArray("setup=0 handle=0");
    QTest::newRow("slashInId") << QStringList{"/MasterPipeId=a/b", pid}
                               << QByteArray("setup=0 handle=0");
    QTest::newRow("dotDotInId") << QStringList{"/MasterPipeId=../x77", pid}
                                << QByteArray("setup=0 handle=0");
}

void IpcManagerTest::slaveArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, result);
    HelperProcess slave(QStringList{"setup"} + arguments);
    slave.ShareTestRuntimeFolder();
    QVERIFY(slave.Start());
    QCOMPARE(slave.ReadLine(), result);
    QVERIFY(slave.Finish());
}

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == QLatin1String("setup"))
        return RunSetUp();
    if (app.arguments().join(' ').contains(QLatin1String("/MasterPipeId=")))
        return RunReportingSlave();
    IpcManagerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ipcmanager.moc"
