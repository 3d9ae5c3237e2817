#pragma once

#include <cstddef>
#include <string>

#include <sys/types.h>

namespace Tavrix::Core::Pipes {

/// An open pipe end: the descriptor, and the pipe's entry when this end made it, removed when
/// the end goes (unless something else took its place meanwhile).
class PipeFile
{
public:
    enum class Mode { Read, Write };

    /// Makes the pipe (`create`) or opens the user's existing one; throws IOException.
    PipeFile(const std::string& name, Mode mode, bool create);
    ~PipeFile();
    PipeFile(const PipeFile&) = delete;
    PipeFile& operator=(const PipeFile&) = delete;

    int Fd() const { return m_fd; }

private:
    int m_fd = -1;
    std::string m_createdPath;
    dev_t m_device = 0;
    ino_t m_inode = 0;
};

/// Blocks until `fd` has data or its writer has closed, or `peerFd` (when not -1) reports its
/// other side closed. True when data is waiting.
bool WaitForData(int fd, int peerFd);
/// The count of bytes waiting in `fd`, without waiting.
std::size_t BytesWaiting(int fd);
/// Blocks until some bytes have come or the writer has closed; the count read (0 at the end).
std::size_t ReadSome(int fd, void* buffer, std::size_t size);
/// Reads until `size` bytes have come or the writer has closed; the count read.
std::size_t ReadFully(int fd, void* buffer, std::size_t size);
/// Writes everything; throws IOException when the reader has gone, or when `peerFd` (when not
/// -1) reports its other side closed while the pipe is full.
void WriteFully(int fd, const void* data, std::size_t size, int peerFd);

} // namespace Tavrix::Core::Pipes
