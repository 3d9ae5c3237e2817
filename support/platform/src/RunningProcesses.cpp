#include <Tavrix/Platform/RunningProcesses.h>

#include <QDirIterator>

#include <algorithm>

namespace Tavrix::Platform {

std::vector<long> RunningProcessIds()
{
    std::vector<long> ids;
    QDirIterator entries(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        bool ok = false;
        const long id = entries.fileName().toLong(&ok, 10);
        if (ok && id > 0)
            ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace Tavrix::Platform
