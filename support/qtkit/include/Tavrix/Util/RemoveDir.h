#pragma once

#include <Tavrix/qtkit_export.h>

#include <QString>

namespace Tavrix::Util {

/// Removes, below the folder `path`, every file last modified more than `days` days ago. With
/// `removeEmptyFolders` it also removes the subfolders that are left empty; `path` itself stays.
QTKIT_EXPORT void RemoveDir(const QString& path, int days, bool removeEmptyFolders);

} // namespace Tavrix::Util
