#pragma once

#include <Tavrix/platform_export.h>

#include <QString>

namespace Tavrix::Platform {

/// The folder for the per-user runtime objects (locks, pipes): $XDG_RUNTIME_DIR when it names
/// a folder, else the temporary folder.
PLATFORM_EXPORT QString RuntimeFolder();

/// The file in the runtime folder that stands for the system object `name`; characters that
/// cannot stand in a file name ("/", "\", NUL) become "_".
PLATFORM_EXPORT QString RuntimeObjectPath(const QString& name, const QString& suffix);

} // namespace Tavrix::Platform
