#include "DemoApplication.h"

QList<QCommandLineOption> DemoApplication::DemoOptions()
{
    return {{QStringLiteral("screenshot"), QStringLiteral("Save the window as PNG and quit."),
             QStringLiteral("file")},
            {QStringLiteral("quit-after-start"),
             QStringLiteral("Quit as soon as the start-up is done.")},
            {QStringLiteral("locale"), QStringLiteral("Start in this language, as if picked."),
             QStringLiteral("code")},
            {QStringLiteral("theme"), QStringLiteral("Start with this theme, as if picked."),
             QStringLiteral("name")},
            {QStringLiteral("page"), QStringLiteral("Show this page of the window first."),
             QStringLiteral("name")},
            {QStringLiteral("show-dialog"),
             QStringLiteral("Open a dialog of the Dialogs page: confirm, color or about."),
             QStringLiteral("name")}};
}

QList<QCommandLineOption> DemoApplication::GetAdditionalTestOptions() const
{
    return DemoOptions();
}

Tavrix::App::Application* CoreApplication()
{
    return qobject_cast<Tavrix::App::Application*>(qApp);
}

QString CommandLineText(const QStringList& words)
{
    // Every word quoted, so that any blank inside stays; a quote inside is written as three.
    QStringList quoted;
    for (QString word : words)
        quoted << QLatin1Char('"') + word.replace(QLatin1Char('"'), QStringLiteral("\"\"\""))
                      + QLatin1Char('"');
    return quoted.join(QLatin1Char(' '));
}
