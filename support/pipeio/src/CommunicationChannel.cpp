#include <Tavrix/Core/CommunicationChannel.h>

#include "PipeFile.h"

#include <Tavrix/Core/IOException.h>

#include <mutex>

namespace Tavrix::Core {
namespace {

class Channel : public IDataChannel
{
public:
    Channel(boost::intrusive_ptr<IByteDataInput> input,
            boost::intrusive_ptr<IByteDataOutput> output, bool synchronized)
        : m_input(std::move(input)), m_output(std::move(output)), m_synchronized(synchronized)
    {
        if (!m_input || !m_output)
            TAVRIX_THROW(IOException, "A channel needs an input and an output");
        const auto* inputPipe = dynamic_cast<const IByteDataInputEx*>(m_input.get());
        const auto* outputPipe = dynamic_cast<const IByteDataOutputEx*>(m_output.get());
        m_inputFd = inputPipe ? inputPipe->NativeHandle() : -1;
        m_outputFd = outputPipe ? outputPipe->NativeHandle() : -1;
    }

    std::size_t Read(void* buffer, std::size_t size) override
    {
        const auto lock = Lock(m_readMutex);
        return m_input->Read(buffer, size);
    }
    std::size_t GetSize() override
    {
        const auto lock = Lock(m_readMutex);
        return m_input->GetSize();
    }
    // A full pipe whose reader is the other process: give up once that process has closed its
    // end of the channel, which the input side shows, rather than wait for ever.
    void Write(const void* data, std::size_t size) override
    {
        const auto lock = Lock(m_writeMutex);
        if (m_inputFd >= 0 && m_outputFd >= 0)
            Pipes::WriteFully(m_outputFd, data, size, m_inputFd);
        else
            m_output->Write(data, size);
    }
    int InputHandle() const override { return m_inputFd; }

private:
    // Holds `mutex` only when the channel was made synchronized.
    std::unique_lock<std::mutex> Lock(std::mutex& mutex) const
    {
        std::unique_lock<std::mutex> lock(mutex, std::defer_lock);
        if (m_synchronized)
            lock.lock();
        return lock;
    }

    const boost::intrusive_ptr<IByteDataInput> m_input;
    const boost::intrusive_ptr<IByteDataOutput> m_output;
    const bool m_synchronized;
    int m_inputFd = -1;
    int m_outputFd = -1;
    std::mutex m_readMutex;
    std::mutex m_writeMutex;
};

} // namespace

IDataChannel::~IDataChannel() = default;

boost::intrusive_ptr<IDataChannel>
CommunicationChannel::Create(boost::intrusive_ptr<IByteDataInput> input,
                             boost::intrusive_ptr<IByteDataOutput> output, bool synchronized)
{
    return boost::intrusive_ptr<IDataChannel>(
        new Tavrix::RefCounted<Channel>(std::move(input), std::move(output), synchronized));
}

} // namespace Tavrix::Core
