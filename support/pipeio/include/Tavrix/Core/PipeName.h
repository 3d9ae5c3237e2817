#pragma once

#include <Tavrix/pipeio_export.h>

#include <string>

namespace Tavrix::Core {

/// Whether the named pipe "\\.\pipe\NAME" exists. False for a name that is no pipe name.
PIPEIO_EXPORT bool PipeExists(const std::string& name);

/// The file system entry that stands for the pipe "\\.\pipe\NAME": NAME in the runtime folder
/// ($XDG_RUNTIME_DIR, else the temporary folder). Empty when `name` lacks the "\\.\pipe\" prefix
/// or NAME is empty or holds "/", "\", "..", or a NUL, so that no name reaches outside the folder,
/// and when there is no runtime folder.
PIPEIO_EXPORT std::string PipePath(const std::string& name);

} // namespace Tavrix::Core
