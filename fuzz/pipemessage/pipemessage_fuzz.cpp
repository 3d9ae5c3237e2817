// The master's answer in the focus hand-over, as the slave receives it: the input is what the
// master writes back, over a channel on real named pipes in a private runtime folder. The slave
// reads no more than the answer, asks for a window only on "yes=" and a number, and its size
// query never counts more than the master wrote.
#include "FuzzSupport.h"
#include "IPCFocusTransfererSlave_p.h"

#include <Tavrix/Core/CommunicationChannel.h>
#include <Tavrix/Core/DataInputPipe.h>
#include <Tavrix/Core/DataOutputPipe.h>
#include <Tavrix/Core/IOException.h>
#include <Tavrix/RefCount.h>

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

using Tavrix::App::FocusHandOver::AskForMasterWindow;
using Tavrix::App::FocusHandOver::MAX_ANSWER_SIZE;
using Tavrix::Core::IDataChannel;

namespace {

const std::string CLOSING = "applicationClosed";
// Written after the hand-over: the slave must leave it in the pipe.
const std::string AFTER_ANSWER = "\x01next message";
// The pipe holds 64 KiB; a longer answer would need a thread of its own to write it.
constexpr std::size_t LONGEST_ANSWER_WRITTEN = 32 * 1024;

// The slave's channel as the hand-over sees it, recording what the hand-over asks of it.
class RecordingChannel : public IDataChannel
{
public:
    explicit RecordingChannel(boost::intrusive_ptr<IDataChannel> channel)
        : m_channel(std::move(channel))
    {
    }

    std::size_t Read(void* buffer, std::size_t size) override
    {
        const std::size_t got = m_channel->Read(buffer, size);
        TAVRIX_FUZZ_CHECK(got <= size);
        asked += size;
        read += got;
        return got;
    }
    std::size_t GetSize() override
    {
        sizes.push_back(m_channel->GetSize());
        return sizes.back();
    }
    void Write(const void* data, std::size_t size) override
    {
        written.append(static_cast<const char*>(data), size);
        m_channel->Write(data, size);
    }
    int InputHandle() const override { return m_channel->InputHandle(); }

    std::size_t asked = 0;
    std::size_t read = 0;
    std::vector<std::size_t> sizes;
    std::string written;

private:
    const boost::intrusive_ptr<IDataChannel> m_channel;
};

std::string PipeName(const char* kind, int round)
{
    return std::string("\\\\.\\pipe\\TavrixIPC") + kind + std::to_string(round);
}

// Everything left in the pipe until its writer closes.
std::string ReadToEnd(IDataChannel& channel, std::size_t expected)
{
    std::string rest(expected + 1, '\0');
    rest.resize(channel.Read(rest.data(), rest.size()));
    return rest;
}

// The number a field of the answer holds: decimal digits after an optional sign, with blanks
// around them; none for any other text and for a number beyond 64 bits.
std::optional<qint64> Number(const QString& field)
{
    const std::string text = field.trimmed().toStdString();
    const std::size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (text.size() == sign || !std::all_of(text.cbegin() + sign, text.cend(), [](char c) {
            return c >= '0' && c <= '9';
        }))
        return std::nullopt;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return errno == ERANGE ? std::nullopt : std::optional<qint64>(value);
}

void CheckWindow(const std::string& answer, const std::optional<qint64>& window)
{
    // The text as the slave takes it: the bytes up to the first NUL, decoded as a whole, so that
    // only a byte order mark at the very start is dropped; one after "yes=" stays in the number.
    const std::string bytes = answer.substr(0, answer.find('\0'));
    const QString text = QString::fromUtf8(bytes.data(), int(bytes.size()));
    const bool yes = answer.size() <= MAX_ANSWER_SIZE && text.startsWith(QLatin1String("yes="));
    TAVRIX_FUZZ_CHECK(window.has_value() == yes);
    if (!yes)
        return;
    // The window is the number between "yes=" and the next "=", or 0 when there is none.
    const std::optional<qint64> number = Number(text.mid(4).section(QLatin1Char('='), 0, 0));
    TAVRIX_FUZZ_CHECK(*window == number.value_or(0));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Tavrix::Fuzz::PrepareProcess();
    // The pipes live in the runtime folder: a private one, removed at exit.
    static QTemporaryDir runtime;
    TAVRIX_FUZZ_CHECK(runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int round = 0;
    ++round;
    const std::string answer(reinterpret_cast<const char*>(data),
                             std::min(size, LONGEST_ANSWER_WRITTEN));

    // The master made the pipes; the slave opens them, as IPCManager does on both sides.
    const std::string toSlave = PipeName("Input", round);
    const std::string toMaster = PipeName("Output", round);
    const auto masterInput = Tavrix::Core::DataInputPipe::Create(toMaster, true);
    auto masterOutput = Tavrix::Core::DataOutputPipe::Create(toSlave, true);
    const boost::intrusive_ptr<RecordingChannel> slave(
        new Tavrix::RefCounted<RecordingChannel>(Tavrix::Core::CommunicationChannel::Create(
            Tavrix::Core::DataInputPipe::Create(toSlave, false),
            Tavrix::Core::DataOutputPipe::Create(toMaster, false), false)));

    // A master that has nothing to say closes its end, or the slave would wait for ever.
    if (answer.empty())
        masterOutput.reset();
    else
        masterOutput->Write(answer.data(), answer.size());

    std::optional<qint64> window;
    try {
        window = AskForMasterWindow(*slave);
    } catch (const Tavrix::Core::IOException&) {
        Tavrix::Fuzz::Fail("the hand-over failed on an open channel", __FILE__, __LINE__);
    }

    // The master heard the closing message, once and whole.
    TAVRIX_FUZZ_CHECK(slave->written == CLOSING);
    TAVRIX_FUZZ_CHECK(masterInput->GetSize() == CLOSING.size());
    std::string heard(CLOSING.size(), '\0');
    TAVRIX_FUZZ_CHECK(masterInput->Read(heard.data(), heard.size()) == heard.size());
    TAVRIX_FUZZ_CHECK(heard == CLOSING);

    // Never more counted than written, never more read than counted.
    std::size_t mostCounted = 0;
    for (const std::size_t counted : slave->sizes)
        mostCounted = std::max(mostCounted, counted);
    TAVRIX_FUZZ_CHECK(mostCounted <= answer.size());
    TAVRIX_FUZZ_CHECK(slave->asked <= mostCounted && slave->asked <= MAX_ANSWER_SIZE);
    CheckWindow(answer, window);

    // What the master writes next is still there, after whatever of the answer was left.
    if (masterOutput) {
        masterOutput->Write(AFTER_ANSWER.data(), AFTER_ANSWER.size());
        masterOutput.reset();
    }
    const std::string expected = answer.substr(slave->read) + (answer.empty() ? "" : AFTER_ANSWER);
    TAVRIX_FUZZ_CHECK(ReadToEnd(*slave, expected.size()) == expected);
    return 0;
}
