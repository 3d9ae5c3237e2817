#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

#include <list>
#include <optional>
#include <string>

namespace Tavrix::App {

class Application;

/// What the testers' options of a command line ask for.
struct TestOptionsRequest
{
    /// The locales the URL test goes through, in that order: shipped ones only.
    std::list<std::string> locales;
    /// Milliseconds between two URL openings; never negative.
    int delay = 0;
    /// The help text to show; empty when not asked for.
    QString help;
    bool dumpUrls = false;
    bool openUrls = false;
    /// The file that logs every URL opened.
    std::optional<QString> logFile;
    /// Milliseconds after which the process crashes; never negative.
    std::optional<int> crashAfter;
};

/// The command-line options for testers.
class AppTest
{
public:
    /// The options that must act before anything else: "ssl-disable" and "ssl-enable".
    /// Both at once throw Tavrix::Exception.
    static void HandleGlobalTestOptions();
    /// The remaining test options: the help box, the URL dump and openings, the URL log and the
    /// crash on request. `productOptions` are listed in the help after the core's.
    static void HandleTestOptions(const QList<QCommandLineOption>& productOptions,
                                  Application* application);
    /// What HandleTestOptions() does for `arguments` (the program first) on a product that ships
    /// `shippedLocales`, in their order, without doing any of it. What is wrong in the arguments
    /// is logged. Exported so that a fuzz program can feed it any command line.
    APPLICATIONCORE_EXPORT static TestOptionsRequest
    ReadTestOptions(const QStringList& arguments, const QList<QCommandLineOption>& productOptions,
                    const std::list<std::string>& shippedLocales);
};

} // namespace Tavrix::App
