#include <Tavrix/Core/DataOutputPipe.h>

#include "PipeFile.h"

namespace Tavrix::Core {
namespace {

class OutputPipe : public IByteDataOutputEx
{
public:
    OutputPipe(const std::string& name, bool create)
        : m_file(name, Pipes::PipeFile::Mode::Write, create)
    {
    }

    void Write(const void* data, std::size_t size) override
    {
        Pipes::WriteFully(m_file.Fd(), data, size, -1);
    }
    int NativeHandle() const override { return m_file.Fd(); }

private:
    Pipes::PipeFile m_file;
};

} // namespace

IByteDataOutputEx::~IByteDataOutputEx() = default;

boost::intrusive_ptr<IByteDataOutputEx> DataOutputPipe::Create(const std::string& name, bool create)
{
    return boost::intrusive_ptr<IByteDataOutputEx>(
        new Tavrix::RefCounted<OutputPipe>(name, create));
}

} // namespace Tavrix::Core
