#include "CrashReport_p.h"

#include <Tavrix/Util/Conversions.h>

#include <QFile>

#include <boost/core/demangle.hpp>
#include <boost/stacktrace/frame.hpp>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include <signal.h>

namespace Tavrix::App::CrashReport {
namespace {

// Far above any real report (the maps of a large program take a few hundred kilobytes); a larger
// file is read only this far.
constexpr qint64 MAX_FILE_SIZE = qint64(16) * 1024 * 1024;

// One line of /proc/<pid>/maps; the path points into the text it was read from.
struct Mapping
{
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    std::uint64_t offset = 0;
    std::uint64_t deviceMajor = 0;
    std::uint64_t deviceMinor = 0;
    std::uint64_t inode = 0;
    std::string_view path;
};

// Digits of `base` from `at` on, after blanks; never past `end`, so that a damaged line cannot
// take its neighbour's fields.
bool ReadNumber(const char*& at, const char* end, int base, std::uint64_t& value)
{
    while (at < end && *at == ' ')
        ++at;
    const char* const first = at;
    value = 0;
    for (; at < end; ++at) {
        const char c = *at;
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : base;
        if (digit >= base)
            break;
        value = value * std::uint64_t(base) + std::uint64_t(digit);
    }
    return at != first;
}

bool ReadSeparator(const char*& at, const char* end, char separator)
{
    if (at >= end || *at != separator)
        return false;
    ++at;
    return true;
}

// By hand rather than with sscanf: a large program has hundreds of mappings, and scanning them
// would cost more than resolving the frames.
std::vector<Mapping> ParseMaps(const QByteArray& text)
{
    std::vector<Mapping> maps;
    const char* line = text.constData();
    const char* const textEnd = line + text.size();
    while (line < textEnd) {
        const char* const end = std::find(line, textEnd, '\n');
        const char* at = line;
        Mapping m;
        const bool parsed = ReadNumber(at, end, 16, m.start) && ReadSeparator(at, end, '-')
                            && ReadNumber(at, end, 16, m.end) && ReadSeparator(at, end, ' ');
        // The permissions are letters and dashes: up to the next blank.
        while (parsed && at < end && *at != ' ')
            ++at;
        if (parsed && ReadNumber(at, end, 16, m.offset) && ReadNumber(at, end, 16, m.deviceMajor)
            && ReadSeparator(at, end, ':') && ReadNumber(at, end, 16, m.deviceMinor)
            && ReadNumber(at, end, 10, m.inode) && m.end > m.start) {
            while (at < end && *at == ' ')
                ++at;
            m.path = std::string_view(at, std::size_t(end - at));
            maps.push_back(m);
        }
        line = end + 1;
    }
    return maps;
}

QByteArray CurrentMaps()
{
    QFile file(QStringLiteral("/proc/self/maps"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const Mapping* FindMapping(const std::vector<Mapping>& maps, std::uint64_t address)
{
    const auto found = std::find_if(maps.cbegin(), maps.cend(), [address](const Mapping& m) {
        return address >= m.start && address < m.end;
    });
    return found == maps.cend() ? nullptr : &*found;
}

// The address in this process of the same byte of the same file (same device and inode, so a
// module replaced since the crash is not taken for the old one); none when it is not loaded here.
std::optional<std::uint64_t> Relocate(const Mapping& recorded, std::uint64_t address,
                                      const std::vector<Mapping>& current)
{
    if (recorded.inode == 0)
        return std::nullopt;
    const std::uint64_t fileOffset = address - recorded.start + recorded.offset;
    for (const Mapping& m : current) {
        if (m.inode == recorded.inode && m.deviceMajor == recorded.deviceMajor
            && m.deviceMinor == recorded.deviceMinor && fileOffset >= m.offset
            && fileOffset - m.offset < m.end - m.start)
            return m.start + (fileOffset - m.offset);
    }
    return std::nullopt;
}

std::string Hex(std::uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%" PRIx64, value);
    return text;
}

void DescribeSignal(const RawHeader& header, std::ostream& out)
{
    struct Name
    {
        int signal;
        const char* name;
        const char* meaning;
    };
    static const Name names[] = {{SIGSEGV, "SIGSEGV", "invalid memory access"},
                                 {SIGBUS, "SIGBUS", "bus error"},
                                 {SIGFPE, "SIGFPE", "arithmetic error"},
                                 {SIGILL, "SIGILL", "illegal instruction"},
                                 {SIGABRT, "SIGABRT", "abort"}};
    const auto* const found
        = std::find_if(std::begin(names), std::end(names),
                       [&header](const Name& name) { return name.signal == header.signal; });
    out << "Signal: ";
    if (found != std::end(names))
        out << found->name << " (" << found->meaning << ")";
    else
        out << "signal " << header.signal;
    // Only a signal the kernel raised for a fault carries the address of that fault.
    if (header.code > 0 && header.signal != SIGABRT)
        out << " at address " << Hex(header.faultAddress);
    else if (header.code <= 0)
        out << ", raised by a call (abort, raise or kill)";
    out << '\n';
    if (header.terminated) {
        if (header.exceptionType[0] != '\0') {
            out << "Uncaught exception: " << boost::core::demangle(header.exceptionType);
            if (header.exceptionWhat[0] != '\0')
                out << ": " << header.exceptionWhat;
            out << '\n';
        } else {
            out << "std::terminate was called without an exception in flight\n";
        }
    }
    out << "Process id: " << header.processId << '\n';
}

void DescribeFrames(const std::vector<std::uint64_t>& frames, std::uint64_t programCounter,
                    const QByteArray& mapsText, std::ostream& out)
{
    // The frames before the interrupted instruction are the crash handler's own.
    const auto interrupted = std::find(frames.cbegin(), frames.cend(), programCounter);
    const auto first
        = programCounter != 0 && interrupted != frames.cend() ? interrupted : frames.cbegin();
    if (first == frames.cend()) {
        out << "No call stack frames were recorded.\n";
        return;
    }
    const std::vector<Mapping> recorded = ParseMaps(mapsText);
    const QByteArray currentText = CurrentMaps();
    const std::vector<Mapping> current = ParseMaps(currentText);
    out << "Call stack:\n";
    int number = 0;
    for (auto frame = first; frame != frames.cend(); ++frame, ++number) {
        out << '#' << number << "  ";
        const Mapping* const mapping = FindMapping(recorded, *frame);
        const std::optional<std::uint64_t> here
            = mapping ? Relocate(*mapping, *frame, current) : std::nullopt;
        std::string function;
        std::string file;
        std::size_t line = 0;
        if (here) {
            // A return address points after its call; the call itself is one byte before. The
            // interrupted instruction is where it is.
            const std::uint64_t lookup = frame == interrupted ? *here : *here - 1;
            const boost::stacktrace::frame resolved(reinterpret_cast<const void*>(lookup));
            function = resolved.name();
            file = resolved.source_file();
            line = resolved.source_line();
        }
        out << (function.empty() ? Hex(*frame) : function);
        if (!file.empty() && line > 0) {
            out << " at " << file << ':' << line;
        } else if (mapping && !mapping->path.empty()) {
            const std::size_t slash = mapping->path.rfind('/');
            out << " in " << mapping->path.substr(slash == std::string_view::npos ? 0 : slash + 1);
            if (function.empty() && mapping->inode != 0)
                out << '+' << Hex(*frame - mapping->start + mapping->offset);
        }
        out << '\n';
    }
}

} // namespace

std::string Build(const std::string& sessionId, const QString& fileName)
{
    std::ostringstream out;
    out << "Crash report of session " << sessionId << '\n';
    QFile file(fileName);
    if (fileName.isEmpty() || !file.exists()) {
        out << "No call stack was recorded for this session: the process ended without a crash "
               "signal (for instance it was killed), or its report was removed.\n";
        return out.str();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        out << "The crash report could not be read: " << Util::QStringToUtf8(file.errorString())
            << '\n';
        return out.str();
    }
    const QByteArray data = file.read(MAX_FILE_SIZE);
    if (data.isEmpty()) {
        out << "The crash report is empty: nothing was recorded.\n";
        return out.str();
    }
    RawHeader header;
    if (std::size_t(data.size()) < sizeof header) {
        out << "The crash report is damaged: at " << data.size()
            << " bytes it is too short to be one.\n";
        return out.str();
    }
    std::memcpy(&header, data.constData(), sizeof header);
    if (std::memcmp(header.magic, HEADER_MAGIC, sizeof header.magic) != 0
        || header.version != VERSION || header.pointerSize != sizeof(void*)
        || header.frameCount > MAX_FRAMES) {
        out << "The crash report is damaged: it is not a crash report of this program.\n";
        return out.str();
    }
    header.exceptionType[sizeof header.exceptionType - 1] = '\0';
    header.exceptionWhat[sizeof header.exceptionWhat - 1] = '\0';
    DescribeSignal(header, out);

    const std::size_t framesStart = sizeof header;
    const std::size_t count
        = std::min<std::size_t>(header.frameCount, (data.size() - framesStart) / sizeof(void*));
    std::vector<std::uint64_t> frames(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::uintptr_t address = 0;
        std::memcpy(&address, data.constData() + framesStart + i * sizeof address, sizeof address);
        frames[i] = address;
    }
    const std::size_t mapsStart = framesStart + count * sizeof(void*);
    RawTrailer trailer{};
    bool complete = count == header.frameCount && data.size() - mapsStart >= sizeof trailer;
    if (complete) {
        std::memcpy(&trailer, data.constData() + data.size() - sizeof trailer, sizeof trailer);
        complete = std::memcmp(trailer.magic, TRAILER_MAGIC, sizeof trailer.magic) == 0
                   && trailer.mapsSize == data.size() - mapsStart - sizeof trailer;
    }
    if (!complete)
        out << "The crash report is truncated: the call stack below may be incomplete and its "
               "modules unknown.\n";
    const QByteArray maps = data.mid(int(mapsStart), complete ? int(trailer.mapsSize) : -1);
    DescribeFrames(frames, header.programCounter, maps, out);
    return out.str();
}

} // namespace Tavrix::App::CrashReport
