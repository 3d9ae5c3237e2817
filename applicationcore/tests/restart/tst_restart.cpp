#include <Tavrix/App/ApplicationCore.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPixmap>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <iostream>

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

TestApplication* App()
{
    return static_cast<TestApplication*>(QCoreApplication::instance());
}

QString SessionFile(const QString& executable = QCoreApplication::applicationFilePath())
{
    return QStandardPaths::writableLocation(QStandardPaths::DataLocation)
           + QStringLiteral("/Tavrix/vellumix 2.4.1/") + QFileInfo(executable).baseName()
           + QStringLiteral(".ini");
}

// One line per start: the executable and the arguments it was given.
void Record(int argc, char** argv)
{
    QJsonArray line{QCoreApplication::applicationFilePath()};
    for (int i = 1; i < argc; ++i)
        line.append(QString::fromLocal8Bit(argv[i]));
    QFile file(QString::fromLocal8Bit(qgetenv(RECORD_VARIABLE)));
    if (file.open(QIODevice::Append))
        file.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
}

QList<QJsonArray> Recorded(const QString& path)
{
    QList<QJsonArray> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty())
            lines << QJsonDocument::fromJson(line).array();
    return lines;
}

// Answers the first modal box that shows up and notes what it looked like.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer) : m_answer(answer) { Poll(); }
    bool shown = false;
    QString title;
    QString text;
    QSize iconSize;
    QMessageBox::StandardButtons buttons;

private:
    void Poll()
    {
        QTimer::singleShot(20, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || shown) {
                Poll();
                return;
            }
            shown = true;
            title = box->windowTitle();
            text = box->text();
            iconSize = box->iconPixmap().size();
            buttons = box->standardButtons();
            box->button(m_answer)->click();
        });
    }

    QMessageBox::StandardButton m_answer;
};

} // namespace

class RestartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void refusedQuit();
    void defaultQuit();
    void restart_data();
    void restart();
    void restartsItselfOnce_data();
    void restartsItselfOnce();

private:
    QTemporaryDir m_dir;
    int m_records = 0;
};

void RestartTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void RestartTest::cleanupTestCase()
{
    m_dir.setAutoRemove(!QTest::currentTestFailed());
}

void RestartTest::refusedQuit()
{
    App()->accept = false;
    QVERIFY(!App()->TryToQuit());
    QVERIFY(!App()->IsQuitting());
    QCOMPARE(App()->quitRequests, 1);
}

void RestartTest::defaultQuit()
{
    QProcess helper;
    helper.start(QCoreApplication::applicationFilePath(), {QStringLiteral("quit-default")});
    QVERIFY(helper.waitForFinished(20000));
    QCOMPARE(helper.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(helper.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
             (QStringList{"before 0", "answer 1 1", "loop left"}));
}

void RestartTest::restart_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<bool>("throughApplication");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("historyCleared");
    QTest::addColumn<QStringList>("started");

    const QStringList none{"<none>"};
    // The order matters: the crash history is there only until the first row clears it, and an
    // accepted quit stays accepted.
    QTest::newRow("askedAndCancelled")
        << 0 << int(QMessageBox::Cancel) << true << "a b" << false << true << false << none;
    QTest::newRow("askedButQuitRefused")
        << 0 << int(QMessageBox::Ok) << false << "a b" << false << true << true << none;
    QTest::newRow("unattendedQuitRefused")
        << 1 << int(QMessageBox::Ok) << false << "a b" << false << false << true << none;
    QTest::newRow("askedAndAccepted")
        << 0 << int(QMessageBox::Ok) << true << "\"two words\" plain --flag=1" << false << true
        << true << QStringList{"two words", "plain", "--flag=1"};
    QTest::newRow("unattendedWithoutArguments")
        << 1 << int(QMessageBox::Ok) << true << "" << true << false << true << QStringList();
}

void RestartTest::restart()
{
    QFETCH(int, mode);
    QFETCH(int, answer);
    QFETCH(bool, accept);
    QFETCH(QString, arguments);
    QFETCH(bool, throughApplication);
    QFETCH(bool, asked);
    QFETCH(bool, historyCleared);
    QFETCH(QStringList, started);

    const QString record = m_dir.filePath(QStringLiteral("record%1.txt").arg(++m_records));
    qputenv(RECORD_VARIABLE, QFile::encodeName(record));
    qputenv(STAGE_VARIABLE, "2");
    App()->accept = accept;
    App()->quitRequests = 0;
    const auto crashesBefore = App()->GetCrashedSessions();
    const QString ownKey = QString::number(QCoreApplication::applicationPid());
    if (!historyCleared && QTest::currentDataTag() == QByteArray("askedAndCancelled"))
        QVERIFY(App()->HasUnreportedCrash());

    QPixmap icon(17, 17);
    icon.fill(Qt::red);
    BoxAnswerer answerer{QMessageBox::StandardButton(answer)};
    if (throughApplication)
        App()->TryToRestart(WorkingMode(mode), arguments);
    else
        RestartApplication(WorkingMode(mode), icon, arguments);

    QCOMPARE(answerer.shown, asked);
    if (asked) {
        QCOMPARE(answerer.title, QStringLiteral("Attention"));
        QCOMPARE(answerer.text,
                 QStringLiteral(
                     "<b>This will restart the application.</b><br>Do you want to continue?"));
        QCOMPARE(answerer.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(answerer.iconSize, QSize(17, 17));
    }
    const bool cancelled = asked && answer == QMessageBox::Cancel;
    QCOMPARE(App()->quitRequests, cancelled ? 0 : 1);
    QCOMPARE(App()->IsQuitting(), accept && !cancelled);
    const bool ownEntry = QSettings(SessionFile(), QSettings::IniFormat).contains(ownKey);
    if (historyCleared) {
        QVERIFY(!App()->HasUnreportedCrash());
        QVERIFY(!ownEntry);
    } else {
        QCOMPARE(App()->GetCrashedSessions(), crashesBefore);
        QVERIFY(ownEntry);
    }

    if (started == QStringList{"<none>"}) {
        QTest::qWait(500);
        QVERIFY(!QFile::exists(record));
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(Recorded(record).size(), 1, 20000);
    QJsonArray expected{QCoreApplication::applicationFilePath()};
    for (const QString& word : started)
        expected.append(word);
    QCOMPARE(Recorded(record).constFirst(), expected);
}

// The helper restarts itself once; it runs from a folder whose name holds a space.
void RestartTest::restartsItselfOnce_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("withArguments") << "\"a b\" c" << QStringList{"a b", "c"};
    QTest::newRow("withoutArguments") << "" << QStringList();
}

void RestartTest::restartsItselfOnce()
{
    QFETCH(QString, arguments);
    QFETCH(QStringList, expected);
    const QString folder = m_dir.filePath(QStringLiteral("with space"));
    QDir().mkpath(folder);
    const QString program = folder + QStringLiteral("/restarter");
    if (!QFile::exists(program))
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
    const QString record = m_dir.filePath(QStringLiteral("record%1.txt").arg(++m_records));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(RECORD_VARIABLE), record);
    environment.insert(QString::fromLatin1(ARGUMENTS_VARIABLE), arguments);
    environment.remove(QString::fromLatin1(STAGE_VARIABLE));
    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(program, {QStringLiteral("first start")});
    QVERIFY(first.waitForFinished(20000));
    QCOMPARE(first.exitStatus(), QProcess::NormalExit);
    QCOMPARE(first.exitCode(), 0);

    QTRY_COMPARE_WITH_TIMEOUT(Recorded(record).size(), 2, 20000);
    QTest::qWait(300);
    const QList<QJsonArray> lines = Recorded(record);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0), (QJsonArray{program, QStringLiteral("first start")}));
    QJsonArray second{program};
    for (const QString& word : expected)
        second.append(word);
    QCOMPARE(lines.at(1), second);
}

// Records its start; on the first start it restarts itself with the given arguments.
int RunRestarter(int argc, char** argv)
{
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

int RunDefaultQuit(int argc, char** argv)
{
    Application::AppContext context;
    context.createRunningMutex = false;
    Application app(argc, argv, context);
    std::cout << "before " << app.IsQuitting() << std::endl;
    QTimer::singleShot(0, &app, [&app] {
        const bool answer = app.TryToQuit();
        std::cout << "answer " << answer << ' ' << app.IsQuitting() << std::endl;
    });
    const int code = app.exec();
    std::cout << "loop left" << std::endl;
    return code;
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(RECORD_VARIABLE))
        return RunRestarter(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "quit-default") == 0)
        return RunDefaultQuit(argc, argv);

    QStandardPaths::setTestModeEnabled(true);
    {
        // A crash of an earlier run, for the application to find.
        const QString executable = QString::fromLocal8Bit(argv[0]);
        QCoreApplication::setApplicationName(QFileInfo(executable).fileName());
        QSettings(SessionFile(executable), QSettings::IniFormat)
            .setValue(QStringLiteral("4999999"), QStringLiteral("earlier"));
    }
    TestApplication app(argc, argv);
    RestartTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_restart.moc"
