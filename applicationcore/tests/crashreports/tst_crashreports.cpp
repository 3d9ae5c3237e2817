#include "CrashSessionFiles.h"
#include "HelperProcess.h"
#include "TestMain.h"

#include "CrashReport_p.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <cstring>
#include <iostream>
#include <stdexcept>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

using Tavrix::App::Application;
using Tavrix::App::CrashTracker;
using Tavrix::App::CrashReport::RawHeader;

// The crashing functions of the helper, each kept out of its caller and out of any namespace, so
// that the stack names it plainly.
static __attribute__((noinline, no_sanitize("address", "undefined"))) void CrashByNullPointer()
{
    volatile int* volatile address = nullptr;
    *address = 1;
}

static __attribute__((noinline)) void CrashByAbort()
{
    std::abort();
}

static __attribute__((noinline)) void CrashByUncaughtException()
{
    throw std::runtime_error("boom");
}

static volatile bool g_stopRecursion = false;

static __attribute__((noinline)) int CrashByStackOverflow(int depth)
{
    volatile char frame[512];
    frame[0] = char(depth);
    return g_stopRecursion ? 0 : CrashByStackOverflow(depth + 1) + frame[0];
}

namespace {

constexpr char PRODUCT_HANDLER_LINE[] = "product handler called\n";

QString OwnReport(const QString& sessionId)
{
    return QStringLiteral("tst_crashreports.") + sessionId + QStringLiteral(".crash");
}

// A crashed session of a dead process as the session file records it.
void RecordDeadSession(const QString& sessionId)
{
    QSettings(SessionFile(), QSettings::IniFormat).setValue(DEAD_PID, sessionId);
}

void WriteFile(const QString& name, const QByteArray& content)
{
    QDir().mkpath(CrashDataFolder());
    QFile file(CrashDataFolder() + name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

bool Lists(const CrashTracker& tracker, const QString& sessionId)
{
    const std::deque<std::string> sessions = tracker.BadSessionsList();
    return std::find(sessions.cbegin(), sessions.cend(), sessionId.toStdString())
           != sessions.cend();
}

void ProductHandler(int signal)
{
    ::write(STDOUT_FILENO, PRODUCT_HANDLER_LINE, sizeof PRODUCT_HANDLER_LINE - 1);
    ::signal(signal, SIG_DFL);
}

} // namespace

class CrashReportsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QDir(CrashDataFolder()).removeRecursively(); }
    void crashes_data();
    void crashes();
    void oddReports_data();
    void oddReports();
    void keepsTenNewest();
};

void CrashReportsTest::crashes_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<bool>("productHandler");
    QTest::addColumn<QStringList>("inReport");

    const QString noStack = QStringLiteral("No call stack was recorded");
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's SEGV handler was there first: ours writes the report and hands the fault on
    // to it, and it ends the process by its exit code 1, as it would without ours.
    const int segv = 0;
#else
    const int segv = SIGSEGV;
#endif
    QTest::newRow("null pointer") << "null" << segv << true << false
                                  << QStringList{"SIGSEGV", "at address 0x0",
                                                 "#0  CrashByNullPointer() at", ".cpp:"};
    QTest::newRow("handlers off") << "null-off" << segv << true << false << QStringList{noStack};
    QTest::newRow("stack overflow")
        << "overflow" << segv << true << false
        << QStringList{"SIGSEGV", "#0  CrashByStackOverflow(int)", "#100  "};
    QTest::newRow("abort") << "abort" << int(SIGABRT) << true << false
                           << QStringList{"SIGABRT", "CrashByAbort()"};
    QTest::newRow("uncaught exception")
        << "throw" << int(SIGABRT) << true << false
        << QStringList{"Uncaught exception: std::runtime_error: boom",
                       "CrashByUncaughtException()"};
    QTest::newRow("killed") << "live" << int(SIGKILL) << true << false << QStringList{noStack};
    QTest::newRow("product handler before") << "handler-before" << int(SIGSEGV) << true << true
                                            << QStringList{"#0  CrashByNullPointer()"};
    // Installed after the application and kept when the application goes: the crash after that
    // is the product's alone.
    QTest::newRow("product handler after")
        << "handler-after" << int(SIGSEGV) << false << true << QStringList{noStack};
}

// A child crashes; the next tracker lists its session, and the report tells how it died.
void CrashReportsTest::crashes()
{
    QFETCH(QString, word);
    QFETCH(int, signal);
    QFETCH(bool, listed);
    QFETCH(bool, productHandler);
    QFETCH(QStringList, inReport);

    HelperProcess child({word});
    QVERIFY(child.Start());
    const QString session = QString::fromUtf8(child.ReadLine());
    QVERIFY2(!session.isEmpty(), child.Process().readAllStandardError().constData());
    if (word == QLatin1String("live"))
        child.Kill(SIGKILL);
    else
        QVERIFY(child.Process().waitForFinished(20000));
    // The process dies by the signal, as it would without the handlers.
    QCOMPARE(child.Process().exitStatus(), signal ? QProcess::CrashExit : QProcess::NormalExit);
    QCOMPARE(child.Process().exitCode(), signal ? signal : 1);
    QCOMPARE(child.Output().contains(QLatin1String(PRODUCT_HANDLER_LINE).trimmed()),
             productHandler);

    CrashTracker tracker;
    QCOMPARE(Lists(tracker, session), listed);
    const QString report = QString::fromStdString(tracker.GetCrashReport(session.toStdString()));
    QVERIFY2(report.startsWith(QStringLiteral("Crash report of session ") + session),
             qPrintable(report));
    for (const QString& text : inReport)
        QVERIFY2(report.contains(text), qPrintable(report));
}

void CrashReportsTest::oddReports_data()
{
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("file"); // in the data folder
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("inReport");

    // A complete report of a real crash, to be damaged.
    HelperProcess child({QStringLiteral("abort")});
    QVERIFY(child.Start());
    const QString crashed = QString::fromUtf8(child.ReadLine());
    QVERIFY(child.Process().waitForFinished(20000));
    QFile file(CrashDataFolder() + OwnReport(crashed));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray real = file.readAll();
    QVERIFY(real.size() > int(sizeof(RawHeader)));
    quint32 frameCount = 0;
    std::memcpy(&frameCount, real.constData() + offsetof(RawHeader, frameCount), 4);
    QByteArray wrongMagic = real;
    wrongMagic[0] = 'X';
    QByteArray endless = real;
    endless.replace(offsetof(RawHeader, frameCount), 4, "\xff\xff\xff\xff", 4);

    const QString id = QStringLiteral("200101-101010-123456");
    const QString own = OwnReport(id);
    const QString truncated = QStringLiteral("is truncated");
    const QString damaged = QStringLiteral("is damaged");
    const QString noStack = QStringLiteral("No call stack was recorded");
    QTest::newRow("empty") << id << own << QByteArray("") << QStringList{"is empty"};
    QTest::newRow("garbage") << id << own << QByteArray(4096, '\xa5') << QStringList{damaged};
    QTest::newRow("wrong magic") << id << own << wrongMagic << QStringList{damaged};
    QTest::newRow("endless stack") << id << own << endless << QStringList{damaged};
    QTest::newRow("header only") << id << own << real.left(sizeof(RawHeader))
                                 << QStringList{"SIGABRT", truncated, "No call stack frames"};
    // All frames but the last two; the modules that name them are lost with the rest.
    QTest::newRow("frames cut") << id << own
                                << real.left(
                                       int(sizeof(RawHeader) + (frameCount - 2) * sizeof(void*)))
                                << QStringList{truncated, "#3  "};
    QTest::newRow("no trailer") << id << own << real.chopped(4)
                                << QStringList{truncated, "CrashByAbort()"};
    // A session id the tracker did not make names no file, not even the report of the id it
    // resembles; another executable's report is not read.
    QTest::newRow("path") << "../" + id << own << real << QStringList{noStack};
    QTest::newRow("almost an id") << "200101-101010-12345x" << own << real << QStringList{noStack};
    QTest::newRow("another executable")
        << id << "tst_other." + id + ".crash" << real << QStringList{noStack};
    QTest::newRow("prefix of ours")
        << id << "tst_crash." + id + ".crash" << real << QStringList{noStack};
}

// Whatever the report file holds, or whichever file lies about, the report says what it could
// read and never crashes.
void CrashReportsTest::oddReports()
{
    QFETCH(QString, session);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, inReport);
    RecordDeadSession(session);
    WriteFile(file, content);
    const CrashTracker tracker;
    QVERIFY(Lists(tracker, session));
    const QString report = QString::fromStdString(tracker.GetCrashReport(session.toStdString()));
    for (const QString& text : inReport)
        QVERIFY2(report.contains(text), qPrintable(report));
    QCOMPARE(report.contains(QLatin1String("is truncated")),
             inReport.contains(QLatin1String("is truncated")));
}

// The ten newest reports of this executable stay at start-up; the history's end removes them all,
// and nobody else's.
void CrashReportsTest::keepsTenNewest()
{
    // The older, the later in the names' order: a tracker that went by name would keep others.
    QStringList newest;
    for (int i = 0; i < 12; ++i) {
        const QString name = OwnReport(QStringLiteral("200101-1010%1-123456").arg(i + 10));
        WriteFile(name, "report");
        QFile file(CrashDataFolder() + name);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-60LL * i),
                                 QFileDevice::FileModificationTime));
        if (i < 10)
            newest << name;
    }
    const QStringList others{"tst_other.200101-101010-123456.crash",
                             OwnReport(QStringLiteral("not-a-session")), "tst_crashreports.crash"};
    for (const QString& other : others)
        WriteFile(other, "other");

    CrashTracker tracker;
    const auto ownReports = [] {
        return QDir(CrashDataFolder())
            .entryList({QStringLiteral("tst_crashreports.2*.crash")}, QDir::Files, QDir::Name);
    };
    QCOMPARE(ownReports(), newest);
    tracker.ClearHistory();
    QCOMPARE(ownReports(), QStringList());
    for (const QString& other : others)
        QVERIFY2(QFile::exists(CrashDataFolder() + other), qPrintable(other));
}

// The crashing children. Each records its session, prints it, and then dies its own way.
int RunHelper(int argc, char** argv)
{
    const QByteArray word = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    const QByteArrayList words{"null",     "null-off", "abort",          "throw",
                               "overflow", "live",     "handler-before", "handler-after"};
    if (!words.contains(word))
        return -1;
    // The crashes are meant; their core files are not.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    QStandardPaths::setTestModeEnabled(true);
    if (word == "handler-before")
        ::signal(SIGSEGV, &ProductHandler);
    {
        Application::AppContext context;
        context.installCrashHandlers = word != "null-off";
        Application app(argc, argv, context);
        std::cout << app.SessionId() << std::endl;
        if (word.startsWith("null") || word == "handler-before")
            CrashByNullPointer();
        else if (word == "abort")
            CrashByAbort();
        else if (word == "throw")
            CrashByUncaughtException();
        else if (word == "overflow")
            CrashByStackOverflow(0);
        else if (word == "live")
            return app.exec();
        ::signal(SIGSEGV, &ProductHandler);
    }
    CrashByNullPointer();
    return 1;
}

TAVRIX_TEST_MAIN_WITH_HELPER(CrashReportsTest, QApplication, RunHelper)

#include "tst_crashreports.moc"
