#include <Tavrix/Util/ProcessInfo.h>

#include <QFileInfo>

#include <limits>

#include <cerrno>

#include <signal.h>
#include <sys/types.h>

namespace Tavrix::Util {

bool IsProcessRunning(unsigned long processId, const QString& executablePath)
{
    if (processId == 0 || processId > static_cast<unsigned long>(std::numeric_limits<pid_t>::max())
        || executablePath.isEmpty())
        return false;
    // One cheap call rules out the usual case, a process that is gone, before any path lookup.
    if (::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH)
        return false;
    // A zombie keeps its /proc entry but loses the link to its executable.
    const QString running
        = QFileInfo(QStringLiteral("/proc/%1/exe").arg(processId)).canonicalFilePath();
    if (running.isEmpty())
        return false;
    return running == QFileInfo(executablePath).canonicalFilePath();
}

} // namespace Tavrix::Util
