#include <Tavrix/App/Application/Application.h>

#include "Application_p.h"

#include <Tavrix/App/Application/ICustomizationManager.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/RemoveDir.h>

#include <QDir>

#include <glog/logging.h>

namespace Tavrix::App {

QString Application::GetApplicationTemporaryFilesDir() const
{
    const QString folderName
        = d->customizationManager
              ? Util::Utf8ToQString(d->customizationManager->GetProductFolderName())
              : QString();
    const QString path = QDir::toNativeSeparators(QDir::tempPath() + QDir::separator() + folderName
                                                  + QDir::separator() + QStringLiteral("temp")
                                                  + QDir::separator());
    QDir().mkpath(path);
    return path;
}

void Application::ClearApplicationTemporaryFiles(int days) const
{
    const QDir folder(GetApplicationTemporaryFilesDir());
    const QString path = folder.absolutePath();
    LOG(INFO) << "Removing all temporary files from directory " << Util::QStringToUtf8(path);
    // A folder name with ".." or a planted link must not turn the clearing onto other files.
    const QString tempRoot = QDir(QDir::tempPath()).canonicalPath();
    const QString real = folder.canonicalPath();
    if (tempRoot.isEmpty() || real.isEmpty() || !real.startsWith(tempRoot + QLatin1Char('/'))) {
        LOG(WARNING) << "The temporary folder " << Util::QStringToUtf8(path)
                     << " is not inside the system's temporary folder; nothing is removed";
        return;
    }
    Util::RemoveDir(real, days, false);
}

} // namespace Tavrix::App
