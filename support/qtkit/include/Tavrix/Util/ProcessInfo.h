#pragma once

#include <Tavrix/qtkit_export.h>

#include <QString>

namespace Tavrix::Util {

/// True when the process `processId` is alive (not a zombie) and runs the executable
/// `executablePath` (compared after resolving links).
QTKIT_EXPORT bool IsProcessRunning(unsigned long processId, const QString& executablePath);

} // namespace Tavrix::Util
