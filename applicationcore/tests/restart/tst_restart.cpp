#include "AppInstance.h"
#include "CrashSessionFiles.h"
#include "DescendantWatch.h"
#include "HelperProcess.h"
#include "ModalDialogDriver.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPixmap>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Tavrix::App;
using Tavrix::Enums::WorkingMode;

namespace {

const char* const RECORD_VARIABLE = "TAVRIX_RESTART_RECORD";
const char* const ARGUMENTS_VARIABLE = "TAVRIX_RESTART_ARGUMENTS";
const char* const STAGE_VARIABLE = "TAVRIX_RESTART_STAGE";

class TestApplication : public Application
{
public:
    using Application::Application;
    bool accept = false;
    int quitRequests = 0;

private:
    bool TryToQuitImpl() override
    {
        ++quitRequests;
        return accept;
    }
};

// One line per start: the executable and the arguments it was given, separated by tabs.
void Record(int argc, char** argv)
{
    QStringList line{QCoreApplication::applicationFilePath()};
    for (int i = 1; i < argc; ++i)
        line << QString::fromLocal8Bit(argv[i]);
    QFile file(QString::fromLocal8Bit(qgetenv(RECORD_VARIABLE)));
    if (file.open(QIODevice::Append))
        file.write(line.join(QLatin1Char('\t')).toUtf8() + '\n');
}

QStringList Recorded(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
               : QStringList();
}

// With the record variable set, the program is a helper: it records its start and, on its first
// start, restarts itself with the arguments of the arguments variable.
int RunHelper(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet(RECORD_VARIABLE))
        return -1;
    QStandardPaths::setTestModeEnabled(true);
    Application::AppContext context;
    context.createRunningMutex = false;
    Application app(argc, argv, context);
    Record(argc, argv);
    if (qgetenv(STAGE_VARIABLE) == "2")
        return 0;
    qputenv(STAGE_VARIABLE, "2");
    const QString arguments = QString::fromLocal8Bit(qgetenv(ARGUMENTS_VARIABLE));
    QTimer::singleShot(0, &app,
                       [arguments] { RestartApplication(WorkingMode(1), QPixmap(), arguments); });
    return app.exec();
}

} // namespace

class RestartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void restart_data();
    void restart();
    void restartsItselfOnce();

private:
    QTemporaryDir m_dir;
    int m_records = 0;
};

void RestartTest::restart_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<bool>("throughApplication");
    QTest::addColumn<QStringList>("started"); // the command line of the new instance, if any
    const QString self = QCoreApplication::applicationFilePath();
    // The order matters: the crash history is there only until the first row clears it, and an
    // accepted quit stays accepted.
    QTest::newRow("askedAndCancelled")
        << 0 << int(QMessageBox::Cancel) << true << "a b" << false << QStringList();
    QTest::newRow("askedButQuitRefused")
        << 0 << int(QMessageBox::Ok) << false << "a b" << false << QStringList();
    QTest::newRow("askedAndAccepted")
        << 0 << int(QMessageBox::Ok) << true << "\"two words\" plain --flag=1" << false
        << QStringList{self + "\ttwo words\tplain\t--flag=1"};
    QTest::newRow("unattendedWithoutArguments")
        << 1 << int(QMessageBox::Ok) << true << "" << true << QStringList{self};
}

// An interactive restart asks first; unless cancelled, it clears the crash history and asks the
// product to quit, and only a quit accepted starts the new instance with the arguments given.
void RestartTest::restart()
{
    QFETCH(int, mode);
    QFETCH(int, answer);
    QFETCH(bool, accept);
    QFETCH(QString, arguments);
    QFETCH(bool, throughApplication);
    const bool asked = mode == 0;
    QFETCH(QStringList, started);

    const QString record = m_dir.filePath(QStringLiteral("record%1.txt").arg(++m_records));
    qputenv(RECORD_VARIABLE, QFile::encodeName(record));
    qputenv(STAGE_VARIABLE, "2");
    App<TestApplication>()->accept = accept;
    App<TestApplication>()->quitRequests = 0;
    const auto crashesBefore = App()->GetCrashedSessions();
    const QString ownKey = QString::number(QCoreApplication::applicationPid());
    if (QTest::currentDataTag() == QByteArray("askedAndCancelled"))
        QVERIFY(App()->HasUnreportedCrash());

    ModalDialogDriver answerer([answer](QWidget* dialog) {
        static_cast<QMessageBox*>(dialog)->button(QMessageBox::StandardButton(answer))->click();
    });
    DescendantWatch watch;
    if (throughApplication)
        App()->TryToRestart(WorkingMode(mode), arguments);
    else
        RestartApplication(WorkingMode(mode), QPixmap(), arguments);
    QVERIFY(watch.WaitForAllEnded());
    qunsetenv(RECORD_VARIABLE);

    QCOMPARE(answerer.Acted(), asked);
    const bool cancelled = asked && answer == QMessageBox::Cancel;
    QCOMPARE(App<TestApplication>()->quitRequests, cancelled ? 0 : 1);
    QCOMPARE(App()->IsQuitting(), accept && !cancelled);
    const bool ownEntry = QSettings(SessionFile(), QSettings::IniFormat).contains(ownKey);
    if (!cancelled) {
        QVERIFY(!App()->HasUnreportedCrash());
        QVERIFY(!ownEntry);
    } else {
        QCOMPARE(App()->GetCrashedSessions(), crashesBefore);
        QVERIFY(ownEntry);
    }
    QCOMPARE(Recorded(record), started);
}

// The helper restarts itself once, with the arguments given; it runs from a folder whose name
// holds a space.
void RestartTest::restartsItselfOnce()
{
    const QString folder = m_dir.filePath(QStringLiteral("with space"));
    QVERIFY(QDir().mkpath(folder));
    const QString program = folder + QStringLiteral("/restarter");
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
    // The copy finds the libraries where an installed program does, relative to its own folder.
    QVERIFY(
        QFile::link(QCoreApplication::applicationDirPath() + QStringLiteral("/../" TAVRIX_LIBDIR),
                    m_dir.filePath(QStringLiteral(TAVRIX_LIBDIR))));
    const QString record = m_dir.filePath(QStringLiteral("restarter.txt"));

    DescendantWatch watch;
    HelperProcess first({QStringLiteral("first start")}, program);
    first.SetEnvironment(QString::fromLatin1(RECORD_VARIABLE), record);
    first.SetEnvironment(QString::fromLatin1(ARGUMENTS_VARIABLE), QStringLiteral("\"a b\" c"));
    first.SetEnvironment(QString::fromLatin1(STAGE_VARIABLE), QStringLiteral("1"));
    QVERIFY(first.Run());
    QVERIFY(watch.WaitForAllEnded());
    QCOMPARE(Recorded(record), (QStringList{program + "\tfirst start", program + "\ta b\tc"}));
}

int main(int argc, char** argv)
{
    if (const int helperCode = RunHelper(argc, argv); helperCode >= 0)
        return helperCode;
    QStandardPaths::setTestModeEnabled(true);
    {
        // A crash of an earlier run, for the application to find.
        const QString executable = QString::fromLocal8Bit(argv[0]);
        QCoreApplication::setApplicationName(QFileInfo(executable).fileName());
        QSettings(SessionFile(executable), QSettings::IniFormat)
            .setValue(DEAD_PID, QStringLiteral("earlier"));
    }
    TestApplication app(argc, argv);
    RestartTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_restart.moc"
