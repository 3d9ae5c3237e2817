#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <QApplication>
#include <QCommandLineOption>
#include <QList>

#include <memory>

class QMainWindow;

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
    };

    enum LaunchType { NotSet = 0, NewInstall = 1, Reinstall = 2, Update = 3, Regular = 4 };
    Q_ENUM(LaunchType)

    /// The name of the running-instance mutex.
    static const char* const RUNNING_MUTEX_NAME;

    Application(int& argc, char** argv);
    Application(int& argc, char** argv, const AppContext& context);
    ~Application() override;

    /// Activates the splash and runs OnStart(), once per process; later calls do nothing.
    virtual void Start();
    /// Records the browser, bitness and installation path in the product store, handles the
    /// test options and the start-up prompts, and emits ApplicationStarted().
    virtual void OnStart();
    bool IsStarted() const;
    bool IsQuitting() const;

    void SetSettingsManager(std::shared_ptr<ISettingsManager> manager);
    void SetProductSettingsManager(std::shared_ptr<ISettingsManager> manager);
    void SetMailSettingsManager(std::shared_ptr<ISettingsManager> manager);
    void SetLookAndFeel(std::shared_ptr<ILookAndFeelManager> manager);
    void SetSplash(std::shared_ptr<ISplash> splash);
    void SetExternalStimulusGateway(const std::shared_ptr<Tavrix::ExternalStimulus::IGateway>& gateway);
    /// Stores the manager and gives Qt the product's names and version. With `initLogging` it
    /// first puts "GLOG_PRODUCT_NAME" into the environment and sets up glog.
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
    void ShowEmailDialogIfNeeded();

public:
    void OpenThankForInstall() const;

private:
    /// Products add their own test options here.
    virtual QList<QCommandLineOption> GetAdditionalTestOptions() const;

    void OpenUrlThankForInstall() const;
    void ShowEmailDialog();
    void RequestCheckAutoUpdate() const;

    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
