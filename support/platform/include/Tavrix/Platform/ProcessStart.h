#pragma once

#include <Tavrix/Platform/ProcessHandle.h>
#include <Tavrix/platform_export.h>

#include <QString>
#include <QStringList>

namespace Tavrix::Platform {

/// Starts `file` the way a desktop shell does: an executable file runs directly with
/// `parameters`; any other file or a URL is handed to "xdg-open" (parameters are then ignored).
/// A relative `file` is taken against `directory`, or against the working folder when that is
/// empty; the new process runs in that folder too. The process is detached: it outlives the caller
/// and is never left as a zombie. Returns its handle, or none when it could not be started.
PLATFORM_EXPORT ProcessHandle StartProcess(const QString& file, const QStringList& parameters = {},
                                           const QString& directory = {});

} // namespace Tavrix::Platform
