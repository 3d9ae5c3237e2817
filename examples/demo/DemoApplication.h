#pragma once

#include <Tavrix/App/ApplicationCore.h>

/// The sample product's application object: its own command-line options join the core's test
/// options, so that "--test-help" lists them after the core's.
class DemoApplication : public Tavrix::App::Application
{
public:
    using Application::Application;

    /// The sample product's own command-line options; main() reads them from this one list.
    static QList<QCommandLineOption> DemoOptions();

private:
    QList<QCommandLineOption> GetAdditionalTestOptions() const override;
};

/// The running application object; null when it is not the core's (a widget test with a plain
/// QApplication), so that the windows also work without links, crash history or restarts.
Tavrix::App::Application* CoreApplication();

/// `words` as one command line that QProcess::splitCommand, which the core uses for restarts and
/// slave processes, gives back word for word (empty words are lost, as there).
QString CommandLineText(const QStringList& words);
