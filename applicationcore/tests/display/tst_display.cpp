#include "HelperProcess.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QTest>

#include <iostream>

namespace {

const char* const POLICY = "TAVRIX_DPI_POLICY";

} // namespace

class DisplaySetupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void highDpiFix_data();
    void highDpiFix();
    void systemScalingWhereAvailable_data();
    void systemScalingWhereAvailable();
};

void DisplaySetupTest::init()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
    qunsetenv(POLICY);
}

void DisplaySetupTest::highDpiFix_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<QByteArray>("policy");
    QTest::addColumn<bool>("qtScales");
    QTest::newRow("unset") << false << QByteArray() << true;
    QTest::newRow("noScale") << true << QByteArray("NOSCALE") << false;
    QTest::newRow("lowerCase") << true << QByteArray("noscale") << true;
}

// Only the exact word NOSCALE turns Qt's own scaling off.
void DisplaySetupTest::highDpiFix()
{
    QFETCH(bool, set);
    QFETCH(QByteArray, policy);
    QFETCH(bool, qtScales);
    if (set)
        qputenv(POLICY, policy);
    Tavrix::App::HighDpiFix();
    QCOMPARE(QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling), qtScales);
}

void DisplaySetupTest::systemScalingWhereAvailable_data()
{
    QTest::addColumn<QString>("policy");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unset") << QString() << "SetProcessDpiAwareness 0\nqt 0";
    QTest::newRow("noScale") << "NOSCALE"
                             << "qt 0";
}

// Where the system's DPI library exists, the system scales the process and Qt does not.
void DisplaySetupTest::systemScalingWhereAvailable()
{
    QFETCH(QString, policy);
    QFETCH(QString, expected);
    // No application object exists to name this program.
    HelperProcess helper({QStringLiteral("high-dpi")},
                         QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    helper.SetEnvironment(QStringLiteral("LD_LIBRARY_PATH"),
                          QStringLiteral(TAVRIX_FAKE_SHCORE_DIR));
    if (!policy.isNull())
        helper.SetEnvironment(QString::fromLatin1(POLICY), policy);
    QVERIFY(helper.Run());
    QCOMPARE(helper.Output(), expected);
}

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "high-dpi") == 0) {
        Tavrix::App::HighDpiFix();
        std::cout << "qt " << QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling)
                  << std::endl;
        return 0;
    }
    // Both settings must be made before any application object exists.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
    DisplaySetupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_display.moc"
