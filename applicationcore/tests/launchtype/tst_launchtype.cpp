#include "DescendantWatch.h"
#include "HelperProcess.h"
#include "TestCustomization.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>
#include <Tavrix/Util/AppMutexLocker.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <iostream>
#include <thread>

#include <unistd.h>

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

// Store entries written as "Key=text Key=#3 Key=-": a text, an int, a key that is missing; OLD
// stands for a first start thirty days ago.
QVariantMap Entries(const QString& text)
{
    QVariantMap entries;
    for (const QString& entry : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString key = entry.section(QLatin1Char('='), 0, 0);
        const QString value = entry.section(QLatin1Char('='), 1);
        if (value.startsWith(QLatin1Char('#')))
            entries[key] = value.mid(1).toInt();
        else if (value == QLatin1String("-"))
            entries[key] = QVariant();
        else if (value == QLatin1String("OLD"))
            entries[key] = QDateTime::currentDateTime().addDays(-30).toString(Qt::TextDate);
        else
            entries[key] = value;
    }
    return entries;
}

void Fill(ISettingsManager& store, const QString& entries)
{
    const QVariantMap values = Entries(entries);
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (it.value().userType() == QMetaType::Int)
            store.SetInt(it.key().toStdString(), it.value().toInt());
        else
            store.SetString(it.key().toStdString(), it.value().toString().toStdString());
    }
}

void Check(const ISettingsManager& store, const QString& entries)
{
    const QVariantMap values = Entries(entries);
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const std::string key = it.key().toStdString();
        if (!it.value().isValid())
            QVERIFY2(!store.Contains(key), key.c_str());
        else if (it.value().userType() == QMetaType::Int)
            QCOMPARE(store.GetInt(key, -1), it.value().toInt());
        else
            QCOMPARE(QString::fromStdString(store.GetString(key, "<none>")), it.value().toString());
    }
}

QString ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// One start of a product in its own process (with no store of its own: "same"): its product and
// common launch types, the days passed and the decisions made.
QString LaunchInHelper(const QString& configHome, const QString& version, const char* same = "")
{
    HelperProcess helper({QStringLiteral("launch"), version, QString::fromLatin1(same)});
    helper.SetEnvironment(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    return helper.Run() ? helper.Output() : QStringLiteral("helper failed");
}

std::shared_ptr<SettingsManager> NativeStore(const char* name)
{
    return std::make_shared<SettingsManager>(QString::fromLatin1(name), QStringLiteral("Tavrix"));
}

// Helper words: "launch VERSION [same]" stands for one start of a product with its own store (or
// none: "same") and the family's common store; "hold-installer MS" stands for the installer,
// holding its mutex for MS milliseconds (0: until killed).
int RunHelper(int argc, char** argv)
{
    const QByteArray word = argc > 1 ? argv[1] : "";
    if (word == "hold-installer" && argc > 2) {
        Tavrix::Util::AppMutexLocker locker({Application::INSTALLER_MUTEX_NAME});
        if (!locker.TryLockAppMutex())
            return 1;
        std::cout << "locked" << std::endl;
        if (const int milliseconds = std::atoi(argv[2]); milliseconds > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        else
            ::pause();
        return 0;
    }
    if (word != "launch" || argc < 4)
        return -1;
    Application::AppContext context;
    context.createRunningMutex = false;
    TestApplication app(argc, argv, context);
    QCoreApplication::setApplicationVersion(QString::fromLocal8Bit(argv[2]));
    app.SetSettingsManager(NativeStore("LaunchCommon"));
    if (qstrcmp(argv[3], "same") != 0)
        app.SetProductSettingsManager(NativeStore("LaunchProduct"));
    const int common = app.GetLaunchType();
    std::cout << app.GetProductLaunchType() << ' ' << common << ' ' << app.GetDaysPassed() << ' '
              << app.decisions << std::endl;
    return 0;
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
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("store");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("productAfter");
    QTest::addColumn<QString>("storeAfter");
    QTest::addColumn<bool>("firstStartRewritten");
    const auto row = [](const char* name, const char* version, bool sameStore, const char* product,
                        const char* store, Application::LaunchType expected,
                        const char* productAfter, const char* storeAfter, bool rewritten) {
        QTest::newRow(name) << version << sameStore << product << store << int(expected)
                            << productAfter << storeAfter << rewritten;
    };

    row("newInstall", "4.1.0", true, "DateTime=D1", "", Application::NewInstall,
        "ProductInstallType=#1 Version=4-1-0 IsRun=1 InstallDateTime=D1", "", true);
    row("update", "4.1.0", true,
        "Version=4-0-0 DateOfFirstStart=OLD DateTime=D1 InstallDateTime=D1", "",
        Application::Update, "ProductInstallType=#3 Version=4-1-0 IsRun=1", "", true);
    row("regular", "4.1.0", true,
        "Version=4-1-0 DateOfFirstStart=OLD DateTime=D1 InstallDateTime=D1", "",
        Application::Regular, "DateOfFirstStart=OLD ProductInstallType=-", "", false);
    row("regularWithoutInstaller", "4.1.0", true, "Version=4-1-0 DateOfFirstStart=OLD", "",
        Application::Regular, "DateOfFirstStart=OLD ProductInstallType=-", "", false);
    row("reinstall", "4.1.0", true,
        "Version=4-1-0 DateOfFirstStart=OLD DateTime=D2 InstallDateTime=D1", "",
        Application::Reinstall, "ProductInstallType=#2 InstallDateTime=D2 DateOfFirstStart=OLD", "",
        false);
    row("versionWithoutDots", "41", true, "", "", Application::NewInstall,
        "Version=41 ProductInstallType=#1", "", true);

    // Against another store, the type the product recorded stands, but that store's own record
    // is brought up to date.
    row("commonTakesProductTypeOnNewVersion", "4.1.0", false, "ProductInstallType=#3 DateTime=D1",
        "", Application::Update, "ProductInstallType=#3",
        "Version=4-1-0 IsRun=1 InstallDateTime=D1", true);
    row("commonTakesProductTypeOnNewInstallDate", "4.1.0", false,
        "ProductInstallType=#1 DateTime=D2",
        "Version=4-1-0 InstallDateTime=D1 DateOfFirstStart=OLD", Application::NewInstall,
        "ProductInstallType=#1", "InstallDateTime=D2 DateOfFirstStart=OLD", false);
    row("commonRegularDespiteProductType", "4.1.0", false, "ProductInstallType=#2 DateTime=D1",
        "Version=4-1-0 InstallDateTime=D1", Application::Regular, "ProductInstallType=#2",
        "InstallDateTime=D1", false);
    row("commonWithoutProductTypeUpdates", "4.1.0", false, "DateTime=D1",
        "Version=3-9-0 DateOfFirstStart=OLD", Application::Update, "ProductInstallType=#3",
        "Version=4-1-0", true);
    row("commonIgnoresOddProductType", "4.1.0", false, "ProductInstallType=#99 DateTime=D1", "",
        Application::NewInstall, "ProductInstallType=#1", "Version=4-1-0", true);
    row("commonWithoutProductTypeReinstalls", "4.1.0", false, "DateTime=D2",
        "Version=4-1-0 InstallDateTime=D1", Application::Reinstall, "ProductInstallType=#2",
        "InstallDateTime=D2", false);
}

void LaunchTypeTest::checkFirstLaunch()
{
    QFETCH(QString, version);
    QFETCH(bool, sameStore);
    QFETCH(QString, product);
    QFETCH(QString, store);
    QFETCH(int, expected);
    QFETCH(QString, productAfter);
    QFETCH(QString, storeAfter);
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
    QCoreApplication::setApplicationVersion(QStringLiteral("4.1.0"));
    Check(*productStore, productAfter);
    Check(*otherStore, storeAfter);
    const QDateTime firstStart = QDateTime::fromString(
        QString::fromStdString(otherStore->GetString("DateOfFirstStart", "")), Qt::TextDate);
    if (firstStartRewritten)
        QVERIFY2(firstStart.isValid() && firstStart >= before, qPrintable(firstStart.toString()));
    else
        QVERIFY(!firstStart.isValid() || firstStart < before);
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

// Without a store of its own the product's launch is decided once, against the common store.
void LaunchTypeTest::sameStoreDecidedOnce()
{
    QTemporaryDir home;
    QCOMPARE(LaunchInHelper(home.path(), "4.1.0", "same"), QStringLiteral("1 1 0 1"));
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

    // Product type, common type, days passed, decisions made.
    QCOMPARE(LaunchInHelper(home.path(), "4.1.0"), QStringLiteral("1 1 0 2"));
    QCOMPARE(LaunchInHelper(home.path(), "4.1.0"), QStringLiteral("4 4 0 2"));
    QSettings(productFile, QSettings::IniFormat)
        .setValue(QStringLiteral("DateTime"), QStringLiteral("2024-05-01 10:00"));
    QCOMPARE(LaunchInHelper(home.path(), "4.1.0"), QStringLiteral("2 2 0 2"));
    QCOMPARE(LaunchInHelper(home.path(), "4.1.0"), QStringLiteral("4 4 0 2"));
    QSettings(productFile, QSettings::IniFormat)
        .setValue(QStringLiteral("DateOfFirstStart"),
                  QDateTime::currentDateTime().addDays(-3).toString(Qt::TextDate));
    QCOMPARE(LaunchInHelper(home.path(), "4.1.0"), QStringLiteral("4 4 3 2"));
    QCOMPARE(LaunchInHelper(home.path(), "4.2.0"), QStringLiteral("3 3 0 2"));
    QCOMPARE(LaunchInHelper(home.path(), "4.2.0"), QStringLiteral("4 4 0 2"));
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
    QTest::newRow("named") << "OtherProduct" << QString("OtherProduct");
    QTest::newRow("ownProduct") << "" << QString("LaunchTestProduct");
}

void LaunchTypeTest::installerSettings()
{
    QFETCH(QString, product);
    QFETCH(QString, application);
    auto customization = std::make_shared<TestCustomization>("LaunchTestProduct");
    customization->folder = "LaunchTest";
    customization->application = "Launch Test";
    App()->SetCustomizationManager(customization, false);
    QSettings(QStringLiteral("Tavrix"), application)
        .setValue(QStringLiteral("Language"), QStringLiteral("de_DE"));
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
    QTest::addColumn<int>("holdMilliseconds"); // -1: no installer; 0: until killed
    QTest::addColumn<bool>("withScript");
    QTest::addColumn<bool>("expected");
    QTest::newRow("noInstaller") << -1 << true << false;
    QTest::newRow("installerEndsSoon") << 150 << true << false;
    QTest::newRow("installerStillRuns") << 0 << true << true;
    QTest::newRow("installerStillRunsNoScript") << 0 << false << true;
}

// Only an installer that still runs after half a second makes the message script run, in the
// working folder.
void LaunchTypeTest::runningInstaller()
{
    QFETCH(int, holdMilliseconds);
    QFETCH(bool, withScript);
    QFETCH(bool, expected);

    QTemporaryDir work;
    QVERIFY(work.isValid());
    if (withScript) {
        QFile script(work.filePath(QStringLiteral("InstallerMessage.vbs")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$PWD\" >> runs.txt\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    HelperProcess holder({QStringLiteral("hold-installer"), QString::number(holdMilliseconds)});
    holder.ShareTestRuntimeFolder();
    if (holdMilliseconds >= 0) {
        QVERIFY(holder.Start());
        QCOMPARE(holder.ReadLine(), QByteArray("locked"));
    }

    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));
    DescendantWatch started;
    QElapsedTimer timer;
    timer.start();
    const bool running = Application::CheckRunnedInstaller();
    const qint64 elapsed = timer.elapsed();
    QDir::setCurrent(previous);
    QVERIFY(started.WaitForAllEnded());
    QCOMPARE(running, expected);
    if (expected)
        QVERIFY2(elapsed >= 500, qPrintable(QString::number(elapsed)));
    QCOMPARE(ReadFile(work.filePath(QStringLiteral("runs.txt"))),
             expected && withScript ? work.path() + QLatin1Char('\n') : QString());
}

TAVRIX_TEST_MAIN_WITH_HELPER(LaunchTypeTest, TestApplication, RunHelper)

#include "tst_launchtype.moc"
