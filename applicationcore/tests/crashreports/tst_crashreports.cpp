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

namespace {

// Above the kernel's largest process id, so never a running process.
const char* const DEAD_PID = "4999999";
const char* const PRODUCT_HANDLER_MARK = "product handler called";

QString DataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DataLocation)
           + QStringLiteral("/Tavrix/vellumix 2.4.1");
}

QString ReportPath(const QString& prefix, const QString& sessionId)
{
    return DataFolder() + QLatin1Char('/') + prefix + sessionId + QStringLiteral(".crash");
}

QString OwnReport(const QString& sessionId)
{
    return ReportPath(QStringLiteral("tst_crashreports."), sessionId);
}

// A crashed session of a dead process as the session file records it.
void RecordDeadSession(const QString& sessionId)
{
    QSettings(DataFolder() + QStringLiteral("/tst_crashreports.ini"), QSettings::IniFormat)
        .setValue(DEAD_PID, sessionId);
}

void WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

QStringList Sessions(const std::deque<std::string>& sessions)
{
    QStringList list;
    for (const std::string& session : sessions)
        list << QString::fromStdString(session);
    return list;
}

QString FirstFrame(const QString& report)
{
    const int start = report.indexOf(QStringLiteral("\n#0  "));
    return start < 0 ? QString() : report.mid(start + 1, report.indexOf('\n', start + 1) - start);
}

// The crashing functions of the helper, each kept out of its caller so that the stack names it.
__attribute__((noinline, no_sanitize("address", "undefined"))) void CrashByNullPointer()
{
    volatile int* volatile address = nullptr;
    *address = 1;
}

__attribute__((noinline)) void CrashByAbort()
{
    std::abort();
}

__attribute__((noinline)) void CrashByUncaughtException()
{
    throw std::runtime_error("boom");
}

volatile bool g_stopRecursion = false;

__attribute__((noinline)) int CrashByStackOverflow(int depth)
{
    volatile char frame[512];
    frame[0] = char(depth);
    return g_stopRecursion ? 0 : CrashByStackOverflow(depth + 1) + frame[0];
}

void ProductHandler(int signal)
{
    const std::string line = std::string(PRODUCT_HANDLER_MARK) + '\n';
    ::write(STDOUT_FILENO, line.data(), line.size());
    ::signal(signal, SIG_DFL);
}

} // namespace

class CrashReportsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void crashes_data();
    void crashes();
    void damagedReport_data();
    void damagedReport();
    void foreignNames_data();
    void foreignNames();
    void keepsTenNewest();

private:
    // A complete report of a real crash, made once.
    QByteArray RealReport();

    QByteArray m_realReport;
};

void CrashReportsTest::init()
{
    QDir(DataFolder()).removeRecursively();
}

void CrashReportsTest::cleanup()
{
    // The folder stays for a look when a check failed.
    if (!QTest::currentTestFailed())
        QDir(DataFolder()).removeRecursively();
}

void CrashReportsTest::crashes_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<bool>("productHandler");
    QTest::addColumn<QString>("firstFrame");
    QTest::addColumn<QStringList>("inReport");

    const QString noStack = QStringLiteral("No call stack was recorded");
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's own SEGV handler goes first: it prints its report and ends the process by
    // an exit, before ours could run.
    QTest::newRow("null pointer") << "null" << 0 << true << false << QString()
                                  << QStringList{noStack};
#else
    QTest::newRow("null pointer") << "null" << int(SIGSEGV) << true << false
                                  << "CrashByNullPointer()"
                                  << QStringList{"SIGSEGV", "at address 0x0",
                                                 "tst_crashreports.cpp:"};
#endif
    QTest::newRow("stack overflow")
        << "overflow" << int(SIGSEGV) << true << false << "CrashByStackOverflow(int)"
        << QStringList{"SIGSEGV", "#100  "};
    QTest::newRow("abort") << "abort" << int(SIGABRT) << true << false << QString()
                           << QStringList{"SIGABRT", "CrashByAbort()"};
    QTest::newRow("uncaught exception")
        << "throw" << int(SIGABRT) << true << false << QString()
        << QStringList{"Uncaught exception: std::runtime_error: boom",
                       "CrashByUncaughtException()"};
    QTest::newRow("killed") << "live" << int(SIGKILL) << true << false << QString()
                            << QStringList{noStack};
#if !defined(__SANITIZE_ADDRESS__)
    QTest::newRow("product handler before") << "handler-before" << int(SIGSEGV) << true << true
                                            << "CrashByNullPointer()" << QStringList{"SIGSEGV"};
#endif
    // Installed after the application and kept when the application goes: the crash after that
    // is the product's alone.
    QTest::newRow("product handler after")
        << "handler-after" << int(SIGSEGV) << false << true << QString() << QStringList{noStack};
}

// A child crashes; the next tracker lists its session, and the report tells how it died.
void CrashReportsTest::crashes()
{
    QFETCH(QString, word);
    QFETCH(int, signal);
    QFETCH(bool, listed);
    QFETCH(bool, productHandler);
    QFETCH(QString, firstFrame);
    QFETCH(QStringList, inReport);

    HelperProcess child({word});
    QVERIFY(child.Start());
    const QString session = QString::fromUtf8(child.ReadLine());
    QVERIFY2(!session.isEmpty(), child.Process().readAllStandardError().constData());
    if (word == QLatin1String("live"))
        child.Kill(SIGKILL);
    else
        QVERIFY(child.Process().waitForFinished(20000));
    const QByteArray errors = child.Process().readAllStandardError();
    // The process dies by the signal, as it would without the handlers.
    QCOMPARE(child.Process().exitStatus(), signal ? QProcess::CrashExit : QProcess::NormalExit);
    if (signal)
        QCOMPARE(child.Process().exitCode(), signal);
    QCOMPARE(child.Output().contains(QLatin1String(PRODUCT_HANDLER_MARK)), productHandler);

    CrashTracker tracker;
    QCOMPARE(Sessions(tracker.BadSessionsList()).contains(session), listed);
    const QString report = QString::fromStdString(tracker.GetCrashReport(session.toStdString()));
    QVERIFY2(report.startsWith(QStringLiteral("Crash report of session ") + session),
             qPrintable(report));
    for (const QString& text : inReport)
        QVERIFY2(report.contains(text), qPrintable(report + QString::fromUtf8(errors)));
    if (!firstFrame.isEmpty())
        QVERIFY2(FirstFrame(report).contains(firstFrame), qPrintable(report));
}

QByteArray CrashReportsTest::RealReport()
{
    if (m_realReport.isEmpty()) {
        HelperProcess child({QStringLiteral("abort")});
        if (!child.Start())
            return {};
        const QString session = QString::fromUtf8(child.ReadLine());
        child.Process().waitForFinished(20000);
        QFile file(OwnReport(session));
        if (file.open(QIODevice::ReadOnly))
            m_realReport = file.readAll();
        file.remove();
    }
    return m_realReport;
}

void CrashReportsTest::damagedReport_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("inReport");

    const QByteArray real = RealReport();
    QVERIFY(real.size() > int(sizeof(RawHeader)));
    const int header = sizeof(RawHeader);
    quint32 recorded = 0;
    std::memcpy(&recorded, real.constData() + offsetof(RawHeader, frameCount), sizeof recorded);
    // All frames but the last two; the modules that name them are lost with the rest.
    const int frames = header + (int(recorded) - 2) * sizeof(void*);
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 37) % 251));
    QByteArray wrongMagic = real;
    wrongMagic[0] = 'X';
    QByteArray endless = real;
    const quint32 frameCount = 0xffffffffu;
    endless.replace(offsetof(RawHeader, frameCount), sizeof frameCount,
                    reinterpret_cast<const char*>(&frameCount), sizeof frameCount);

    const QString truncated = QStringLiteral("is truncated");
    const QString damaged = QStringLiteral("is damaged");
    QTest::newRow("empty") << QByteArray("") << QStringList{"is empty"};
    QTest::newRow("garbage") << garbage << QStringList{damaged};
    QTest::newRow("short") << QByteArray("TVXCRASH") << QStringList{damaged};
    QTest::newRow("wrong magic") << wrongMagic << QStringList{damaged};
    QTest::newRow("endless stack") << endless << QStringList{damaged};
    QTest::newRow("header only") << real.left(header)
                                 << QStringList{"SIGABRT", truncated, "No call stack frames"};
    QTest::newRow("frames cut") << real.left(frames) << QStringList{truncated, "#3  "};
    QTest::newRow("no trailer") << real.chopped(4) << QStringList{truncated, "CrashByAbort()"};
    QTest::newRow("complete") << real << QStringList{"CrashByAbort()"};
}

// Whatever the report file holds, the report says what it could read and never crashes.
void CrashReportsTest::damagedReport()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, inReport);
    const QString session = QStringLiteral("200101-101010-123456");
    RecordDeadSession(session);
    WriteFile(OwnReport(session), content);
    const CrashTracker tracker;
    QCOMPARE(Sessions(tracker.BadSessionsList()), QStringList{session});
    const QString report = QString::fromStdString(tracker.GetCrashReport(session.toStdString()));
    for (const QString& text : inReport)
        QVERIFY2(report.contains(text), qPrintable(report));
    QCOMPARE(report.contains(QLatin1String("is truncated")),
             inReport.contains(QLatin1String("is truncated")));
}

void CrashReportsTest::foreignNames_data()
{
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("otherFile");
    QTest::addColumn<bool>("named");

    QTest::newRow("path") << "../../../../../tmp/200101-101010-123456" << QString() << false;
    QTest::newRow("almost an id") << "200101-101010-12345x" << QString() << false;
    QTest::newRow("longer") << "200101-101010-1234567" << QString() << false;
    QTest::newRow("another executable's report")
        << "200101-101010-123456" << ReportPath("tst_other.", "200101-101010-123456") << true;
    QTest::newRow("prefix of ours")
        << "200101-101010-123456" << ReportPath("tst_crash.", "200101-101010-123456") << true;
}

// A session id the tracker did not make names no file, and no other executable's report is read.
void CrashReportsTest::foreignNames()
{
    QFETCH(QString, session);
    QFETCH(QString, otherFile);
    QFETCH(bool, named);
    RecordDeadSession(session);
    if (!otherFile.isEmpty())
        WriteFile(otherFile, RealReport());
    const CrashTracker tracker;
    QCOMPARE(Sessions(tracker.BadSessionsList()), QStringList{session});
    QCOMPARE(!tracker.CrashReportFileName(session.toStdString()).isEmpty(), named);
    const QString report = QString::fromStdString(tracker.GetCrashReport(session.toStdString()));
    QVERIFY2(report.contains(QLatin1String("No call stack was recorded")), qPrintable(report));
    if (!otherFile.isEmpty())
        QVERIFY(QFile::exists(otherFile));
}

// The ten newest reports of this executable stay at start-up; the history's end removes them all,
// and nobody else's.
void CrashReportsTest::keepsTenNewest()
{
    const QDateTime now = QDateTime::currentDateTime();
    QStringList newest;
    for (int i = 0; i < 12; ++i) {
        const QString session
            = QStringLiteral("200101-1010%1-123456").arg(i, 2, 10, QLatin1Char('0'));
        WriteFile(OwnReport(session), "report");
        QFile file(OwnReport(session));
        QVERIFY(file.open(QIODevice::ReadWrite));
        // Written in a shuffled order, so that the names' order is not the age's.
        QVERIFY(
            file.setFileTime(now.addSecs(-((i * 5) % 12) * 60), QFileDevice::FileModificationTime));
        if ((i * 5) % 12 < 10)
            newest << QFileInfo(file).fileName();
    }
    const QStringList others{ReportPath("tst_other.", "200101-101010-123456"),
                             ReportPath("tst_crashreports.", "not-a-session"),
                             DataFolder() + QStringLiteral("/tst_crashreports.ini.crash")};
    for (const QString& other : others)
        WriteFile(other, "other");

    CrashTracker tracker;
    const auto ownReports = [] {
        QStringList names
            = QDir(DataFolder()).entryList({QStringLiteral("tst_crashreports.2*.crash")});
        names.sort();
        return names;
    };
    newest.sort();
    QCOMPARE(ownReports(), newest);
    tracker.ClearHistory();
    QCOMPARE(ownReports(), QStringList());
    for (const QString& other : others)
        QVERIFY2(QFile::exists(other), qPrintable(other));
}

// The crashing children. Each records its session, prints it, and then dies its own way.
int RunHelper(int argc, char** argv)
{
    const QByteArray word = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    const QByteArrayList words{"null", "abort",          "throw",        "overflow",
                               "live", "handler-before", "handler-after"};
    if (!words.contains(word))
        return -1;
    // The crashes are meant; their core files are not.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    QStandardPaths::setTestModeEnabled(true);
    if (word == "handler-before")
        ::signal(SIGSEGV, &ProductHandler);
    {
        Application app(argc, argv);
        std::cout << app.SessionId() << std::endl;
        if (word == "null" || word == "handler-before")
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
