#include <Tavrix/Util/ProcessInfo.h>

#include <QFileInfo>

namespace Tavrix::Util {

bool IsProcessRunning(unsigned long processId, const QString& executablePath)
{
    if (processId == 0 || executablePath.isEmpty())
        return false;
    // A zombie keeps its /proc entry but loses the link to its executable.
    const QString running =
        QFileInfo(QStringLiteral("/proc/%1/exe").arg(processId)).canonicalFilePath();
    if (running.isEmpty())
        return false;
    return running == QFileInfo(executablePath).canonicalFilePath();
}

} // namespace Tavrix::Util
