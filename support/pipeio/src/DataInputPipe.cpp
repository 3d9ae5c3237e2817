#include <Tavrix/Core/DataInputPipe.h>

#include "PipeFile.h"

namespace Tavrix::Core {
namespace {

class InputPipe : public IByteDataInputEx
{
public:
    InputPipe(const std::string& name, bool create)
        : m_file(name, Pipes::PipeFile::Mode::Read, create)
    {
    }

    std::size_t Read(void* buffer, std::size_t size) override
    {
        return Pipes::ReadFully(m_file.Fd(), buffer, size);
    }
    std::size_t GetSize() override { return Pipes::WaitingBytes(m_file.Fd(), -1); }
    int NativeHandle() const override { return m_file.Fd(); }

private:
    Pipes::PipeFile m_file;
};

} // namespace

IByteDataInputEx::~IByteDataInputEx() = default;

boost::intrusive_ptr<IByteDataInputEx> DataInputPipe::Create(const std::string& name, bool create)
{
    return boost::intrusive_ptr<IByteDataInputEx>(new Tavrix::RefCounted<InputPipe>(name, create));
}

} // namespace Tavrix::Core
