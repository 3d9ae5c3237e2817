#include <Tavrix/App/Application/Application.h>

#include "AppTest_p.h"
#include "NativeEventFilter_p.h"

#include <Tavrix/App/Application/CrashTracker.h>
#include <Tavrix/App/Application/EventHandler.h>
#include <Tavrix/App/Application/GestureScroller.h>
#include <Tavrix/App/Application/ICustomizationManager.h>
#include <Tavrix/App/Application/IGateway.h>
#include <Tavrix/App/Application/ILookAndFeelManager.h>
#include <Tavrix/App/Application/ISettingsManager.h>
#include <Tavrix/App/Application/ISplash.h>
#include <Tavrix/App/Application/RestartApplication.h>
#include <Tavrix/App/Application/SettingsManager.h>
#include <Tavrix/App/InitGlog.h>
#include <Tavrix/Browser/PreferredBrowser.h>
#include <Tavrix/Browser/URLHandler.h>
#include <Tavrix/Core/SleepFor.h>
#include <Tavrix/Core/StringConversion.h>
#include <Tavrix/Platform/Environment.h>
#include <Tavrix/Platform/NamedMutex.h>
#include <Tavrix/Platform/ProcessStart.h>
#include <Tavrix/Util/AlertBox.h>
#include <Tavrix/Util/AppMutexLocker.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/RemoveDir.h>
#include <Tavrix/Util/SpontaneousDialog.h>

#include <QAbstractScrollArea>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QMainWindow>
#include <QTimer>

#include <boost/optional.hpp>
#include <glog/logging.h>

#include <chrono>
#include <string>

#ifndef TAVRIX_BUILD_COMMIT
#define TAVRIX_BUILD_COMMIT "0000000"
#endif

namespace Tavrix::App {

const char* const Application::RUNNING_MUTEX_NAME = "{21DFF22F-31CB-AC42-1234-320A1D87E1BE}";
const char* const Application::INSTALLER_MUTEX_NAME = "{FA31FB03-9234-7777-41AF-F01E3257AB04}";

namespace {

const QStringList& BuildInformation()
{
    static const QStringList lines{QStringLiteral("Build commit: ")
                                   + QLatin1String(TAVRIX_BUILD_COMMIT)};
    return lines;
}

// Drag state for the web engine's timer workaround; touched only on the GUI thread.
bool mouseButtonDown = false;
bool mouseDragging = false;

} // namespace

class Application::Private
{
public:
    std::shared_ptr<Platform::NamedMutex> runningMutex;
    std::unique_ptr<NativeEventFilter> nativeEventFilter;
    std::shared_ptr<ICustomizationManager> customizationManager;
    std::shared_ptr<ILookAndFeelManager> lookAndFeel;
    std::shared_ptr<ISettingsManager> settingsManager;
    std::shared_ptr<ISplash> splash;
    std::shared_ptr<ISettingsManager> productSettingsManager;
    std::shared_ptr<ISettingsManager> mailSettingsManager;
    bool started = false;
    bool quitting = false;
    CrashTracker crashTracker;
    boost::optional<LaunchType> productLaunchType;
    boost::optional<LaunchType> launchType;
    URLHandler* urlHandler = nullptr;
    std::shared_ptr<PreferredBrowser> preferredBrowser = std::make_shared<PreferredBrowser>();
    std::shared_ptr<ExternalStimulus::IGateway> gateway;
};

Application::Application(int& argc, char** argv) : Application(argc, argv, AppContext()) {}

Application::Application(int& argc, char** argv, const AppContext& context)
    : QApplication(argc, argv), d(std::make_unique<Private>())
{
    d->nativeEventFilter = std::make_unique<NativeEventFilter>(this);
    if (context.createRunningMutex)
        d->runningMutex = std::make_shared<Platform::NamedMutex>(
            QString::fromStdWString(Core::WstringFromUtf8(RUNNING_MUTEX_NAME)));
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
    installNativeEventFilter(d->nativeEventFilter.get());

    d->urlHandler = new URLHandler(this, d->preferredBrowser);
    QDesktopServices::setUrlHandler(QStringLiteral("http"), d->urlHandler,
                                    "OpenURLWithPreferredBrowser");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), d->urlHandler,
                                    "OpenURLWithPreferredBrowser");

    connect(this, &QCoreApplication::aboutToQuit, this, &Application::OnAboutToQuit);

    AppTest::HandleGlobalTestOptions();

    d->preferredBrowser->SetContextCallback([this] {
        AbstractPreferredBrowser::PreferredBrowserContext context;
        if (d->lookAndFeel)
            context.currentLocale = Util::Utf8ToQString(d->lookAndFeel->GetCurrentLocale());
        if (d->customizationManager) {
            if (const auto installer = GetInstallerSettings(""))
                context.installerBrowser = Util::Utf8ToQString(installer->GetString("Browser", ""));
        }
        if (const auto store = GetProductSettingsManager())
            context.preferredBrowser
                = Util::Utf8ToQString(store->GetString("PreferredBrowser", ""));
        return context;
    });
}

Application::~Application()
{
    d->productSettingsManager.reset();
    d->splash.reset();
    d->settingsManager.reset();
    d->lookAndFeel.reset();
    d->customizationManager.reset();
}

void Application::Start()
{
    if (d->started)
        return;
    d->started = true;
    if (d->splash)
        d->splash->Activate();
    OnStart();
}

void Application::OnStart()
{
    const QString browserPath = d->preferredBrowser->Path();
    VLOG(30) << "Preferred browser path" << browserPath.toStdString();

    const auto store = GetProductSettingsManager();
    store->SetString("PreferredBrowser", Util::QStringToUtf8(browserPath));
    store->SetString("ArchitectBits", "x" + Util::AppBits());
    store->SetString(
        "Path", Util::QStringToUtf8(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())
                                    + QDir::separator()));

    AppTest::HandleTestOptions(GetAdditionalTestOptions(), *this);

    if (d->customizationManager->GetDistributionKind() == 0
        && !d->customizationManager->IsPromptSuppressed()) {
        ShowEmailDialogIfNeeded();
        OpenThankForInstall();
    }
    RequestCheckAutoUpdate();
    Q_EMIT ApplicationStarted();
}

bool Application::IsStarted() const
{
    return d->started;
}

bool Application::IsQuitting() const
{
    return d->quitting;
}

void Application::SetSettingsManager(std::shared_ptr<ISettingsManager> manager)
{
    d->settingsManager = std::move(manager);
}

void Application::SetProductSettingsManager(std::shared_ptr<ISettingsManager> manager)
{
    d->productSettingsManager = std::move(manager);
}

void Application::SetMailSettingsManager(std::shared_ptr<ISettingsManager> manager)
{
    d->mailSettingsManager = std::move(manager);
}

void Application::SetLookAndFeel(std::shared_ptr<ILookAndFeelManager> manager)
{
    d->lookAndFeel = std::move(manager);
}

void Application::SetSplash(std::shared_ptr<ISplash> splash)
{
    d->splash = std::move(splash);
}

void Application::SetExternalStimulusGateway(
    const std::shared_ptr<ExternalStimulus::IGateway>& gateway)
{
    d->gateway = gateway;
}

void Application::SetCustomizationManager(std::shared_ptr<ICustomizationManager> manager,
                                          bool initLogging)
{
    d->customizationManager = std::move(manager);
    const auto& customization = *d->customizationManager;
    if (initLogging) {
        Platform::PutEnvironment(
            Core::WstringFromUtf8("GLOG_PRODUCT_NAME=" + customization.GetProductId()));
        InitGlog(std::string());
    }
    QCoreApplication::setApplicationName(
        QString::fromStdString(customization.GetApplicationName()));
    const QString version = Util::VersionToString(customization.GetVersion(), Util::MajorMinorPatch,
                                                  QStringLiteral("."));
    QCoreApplication::setApplicationVersion(version);
    QCoreApplication::setOrganizationName(
        QString::fromStdString(customization.GetOrganizationName()));

    LOG(INFO) << "Product Version: " << version.toStdString();
    for (const QString& line : BuildInformation())
        LOG(INFO) << line.toStdString();
    if (FLAGS_v >= 1)
        LOG(INFO) << "Verbose logging enabled. Level=" << FLAGS_v;
    Util::AlertBox::SetApplicationIcon(
        QString::fromStdString(customization.GetApplicationIconPath()));
}

void Application::SetMainWindow(QMainWindow* window)
{
    Util::SpontaneousDialog::SetMainWindow(window);
}

std::shared_ptr<ISettingsManager> Application::GetSettingsManager() const
{
    return d->settingsManager;
}

std::shared_ptr<ISettingsManager> Application::GetProductSettingsManager() const
{
    return d->productSettingsManager ? d->productSettingsManager : d->settingsManager;
}

std::shared_ptr<ISettingsManager> Application::GetMailSettingsManager() const
{
    return d->mailSettingsManager ? d->mailSettingsManager : GetProductSettingsManager();
}

std::shared_ptr<ILookAndFeelManager> Application::GetLookAndFeel() const
{
    return d->lookAndFeel;
}

std::shared_ptr<ISplash> Application::GetSplash() const
{
    return d->splash;
}

std::shared_ptr<ICustomizationManager> Application::GetCustomizationManager() const
{
    return d->customizationManager;
}

std::shared_ptr<ExternalStimulus::IGateway> Application::GetExternalStimulusGateway() const
{
    return d->gateway;
}

QWidget* Application::GetMainWindow() const
{
    return Util::SpontaneousDialog::GetMainWindow();
}

QString Application::GetPreferredBrowserUserAgent() const
{
    return d->preferredBrowser->UserAgent();
}

void Application::RegisterEventHandler(std::shared_ptr<EventHandler> handler)
{
    d->nativeEventFilter->handlers.append(std::move(handler));
}

void Application::UnregisterEventHandler(std::shared_ptr<EventHandler> handler)
{
    auto& handlers = d->nativeEventFilter->handlers;
    for (int i = 0; i < handlers.size(); ++i) {
        if (handlers.at(i).get() == handler.get()) {
            handlers.removeAt(i);
            return;
        }
    }
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Timer:
        // The old web engine's shared timer starves the event loop while a drag runs.
        if (mouseDragging && receiver
            && qstrcmp(receiver->metaObject()->className(), "WebCore::SharedTimerQt") == 0)
            return false;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        mouseButtonDown = true;
        break;
    case QEvent::MouseButtonRelease:
        mouseDragging = false;
        mouseButtonDown = false;
        break;
    case QEvent::MouseMove:
        if (mouseButtonDown)
            mouseDragging = true;
        break;
    case QEvent::Show:
        if (auto* scrollArea = qobject_cast<QAbstractScrollArea*>(receiver)) {
            const QObjectList& children = scrollArea->children();
            const bool hasScroller
                = std::any_of(children.cbegin(), children.cend(), [](QObject* child) {
                      return qobject_cast<Gesture::Scroller*>(child) != nullptr;
                  });
            if (!hasScroller)
                new Gesture::Scroller(scrollArea);
        }
        break;
    case QEvent::ApplicationStateChange:
        if (!d->started && QGuiApplication::applicationState() == Qt::ApplicationActive
            && d->splash)
            d->splash->Activate();
        break;
    default:
        break;
    }
    return QApplication::notify(receiver, event);
}

void Application::OnAboutToQuit()
{
    d->crashTracker.StopSession();
}

QList<QCommandLineOption> Application::GetAdditionalTestOptions() const
{
    return {};
}

void Application::OpenThankForInstall() const
{
    if (d->gateway)
        d->gateway->Post({"THANK_FOR_INSTALL", [this] { OpenUrlThankForInstall(); }});
    else
        OpenUrlThankForInstall();
}

void Application::OpenUrlThankForInstall() const
{
    // The thank-you page needs the links manager, which is not part of the core yet.
}

void Application::ShowEmailDialogIfNeeded()
{
    if (d->gateway)
        d->gateway->Post({"EMAIL_DIALOG", [this] { ShowEmailDialog(); }});
    else
        ShowEmailDialog();
}

void Application::ShowEmailDialog()
{
    // The e-mail dialog needs the mail prompt library, which is not part of the core yet.
}

void Application::RequestCheckAutoUpdate() const
{
    if (GetProductSettingsManager()->GetBool("autoUpdate", true))
        QTimer::singleShot(5000, this, &Application::AutoUpdateCheckRequested);
}

} // namespace Tavrix::App

namespace Tavrix::App {

namespace {

std::string CurrentVersionKey()
{
    return Util::QStringToUtf8(
        QCoreApplication::applicationVersion().replace(QLatin1Char('.'), QLatin1Char('-')));
}

} // namespace

Application::LaunchType
Application::CheckFirstLaunch(const std::shared_ptr<ISettingsManager>& store) const
{
    const auto product = GetProductSettingsManager();
    if (!store || !product) {
        LOG(WARNING) << "The launch type needs the settings stores";
        return NotSet;
    }
    const std::string current = CurrentVersionKey();
    const std::string last = store->GetString("Version", "");
    const std::string installDateTime = product->GetString("DateTime", "");
    const int storedType = product->GetInt("ProductInstallType", NotSet);
    // Against another store the product's recorded decision stands; a value that is no launch
    // type counts as none recorded.
    const bool takeProductType = store != product && storedType > NotSet && storedType <= Regular;

    if (last == current) {
        if (store->GetString("InstallDateTime", "") == installDateTime)
            return Regular;
        store->SetString("InstallDateTime", installDateTime);
        if (takeProductType)
            return static_cast<LaunchType>(storedType);
        product->SetInt("ProductInstallType", Reinstall);
        return Reinstall;
    }

    store->SetString("Version", current);
    const bool startedBefore = !store->GetString("DateOfFirstStart", "").empty();
    store->SetString("IsRun", "1");
    store->SetString("DateOfFirstStart",
                     Util::QStringToUtf8(QDateTime::currentDateTime().toString(Qt::TextDate)));
    store->SetString("InstallDateTime", installDateTime);
    if (takeProductType)
        return static_cast<LaunchType>(storedType);
    const LaunchType type = startedBefore ? Update : NewInstall;
    product->SetInt("ProductInstallType", type);
    return type;
}

Application::LaunchType Application::GetProductLaunchType() const
{
    const auto product = GetProductSettingsManager();
    if (!product)
        return NotSet;
    if (!d->productLaunchType)
        d->productLaunchType = CheckFirstLaunch(product);
    if (product == d->settingsManager)
        d->launchType = d->productLaunchType;
    return *d->productLaunchType;
}

Application::LaunchType Application::GetLaunchType() const
{
    GetProductLaunchType();
    if (!d->settingsManager)
        return d->launchType.value_or(NotSet);
    if (!d->launchType)
        d->launchType = CheckFirstLaunch(d->settingsManager);
    return *d->launchType;
}

bool Application::IsFirstProductLaunch() const
{
    const LaunchType type = GetProductLaunchType();
    return type == NewInstall || type == Update;
}

bool Application::IsFirstLaunch() const
{
    const LaunchType type = GetLaunchType();
    return type == NewInstall || type == Update;
}

int Application::GetDaysPassed() const
{
    const auto product = GetProductSettingsManager();
    if (!product)
        return 0;
    const QDateTime now = QDateTime::currentDateTime();
    const std::string firstStart
        = product->GetString("DateOfFirstStart", Util::QStringToUtf8(now.toString(Qt::TextDate)));
    return static_cast<int>(
        QDateTime::fromString(Util::Utf8ToQString(firstStart), Qt::TextDate).daysTo(now));
}

std::shared_ptr<ISettingsManager>
Application::GetInstallerSettings(const std::string& product) const
{
    std::string name = product;
    if (name.empty()) {
        if (!d->customizationManager) {
            LOG(WARNING)
                << "The installer's settings need a product name or the customization manager";
            return nullptr;
        }
        name = d->customizationManager->GetProductId();
    }
    return std::make_shared<SettingsManager>(Util::Utf8ToQString(name), QStringLiteral("Tavrix"));
}

bool Application::CheckRunnedInstaller()
{
    Util::AppMutexLocker locker({INSTALLER_MUTEX_NAME});
    if (locker.TryLockAppMutex())
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (std::chrono::steady_clock::now() <= deadline) {
        if (locker.TryLockAppMutex())
            return false;
        Core::SleepFor(1);
    }
    Platform::StartProcess(QStringLiteral("InstallerMessage.vbs"));
    return true;
}

QString Application::GetApplicationTemporaryFilesDir() const
{
    const QString folderName
        = d->customizationManager
              ? QString::fromStdString(d->customizationManager->GetProductFolderName())
              : QString();
    const QString path = QDir::toNativeSeparators(QDir::tempPath() + QDir::separator() + folderName
                                                  + QDir::separator() + QStringLiteral("temp")
                                                  + QDir::separator());
    QDir().mkpath(path);
    return path;
}

void Application::ClearApplicationTemporaryFiles(int days) const
{
    const QDir folder(GetApplicationTemporaryFilesDir());
    const QString path = folder.absolutePath();
    LOG(INFO) << "Removing all temporary files from directory " << Util::QStringToUtf8(path);
    // A folder name with ".." or a planted link must not turn the clearing onto other files.
    const QString tempRoot = QDir(QDir::tempPath()).canonicalPath();
    const QString real = folder.canonicalPath();
    if (tempRoot.isEmpty() || real.isEmpty() || !real.startsWith(tempRoot + QLatin1Char('/'))) {
        LOG(WARNING) << "The temporary folder " << Util::QStringToUtf8(path)
                     << " is not inside the system's temporary folder; nothing is removed";
        return;
    }
    Util::RemoveDir(real, days, false);
}

std::string Application::SessionId() const
{
    return d->crashTracker.SessionId();
}

std::deque<std::string> Application::GetCrashedSessions() const
{
    return d->crashTracker.BadSessionsList();
}

bool Application::HasUnreportedCrash() const
{
    return d->crashTracker.HasUnreportedCrash();
}

void Application::ClearCrashes()
{
    d->crashTracker.ClearHistory();
}

bool Application::TryToQuit()
{
    d->quitting = TryToQuitImpl();
    return d->quitting;
}

bool Application::TryToQuitImpl()
{
    QCoreApplication::quit();
    return true;
}

void Application::TryToRestart(Tavrix::Enums::WorkingMode mode, QString arguments)
{
    RestartApplication(mode, QPixmap(), arguments);
}

} // namespace Tavrix::App
