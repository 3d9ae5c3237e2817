// The application of the link tests as a process of its own. The first word selects what it does:
//   start [options...]  starts with the identity and stores the environment describes, reports
//                       what happens, lists the timers left scheduled and quits
//   run [options...]    starts, prints "session <id>" and runs the event loop
//   sessions            prints the crashed sessions found at start-up
// Started under a name beginning with "recording-browser" it stands for a browser: it appends its
// arguments, one a line, to the file TAVRIX_RECORD_ARGUMENTS names.
#include "FakeLookAndFeel.h"
#include "TestCustomization.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QAbstractEventDispatcher>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <iostream>

using namespace Tavrix::App;

namespace {

QString Env(const char* name)
{
    return qEnvironmentVariable(name);
}

void Say(const QString& line)
{
    std::cout << line.toStdString() << std::endl;
}

struct Customization : TestCustomization
{
    Customization() : TestCustomization("LinksHelper")
    {
        module = "helper";
        promptSuppressed = false;
        distributionKind = 0;
        afterInstallPage = Env("TAVRIX_PAGE").toStdString();
        emailDialogEnabled = Env("TAVRIX_EMAIL_DIALOG") == QLatin1String("1");
    }
    void ApplyLocale(const std::string& locale) override
    {
        Say(QStringLiteral("apply ") + QString::fromStdString(locale));
    }
};

std::shared_ptr<FakeLookAndFeel> MakeLookAndFeel()
{
    auto looks = std::make_shared<FakeLookAndFeel>();
    looks->locale = "pt_BR";
    for (const QString& code : Env("TAVRIX_LOCALES").split(',', Qt::SkipEmptyParts))
        looks->locales.push_back(code.toStdString());
    looks->localeSet = [](const std::string& locale) {
        Say(QStringLiteral("locale ") + QString::fromStdString(locale));
    };
    return looks;
}

struct Gateway : Tavrix::ExternalStimulus::IGateway
{
    void Post(const Tavrix::ExternalStimulus::Stimulus& stimulus) override
    {
        Say(QStringLiteral("posted ") + QString::fromStdString(stimulus.name));
    }
};

class HelperApplication : public Application
{
public:
    using Application::Application;

    LaunchType CheckFirstLaunch(const std::shared_ptr<ISettingsManager>& store) const override
    {
        bool forced = false;
        const int type = Env("TAVRIX_LAUNCH").toInt(&forced);
        return forced ? static_cast<LaunchType>(type) : Application::CheckFirstLaunch(store);
    }

protected:
    std::chrono::milliseconds AutoUpdateCheckDelay() const override
    {
        return std::chrono::milliseconds(4321);
    }

private:
    QList<QCommandLineOption> GetAdditionalTestOptions() const override
    {
        return {{QStringLiteral("helper-switch"), QStringLiteral("The helper's own switch")},
                {QStringLiteral("helper-value"), QStringLiteral("The helper's own value"),
                 QStringLiteral("value")}};
    }
};

// Answers every modal box and dialog that shows up: reports it, subscribes with an address in the
// e-mail dialog, and closes message boxes with their default button.
void AnswerModals()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        Say(QStringLiteral("box ") + box->windowTitle() + QLatin1Char('|')
            + QString::number(box->icon()));
        for (const QString& line : box->text().split('\n', Qt::SkipEmptyParts))
            Say(QStringLiteral("text ") + line);
        box->accept();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        Say(QStringLiteral("dialog ") + dialog->objectName());
        dialog->findChild<QLineEdit*>(QStringLiteral("emailEdit"))
            ->setText(QStringLiteral("tester@example.com"));
        dialog->findChild<QPushButton*>(QStringLiteral("subscribeButton"))->click();
    }
}

struct Scheduled
{
    int interval;
    int id;
    QObject* timer;
};

// The single-shot timers still waiting, shortest first, as the event dispatcher holds them.
QList<Scheduled> ScheduledTimers()
{
    QList<Scheduled> timers;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    for (QObject* child : dispatcher->children()) {
        if (qstrcmp(child->metaObject()->className(), "QSingleShotTimer") != 0)
            continue;
        for (const auto& timer : dispatcher->registeredTimers(child))
            timers.append({timer.interval, timer.timerId, child});
    }
    std::stable_sort(timers.begin(), timers.end(),
                     [](const auto& a, const auto& b) { return a.interval < b.interval; });
    return timers;
}

int Start(int argc, char** argv, bool run)
{
    HelperApplication app(argc, argv);
    const QString folder = Env("XDG_RUNTIME_DIR");
    const auto product = std::make_shared<SettingsManager>(folder + QStringLiteral("/product.ini"),
                                                           QSettings::IniFormat);
    if (Env("TAVRIX_AUTO_UPDATE") == QLatin1String("0"))
        product->SetBool("autoUpdate", false);
    app.SetProductSettingsManager(product);
    app.SetCustomizationManager(std::make_shared<Customization>(), false);
    app.SetLookAndFeel(MakeLookAndFeel());
    if (Env("TAVRIX_GATEWAY") == QLatin1String("1"))
        app.SetExternalStimulusGateway(std::make_shared<Gateway>());
    const auto installer = app.GetInstallerSettings("");
    installer->SetString("InstallerName", Env("TAVRIX_INSTALLER_NAME").toStdString());
    installer->SetString("Browser", "");
    Say(QStringLiteral("data ")
        + QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));

    QObject::connect(&app, &Application::BeforeShowEmailDialog, [] { Say("before email"); });
    QObject::connect(&app, &Application::AfterShowEmailDialog, [] { Say("after email"); });
    QObject::connect(&app, &Application::AutoUpdateCheckRequested, [] { Say("update requested"); });
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, &AnswerModals);
    answer.start(0);
    app.Start();
    answer.stop();

    if (run) {
        Say(QStringLiteral("session ") + QString::fromStdString(app.SessionId()));
        return app.exec();
    }
    const auto timers = ScheduledTimers();
    QStringList intervals;
    for (const auto& timer : timers)
        intervals << QString::number(timer.interval);
    Say(QStringLiteral("timers ") + intervals.join(' '));
    if (Env("TAVRIX_FIRE_TIMERS") == QLatin1String("1")) {
        // A single-shot timer acts on its timer event and deletes itself.
        for (const auto& timer : timers) {
            QTimerEvent event(timer.id);
            QCoreApplication::sendEvent(timer.timer, &event);
        }
    }
    Say(QStringLiteral("email ") + QString::fromStdString(product->GetString("Email", "")));
    // A clean quit, so that the next start does not take this run for a crash.
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (QFileInfo(QFile::decodeName(argv[0])).fileName().startsWith("recording-browser")) {
        QFile file(Env("TAVRIX_RECORD_ARGUMENTS"));
        if (!file.open(QIODevice::Append))
            return 1;
        for (int i = 1; i < argc; ++i)
            file.write(QByteArray(argv[i]) + '\n');
        return 0;
    }
    QStandardPaths::setTestModeEnabled(true);
    const std::string word = argc > 1 ? argv[1] : "";
    if (word == "start" || word == "run")
        return Start(argc, argv, word == "run");
    if (word == "sessions") {
        Application app(argc, argv);
        for (const std::string& session : app.GetCrashedSessions())
            Say(QStringLiteral("crashed ") + QString::fromStdString(session));
        return 0;
    }
    return 2;
}
