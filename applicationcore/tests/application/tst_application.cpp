#include "TestCustomization.h"
#include "CapturingLogSink.h"

#include <Tavrix/App/ApplicationCore.h>
#include <Tavrix/App/InitGlog.h>
#include <Tavrix/Platform/Win32Gesture.h>
#include <Tavrix/Util/AlertBox.h>

#include <QAbstractEventDispatcher>
#include <QDesktopServices>
#include <QDir>
#include <QListWidget>
#include <QMouseEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <glog/logging.h>

#include <mutex>

#include <signal.h>

using namespace Tavrix::App;
namespace Win32 = Tavrix::Platform::Win32;

namespace WebCore {
// Stands for the web engine's shared timer, which the application mutes while a drag runs.
class SharedTimerQt : public QObject
{
    Q_OBJECT
public:
    int timerEvents = 0;

protected:
    void timerEvent(QTimerEvent*) override { ++timerEvents; }
};
} // namespace WebCore

namespace {

class TestApplication : public Application
{
public:
    using Application::Application;
    int onStartCalls = 0;
    void OnStart() override
    {
        ++onStartCalls;
        Application::OnStart();
    }

protected:
    std::chrono::milliseconds AutoUpdateCheckDelay() const override
    {
        return std::chrono::milliseconds(50);
    }
};

std::shared_ptr<TestCustomization> MakeCustomization(const std::string& productId)
{
    auto customization = std::make_shared<TestCustomization>(productId);
    customization->organization = "Tavrix Test Org";
    customization->application = "Test Product";
    customization->iconPath = "/icons/" + productId + ".png";
    customization->promptSuppressed = false;
    return customization;
}

struct CountingSplash : ISplash
{
    int activations = 0;
    void Activate() override { ++activations; }
};

struct CountingHandler : EventHandler
{
    int calls = 0;
    void OnNativeEvent(const QByteArray&, void*, long*) override { ++calls; }
};

TestApplication* App()
{
    return static_cast<TestApplication*>(QCoreApplication::instance());
}

bool SendNativeEvent(const QByteArray& type, void* message, long* result)
{
    return QAbstractEventDispatcher::instance()->filterNativeEvent(type, message, result);
}

QString Helper()
{
    return QStringLiteral(TAVRIX_TEST_HELPER);
}

} // namespace

class ApplicationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void identityWithoutLogging();
    void identityWithLogging();
    void splashFollowsActivationUntilStart();
    void storeFallbacks_data();
    void storeFallbacks();
    void startRunsOnce();
    void updateCheckRequestedLater();
    void nativeHandlers();
    void gestureRouterConsumesFirst();
    void sharedTimerMutedWhileDragging_data();
    void sharedTimerMutedWhileDragging();
    void scrollAreaGetsOneScroller();
    void webLinksOpenInPreferredBrowser_data();
    void webLinksOpenInPreferredBrowser();
    void runningMutexSeenByOtherProcess_data();
    void runningMutexSeenByOtherProcess();
    void sslTestOptions_data();
    void sslTestOptions();
    void collaboratorsReleasedInOrder();

private:
    std::shared_ptr<ISettingsManager> NewStore(const QString& name)
    {
        return std::make_shared<SettingsManager>(m_dir.filePath(name + QStringLiteral(".ini")),
                                                 QSettings::IniFormat);
    }

    QTemporaryDir m_dir;
    CapturingLogSink m_sink;
    std::shared_ptr<CountingSplash> m_splash = std::make_shared<CountingSplash>();
};

void ApplicationTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    App()->SetSplash(m_splash);
}

void ApplicationTest::cleanupTestCase()
{
    m_dir.setAutoRemove(!QTest::currentTestFailed());
}

void ApplicationTest::identityWithoutLogging()
{
    qunsetenv("GLOG_PRODUCT_NAME");
    m_sink.TakeLines();
    App()->SetCustomizationManager(MakeCustomization("NoLogProduct"), false);

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
}

void ApplicationTest::identityWithLogging()
{
    FLAGS_v = 2;
    m_sink.TakeLines();
    App()->SetCustomizationManager(MakeCustomization("LoggedProduct"), true);
    QCOMPARE(qgetenv("GLOG_PRODUCT_NAME"), QByteArray("LoggedProduct"));
    QVERIFY(IsGlogInitialized());
    QVERIFY(m_sink.TakeLines().contains(QStringLiteral("Verbose logging enabled. Level=2")));

    FLAGS_v = 0;
    App()->SetCustomizationManager(MakeCustomization("LoggedProduct"), true);
    QVERIFY(m_sink.TakeLines().filter(QStringLiteral("Verbose logging")).isEmpty());
}

void ApplicationTest::splashFollowsActivationUntilStart()
{
    const int before = m_splash->activations;
    QWidget window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QGuiApplication::applicationState(), Qt::ApplicationActive);
    QVERIFY(m_splash->activations > before);
}

void ApplicationTest::storeFallbacks_data()
{
    QTest::addColumn<bool>("common");
    QTest::addColumn<bool>("product");
    QTest::addColumn<bool>("mail");
    QTest::addColumn<QString>("expectedProduct");
    QTest::addColumn<QString>("expectedMail");
    QTest::newRow("none") << false << false << false << QString() << QString();
    QTest::newRow("common only") << true << false << false << "common"
                                 << "common";
    QTest::newRow("common and product") << true << true << false << "product"
                                        << "product";
    QTest::newRow("all three") << true << true << true << "product"
                               << "mail";
    QTest::newRow("mail only") << false << false << true << QString() << "mail";
}

void ApplicationTest::storeFallbacks()
{
    QFETCH(bool, common);
    QFETCH(bool, product);
    QFETCH(bool, mail);
    QFETCH(QString, expectedProduct);
    QFETCH(QString, expectedMail);

    const std::map<QString, std::shared_ptr<ISettingsManager>> stores{
        {QString(), nullptr},
        {"common", NewStore("common")},
        {"product", NewStore("product")},
        {"mail", NewStore("mail")}};
    App()->SetSettingsManager(common ? stores.at("common") : nullptr);
    App()->SetProductSettingsManager(product ? stores.at("product") : nullptr);
    App()->SetMailSettingsManager(mail ? stores.at("mail") : nullptr);

    QCOMPARE(App()->GetProductSettingsManager(), stores.at(expectedProduct));
    QCOMPARE(App()->GetMailSettingsManager(), stores.at(expectedMail));
    QCOMPARE(App()->GetSettingsManager(), common ? stores.at("common") : nullptr);

    App()->SetMailSettingsManager(nullptr);
    App()->SetProductSettingsManager(nullptr);
    App()->SetSettingsManager(nullptr);
}

void ApplicationTest::startRunsOnce()
{
    const auto product = NewStore("started-product");
    App()->SetSettingsManager(NewStore("started-common"));
    App()->SetProductSettingsManager(product);
    QSignalSpy started(App(), &Application::ApplicationStarted);
    const int activations = m_splash->activations;

    QVERIFY(!App()->IsStarted());
    App()->Start();
    App()->Start();

    QVERIFY(App()->IsStarted());
    QCOMPARE(App()->onStartCalls, 1);
    QCOMPARE(started.count(), 1);
    QCOMPARE(m_splash->activations, activations + 1);
    QCOMPARE(product->GetString("ArchitectBits", ""), std::string("x64"));
    QCOMPARE(QString::fromStdString(product->GetString("Path", "")),
             QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QVERIFY(!product->GetString("PreferredBrowser", "").empty());

    // After the start, activations are no longer the splash's business.
    QApplicationStateChangeEvent active(Qt::ApplicationActive);
    QCoreApplication::sendEvent(App(), &active);
    QCOMPARE(m_splash->activations, activations + 1);
}

void ApplicationTest::updateCheckRequestedLater()
{
    // Start() above found no "autoUpdate" key, so the request is due after the delay, once.
    QSignalSpy requested(App(), &Application::AutoUpdateCheckRequested);
    QVERIFY(requested.wait(10000));
    QCoreApplication::processEvents();
    QCOMPARE(requested.count(), 1);
}

void ApplicationTest::nativeHandlers()
{
    const auto twice = std::make_shared<CountingHandler>();
    const auto once = std::make_shared<CountingHandler>();
    App()->RegisterEventHandler(twice);
    App()->RegisterEventHandler(once);
    App()->RegisterEventHandler(twice);

    int payload = 0;
    long result = 0;
    QVERIFY(!SendNativeEvent("xcb_generic_event_t", &payload, &result));
    QCOMPARE(twice->calls, 2);
    QCOMPARE(once->calls, 1);

    App()->UnregisterEventHandler(twice);
    App()->UnregisterEventHandler(std::make_shared<CountingHandler>());
    SendNativeEvent("xcb_generic_event_t", &payload, &result);
    QCOMPARE(twice->calls, 3);
    QCOMPARE(once->calls, 2);

    App()->UnregisterEventHandler(twice);
    App()->UnregisterEventHandler(once);
    SendNativeEvent("xcb_generic_event_t", &payload, &result);
    QCOMPARE(twice->calls, 3);
    QCOMPARE(once->calls, 2);
}

void ApplicationTest::gestureRouterConsumesFirst()
{
    auto& api = Tavrix::Platform::GestureFunctions();
    const Tavrix::Platform::GestureApi saved = api;
    api.GetParent = [](Win32::HWND) -> Win32::HWND { return reinterpret_cast<Win32::HWND>(0x10); };
    api.DefWindowProcW = [](Win32::HWND, Win32::UINT, Win32::WPARAM,
                            Win32::LPARAM) -> Win32::LRESULT { return 42; };

    const auto handler = std::make_shared<CountingHandler>();
    App()->RegisterEventHandler(handler);
    Win32::MSG gesture{};
    gesture.hwnd = reinterpret_cast<Win32::HWND>(0x20);
    gesture.message = Win32::WM_GESTURE;
    long result = 0;

    // A gesture sent to a child window goes up to its parent and is consumed here.
    QVERIFY(SendNativeEvent("windows_generic_MSG", &gesture, &result));
    QCOMPARE(result, 42L);
    QCOMPARE(handler->calls, 0);

    // The same message under a type that is not the platform's message goes to the handlers.
    QVERIFY(!SendNativeEvent("xcb_generic_event_t", &gesture, &result));
    QCOMPARE(handler->calls, 1);

    // A notification is never consumed.
    Win32::MSG notify = gesture;
    notify.message = Win32::WM_GESTURENOTIFY;
    QVERIFY(!SendNativeEvent("windows_dispatcher_MSG", &notify, &result));
    QCOMPARE(handler->calls, 2);

    App()->UnregisterEventHandler(handler);
    api = saved;
}

void ApplicationTest::sharedTimerMutedWhileDragging_data()
{
    QTest::addColumn<QString>("mouse");
    QTest::addColumn<bool>("delivered");
    QTest::newRow("nothing") << "" << true;
    QTest::newRow("press") << "p" << true;
    QTest::newRow("double click") << "d" << true;
    QTest::newRow("move without button") << "m" << true;
    QTest::newRow("press and move") << "pm" << false;
    QTest::newRow("double click and move") << "dm" << false;
    QTest::newRow("press, move, release") << "pmr" << true;
    QTest::newRow("drag, release, move") << "pmrm" << true;
}

void ApplicationTest::sharedTimerMutedWhileDragging()
{
    QFETCH(QString, mouse);
    QFETCH(bool, delivered);

    QWidget target;
    const auto send = [&target](QEvent::Type type) {
        QMouseEvent event(type, QPointF(5, 5), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &event);
    };
    send(QEvent::MouseButtonRelease);
    for (const QChar step : mouse) {
        switch (step.toLatin1()) {
        case 'p':
            send(QEvent::MouseButtonPress);
            break;
        case 'd':
            send(QEvent::MouseButtonDblClick);
            break;
        case 'm':
            send(QEvent::MouseMove);
            break;
        case 'r':
            send(QEvent::MouseButtonRelease);
            break;
        }
    }

    WebCore::SharedTimerQt sharedTimer;
    QObject otherObject;
    QTimerEvent timer(1);
    QCoreApplication::sendEvent(&sharedTimer, &timer);
    QCOMPARE(sharedTimer.timerEvents, delivered ? 1 : 0);

    // Only that one class is muted.
    struct Counter : QObject
    {
        int events = 0;
        void timerEvent(QTimerEvent*) override { ++events; }
    } other;
    QCoreApplication::sendEvent(&other, &timer);
    QCOMPARE(other.events, 1);
    send(QEvent::MouseButtonRelease);
}

void ApplicationTest::scrollAreaGetsOneScroller()
{
    const auto scrollers = [](QObject* area) {
        int count = 0;
        for (QObject* child : area->children())
            count += qobject_cast<Gesture::Scroller*>(child) ? 1 : 0;
        return count;
    };
    QWidget window;
    auto* list = new QListWidget(&window);
    auto* text = new QTextEdit(&window);
    QCOMPARE(scrollers(list), 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(scrollers(list), 1);
    QCOMPARE(scrollers(text), 1);
    window.hide();
    window.show();
    list->hide();
    list->show();
    QCOMPARE(scrollers(list), 1);
    QCOMPARE(scrollers(text), 1);
    QCOMPARE(scrollers(&window), 0);
}

void ApplicationTest::webLinksOpenInPreferredBrowser_data()
{
    QTest::addColumn<bool>("productChoice");
    QTest::addColumn<bool>("installerChoice");
    QTest::newRow("product store") << true << false;
    QTest::newRow("installer store") << false << true;
    QTest::newRow("product wins") << true << true;
}

// The browser comes from the product store, else from the installer's store, both read when a
// link is opened.
void ApplicationTest::webLinksOpenInPreferredBrowser()
{
    QFETCH(bool, productChoice);
    QFETCH(bool, installerChoice);

    const QString record = m_dir.filePath(QStringLiteral("opened.txt"));
    QFile::remove(record);
    const auto writeBrowser = [&record](const QString& path) {
        QFile script(path);
        if (!script.open(QIODevice::WriteOnly))
            return false;
        script.write("#!/bin/sh\nprintf '%s %s' \"$0\" \"$1\" > \"" + QFile::encodeName(record)
                     + ".part\" && mv \"" + QFile::encodeName(record) + ".part\" \""
                     + QFile::encodeName(record) + "\"\n");
        script.close();
        return script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                     | QFileDevice::ExeOwner);
    };
    const QString productBrowser = m_dir.filePath(QStringLiteral("product-browser.sh"));
    const QString installerBrowser = m_dir.filePath(QStringLiteral("installer-browser.sh"));
    QVERIFY(writeBrowser(productBrowser));
    QVERIFY(writeBrowser(installerBrowser));

    App()->SetCustomizationManager(MakeCustomization("BrowserProduct"), false);
    const auto installer = App()->GetInstallerSettings("");
    QVERIFY(installer);
    installer->SetString("Browser", installerChoice ? installerBrowser.toStdString() : "");
    const auto product = NewStore("browser-product");
    product->SetString("PreferredBrowser", productChoice ? productBrowser.toStdString() : "");
    App()->SetProductSettingsManager(product);

    const QUrl url(QStringLiteral("https://example.com/page?x=1&y=two words"));
    QVERIFY(QDesktopServices::openUrl(url));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
    QFile opened(record);
    QVERIFY(opened.open(QIODevice::ReadOnly));
    const QString expected = (productChoice ? productBrowser : installerBrowser) + QLatin1Char(' ')
                             + QString::fromUtf8(url.toEncoded());
    QCOMPARE(QString::fromUtf8(opened.readAll()), expected);
    App()->SetProductSettingsManager(nullptr);
    installer->Remove("Browser");
}

void ApplicationTest::runningMutexSeenByOtherProcess_data()
{
    QTest::addColumn<QStringList>("holderArguments");
    QTest::addColumn<int>("lockWhileHeld");
    QTest::newRow("with mutex") << QStringList{"hold"} << 1;
    QTest::newRow("without mutex") << QStringList{"hold", "nomutex"} << 0;
}

void ApplicationTest::runningMutexSeenByOtherProcess()
{
    QFETCH(QStringList, holderArguments);
    QFETCH(int, lockWhileHeld);

    // Both helpers get a runtime folder of their own, so that this process's mutex is not seen.
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    const auto tryLock = [&] {
        QProcess locker;
        locker.setProcessEnvironment(environment);
        locker.start(Helper(), {QStringLiteral("trylock"),
                                QString::fromLatin1(Application::RUNNING_MUTEX_NAME)});
        return locker.waitForFinished(10000) ? locker.exitCode() : -1;
    };

    QProcess holder;
    holder.setProcessEnvironment(environment);
    holder.start(Helper(), holderArguments);
    QVERIFY(holder.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(holder.canReadLine() || holder.waitForReadyRead(100), 10000);
    QVERIFY(holder.readLine().startsWith("ready"));
    QCOMPARE(tryLock(), lockWhileHeld);

    ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
    QVERIFY(holder.waitForFinished(10000));
    QCOMPARE(tryLock(), 0);
}

void ApplicationTest::sslTestOptions_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("firstLine");
    QTest::newRow("none") << QStringList() << QByteArray("ready https=1");
    QTest::newRow("ssl-disable") << QStringList{"--ssl-disable"} << QByteArray("ready https=0");
    QTest::newRow("ssl-enable") << QStringList{"--ssl-enable"} << QByteArray("ready https=1");
    QTest::newRow("both") << QStringList{"--ssl-disable", "--ssl-enable"}
                          << QByteArray("exception: Invalid options combination.");
}

void ApplicationTest::sslTestOptions()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, firstLine);
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess helper;
    helper.setProcessEnvironment(environment);
    helper.start(Helper(), QStringList{"hold", "nomutex"} + options);
    QTRY_VERIFY_WITH_TIMEOUT(helper.canReadLine() || helper.waitForReadyRead(100), 10000);
    QCOMPARE(helper.readLine().trimmed(), firstLine);
    helper.kill();
    helper.waitForFinished(10000);
}

void ApplicationTest::collaboratorsReleasedInOrder()
{
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    environment.insert(QStringLiteral("TMPDIR"), runtime.path());
    QProcess helper;
    helper.setProcessEnvironment(environment);
    helper.start(Helper(), {QStringLiteral("release-order")});
    QVERIFY(helper.waitForFinished(20000));
    QCOMPARE(helper.exitCode(), 0);
    const QStringList lines
        = QString::fromUtf8(helper.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{"destroying", "product settings", "splash", "settings",
                                 "look and feel", "customization", "gateway", "destroyed"}));
}

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    TestApplication app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
