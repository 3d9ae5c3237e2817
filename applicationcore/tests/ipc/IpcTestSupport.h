#pragma once

#include <Tavrix/App/Application/IIPCClient.h>
#include <Tavrix/Core/IDataChannel.h>
#include <Tavrix/Platform/FileDescriptorIO.h>
#include <Tavrix/Platform/ProcessHandle.h>
#include <Tavrix/Platform/WaitForHandles.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <fcntl.h>
#include <unistd.h>

// Keeps what IPCManager hands it, and the order it came in.
class RecordingClient : public Tavrix::App::IIPCClient
{
public:
    void SetCommunicationChannel(boost::intrusive_ptr<Tavrix::Core::IDataChannel> ch) override
    {
        channel = std::move(ch);
        calls << QStringLiteral("channel");
    }
    void SetAppHandler(int handle) override
    {
        process = Tavrix::Platform::ProcessHandle(handle > 0 ? handle : -1);
        calls << QStringLiteral("handle");
    }
    void ChannelClosed() override { channel.reset(); }

    boost::intrusive_ptr<Tavrix::Core::IDataChannel> channel;
    Tavrix::Platform::ProcessHandle process;
    QStringList calls;
};

// Everything the other side sent before it closed; nothing when it never opened its end.
inline QByteArray ReadToEnd(Tavrix::Core::IDataChannel& channel)
{
    QByteArray all;
    if (Tavrix::Platform::WaitForAnyHandle({channel.InputHandle()}, 0) != 0)
        return all;
    while (const std::size_t size = channel.GetSize()) {
        const int start = all.size();
        all.resize(start + static_cast<int>(size));
        channel.Read(all.data() + start, size);
    }
    return all;
}

// Lines that the processes of a test append to one file, named by TAVRIX_IPC_REPORT; one
// write each, so lines of several processes never mix.
inline void Report(const QByteArray& line)
{
    const int fd = ::open(qgetenv("TAVRIX_IPC_REPORT").constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const QByteArray text = line + '\n';
    Tavrix::Platform::WriteAll(fd, text.constData(), static_cast<size_t>(text.size()));
    ::close(fd);
}

inline QStringList ReportedLines(const QString& file)
{
    QFile report(file);
    if (!report.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(report.readAll()).split(QLatin1Char('\n'));
}
