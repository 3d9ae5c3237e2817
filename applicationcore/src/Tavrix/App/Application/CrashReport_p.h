#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

namespace Tavrix::App::CrashReport {

// The raw report a crashing process leaves for the next start: this header, the addresses of the
// frames, the text of /proc/self/maps at the moment of the crash (so that the addresses can be
// mapped back to their modules in another process, whatever the address space layout), then the
// trailer. It is written from a signal handler, so it is plain memory in the machine's own byte
// order, and it is read only by the same executable on the same machine.
struct RawHeader
{
    char magic[8];
    std::uint32_t version;
    std::uint32_t pointerSize;
    std::int32_t signal;
    std::int32_t code;
    std::uint64_t faultAddress;
    std::uint64_t programCounter;
    std::int64_t processId;
    std::uint32_t frameCount;
    std::uint32_t terminated;
    char exceptionType[256];
    char exceptionWhat[1024];
};

struct RawTrailer
{
    char magic[8];
    std::uint64_t mapsSize;
};

constexpr char HEADER_MAGIC[8] = {'T', 'V', 'X', 'C', 'R', 'A', 'S', 'H'};
constexpr char TRAILER_MAGIC[8] = {'T', 'V', 'X', 'E', 'N', 'D', '\n', '\0'};
constexpr std::uint32_t VERSION = 1;
constexpr std::size_t MAX_FRAMES = 128;

/// The readable report of `sessionId` from the raw report `fileName`: the session, the signal or
/// the uncaught exception, and the frames with function, source file and line where the modules
/// carry them. A missing, empty, truncated or foreign file gives a report that says so.
std::string Build(const std::string& sessionId, const QString& fileName);

} // namespace Tavrix::App::CrashReport
