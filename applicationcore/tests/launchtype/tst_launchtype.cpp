#include "AppInstance.h"
#include "DescendantWatch.h"
#include "HelperProcess.h"
#include "TemporaryStores.h"
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

// Store entries written as "Key=text Key=#3 Key=-": a text, an int, a key that is missing; OLD
// stands for a first start long ago. Writes them to the store, or checks that it holds them.
void Entries(ISettingsManager& store, const QString& entries, bool check)
{
    for (const QString& entry : entries.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const std::string key = entry.section(QLatin1Char('='), 0, 0).toStdString();
        QString value = entry.section(QLatin1Char('='), 1);
        if (value == QLatin1String("OLD"))
            value = QDateTime(QDate(2020, 1, 1), QTime(10, 0)).toString(Qt::TextDate);
        const bool number = value.startsWith(QLatin1Char('#'));
        if (!check && number)
            store.SetInt(key, value.mid(1).toInt());
        else if (!check)
            store.SetString(key, value.toStdString());
        else if (value == QLatin1String("-"))
            QVERIFY2(!store.Contains(key), key.c_str());
        else if (number)
            QCOMPARE(store.GetInt(key, -1), value.mid(1).toInt());
        else
            QCOMPARE(QString::fromStdString(store.GetString(key, "<none>")), value);
    }
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
// none: "same") and the family's common store; "hold-installer" stands for the installer,
// holding its mutex until killed.
int RunHelper(int argc, char** argv)
{
    const QByteArray word = argc > 1 ? argv[1] : "";
    if (word == "hold-installer") {
        Tavrix::Util::AppMutexLocker locker({Application::INSTALLER_MUTEX_NAME});
        if (!locker.TryLockAppMutex())
            return 1;
        std::cout << "locked" << std::endl;
        ::pause();
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
    void checkFirstLaunch_data();
    void checkFirstLaunch();
    void nulInInstallerDateTime();
    void launchesOfAProduct();
    void installerSettings();
    void runningInstaller_data();
    void runningInstaller();

private:
    TemporaryStores m_stores;
};

void LaunchTypeTest::initTestCase()
{
    QVERIFY(m_stores.IsValid());
    QCoreApplication::setApplicationVersion(QStringLiteral("4.1.0"));
}

void LaunchTypeTest::checkFirstLaunch_data()
{
    QTest::addColumn<bool>("sameStore");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("store");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("productAfter");
    QTest::addColumn<QString>("storeAfter");
    QTest::addColumn<bool>("firstStartRewritten");
    const auto row = [](const char* name, bool sameStore, const char* product, const char* store,
                        Application::LaunchType expected, const char* productAfter,
                        const char* storeAfter, bool rewritten) {
        QTest::newRow(name) << sameStore << product << store << int(expected) << productAfter
                            << storeAfter << rewritten;
    };

    row("newInstall", true, "DateTime=D1", "", Application::NewInstall,
        "ProductInstallType=#1 Version=4-1-0 IsRun=1 InstallDateTime=D1", "", true);
    row("update", true, "Version=4-0-0 DateOfFirstStart=OLD DateTime=D1 InstallDateTime=D1", "",
        Application::Update, "ProductInstallType=#3 Version=4-1-0 IsRun=1", "", true);
    row("reinstall", true, "Version=4-1-0 DateOfFirstStart=OLD DateTime=D2 InstallDateTime=D1", "",
        Application::Reinstall, "ProductInstallType=#2 InstallDateTime=D2 DateOfFirstStart=OLD", "",
        false);

    // Against another store, the type the product recorded stands, but that store's own record
    // is brought up to date.
    row("commonTakesProductTypeOnNewVersion", false, "ProductInstallType=#3 DateTime=D1", "",
        Application::Update, "ProductInstallType=#3", "Version=4-1-0 IsRun=1 InstallDateTime=D1",
        true);
    row("commonTakesProductTypeOnNewInstallDate", false, "ProductInstallType=#1 DateTime=D2",
        "Version=4-1-0 InstallDateTime=D1 DateOfFirstStart=OLD", Application::NewInstall,
        "ProductInstallType=#1", "InstallDateTime=D2 DateOfFirstStart=OLD", false);
    row("commonRegularDespiteProductType", false, "ProductInstallType=#2 DateTime=D1",
        "Version=4-1-0 InstallDateTime=D1", Application::Regular, "ProductInstallType=#2",
        "InstallDateTime=D1", false);
    row("commonIgnoresOddProductType", false, "ProductInstallType=#99 DateTime=D1", "",
        Application::NewInstall, "ProductInstallType=#1", "Version=4-1-0", true);
}

void LaunchTypeTest::checkFirstLaunch()
{
    QFETCH(bool, sameStore);
    QFETCH(QString, product);
    QFETCH(QString, store);
    QFETCH(int, expected);
    QFETCH(QString, productAfter);
    QFETCH(QString, storeAfter);
    QFETCH(bool, firstStartRewritten);

    const auto productStore = m_stores.NewStore();
    const auto otherStore = sameStore ? productStore : m_stores.NewStore();
    Entries(*productStore, product, false);
    Entries(*otherStore, store, false);
    App()->SetProductSettingsManager(productStore);
    App()->SetSettingsManager(m_stores.NewStore());

    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QCOMPARE(int(App()->CheckFirstLaunch(otherStore)), expected);
    Entries(*productStore, productAfter, true);
    Entries(*otherStore, storeAfter, true);
    const QDateTime firstStart = QDateTime::fromString(
        QString::fromStdString(otherStore->GetString("DateOfFirstStart", "")), Qt::TextDate);
    if (firstStartRewritten)
        QVERIFY2(firstStart.isValid() && firstStart >= before, qPrintable(firstStart.toString()));
    else
        QVERIFY(!firstStart.isValid() || firstStart < before);
}

// A value is stored as far as its first NUL: the installer's date-time must be compared in that
// form, or every start would count as a reinstallation.
void LaunchTypeTest::nulInInstallerDateTime()
{
    const QString path = m_stores.Path(QStringLiteral("nul.ini"));
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

// Each start of a product in a process of its own decides from what the earlier ones recorded,
// each decision once, however often asked. Without a store of its own the product's launch is
// decided once, against the common store.
void LaunchTypeTest::launchesOfAProduct()
{
    QTemporaryDir home, sameHome;
    QVERIFY(home.isValid() && sameHome.isValid());
    QCOMPARE(LaunchInHelper(sameHome.path(), "4.1.0", "same"), QStringLiteral("1 1 0 1"));
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
}

// An installer's store is a fresh view, on each request, of the native store of "Tavrix" and the
// product named, by default the product id of the own product; without either there is none.
void LaunchTypeTest::installerSettings()
{
    QVERIFY(!App()->GetInstallerSettings(""));
    auto customization = std::make_shared<TestCustomization>("LaunchTestProduct");
    customization->folder = "LaunchTest";
    customization->application = "Launch Test";
    App()->SetCustomizationManager(customization, false);
    for (const auto& [product, application] :
         {std::pair<std::string, QString>{"OtherProduct", "OtherProduct"},
          {"", "LaunchTestProduct"}}) {
        QSettings(QStringLiteral("Tavrix"), application).setValue("Language", "de_DE");
        const auto first = App()->GetInstallerSettings(product);
        const auto second = App()->GetInstallerSettings(product);
        QVERIFY(first && second && first != second);
        QCOMPARE(first->GetString("Language", ""), std::string("de_DE"));
        first->SetString("Seen", "yes");
        QCOMPARE(QSettings(QStringLiteral("Tavrix"), application).value("Seen").toString(),
                 QStringLiteral("yes"));
    }
}

void LaunchTypeTest::runningInstaller_data()
{
    QTest::addColumn<bool>("installer");
    QTest::addColumn<bool>("withScript");
    QTest::newRow("noInstaller") << false << true;
    QTest::newRow("installerRuns") << true << true;
    QTest::newRow("installerRunsNoScript") << true << false;
}

// Only an installer that still runs after half a second makes the message script run, in the
// working folder; a missing script changes nothing.
void LaunchTypeTest::runningInstaller()
{
    QFETCH(bool, installer);
    QFETCH(bool, withScript);
    QTemporaryDir work;
    QVERIFY(work.isValid());
    if (withScript) {
        QFile script(work.filePath(QStringLiteral("InstallerMessage.vbs")));
        QVERIFY(script.open(QIODevice::WriteOnly)
                && script.write("#!/bin/sh\necho \"$PWD\" >> runs.txt\n") > 0
                && script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    HelperProcess holder({QStringLiteral("hold-installer")});
    holder.ShareTestRuntimeFolder();
    if (installer) {
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
    QCOMPARE(running, installer);
    QVERIFY2(!installer || elapsed >= 500, qPrintable(QString::number(elapsed)));
    QFile runs(work.filePath(QStringLiteral("runs.txt")));
    QCOMPARE(runs.open(QIODevice::ReadOnly) ? QString::fromUtf8(runs.readAll()) : QString(),
             installer && withScript ? work.path() + QLatin1Char('\n') : QString());
}

TAVRIX_TEST_MAIN_WITH_HELPER(LaunchTypeTest, TestApplication, RunHelper)

#include "tst_launchtype.moc"
