// The channel between a master and its slave process against plain pipes between the same two
// processes: the round trip of one focus hand-over message and its answer, and the throughput of
// 64 MiB written in 64 KiB pieces.
#include "BenchmarkMain.h"

#include <Tavrix/App/Application/IIPCClient.h>
#include <Tavrix/App/Application/IPCManager.h>
#include <Tavrix/Core/IDataChannel.h>
#include <Tavrix/Platform/FileDescriptorIO.h>
#include <Tavrix/Platform/ProcessHandle.h>

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

const char MESSAGE[] = "applicationClosed";
constexpr std::size_t MESSAGE_SIZE = sizeof MESSAGE - 1;
const char ANSWER[] = "yes=48234517";
constexpr std::size_t ANSWER_SIZE = sizeof ANSWER - 1;
constexpr std::size_t BLOCK = 64 * 1024;
constexpr std::size_t TOTAL = 64 * 1024 * 1024;

class Client : public Tavrix::App::IIPCClient
{
public:
    void SetCommunicationChannel(boost::intrusive_ptr<Tavrix::Core::IDataChannel> ch) override
    {
        channel = std::move(ch);
    }
    void SetAppHandler(int handle) override
    {
        process = Tavrix::Platform::ProcessHandle(handle > 0 ? handle : -1);
    }
    void ChannelClosed() override { channel.reset(); }

    boost::intrusive_ptr<Tavrix::Core::IDataChannel> channel;
    Tavrix::Platform::ProcessHandle process;
};

// The slave: serves the channel and a plain pair of pipes alike, until the master goes. "echo"
// answers every message; "sink" takes everything and acknowledges each 64 MiB with one byte.
int Serve(const QString& mode, int plainIn, int plainOut)
{
    Client client;
    if (!Tavrix::App::IPCManager::SetUpSlaveClient(client, false))
        return 1;
    Tavrix::Core::IDataChannel& channel = *client.channel;
    const bool echo = mode == QLatin1String("echo");
    std::vector<char> buffer(BLOCK);
    std::size_t channelBytes = 0;
    std::size_t plainBytes = 0;
    for (;;) {
        pollfd entries[2] = {{channel.InputHandle(), POLLIN, 0}, {plainIn, POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0 && errno != EINTR)
            return 1;
        if (entries[0].revents) {
            const std::size_t size = std::min(channel.GetSize(), BLOCK);
            if (size == 0)
                return 0;
            channel.Read(buffer.data(), size);
            channelBytes += size;
            if (echo) {
                channel.Write(ANSWER, ANSWER_SIZE);
            } else if (channelBytes >= TOTAL) {
                channelBytes -= TOTAL;
                channel.Write("k", 1);
            }
        }
        if (entries[1].revents) {
            const ssize_t size = ::read(plainIn, buffer.data(), BLOCK);
            if (size <= 0)
                return 0;
            plainBytes += static_cast<std::size_t>(size);
            if (echo) {
                Tavrix::Platform::WriteAll(plainOut, ANSWER, ANSWER_SIZE);
            } else if (plainBytes >= TOTAL) {
                plainBytes -= TOTAL;
                Tavrix::Platform::WriteAll(plainOut, "k", 1);
            }
        }
    }
}

// A slave launched as a product launches one, with a plain pair of pipes besides the channel.
struct Peer
{
    explicit Peer(const char* mode)
    {
        int toSlave[2];
        int fromSlave[2];
        if (::pipe(toSlave) != 0 || ::pipe(fromSlave) != 0)
            return;
        plainOut = toSlave[1];
        plainIn = fromSlave[0];
        ::fcntl(plainOut, F_SETFD, FD_CLOEXEC);
        ::fcntl(plainIn, F_SETFD, FD_CLOEXEC);
        launched
            = Tavrix::App::IPCManager::LaunchSlave(client, QCoreApplication::applicationFilePath(),
                                                   QStringLiteral("--serve %1 %2 %3")
                                                       .arg(QLatin1String(mode))
                                                       .arg(toSlave[0])
                                                       .arg(fromSlave[1]),
                                                   false);
        ::close(toSlave[0]);
        ::close(fromSlave[1]);
    }
    ~Peer()
    {
        ::close(plainOut);
        ::close(plainIn);
    }

    Client client;
    int plainOut = -1;
    int plainIn = -1;
    bool launched = false;
};

Peer& EchoPeer()
{
    static Peer peer("echo");
    return peer;
}

Peer& SinkPeer()
{
    static Peer peer("sink");
    return peer;
}

// The peer, or null with the benchmark skipped when its slave did not start: writing to the
// plain pipe of a slave that never ran would end the whole program with SIGPIPE.
Peer* Started(benchmark::State& state, Peer& peer)
{
    if (peer.launched)
        return &peer;
    state.SkipWithError("the slave did not start");
    return nullptr;
}

void BM_HandOverRoundTrip(benchmark::State& state)
{
    Peer* const peer = Started(state, EchoPeer());
    if (!peer)
        return;
    Tavrix::Core::IDataChannel& channel = *peer->client.channel;
    char answer[64];
    for (auto _ : state) {
        channel.Write(MESSAGE, MESSAGE_SIZE);
        const std::size_t size = channel.GetSize();
        if (size != ANSWER_SIZE || channel.Read(answer, size) != size) {
            state.SkipWithError("the answer did not come whole");
            return;
        }
    }
}
BENCHMARK(BM_HandOverRoundTrip)->UseRealTime();

void BM_HandOverRoundTrip_Baseline(benchmark::State& state)
{
    Peer* const peer = Started(state, EchoPeer());
    if (!peer)
        return;
    char answer[64];
    for (auto _ : state) {
        Tavrix::Platform::WriteAll(peer->plainOut, MESSAGE, MESSAGE_SIZE);
        if (::read(peer->plainIn, answer, sizeof answer) != static_cast<ssize_t>(ANSWER_SIZE)) {
            state.SkipWithError("the answer did not come whole");
            return;
        }
    }
}
BENCHMARK(BM_HandOverRoundTrip_Baseline)->UseRealTime();

void BM_Throughput64MiB(benchmark::State& state)
{
    Peer* const peer = Started(state, SinkPeer());
    if (!peer)
        return;
    Tavrix::Core::IDataChannel& channel = *peer->client.channel;
    const std::vector<char> block(BLOCK, 'x');
    char ack;
    for (auto _ : state) {
        for (std::size_t sent = 0; sent < TOTAL; sent += BLOCK)
            channel.Write(block.data(), BLOCK);
        if (channel.GetSize() != 1 || channel.Read(&ack, 1) != 1) {
            state.SkipWithError("no acknowledgement");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TOTAL));
}
BENCHMARK(BM_Throughput64MiB)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_Throughput64MiB_Baseline(benchmark::State& state)
{
    Peer* const peer = Started(state, SinkPeer());
    if (!peer)
        return;
    const std::vector<char> block(BLOCK, 'x');
    char ack;
    for (auto _ : state) {
        for (std::size_t sent = 0; sent < TOTAL; sent += BLOCK)
            Tavrix::Platform::WriteAll(peer->plainOut, block.data(), BLOCK);
        if (::read(peer->plainIn, &ack, 1) != 1) {
            state.SkipWithError("no acknowledgement");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TOTAL));
}
BENCHMARK(BM_Throughput64MiB_Baseline)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QLatin1String("--serve"))
        return Serve(arguments.value(2), arguments.value(3).toInt(), arguments.value(4).toInt());
    return RunBenchmarks(argc, argv);
}
