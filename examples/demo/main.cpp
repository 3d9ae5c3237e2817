#include "DemoApplication.h"
#include "DemoCustomization.h"
#include "DemoLookAndFeel.h"
#include "DemoSplash.h"
#include "DialogsPage.h"
#include "MainWindow.h"

#include <Tavrix/App/ApplicationCore.h>
#include <Tavrix/Exception.h>

#include <QCommandLineParser>
#include <QTimer>

#include <glog/logging.h>

#include <iostream>

namespace {

struct DemoOptions
{
    QString screenshotFile;
    bool quitAfterStart = false;
    QString locale;
    QString theme;
    QString page;
    QString dialog;
};

// The demo's own options; the test options of the core are left for it to handle.
DemoOptions ParseDemoOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addOptions(DemoApplication::DemoOptions());
    parser.parse(arguments);
    return {parser.value(QStringLiteral("screenshot")),
            parser.isSet(QStringLiteral("quit-after-start")),
            parser.value(QStringLiteral("locale")),
            parser.value(QStringLiteral("theme")),
            parser.value(QStringLiteral("page")),
            parser.value(QStringLiteral("show-dialog"))};
}

// The themes and translations shipped in the resources folder, in the language and theme picked
// last (or given on the command line).
std::shared_ptr<Tavrix::App::LookAndFeelManager>
StartLookAndFeel(const DemoOptions& options, Tavrix::App::ISettingsManager& productStore)
{
    namespace Names = Tavrix::App::LookAndFeelNames;
    if (!options.locale.isEmpty())
        productStore.SetString(Names::LOCALE, options.locale.toStdString());
    if (!options.theme.isEmpty())
        productStore.SetString(Names::THEME, options.theme.toStdString());
    return StartDemoLookAndFeel(Tavrix::App::GetPathToResources(),
                                productStore.GetString(Names::LOCALE, Names::UNKNOWN_LOCALE),
                                productStore.GetString(Names::THEME, Names::LIGHT));
}

} // namespace

int main(int argc, char* argv[])
{
    Q_INIT_RESOURCE(demo);
    Tavrix::App::HighDpiFix();
    Tavrix::App::UseDesktopOpenGL();
    std::unique_ptr<DemoApplication> application;
    try {
        application = std::make_unique<DemoApplication>(argc, argv);
    } catch (const Tavrix::Exception& error) {
        std::cerr << error.what() << std::endl;
        return 2;
    }
    DemoApplication& app = *application;
    const DemoOptions options = ParseDemoOptions(QCoreApplication::arguments());

    const auto customization = std::make_shared<DemoCustomization>();
    // Runs that only take a picture or measure the start are not interrupted by prompts.
    customization->SetPromptSuppressed(!options.screenshotFile.isEmpty() || options.quitAfterStart);
    const auto commonStore = std::make_shared<Tavrix::App::SettingsManager>(
        QStringLiteral("Common"), QStringLiteral("Tavrix"));
    const auto productStore = std::make_shared<Tavrix::App::SettingsManager>(
        QString::fromLatin1(DemoCustomization::PRODUCT_ID), QStringLiteral("Tavrix"));
    const auto splash = std::make_shared<DemoSplash>();

    app.SetSettingsManager(commonStore);
    app.SetProductSettingsManager(productStore);
    app.SetSplash(splash);
    app.SetCustomizationManager(customization, true);
    const auto lookAndFeel = StartLookAndFeel(options, *productStore);
    app.SetLookAndFeel(lookAndFeel);

    MainWindow window(productStore, lookAndFeel);
    app.SetMainWindow(&window);
    if (!options.page.isEmpty() && !window.ShowPage(options.page))
        LOG(WARNING) << "The window has no page " << options.page.toStdString();

    bool started = false;
    QObject::connect(&app, &Tavrix::App::Application::ApplicationStarted, &window, [&] {
        window.ShowStartupFacts();
        window.ShowLaunchFacts();
        started = true;
    });

    app.Start();
    window.show();
    if (!options.dialog.isEmpty() && !DialogsPage::ShowDialog(&window, options.dialog))
        LOG(WARNING) << "The window has no dialog " << options.dialog.toStdString();
    splash->FinishOn(&window);
    // Scheduled only now: the splash runs events while it waits for the window, and a quit
    // request seen before exec() would be lost.
    if (options.quitAfterStart && started)
        QTimer::singleShot(0, &app, &QCoreApplication::quit);

    if (!options.screenshotFile.isEmpty()) {
        QTimer::singleShot(500, &window, [&] {
            // An open dialog is what the screenshot is for.
            QWidget* const shown = QApplication::activeModalWidget();
            const bool saved
                = (shown ? shown : &window)->grab().save(options.screenshotFile, "PNG");
            if (!saved)
                LOG(ERROR) << "Could not save the screenshot to "
                           << options.screenshotFile.toStdString();
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
