#include "TestCustomization.h"
#include <Tavrix/App/ApplicationCore.h>
#include <Tavrix/Util/AppMutexLocker.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <iostream>
#include <thread>

using namespace Tavrix::App;

namespace {

class TestApplication : public Application
{
public:
    using Application::Application;
    mutable int decisions = 0;
    LaunchType CheckFirstLaunch(const std::shared_ptr<ISettingsManager>& store) const override
    {
        ++decisions;
        return Application::CheckFirstLaunch(store);
    }
};

TestApplication* App()
{
    return static_cast<TestApplication*>(QCoreApplication::instance());
}

// Puts string and int entries into a store the way the product or the installer would.
void Fill(ISettingsManager& store, const QVariantMap& values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (it.value().userType() == QMetaType::Int)
            store.SetInt(it.key().toStdString(), it.value().toInt());
        else
            store.SetString(it.key().toStdString(), it.value().toString().toStdString());
    }
}

QString LaunchHelperLine(const QString& home, const QString& version)
{
    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    helper.setProcessEnvironment(environment);
    helper.start(QCoreApplication::applicationFilePath(), {QStringLiteral("launch"), version});
    if (!helper.waitForFinished(20000) || helper.exitCode() != 0)
        return QStringLiteral("helper failed: ") + QString::fromUtf8(helper.readAllStandardError());
    return QString::fromUtf8(helper.readAllStandardOutput()).trimmed();
}

} // namespace

class LaunchTypeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void checkFirstLaunch_data();
    void checkFirstLaunch();
    void decisionsCachedProductFirst();
    void sameStoreDecidedOnce();
    void nulInInstallerDateTime();
    void launchesOfAProduct();
    void daysPassed_data();
    void daysPassed();
    void installerSettingsNeedAName();
    void installerSettings_data();
    void installerSettings();
    void runningInstaller_data();
    void runningInstaller();

private:
    std::shared_ptr<ISettingsManager> NewStore()
    {
        return std::make_shared<SettingsManager>(
            m_dir.filePath(QStringLiteral("store%1.ini").arg(++m_stores)), QSettings::IniFormat);
    }

    QTemporaryDir m_dir;
    int m_stores = 0;
};

void LaunchTypeTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    QCoreApplication::setApplicationVersion(QStringLiteral("4.1.0"));
}

void LaunchTypeTest::cleanupTestCase()
{
    m_dir.setAutoRemove(!QTest::currentTestFailed());
}

void LaunchTypeTest::checkFirstLaunch_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("sameStore");
    QTest::addColumn<QVariantMap>("product");
    QTest::addColumn<QVariantMap>("store");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QVariantMap>("productAfter");
    QTest::addColumn<QVariantMap>("storeAfter");
    QTest::addColumn<bool>("firstStartRewritten");

    const QString old = QDateTime::currentDateTime().addDays(-30).toString(Qt::TextDate);
    const QVariantMap none;

    QTest::newRow("newInstall") << "4.1.0" << true << QVariantMap{{"DateTime", "D1"}} << none
                                << int(Application::NewInstall)
                                << QVariantMap{{"ProductInstallType", 1},
                                               {"Version", "4-1-0"},
                                               {"IsRun", "1"},
                                               {"InstallDateTime", "D1"}}
                                << none << true;
    QTest::newRow("update") << "4.1.0" << true
                            << QVariantMap{{"Version", "4-0-0"},
                                           {"DateOfFirstStart", old},
                                           {"DateTime", "D1"},
                                           {"InstallDateTime", "D1"}}
                            << none << int(Application::Update)
                            << QVariantMap{{"ProductInstallType", 3},
                                           {"Version", "4-1-0"},
                                           {"IsRun", "1"}}
                            << none << true;
    QTest::newRow("regular") << "4.1.0" << true
                             << QVariantMap{{"Version", "4-1-0"},
                                            {"DateOfFirstStart", old},
                                            {"DateTime", "D1"},
                                            {"InstallDateTime", "D1"}}
                             << none << int(Application::Regular)
                             << QVariantMap{{"DateOfFirstStart", old}} << none << false;
    QTest::newRow("regularWithoutInstaller")
        << "4.1.0" << true << QVariantMap{{"Version", "4-1-0"}, {"DateOfFirstStart", old}} << none
        << int(Application::Regular) << QVariantMap{{"DateOfFirstStart", old}} << none << false;
    QTest::newRow("reinstall") << "4.1.0" << true
                               << QVariantMap{{"Version", "4-1-0"},
                                              {"DateOfFirstStart", old},
                                              {"DateTime", "D2"},
                                              {"InstallDateTime", "D1"}}
                               << none << int(Application::Reinstall)
                               << QVariantMap{{"ProductInstallType", 2},
                                              {"InstallDateTime", "D2"},
                                              {"DateOfFirstStart", old}}
                               << none << false;
    QTest::newRow("versionWithoutDots")
        << "41" << true << none << none << int(Application::NewInstall)
        << QVariantMap{{"Version", "41"}, {"ProductInstallType", 1}} << none << true;

    // Against another store, the type the product recorded stands, but that store's own record
    // is brought up to date.
    QTest::newRow("commonTakesProductTypeOnNewVersion")
        << "4.1.0" << false << QVariantMap{{"ProductInstallType", 3}, {"DateTime", "D1"}} << none
        << int(Application::Update) << QVariantMap{{"ProductInstallType", 3}}
        << QVariantMap{{"Version", "4-1-0"}, {"IsRun", "1"}, {"InstallDateTime", "D1"}} << true;
    QTest::newRow("commonTakesProductTypeOnNewInstallDate")
        << "4.1.0" << false << QVariantMap{{"ProductInstallType", 1}, {"DateTime", "D2"}}
        << QVariantMap{{"Version", "4-1-0"}, {"InstallDateTime", "D1"}, {"DateOfFirstStart", old}}
        << int(Application::NewInstall) << QVariantMap{{"ProductInstallType", 1}}
        << QVariantMap{{"InstallDateTime", "D2"}, {"DateOfFirstStart", old}} << false;
    QTest::newRow("commonRegularDespiteProductType")
        << "4.1.0" << false << QVariantMap{{"ProductInstallType", 2}, {"DateTime", "D1"}}
        << QVariantMap{{"Version", "4-1-0"}, {"InstallDateTime", "D1"}} << int(Application::Regular)
        << QVariantMap{{"ProductInstallType", 2}} << QVariantMap{{"InstallDateTime", "D1"}}
        << false;
    QTest::newRow("commonWithoutProductTypeUpdates")
        << "4.1.0" << false << QVariantMap{{"DateTime", "D1"}}
        << QVariantMap{{"Version", "3-9-0"}, {"DateOfFirstStart", old}} << int(Application::Update)
        << QVariantMap{{"ProductInstallType", 3}} << QVariantMap{{"Version", "4-1-0"}} << true;
    QTest::newRow("commonIgnoresOddProductType")
        << "4.1.0" << false << QVariantMap{{"ProductInstallType", 99}, {"DateTime", "D1"}} << none
        << int(Application::NewInstall) << QVariantMap{{"ProductInstallType", 1}}
        << QVariantMap{{"Version", "4-1-0"}} << true;
    QTest::newRow("commonWithoutProductTypeReinstalls")
        << "4.1.0" << false << QVariantMap{{"DateTime", "D2"}}
        << QVariantMap{{"Version", "4-1-0"}, {"InstallDateTime", "D1"}}
        << int(Application::Reinstall) << QVariantMap{{"ProductInstallType", 2}}
        << QVariantMap{{"InstallDateTime", "D2"}} << false;
}

void LaunchTypeTest::checkFirstLaunch()
{
    QFETCH(QString, version);
    QFETCH(bool, sameStore);
    QFETCH(QVariantMap, product);
    QFETCH(QVariantMap, store);
    QFETCH(int, expected);
    QFETCH(QVariantMap, productAfter);
    QFETCH(QVariantMap, storeAfter);
    QFETCH(bool, firstStartRewritten);

    const auto productStore = NewStore();
    const auto otherStore = sameStore ? productStore : NewStore();
    Fill(*productStore, product);
    Fill(*otherStore, store);
    App()->SetProductSettingsManager(productStore);
    App()->SetSettingsManager(NewStore());
    QCoreApplication::setApplicationVersion(version);

    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QCOMPARE(int(App()->CheckFirstLaunch(otherStore)), expected);

    for (auto it = productAfter.cbegin(); it != productAfter.cend(); ++it) {
        if (it.value().userType() == QMetaType::Int)
            QCOMPARE(productStore->GetInt(it.key().toStdString(), -1), it.value().toInt());
        else
            QCOMPARE(
                QString::fromStdString(productStore->GetString(it.key().toStdString(), "<none>")),
                it.value().toString());
    }
    for (auto it = storeAfter.cbegin(); it != storeAfter.cend(); ++it)
        QCOMPARE(QString::fromStdString(otherStore->GetString(it.key().toStdString(), "<none>")),
                 it.value().toString());
    if (expected == Application::Regular && sameStore)
        QVERIFY(!productStore->Contains("ProductInstallType"));

    const QDateTime firstStart = QDateTime::fromString(
        QString::fromStdString(otherStore->GetString("DateOfFirstStart", "")), Qt::TextDate);
    if (firstStartRewritten) {
        QVERIFY(firstStart.isValid());
        QVERIFY2(firstStart >= before, qPrintable(firstStart.toString()));
    } else {
        QVERIFY(!firstStart.isValid() || firstStart < before);
    }
    QCoreApplication::setApplicationVersion(QStringLiteral("4.1.0"));
}

// Each decision runs once per process, the product's first; only this test may ask for them.
void LaunchTypeTest::decisionsCachedProductFirst()
{
    const auto product = NewStore();
    const auto common = NewStore();
    product->SetString("DateTime", "D1");
    App()->SetProductSettingsManager(product);
    App()->SetSettingsManager(common);
    App()->decisions = 0;

    QCOMPARE(App()->GetLaunchType(), Application::NewInstall);
    QCOMPARE(App()->decisions, 2);
    QCOMPARE(product->GetInt("ProductInstallType", 0), 1);
    QCOMPARE(common->GetString("Version", ""), std::string("4-1-0"));
    QCOMPARE(common->GetString("InstallDateTime", ""), std::string("D1"));

    product->SetString("Version", "1-0-0");
    common->SetString("Version", "1-0-0");
    QCOMPARE(App()->GetProductLaunchType(), Application::NewInstall);
    QCOMPARE(App()->GetLaunchType(), Application::NewInstall);
    QVERIFY(App()->IsFirstLaunch());
    QVERIFY(App()->IsFirstProductLaunch());
    QCOMPARE(App()->decisions, 2);
    QCOMPARE(product->GetString("Version", ""), std::string("1-0-0"));
}

void LaunchTypeTest::sameStoreDecidedOnce()
{
    QTemporaryDir home;
    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    helper.setProcessEnvironment(environment);
    helper.start(QCoreApplication::applicationFilePath(), {QStringLiteral("launch-same")});
    QVERIFY(helper.waitForFinished(20000));
    QCOMPARE(helper.exitCode(), 0);
    // Launch type, product launch type, decisions made.
    QCOMPARE(QString::fromUtf8(helper.readAllStandardOutput()).trimmed(), QStringLiteral("1 1 1"));
}

// A value is stored as far as its first NUL: the installer's date-time must be compared in that
// form, or every start would count as a reinstallation.
void LaunchTypeTest::nulInInstallerDateTime()
{
    const QString path = m_dir.filePath(QStringLiteral("nul.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[General]\nDateTime=2024-05-01\\0 10:00\n");
    file.close();
    const auto start = [&path] {
        const auto store = std::make_shared<SettingsManager>(path, QSettings::IniFormat);
        App()->SetProductSettingsManager(store);
        const Application::LaunchType type = App()->CheckFirstLaunch(store);
        App()->SetProductSettingsManager(nullptr);
        return type;
    };
    QCOMPARE(start(), Application::NewInstall);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray afterFirstStart = file.readAll();
    file.close();
    QVERIFY(afterFirstStart.contains("InstallDateTime=2024-05-01\n"));

    QCOMPARE(start(), Application::Regular);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), afterFirstStart);
}

void LaunchTypeTest::launchesOfAProduct()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString productFile = home.filePath(QStringLiteral("Tavrix/LaunchProduct.conf"));

    // Product type, common type, days passed.
    QCOMPARE(LaunchHelperLine(home.path(), "4.1.0"), QStringLiteral("1 1 0"));
    QCOMPARE(LaunchHelperLine(home.path(), "4.1.0"), QStringLiteral("4 4 0"));
    QSettings(productFile, QSettings::IniFormat)
        .setValue(QStringLiteral("DateTime"), QStringLiteral("2024-05-01 10:00"));
    QCOMPARE(LaunchHelperLine(home.path(), "4.1.0"), QStringLiteral("2 2 0"));
    QCOMPARE(LaunchHelperLine(home.path(), "4.1.0"), QStringLiteral("4 4 0"));
    {
        QSettings product(productFile, QSettings::IniFormat);
        product.setValue(QStringLiteral("DateOfFirstStart"),
                         QDateTime::currentDateTime().addDays(-3).toString(Qt::TextDate));
    }
    QCOMPARE(LaunchHelperLine(home.path(), "4.1.0"), QStringLiteral("4 4 3"));
    QCOMPARE(LaunchHelperLine(home.path(), "4.2.0"), QStringLiteral("3 3 0"));
    QCOMPARE(LaunchHelperLine(home.path(), "4.2.0"), QStringLiteral("4 4 0"));
    QCOMPARE(
        QSettings(productFile, QSettings::IniFormat).value(QStringLiteral("Version")).toString(),
        QStringLiteral("4-2-0"));
}

void LaunchTypeTest::daysPassed_data()
{
    QTest::addColumn<QVariant>("firstStart");
    QTest::addColumn<int>("expected");
    const QDateTime now = QDateTime::currentDateTime();
    QTest::newRow("missing") << QVariant() << 0;
    QTest::newRow("today") << QVariant(now.toString(Qt::TextDate)) << 0;
    QTest::newRow("yesterday") << QVariant(now.addDays(-1).toString(Qt::TextDate)) << 1;
    QTest::newRow("fiveDaysAgo") << QVariant(now.addDays(-5).toString(Qt::TextDate)) << 5;
    QTest::newRow("overAYearAgo") << QVariant(now.addDays(-400).toString(Qt::TextDate)) << 400;
    QTest::newRow("notADate") << QVariant(QStringLiteral("not a date")) << 0;
    QTest::newRow("otherFormat") << QVariant(now.addDays(-2).toString(Qt::ISODate)) << 0;
}

void LaunchTypeTest::daysPassed()
{
    QFETCH(QVariant, firstStart);
    QFETCH(int, expected);
    const auto product = NewStore();
    if (firstStart.isValid())
        product->SetString("DateOfFirstStart", firstStart.toString().toStdString());
    App()->SetProductSettingsManager(product);
    QCOMPARE(App()->GetDaysPassed(), expected);
}

void LaunchTypeTest::installerSettingsNeedAName()
{
    QVERIFY(!App()->GetInstallerSettings(""));
}

void LaunchTypeTest::installerSettings_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("application");
    QTest::newRow("named") << "OtherProduct"
                           << "OtherProduct";
    QTest::newRow("ownProduct") << ""
                                << "LaunchTestProduct";
}

void LaunchTypeTest::installerSettings()
{
    QFETCH(QString, product);
    QFETCH(QString, application);
    auto customization = std::make_shared<TestCustomization>("LaunchTestProduct");
    customization->folder = "LaunchTest";
    customization->application = "Launch Test";
    App()->SetCustomizationManager(customization, false);
    {
        QSettings installer(QStringLiteral("Tavrix"), application);
        installer.setValue(QStringLiteral("Language"), QStringLiteral("de_DE"));
    }
    const auto first = App()->GetInstallerSettings(product.toStdString());
    const auto second = App()->GetInstallerSettings(product.toStdString());
    QVERIFY(first && second);
    QVERIFY(first != second);
    QCOMPARE(first->GetString("Language", ""), std::string("de_DE"));
    first->SetString("Seen", "yes");
    QCOMPARE(
        QSettings(QStringLiteral("Tavrix"), application).value(QStringLiteral("Seen")).toString(),
        QStringLiteral("yes"));
}

void LaunchTypeTest::runningInstaller_data()
{
    QTest::addColumn<int>("holdMilliseconds");
    QTest::addColumn<bool>("withScript");
    QTest::addColumn<bool>("expected");
    QTest::newRow("noInstaller") << -1 << true << false;
    QTest::newRow("installerEndsSoon") << 150 << true << false;
    QTest::newRow("installerStillRuns") << 5000 << true << true;
    QTest::newRow("installerStillRunsNoScript") << 5000 << false << true;
}

void LaunchTypeTest::runningInstaller()
{
    QFETCH(int, holdMilliseconds);
    QFETCH(bool, withScript);
    QFETCH(bool, expected);

    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString runs = work.filePath(QStringLiteral("runs.txt"));
    if (withScript) {
        QFile script(work.filePath(QStringLiteral("InstallerMessage.vbs")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$PWD\" >> runs.txt\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));

    QProcess holder;
    if (holdMilliseconds >= 0) {
        holder.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("hold-installer"), QString::number(holdMilliseconds)});
        QVERIFY(holder.waitForReadyRead(20000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));
    }

    QElapsedTimer timer;
    timer.start();
    const bool running = Application::CheckRunnedInstaller();
    const qint64 elapsed = timer.elapsed();
    QDir::setCurrent(previous);
    QCOMPARE(running, expected);
    if (expected)
        QVERIFY2(elapsed >= 500, qPrintable(QString::number(elapsed)));

    if (expected && withScript) {
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runs), 10000);
        QTest::qWait(200);
        QFile file(runs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), work.path() + QLatin1Char('\n'));
    } else {
        QTest::qWait(200);
        QVERIFY(!QFile::exists(runs));
    }
    if (holder.state() != QProcess::NotRunning) {
        holder.kill();
        holder.waitForFinished(5000);
    }
}

// Stands for one start of a product: its own store and the family's common store.
int RunLaunch(int argc, char** argv)
{
    Application::AppContext context;
    context.createRunningMutex = false;
    Application app(argc, argv, context);
    QCoreApplication::setApplicationVersion(QString::fromLocal8Bit(argv[2]));
    app.SetSettingsManager(std::make_shared<SettingsManager>(QStringLiteral("LaunchCommon"),
                                                             QStringLiteral("Tavrix")));
    app.SetProductSettingsManager(std::make_shared<SettingsManager>(QStringLiteral("LaunchProduct"),
                                                                    QStringLiteral("Tavrix")));
    std::cout << app.GetProductLaunchType() << ' ' << app.GetLaunchType() << ' '
              << app.GetDaysPassed() << std::endl;
    return 0;
}

int RunLaunchSameStore(int argc, char** argv)
{
    Application::AppContext context;
    context.createRunningMutex = false;
    TestApplication app(argc, argv, context);
    QCoreApplication::setApplicationVersion(QStringLiteral("4.1.0"));
    app.SetSettingsManager(std::make_shared<SettingsManager>(QStringLiteral("LaunchCommon"),
                                                             QStringLiteral("Tavrix")));
    const int type = app.GetLaunchType();
    std::cout << type << ' ' << app.GetProductLaunchType() << ' ' << app.decisions << std::endl;
    return 0;
}

// Stands for the installer: holds its mutex for the given time.
int HoldInstallerMutex(const char* milliseconds)
{
    Tavrix::Util::AppMutexLocker locker({Application::INSTALLER_MUTEX_NAME});
    if (!locker.TryLockAppMutex())
        return 1;
    std::cout << "locked" << std::endl;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(milliseconds)));
    return 0;
}

int main(int argc, char** argv)
{
    const QByteArray word = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (word == "launch" && argc > 2)
        return RunLaunch(argc, argv);
    if (word == "launch-same")
        return RunLaunchSameStore(argc, argv);
    if (word == "hold-installer" && argc > 2)
        return HoldInstallerMutex(argv[2]);

    QStandardPaths::setTestModeEnabled(true);
    TestApplication app(argc, argv);
    LaunchTypeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_launchtype.moc"
