#include <Tavrix/Core/DataInputPipe.h>

#include "PipeFile.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace Tavrix::Core {
namespace {

// A size query that has to wait takes what arrives into a small buffer in the same call, so a
// short message costs one system call to wait for and none to read.
class InputPipe : public IByteDataInputEx
{
public:
    InputPipe(const std::string& name, bool create)
        : m_file(name, Pipes::PipeFile::Mode::Read, create)
    {
    }

    std::size_t Read(void* buffer, std::size_t size) override
    {
        const std::size_t buffered = std::min(size, m_end - m_begin);
        std::memcpy(buffer, m_buffer.data() + m_begin, buffered);
        m_begin += buffered;
        return buffered
               + Pipes::ReadFully(m_file.Fd(), static_cast<char*>(buffer) + buffered,
                                  size - buffered);
    }
    std::size_t GetSize() override
    {
        if (m_end > m_begin)
            return m_end - m_begin;
        if (const std::size_t waiting = Pipes::BytesWaiting(m_file.Fd()))
            return waiting;
        m_begin = 0;
        m_end = Pipes::ReadSome(m_file.Fd(), m_buffer.data(), m_buffer.size());
        return m_end;
    }
    int NativeHandle() const override { return m_file.Fd(); }

private:
    Pipes::PipeFile m_file;
    std::array<char, 4096> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
};

} // namespace

IByteDataInputEx::~IByteDataInputEx() = default;

boost::intrusive_ptr<IByteDataInputEx> DataInputPipe::Create(const std::string& name, bool create)
{
    return boost::intrusive_ptr<IByteDataInputEx>(new Tavrix::RefCounted<InputPipe>(name, create));
}

} // namespace Tavrix::Core
