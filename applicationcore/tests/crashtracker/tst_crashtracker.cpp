#include "CrashSessionFiles.h"
#include "HelperProcess.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <iostream>

#include <unistd.h>

using Tavrix::App::Application;
using Tavrix::App::CrashTracker;

namespace {

QString OwnKey()
{
    return QString::number(QCoreApplication::applicationPid());
}

QStringList KeysInFile()
{
    QStringList keys = QSettings(SessionFile(), QSettings::IniFormat).allKeys();
    keys.sort();
    return keys;
}

QStringList Sessions(const std::deque<std::string>& sessions)
{
    QStringList list;
    for (const std::string& session : sessions)
        list << QString::fromStdString(session);
    list.sort();
    return list;
}

// Starts a second instance of this executable; answers its process id and session id.
QStringList StartInstance(HelperProcess& instance)
{
    return instance.Start() ? QString::fromUtf8(instance.ReadLine()).split(QLatin1Char(' '))
                            : QStringList();
}

} // namespace

class CrashTrackerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void secondInstance_data();
    void secondInstance();
    void odd_data();
    void odd();
};

void CrashTrackerTest::init()
{
    QFile::remove(SessionFile());
}

void CrashTrackerTest::secondInstance_data()
{
    QTest::addColumn<QString>("end"); // of the instance: killed, running or quit
    QTest::addColumn<QString>("locale"); // the instance's own, when set
    QTest::newRow("killed") << "killed" << QString();
    // A locale whose digits are not ASCII must still give a session id that names a report.
    QTest::newRow("killed, Arabic digits") << "killed" << "ar_EG.UTF-8";
    QTest::newRow("still running") << "running" << QString();
    QTest::newRow("quit cleanly") << "quit" << QString();
}

// A run that ended without its clean quit is reported once, by the next tracker; a running one
// and its record are left alone.
void CrashTrackerTest::secondInstance()
{
    QFETCH(QString, end);
    QFETCH(QString, locale);
    HelperProcess instance({end == QLatin1String("quit") ? "clean-quit" : "live"});
    if (!locale.isEmpty()) {
        instance.SetEnvironment(QStringLiteral("LC_ALL"), locale);
        instance.SetEnvironment(QStringLiteral("LANG"), locale);
    }
    const QStringList started = StartInstance(instance);
    QCOMPARE(started.size(), 2);
    const bool running = end == QLatin1String("running"), crashed = end == QLatin1String("killed");
    if (crashed)
        instance.Kill(SIGKILL);
    else if (!running)
        QVERIFY(instance.Finish());
    const QStringList left = running || crashed ? QStringList{started[0]} : QStringList();
    QCOMPARE(KeysInFile(), left);
    {
        const CrashTracker tracker;
        QCOMPARE(Sessions(tracker.BadSessionsList()),
                 crashed ? QStringList{started[1]} : QStringList());
        if (crashed)
            QVERIFY(!tracker.CrashReportFileName(started[1].toStdString()).isEmpty());
        QStringList keys = running ? left : QStringList();
        keys << OwnKey();
        keys.sort();
        QCOMPARE(KeysInFile(), keys);
    }
    QCOMPARE(KeysInFile(), running ? left : QStringList());
    QVERIFY(!CrashTracker().HasUnreportedCrash());
}

void CrashTrackerTest::odd_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("reported");

    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 37) % 256));
    garbage.append("\n[[[\n=x\n\"\\\n");

    QTest::newRow("noFile") << QByteArray() << QStringList();
    QTest::newRow("emptyValue") << QByteArray(DEAD_PID) + "=\n" << QStringList();
    QTest::newRow("deadAndOdd") << QByteArray(DEAD_PID) + "=s4\nxyz=s5\n"
                                << QStringList{"s4", "s5"};
    QTest::newRow("ownIdLeftOver") << OwnKey().toLatin1() + "=earlier-run\n"
                                   << QStringList{"earlier-run"};
    QTest::newRow("notIni") << garbage << QStringList();
}

// Whatever the file held, this run's entry is the file's only one while the tracker lives, and
// none after.
void CrashTrackerTest::odd()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, reported);
    if (!content.isNull()) {
        QDir().mkpath(QFileInfo(SessionFile()).path());
        QFile file(SessionFile());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    {
        const CrashTracker tracker;
        QCOMPARE(tracker.FileName(), SessionFile());
        QCOMPARE(tracker.HasUnreportedCrash(), !reported.isEmpty());
        QCOMPARE(Sessions(tracker.BadSessionsList()), reported);
        QSettings file(SessionFile(), QSettings::IniFormat);
        QCOMPARE(file.status(), QSettings::NoError);
        QCOMPARE(file.allKeys(), QStringList{OwnKey()});
        QCOMPARE(file.value(OwnKey()).toString(), QString::fromStdString(tracker.SessionId()));
    }
    QCOMPARE(KeysInFile(), QStringList());
    QVERIFY(!CrashTracker().HasUnreportedCrash());
}

// The second instance ("live" or "clean-quit"): an application that records its session, then
// either runs until it is killed or quits cleanly without running any destructor, so that only the
// quit cleans up.
int RunHelper(int argc, char** argv)
{
    const QByteArray word = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (word != "live" && word != "clean-quit")
        return -1;
    QStandardPaths::setTestModeEnabled(true);
    Application app(argc, argv);
    std::cout << QCoreApplication::applicationPid() << ' ' << app.SessionId() << std::endl;
    if (word == "clean-quit")
        QTimer::singleShot(0, &app, [&app] { app.TryToQuit(); });
    const int code = app.exec();
    std::cout.flush();
    ::_exit(code);
}

TAVRIX_TEST_MAIN_WITH_HELPER(CrashTrackerTest, QApplication, RunHelper)

#include "tst_crashtracker.moc"
