#pragma once

#include <Tavrix/App/Application/WorkingMode.h>
#include <Tavrix/App/applicationcore_export.h>
#include <Tavrix/Links/URLKeys.h>

#include <QApplication>
#include <QCommandLineOption>
#include <QList>

#include <chrono>
#include <deque>
#include <memory>
#include <string>

class QMainWindow;

namespace Tavrix {
class ILinksManager;
}

namespace Tavrix::ExternalStimulus {
class IGateway;
}

namespace Tavrix::App {

class EventHandler;
class ICustomizationManager;
class ILookAndFeelManager;
class ISettingsManager;
class ISplash;

/// The one application object of a product.
///
/// Construct it, hand it the collaborators (at least a settings store and the customization
/// manager), call Start() and run exec(). Everything else in the library finds it through
/// QCoreApplication::instance().
class APPLICATIONCORE_EXPORT Application : public QApplication
{
    Q_OBJECT

public:
    struct AppContext
    {
        /// Hold the running-instance mutex, so that other processes can see this one runs.
        bool createRunningMutex = true;
        /// Record the call stack of a crash of this run for GetCrashReport() at the next start
        /// (CrashTracker::InstallCrashHandlers()). Off for a product with crash handling of its
        /// own that must see the signals first.
        bool installCrashHandlers = true;
    };

    enum LaunchType { NotSet = 0, NewInstall = 1, Reinstall = 2, Update = 3, Regular = 4 };
    Q_ENUM(LaunchType)

    /// The name of the running-instance mutex.
    static const char* const RUNNING_MUTEX_NAME;
    /// The name of the mutex that the installer holds while it runs.
    static const char* const INSTALLER_MUTEX_NAME;
    /// The age limit in days meant for ClearApplicationTemporaryFiles().
    static constexpr int DAYS_TO_FILE_EXPIRE = 10;

    Application(int& argc, char** argv);
    Application(int& argc, char** argv, const AppContext& context);
    ~Application() override;

    /// Decides what kind of launch this is against `store`, comparing its record of the last
    /// version and installer date-time with the running ones, and updates that record. The
    /// product store's "ProductInstallType" keeps the last decision other than Regular.
    virtual LaunchType CheckFirstLaunch(const std::shared_ptr<ISettingsManager>& store) const;

    /// Activates the splash and runs OnStart(), once per process; later calls do nothing.
    virtual void Start();
    /// Records the browser, bitness and installation path in the product store, handles the
    /// test options and the start-up prompts, and emits ApplicationStarted().
    virtual void OnStart();
    bool IsStarted() const;
    /// True once a quit request was accepted.
    bool IsQuitting() const;
    /// Asks to quit; a product refuses by overriding TryToQuitImpl(). Remembers the answer.
    bool TryToQuit();
    /// Restarts the product with `arguments`, asking first in the interactive mode.
    virtual void TryToRestart(Tavrix::Enums::WorkingMode mode, QString arguments);

    /// The launch type against the product store, decided once per process.
    LaunchType GetProductLaunchType() const;
    /// The launch type against the common store, decided once per process (after the product's).
    LaunchType GetLaunchType() const;
    /// A new installation or an update, against the product store.
    bool IsFirstProductLaunch() const;
    /// A new installation or an update, against the common store.
    bool IsFirstLaunch() const;
    /// Whole days since the first start of this version; 0 when it is not recorded.
    int GetDaysPassed() const;
    /// A new store of the installer's settings for `product`, or for this product's id when
    /// `product` is empty.
    std::shared_ptr<ISettingsManager> GetInstallerSettings(const std::string& product) const;
    /// Waits up to half a second for a running installer to end. When it still runs, starts
    /// "InstallerMessage.vbs" from the working folder and answers true.
    static bool CheckRunnedInstaller();

    /// The product's own temporary folder (created when missing), ending in a separator.
    QString GetApplicationTemporaryFilesDir() const;
    /// Removes the files of the temporary folder older than `days` days.
    void ClearApplicationTemporaryFiles(int days) const;

    /// This run's crash-session id.
    std::string SessionId() const;
    /// The runs found at start-up that ended without a clean shutdown.
    std::deque<std::string> GetCrashedSessions() const;
    bool HasUnreportedCrash() const;
    /// The readable crash report of a session from GetCrashedSessions(): the signal or uncaught
    /// exception and the call stack (CrashTracker::GetCrashReport()).
    std::string GetCrashReport(const std::string& sessionId) const;
    /// Forgets the crashed runs, their reports and this run's record (a crash of this run then
    /// goes unnoticed).
    void ClearCrashes();

    void SetSettingsManager(std::shared_ptr<ISettingsManager> manager);
    void SetProductSettingsManager(std::shared_ptr<ISettingsManager> manager);
    void SetMailSettingsManager(std::shared_ptr<ISettingsManager> manager);
    void SetLookAndFeel(std::shared_ptr<ILookAndFeelManager> manager);
    void SetSplash(std::shared_ptr<ISplash> splash);
    void
    SetExternalStimulusGateway(const std::shared_ptr<Tavrix::ExternalStimulus::IGateway>& gateway);
    /// Stores the manager and gives Qt the product's names and version. With `initLogging` it
    /// first puts "GLOG_PRODUCT_NAME" into the environment and sets up glog. A null manager is
    /// refused with a warning.
    void SetCustomizationManager(std::shared_ptr<ICustomizationManager> manager, bool initLogging);
    /// The parent of the dialogs the library opens by itself; the application keeps no copy.
    void SetMainWindow(QMainWindow* window);

    std::shared_ptr<ISettingsManager> GetSettingsManager() const;
    /// The product store, or the common store when none was set.
    std::shared_ptr<ISettingsManager> GetProductSettingsManager() const;
    /// The mail store, or GetProductSettingsManager() when none was set.
    std::shared_ptr<ISettingsManager> GetMailSettingsManager() const;
    std::shared_ptr<ILookAndFeelManager> GetLookAndFeel() const;
    std::shared_ptr<ISplash> GetSplash() const;
    std::shared_ptr<ICustomizationManager> GetCustomizationManager() const;
    std::shared_ptr<Tavrix::ExternalStimulus::IGateway> GetExternalStimulusGateway() const;
    QWidget* GetMainWindow() const;
    QString GetPreferredBrowserUserAgent() const;

    /// The product's links, made on first use from the customization manager, the look-and-feel
    /// manager and the mail store. Without one of them it throws std::logic_error ("NotNull can
    /// not initialized by null") and keeps nothing, so that a later call tries again.
    std::shared_ptr<Tavrix::ILinksManager> GetLinksManager() const;
    /// The link of `key` in the current locale, empty when the product has none. Throws as
    /// GetLinksManager() does.
    virtual QString GetUrl(const Tavrix::URLKeys& key) const;
    /// The customization manager's application name, else Qt's.
    QString ApplicationName() const;
    /// The product name for an About box; empty, with a warning, before a customization manager
    /// is set.
    QString GetProductNameAbout() const;

    /// Opens the thank-you page after an installation, or hands that action to the gateway.
    void OpenThankForInstall() const;

    /// Native events go to the gesture router first; what it leaves goes to every handler, in
    /// registration order. A handler registered twice runs twice.
    void RegisterEventHandler(std::shared_ptr<EventHandler> handler);
    /// Removes one registration of `handler`.
    void UnregisterEventHandler(std::shared_ptr<EventHandler> handler);

    bool notify(QObject* receiver, QEvent* event) override;

Q_SIGNALS:
    void AutoUpdateCheckRequested();
    void ApplicationStarted();
    void BeforeShowEmailDialog();
    void AfterShowEmailDialog();

protected Q_SLOTS:
    void OnAboutToQuit();

protected:
    /// Shows the e-mail dialog on the first launch, or hands that action to the gateway.
    void ShowEmailDialogIfNeeded();
    /// How long after the start AutoUpdateCheckRequested() is emitted: five seconds.
    virtual std::chrono::milliseconds AutoUpdateCheckDelay() const;

private:
    /// Quits the event loop and accepts; products override it to refuse.
    virtual bool TryToQuitImpl();
    /// Products add their own test options here; "--test-help" lists them after the core's.
    virtual QList<QCommandLineOption> GetAdditionalTestOptions() const;
    /// Whether this launch opens the thank-you page: after a new installation, a reinstallation
    /// or an update. Products override it to narrow the condition.
    virtual bool NeedOpenUrlThankForInstall() const;

    void OpenUrlThankForInstall() const;
    void ShowEmailDialog();
    void RequestCheckAutoUpdate() const;

    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
