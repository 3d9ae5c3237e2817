// tavrix-demo-helper: a second program of the sample product, started by it as a slave. When its
// window closes it hands the keyboard focus back to the demo's window.
#include "DemoLookAndFeel.h"
#include "HelperWindow.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Joins the demo from the arguments it appended to the command line.
    Tavrix::App::IPCFocusTransfererSlave& focusTransferer
        = Tavrix::App::IPCFocusTransfererSlave::Instance();

    QCommandLineParser parser;
    const QCommandLineOption locale(QStringLiteral("locale"), QStringLiteral("Language."),
                                    QStringLiteral("code"), QStringLiteral("unknown"));
    const QCommandLineOption theme(QStringLiteral("theme"), QStringLiteral("Theme."),
                                   QStringLiteral("name"), QStringLiteral("Light"));
    const QCommandLineOption closeAfterShow(QStringLiteral("close-after-show"),
                                            QStringLiteral("Close the window once shown."));
    parser.addOptions({locale, theme, closeAfterShow});
    parser.parse(QCoreApplication::arguments());

    // The demo's own themes and translations, from the resources folder next to both programs.
    const auto lookAndFeel = StartDemoLookAndFeel(Tavrix::App::GetPathToResources(),
                                                  parser.value(locale).toStdString(),
                                                  parser.value(theme).toStdString());

    HelperWindow window;
    window.show();
    window.activateWindow();
    if (parser.isSet(closeAfterShow))
        QTimer::singleShot(0, &window, &QWidget::close);
    const int result = app.exec();
    focusTransferer.GiveFocusToParent();
    return result;
}
