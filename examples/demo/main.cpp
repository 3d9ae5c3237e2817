#include "DemoApplication.h"
#include "DemoCustomization.h"
#include "DemoLookAndFeel.h"
#include "DemoSplash.h"
#include "DialogsPage.h"
#include "MainWindow.h"

#include <Tavrix/App/ApplicationCore.h>
#include <Tavrix/Exception.h>

#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWindow>

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

// Saves the window, or the dialog opened for the picture, as PNG as soon as it is on screen (a
// dialog opens only once the event loop runs), then ends the event loop: 0 when saved. Should it
// not appear within a generous bound, what is shown then is saved, with a warning.
void SaveScreenshotWhenShown(QWidget* window, bool dialogOpens, const QString& file)
{
    const int boundMs = 10000;
    const QDeadlineTimer deadline(boundMs);
    auto* const poll = new QTimer(window);
    QObject::connect(poll, &QTimer::timeout, window, [=] {
        QWidget* const dialog = QApplication::activeModalWidget();
        QWidget* const expected = dialogOpens ? dialog : window;
        const bool shown = expected && expected->isVisible() && expected->windowHandle()
                           && expected->windowHandle()->isExposed();
        if (!shown && !deadline.hasExpired())
            return;
        poll->stop();
        if (!shown)
            LOG(WARNING) << "The " << (dialogOpens ? "dialog" : "window")
                         << " was not shown within " << boundMs << " ms; saving what is there";
        const bool saved = (dialog ? dialog : window)->grab().save(file, "PNG");
        if (!saved)
            LOG(ERROR) << "Could not save the screenshot to " << file.toStdString();
        QCoreApplication::exit(saved ? 0 : 1);
    });
    poll->start(5);
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
    const bool dialogOpens
        = !options.dialog.isEmpty() && DialogsPage::ShowDialog(&window, options.dialog);
    if (!options.dialog.isEmpty() && !dialogOpens)
        LOG(WARNING) << "The window has no dialog " << options.dialog.toStdString();
    splash->FinishOn(&window);
    // A quit posted now is seen by exec() below, after the window has been shown.
    if (options.quitAfterStart && started)
        QTimer::singleShot(0, &app, &QCoreApplication::quit);

    if (!options.screenshotFile.isEmpty())
        SaveScreenshotWhenShown(&window, dialogOpens, options.screenshotFile);
    return app.exec();
}
