#include <Tavrix/App/Application/RestartApplication.h>

#include <Tavrix/App/Application/Application.h>
#include <Tavrix/Util/AlertBox.h>

#include <QApplication>
#include <QProcess>

#include <glog/logging.h>

namespace Tavrix::App {

void RestartApplication(Tavrix::Enums::WorkingMode mode, const QPixmap& icon,
                        const QString& arguments)
{
    auto* const application = qobject_cast<Application*>(QCoreApplication::instance());
    if (!application) {
        LOG(WARNING) << "A restart needs the application object";
        return;
    }
    if (mode == 0) {
        Util::AlertBox box(
            Util::AlertBox::Level(0),
            QCoreApplication::translate("ApplicationRestarter", "Attention"),
            QCoreApplication::translate("ApplicationRestarter",
                                        "<b>This will restart the application.</b><br>"
                                        "Do you want to continue?"),
            QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow(),
            Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
        if (!icon.isNull())
            box.setIconPixmap(icon);
        if (box.Exec() != QMessageBox::Ok)
            return;
    }

    application->ClearCrashes();
    if (!application->TryToQuit())
        return;

    QString commandLine
        = QLatin1Char('"') + QCoreApplication::applicationFilePath() + QLatin1Char('"');
    if (!arguments.isEmpty())
        commandLine += QLatin1Char(' ') + arguments;
    const QStringList words = QProcess::splitCommand(commandLine);
    if (!words.isEmpty())
        QProcess::startDetached(words.constFirst(), words.mid(1));
}

} // namespace Tavrix::App
