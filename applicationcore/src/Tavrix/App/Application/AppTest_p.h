#pragma once

#include <QCommandLineOption>
#include <QList>

namespace Tavrix::App {

class Application;

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
};

} // namespace Tavrix::App
