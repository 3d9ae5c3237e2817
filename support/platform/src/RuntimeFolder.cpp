#include <Tavrix/Platform/RuntimeFolder.h>

#include <QDir>
#include <QFileInfo>

namespace Tavrix::Platform {

QString RuntimeFolder()
{
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    return QDir::tempPath();
}

QString RuntimeObjectPath(const QString& name, const QString& suffix)
{
    QString fileName = name;
    for (QChar& c : fileName)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.isNull())
            c = QLatin1Char('_');
    return RuntimeFolder() + QLatin1Char('/') + fileName + suffix;
}

} // namespace Tavrix::Platform
