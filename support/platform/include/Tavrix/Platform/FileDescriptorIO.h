#pragma once

#include <Tavrix/platform_export.h>

#include <cstddef>

namespace Tavrix::Platform {

// Whole-buffer reads and writes on a file descriptor that retry on EINTR and short counts. Both
// are async-signal-safe, for signal handlers and for a child between fork and exec.

/// False when the descriptor fails or closes before all `size` bytes are written.
PLATFORM_EXPORT bool WriteAll(int fd, const void* data, std::size_t size);
/// False when the descriptor fails or ends before all `size` bytes are read.
PLATFORM_EXPORT bool ReadAll(int fd, void* data, std::size_t size);

} // namespace Tavrix::Platform
