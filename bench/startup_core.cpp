// A product built on the application core: display set-up, the application with its stores,
// identity and logging, the sample product's themes and translations, the start-up sequence and a
// window; it quits after the first pass of the event loop.
#include "StartupWindow.h"

#include "DemoLookAndFeel.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QMainWindow>
#include <QTimer>

#include <memory>

namespace {

class Customization : public Tavrix::App::ICustomizationManager
{
public:
    void ApplyLocale(const std::string&) override {}
    std::string GetOrganizationName() const override { return "Tavrix"; }
    Tavrix::Core::Version GetVersion() const override { return {4, 1, 0}; }
    std::string GetProductFolderName() const override { return "StartupBench"; }
    std::string GetApplicationName() const override { return "Tavrix Demo"; }
    std::string GetProductNameAbout() const override { return "Tavrix Demo"; }
    std::string GetApplicationIconPath() const override { return ":/demo/icon.png"; }
    std::string GetModuleName() const override { return "bench"; }
    std::string GetProductId() const override { return "StartupBench"; }
    bool IsPromptSuppressed() const override { return true; }
    int GetDistributionKind() const override { return 1; }
    std::string GetAfterInstallPage() const override { return {}; }
    bool IsEmailDialogEnabled() const override { return false; }
};

} // namespace

int main(int argc, char* argv[])
{
    Tavrix::App::HighDpiFix();
    Tavrix::App::Application app(argc, argv);
    app.SetSettingsManager(std::make_shared<Tavrix::App::SettingsManager>(
        QStringLiteral("Common"), QStringLiteral("Tavrix")));
    app.SetProductSettingsManager(std::make_shared<Tavrix::App::SettingsManager>(
        QStringLiteral("StartupBench"), QStringLiteral("Tavrix")));
    app.SetCustomizationManager(std::make_shared<Customization>(), true);
    app.SetLookAndFeel(StartDemoLookAndFeel(TAVRIX_DEMO_RESOURCES, "en_US", "Light"));

    const std::unique_ptr<QMainWindow> window(CreateStartupWindow());
    app.SetMainWindow(window.get());
    app.Start();
    window->show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
