// The least a Qt desktop product does to start: an application with its names, an empty
// window, and the event loop until the first pass.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tavrix Demo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrix"));
    QCoreApplication::setApplicationVersion(QStringLiteral("4.1.0"));
    QMainWindow window;
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
