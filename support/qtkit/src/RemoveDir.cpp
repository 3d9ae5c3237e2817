#include <Tavrix/Util/RemoveDir.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace Tavrix::Util {
namespace {

void RemoveOldFiles(const QString& folder, const QDateTime& limit, bool removeEmptyFolders)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden
                                                             | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            RemoveOldFiles(entry.filePath(), limit, removeEmptyFolders);
            if (removeEmptyFolders)
                QDir(folder).rmdir(entry.fileName()); // fails, as wanted, unless empty
        } else if (entry.lastModified() < limit) {
            QFile::remove(entry.filePath());
        }
    }
}

} // namespace

void RemoveDir(const QString& path, int days, bool removeEmptyFolders)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return;
    RemoveOldFiles(path, QDateTime::currentDateTime().addDays(-days), removeEmptyFolders);
}

} // namespace Tavrix::Util
