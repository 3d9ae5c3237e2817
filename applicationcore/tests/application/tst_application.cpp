#include "AppInstance.h"
#include "CapturingLogSink.h"
#include "DescendantWatch.h"
#include "HelperProcess.h"
#include "TestCustomization.h"
#include "TemporaryStores.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>
#include <Tavrix/App/InitGlog.h>
#include <Tavrix/Exception.h>
#include <Tavrix/Util/AlertBox.h>
#include <Tavrix/Util/AppMutexLocker.h>
#include <Tavrix/Util/SslUsage.h>

#include <QAbstractEventDispatcher>
#include <QDesktopServices>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <glog/logging.h>

#include <chrono>
#include <iostream>

#include <unistd.h>

using namespace Tavrix::App;

namespace {

// Its update request, which the starts of these tests set off, never comes while they run.
class TestApplication : public Application
{
public:
    using Application::Application;

protected:
    std::chrono::milliseconds AutoUpdateCheckDelay() const override
    {
        return std::chrono::hours(1);
    }
};

struct CountingSplash : ISplash
{
    int activations = 0;
    void Activate() override { ++activations; }
};

struct RecordingGateway : Tavrix::ExternalStimulus::IGateway
{
    QStringList posted;
    void Post(const Tavrix::ExternalStimulus::Stimulus& stimulus) override
    {
        posted << QString::fromStdString(stimulus.name) + (stimulus.action ? "" : " (no action)");
    }
};

// Says its name when it goes, so that a helper shows the order of release.
template <class Base>
struct Announced : Base
{
    template <class... Args>
    explicit Announced(const char* name, Args&&... args)
        : Base(std::forward<Args>(args)...), m_name(name)
    {
    }
    ~Announced() override { std::cout << m_name << std::endl; }
    const char* const m_name;
};

// Helper words: "hold [nomutex] [test options]" constructs the application, prints "ready" with
// the HTTPS choice and waits to be killed; "trylock NAME" exits 0 when the named mutex could be
// taken, 1 when it is held; "release-order" prints the order in which the application lets go of
// its collaborators.
int RunHelper(int argc, char** argv)
{
    const QByteArray word = argc > 1 ? argv[1] : "";
    if (word == "trylock" && argc > 2)
        return Tavrix::Util::AppMutexLocker({argv[2]}).TryLockAppMutex() ? 0 : 1;
    if (word == "hold") {
        Application::AppContext context;
        context.createRunningMutex = !(argc > 2 && qstrcmp(argv[2], "nomutex") == 0);
        try {
            Application app(argc, argv, context);
            std::cout << "ready https=" << Tavrix::Util::GetDefaultSslUsage() << std::endl;
            for (;;)
                ::pause();
        } catch (const Tavrix::Exception& error) {
            std::cout << "exception: " << error.what() << std::endl;
            return 3;
        }
    }
    if (word != "release-order")
        return -1;
    const QTemporaryDir folder;
    {
        Application app(argc, argv);
        app.SetSettingsManager(std::make_shared<Announced<SettingsManager>>(
            "settings", folder.filePath("common.ini"), QSettings::IniFormat));
        app.SetProductSettingsManager(std::make_shared<Announced<SettingsManager>>(
            "product settings", folder.filePath("product.ini"), QSettings::IniFormat));
        app.SetSplash(std::make_shared<Announced<CountingSplash>>("splash"));
        app.SetLookAndFeel(std::make_shared<Announced<LookAndFeelManager>>(
            "look and feel", Tavrix::ioPath(folder.path().toStdString()), "theme.json",
            std::list<std::string>{}, std::list<std::string>{}));
        app.SetCustomizationManager(
            std::make_shared<Announced<TestCustomization>>("customization", "Helper"), false);
        app.SetExternalStimulusGateway(std::make_shared<Announced<RecordingGateway>>("gateway"));
        std::cout << "destroying" << std::endl;
    }
    std::cout << "destroyed" << std::endl;
    return 0;
}

} // namespace

class ApplicationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void withoutCustomization();
    void identity();
    void storeFallbacks();
    void startRunsOnce();
    void startPrompts();
    void webLinksOpenInPreferredBrowser();
    void heldApplication_data();
    void heldApplication();
    void collaboratorsReleasedInOrder();

private:
    // What OnStart() needs: an identity and the stores; answers the new, empty product store.
    std::shared_ptr<ISettingsManager>
    PrepareStart(const std::shared_ptr<TestCustomization>& customization
                 = std::make_shared<TestCustomization>("P"))
    {
        App()->SetCustomizationManager(customization, false);
        App()->SetSettingsManager(m_stores.NewStore());
        const auto product = m_stores.NewStore();
        App()->SetProductSettingsManager(product);
        return product;
    }

    TemporaryStores m_stores;
    CapturingLogSink m_sink;
    std::shared_ptr<CountingSplash> m_splash = std::make_shared<CountingSplash>();
};

void ApplicationTest::initTestCase()
{
    QVERIFY(m_stores.IsValid());
    App()->SetSplash(m_splash);
}

// Before a customization manager is set (or when a null one is given) nothing that needs it
// crashes: each says so in the log.
void ApplicationTest::withoutCustomization()
{
    m_sink.TakeLines();
    const QString name = QCoreApplication::applicationName();
    App()->SetCustomizationManager(nullptr, false);
    QCOMPARE(QCoreApplication::applicationName(), name);
    QVERIFY(!App()->GetCustomizationManager());
    QVERIFY(App()->GetProductNameAbout().isEmpty());
    App()->OpenThankForInstall();
    QVERIFY(m_sink.TakeLines().contains(
        QStringLiteral("No customization manager given; the current one stays")));
}

// The product's identity reaches Qt, the alert boxes and the log; glog is set up only on request.
void ApplicationTest::identity()
{
    qunsetenv("GLOG_PRODUCT_NAME");
    m_sink.TakeLines();
    auto customization = std::make_shared<TestCustomization>("NoLogProduct");
    customization->organization = "Tavrix Test Org";
    customization->application = "Test Product";
    customization->iconPath = "/icons/NoLogProduct.png";
    App()->SetCustomizationManager(customization, false);
    QVERIFY(qEnvironmentVariableIsEmpty("GLOG_PRODUCT_NAME"));
    QVERIFY(!IsGlogInitialized());
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Test Product"));
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("4.1.0"));
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Tavrix Test Org"));
    QCOMPARE(Tavrix::Util::AlertBox::ApplicationIconPath(),
             QStringLiteral("/icons/NoLogProduct.png"));
    const QStringList lines = m_sink.TakeLines();
    QVERIFY2(lines.contains(QStringLiteral("Product Version: 4.1.0")),
             qPrintable(lines.join('\n')));
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^Build commit: [0-9a-f]{7}$"))).size(),
             1);

    App()->SetCustomizationManager(std::make_shared<TestCustomization>("LoggedProduct"), true);
    QCOMPARE(qgetenv("GLOG_PRODUCT_NAME"), QByteArray("LoggedProduct"));
    QVERIFY(IsGlogInitialized());
}

// The product's store is the common one unless set; the mail store is the product's unless set.
void ApplicationTest::storeFallbacks()
{
    const auto common = m_stores.NewStore(), product = m_stores.NewStore(),
               mail = m_stores.NewStore();
    App()->SetSettingsManager(common);
    QCOMPARE(App()->GetProductSettingsManager(), common);
    QCOMPARE(App()->GetMailSettingsManager(), common);
    App()->SetProductSettingsManager(product);
    QCOMPARE(App()->GetMailSettingsManager(), product);
    App()->SetSettingsManager(nullptr);
    App()->SetProductSettingsManager(nullptr);
    App()->SetMailSettingsManager(mail);
    QCOMPARE(App()->GetProductSettingsManager(), nullptr);
    QCOMPARE(App()->GetMailSettingsManager(), mail);
    App()->SetMailSettingsManager(nullptr);
}

// Until the start, each activation of the application activates the splash; the start runs once,
// activating it once more, and writes the facts of the installation to the product store.
void ApplicationTest::startRunsOnce()
{
    const auto product = PrepareStart();
    QSignalSpy started(App(), &Application::ApplicationStarted);
    int activations = m_splash->activations;
    QWidget window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QGuiApplication::applicationState(), Qt::ApplicationActive);
    QVERIFY(m_splash->activations > activations);
    activations = m_splash->activations;

    QVERIFY(!App()->IsStarted());
    App()->Start();
    App()->Start();
    QVERIFY(App()->IsStarted());
    QCOMPARE(started.count(), 1);
    QCOMPARE(m_splash->activations, activations + 1);
    QCOMPARE(product->GetString("ArchitectBits", ""), std::string("x64"));
    QCOMPARE(QString::fromStdString(product->GetString("Path", "")),
             QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QVERIFY(!product->GetString("PreferredBrowser", "").empty());

    QApplicationStateChangeEvent active(Qt::ApplicationActive);
    QCoreApplication::sendEvent(App(), &active);
    QCOMPARE(m_splash->activations, activations + 1);
}

// The start-up prompts go to the product's gateway, which runs them when it sees fit, only for
// distribution kind 0 without prompt suppression.
void ApplicationTest::startPrompts()
{
    for (const auto& [kind, suppressed] : {std::pair{0, false}, {0, true}, {1, false}}) {
        const auto customization = std::make_shared<TestCustomization>("PromptProduct");
        customization->distributionKind = kind;
        customization->promptSuppressed = suppressed;
        PrepareStart(customization);
        const auto gateway = std::make_shared<RecordingGateway>();
        App()->SetExternalStimulusGateway(gateway);
        App()->OnStart();
        App()->SetExternalStimulusGateway(nullptr);
        const QStringList prompts{"EMAIL_DIALOG", "THANK_FOR_INSTALL"};
        QCOMPARE(gateway->posted, kind == 0 && !suppressed ? prompts : QStringList());
    }
}

// The browser comes from the product store, else from the installer's store, both read when a
// link is opened.
void ApplicationTest::webLinksOpenInPreferredBrowser()
{
    const QString record = m_stores.Path(QStringLiteral("opened.txt"));
    const auto writeBrowser = [&record](const QString& path) {
        QFile script(path);
        return script.open(QIODevice::WriteOnly)
               && script.write("#!/bin/sh\nprintf '%s %s' \"$0\" \"$1\" > \""
                               + QFile::encodeName(record) + "\"\n")
               && script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    };
    const QString productBrowser = m_stores.Path(QStringLiteral("product-browser.sh"));
    const QString installerBrowser = m_stores.Path(QStringLiteral("installer-browser.sh"));
    QVERIFY(writeBrowser(productBrowser) && writeBrowser(installerBrowser));
    const QUrl url(QStringLiteral("https://example.com/page?x=1&y=two words"));
    const auto opened = [&url, &record] {
        DescendantWatch watch;
        QFile file(record);
        return QDesktopServices::openUrl(url) && watch.WaitForAllEnded()
                       && file.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(file.readAll())
                   : QString();
    };

    const auto product = PrepareStart(std::make_shared<TestCustomization>("BrowserProduct"));
    const auto installer = App()->GetInstallerSettings("");
    installer->SetString("Browser", installerBrowser.toStdString());
    QCOMPARE(opened(), installerBrowser + ' ' + url.toEncoded());
    product->SetString("PreferredBrowser", productBrowser.toStdString());
    QCOMPARE(opened(), productBrowser + ' ' + url.toEncoded());
    installer->Remove("Browser");
}

void ApplicationTest::heldApplication_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("firstLine");
    QTest::addColumn<int>("lockWhileHeld"); // the exit code of a try to take the running mutex
    const auto row = [](const char* name, const QStringList& arguments, const char* firstLine,
                        int lockWhileHeld) {
        QTest::newRow(name) << QStringList{"hold"} + arguments << QByteArray(firstLine)
                            << lockWhileHeld;
    };
    row("with mutex", {}, "ready https=1", 1);
    row("without mutex", {"nomutex"}, "ready https=1", 0);
    row("ssl-disable", {"nomutex", "--ssl-disable"}, "ready https=0", 0);
    row("both ssl options", {"nomutex", "--ssl-disable", "--ssl-enable"},
        "exception: Invalid options combination.", 0);
}

// Another process sees the running mutex for as long as the application holds it; the test
// options choose HTTPS.
void ApplicationTest::heldApplication()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, firstLine);
    QFETCH(int, lockWhileHeld);
    HelperProcess holder(arguments);
    const auto tryLock = [&holder] {
        HelperProcess locker({"trylock", QString::fromLatin1(Application::RUNNING_MUTEX_NAME)});
        locker.ShareRuntimeFolder(holder);
        return locker.Start() ? locker.ExitCode() : -1;
    };
    QVERIFY(holder.Start());
    QCOMPARE(holder.ReadLine(), firstLine);
    QCOMPARE(tryLock(), lockWhileHeld);
    holder.Kill(SIGKILL);
    QCOMPARE(tryLock(), 0);
}

void ApplicationTest::collaboratorsReleasedInOrder()
{
    HelperProcess helper({QStringLiteral("release-order")});
    QVERIFY(helper.Run());
    QCOMPARE(helper.OutputLines(),
             (QStringList{"destroying", "product settings", "splash", "settings", "look and feel",
                          "customization", "gateway", "destroyed"}));
}

TAVRIX_TEST_MAIN_WITH_HELPER(ApplicationTest, TestApplication, RunHelper)

#include "tst_application.moc"
