#include <Tavrix/App/Application/Application.h>

#include "AppTest_p.h"
#include "Application_p.h"
#include "TouchGestureProducer_p.h"

#include <Tavrix/App/Application/EventHandler.h>
#include <Tavrix/App/Application/GestureScroller.h>
#include <Tavrix/App/Application/ICustomizationManager.h>
#include <Tavrix/App/Application/ILookAndFeelManager.h>
#include <Tavrix/App/Application/ISettingsManager.h>
#include <Tavrix/App/Application/ISplash.h>
#include <Tavrix/App/InitGlog.h>
#include <Tavrix/Browser/URLHandler.h>
#include <Tavrix/Core/StringConversion.h>
#include <Tavrix/Platform/Environment.h>
#include <Tavrix/Util/AlertBox.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/SpontaneousDialog.h>

#include <QAbstractScrollArea>
#include <QDesktopServices>
#include <QDir>
#include <QMainWindow>

#include <glog/logging.h>

#include <algorithm>
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

Application::Application(int& argc, char** argv) : Application(argc, argv, AppContext()) {}

Application::Application(int& argc, char** argv, const AppContext& context)
    : QApplication(argc, argv), d(std::make_unique<Private>())
{
    if (context.installCrashHandlers)
        d->crashTracker.InstallCrashHandlers();
    d->nativeEventFilter = std::make_unique<NativeEventFilter>(this);
    if (context.createRunningMutex)
        d->runningMutex
            = std::make_shared<Platform::NamedMutex>(Util::Utf8ToQString(RUNNING_MUTEX_NAME));
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
    installNativeEventFilter(d->nativeEventFilter.get());
    installEventFilter(new TouchGestureProducer(this));

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
    VLOG(30) << "Preferred browser path" << Util::QStringToUtf8(browserPath);

    const auto store = GetProductSettingsManager();
    store->SetString("PreferredBrowser", Util::QStringToUtf8(browserPath));
    store->SetString("ArchitectBits", "x" + Util::AppBits());
    store->SetString(
        "Path", Util::QStringToUtf8(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())
                                    + QDir::separator()));

    AppTest::HandleTestOptions(GetAdditionalTestOptions(), this);

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
    if (!manager) {
        LOG(WARNING) << "No customization manager given; the current one stays";
        return;
    }
    d->customizationManager = std::move(manager);
    const auto& customization = *d->customizationManager;
    if (initLogging) {
        Platform::PutEnvironment(
            Core::WstringFromUtf8("GLOG_PRODUCT_NAME=" + customization.GetProductId()));
        InitGlog(std::string());
    }
    QCoreApplication::setApplicationName(Util::Utf8ToQString(customization.GetApplicationName()));
    const QString version = Util::VersionToString(customization.GetVersion(), Util::MajorMinorPatch,
                                                  QStringLiteral("."));
    QCoreApplication::setApplicationVersion(version);
    QCoreApplication::setOrganizationName(Util::Utf8ToQString(customization.GetOrganizationName()));

    LOG(INFO) << "Product Version: " << Util::QStringToUtf8(version);
    for (const QString& line : BuildInformation())
        LOG(INFO) << Util::QStringToUtf8(line);
    if (FLAGS_v >= 1)
        LOG(INFO) << "Verbose logging enabled. Level=" << FLAGS_v;
    Util::AlertBox::SetApplicationIcon(Util::Utf8ToQString(customization.GetApplicationIconPath()));
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

} // namespace Tavrix::App
