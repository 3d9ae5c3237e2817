#include <Tavrix/App/Application/IPCManager.h>

#include <Tavrix/App/Application/IIPCClient.h>
#include <Tavrix/Core/CommunicationChannel.h>
#include <Tavrix/Core/DataInputPipe.h>
#include <Tavrix/Core/DataOutputPipe.h>
#include <Tavrix/Core/IOException.h>
#include <Tavrix/Core/PipeName.h>
#include <Tavrix/Platform/ProcessHandle.h>
#include <Tavrix/Platform/ProcessStart.h>
#include <Tavrix/Util/Conversions.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>

#include <glog/logging.h>

namespace Tavrix::App {
namespace {

// The master writes to the slave's input and reads the slave's output.
const QString SLAVE_INPUT_PIPE = QStringLiteral("\\\\.\\pipe\\TavrixIPCInput%1");
const QString SLAVE_OUTPUT_PIPE = QStringLiteral("\\\\.\\pipe\\TavrixIPCOutput%1");
const QString PIPE_ID_KEY = QStringLiteral("/MasterPipeId=");
const QString PROCESS_ID_KEY = QStringLiteral("/ProcessId=");

std::string PipeName(const QString& pattern, const QString& id)
{
    return Util::QStringToUtf8(pattern.arg(id));
}

boost::intrusive_ptr<Core::IDataChannel> OpenChannel(const QString& id, bool master,
                                                     bool channelFlag)
{
    // Each side reads the pipe the other writes.
    const QString& inputPattern = master ? SLAVE_OUTPUT_PIPE : SLAVE_INPUT_PIPE;
    const QString& outputPattern = master ? SLAVE_INPUT_PIPE : SLAVE_OUTPUT_PIPE;
    boost::intrusive_ptr<Core::IByteDataInputEx> input
        = Core::DataInputPipe::Create(PipeName(inputPattern, id), master);
    boost::intrusive_ptr<Core::IByteDataOutputEx> output
        = Core::DataOutputPipe::Create(PipeName(outputPattern, id), master);
    return Core::CommunicationChannel::Create(std::move(input), std::move(output), channelFlag);
}

// The slave program: next to this application when it is there, else the path as given.
QString SlaveProgram(const QString& slavePath)
{
    const QString candidate = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()
                                                       + QLatin1Char('/') + slavePath);
    if (QFileInfo::exists(candidate))
        return candidate;
    return QDir::toNativeSeparators(slavePath);
}

} // namespace

bool IPCManager::LaunchSlave(IIPCClient& client, const QString& slavePath,
                             const QString& parameters, bool channelFlag)
{
    // Refused before the search: next to the application, an empty path names its own folder.
    if (slavePath.isEmpty())
        return false;
    const QString program = QFileInfo(SlaveProgram(slavePath)).absoluteFilePath();
    const QString workingFolder = QDir::toNativeSeparators(QFileInfo(program).absolutePath());
    const qint64 processId = QCoreApplication::applicationPid();

    QString pipeId;
    do {
        pipeId = QString::number(QRandomGenerator::global()->bounded(RAND_MAX));
    } while (Core::PipeExists(PipeName(SLAVE_OUTPUT_PIPE, pipeId))
             || Core::PipeExists(PipeName(SLAVE_INPUT_PIPE, pipeId)));

    boost::intrusive_ptr<Core::IDataChannel> channel;
    try {
        channel = OpenChannel(pipeId, true, channelFlag);
    } catch (const Core::IOException& error) {
        LOG(WARNING) << "Could not create the pipes for the slave " << Util::QStringToUtf8(program)
                     << ": " << error.what();
        return false;
    }
    client.SetCommunicationChannel(channel);

    const QString commandLine = parameters + QLatin1Char(' ') + PIPE_ID_KEY + pipeId
                                + QLatin1Char(' ') + PROCESS_ID_KEY + QString::number(processId);
    LOG(INFO) << "Starting the slave " << Util::QStringToUtf8(program) << " with the command line ["
              << Util::QStringToUtf8(commandLine) << "]";
    Platform::ProcessHandle slave
        = Platform::StartProcess(program, QProcess::splitCommand(commandLine), workingFolder);
    if (!slave.IsValid()) {
        LOG(WARNING) << "Could not start the slave " << Util::QStringToUtf8(program);
        return false;
    }
    client.SetAppHandler(slave.Take());
    return true;
}

bool IPCManager::SetUpSlaveClient(IIPCClient& client, bool channelFlag)
{
    QString pipeId;
    int masterProcessId = 0;
    for (const QString& argument : QCoreApplication::arguments()) {
        if (argument.contains(PIPE_ID_KEY))
            pipeId = QString(argument).remove(PIPE_ID_KEY);
        if (argument.contains(PROCESS_ID_KEY))
            masterProcessId = QString(argument).remove(PROCESS_ID_KEY).toInt();
    }
    if (pipeId.isEmpty() || masterProcessId <= 0)
        return false;

    boost::intrusive_ptr<Core::IDataChannel> channel;
    try {
        channel = OpenChannel(pipeId, false, channelFlag);
    } catch (const Core::IOException& error) {
        LOG(WARNING) << "Could not open the master's pipes " << Util::QStringToUtf8(pipeId) << ": "
                     << error.what();
        return false;
    }
    client.SetCommunicationChannel(channel);
    client.SetAppHandler(Platform::ProcessHandle::Open(masterProcessId).Take());
    return true;
}

} // namespace Tavrix::App
