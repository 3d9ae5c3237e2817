#include <Tavrix/App/Application/IPCFocusTransfererSlave.h>

#include "IPCFocusTransfererSlave_p.h"

#include <Tavrix/App/Application/IPCManager.h>
#include <Tavrix/Core/IOException.h>
#include <Tavrix/Platform/Event.h>
#include <Tavrix/Platform/ProcessHandle.h>
#include <Tavrix/Platform/WaitForHandles.h>
#include <Tavrix/Platform/WindowSwitch.h>

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QStringList>
#include <QtConcurrent/QtConcurrentRun>

#include <glog/logging.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <vector>

namespace Tavrix::App {
namespace {

std::atomic<IPCFocusTransfererSlave*> g_instance{nullptr};

bool RunningProcessesWatcher(const std::shared_ptr<Platform::ProcessHandle>& master, int stopEvent)
{
    if (!master->IsValid())
        return false;
    Platform::WaitForAnyHandle({master->Get(), stopEvent}, -1);
    return false;
}

} // namespace

const QString IPCFocusTransfererSlave::APPLICATION_CLOSE_MESSAGE
    = QStringLiteral("applicationClosed");
const QString IPCFocusTransfererSlave::RETURN_YES = QStringLiteral("yes");
const QString IPCFocusTransfererSlave::RETURN_NO = QStringLiteral("no");

class IPCFocusTransfererSlave::Private
{
public:
    /// Ends the watch. Qt waits for its global pool's threads when the application object goes
    /// and again at exit, so the watch must end by then even while the master runs.
    static void StopWatching()
    {
        if (IPCFocusTransfererSlave* const instance = g_instance.load())
            instance->d->stopEvent.Set();
    }

    Tavrix::RefCountImpl refCount;
    std::mutex mutex; // guards channel and master
    boost::intrusive_ptr<Core::IDataChannel> channel;
    std::shared_ptr<Platform::ProcessHandle> master = std::make_shared<Platform::ProcessHandle>();
    Platform::Event stopEvent;
    QFuture<bool> future;
    QFutureWatcher<bool> watcher;
    std::atomic<bool> masterAlive{false};
    std::atomic<bool> setUp{false};
    std::atomic<bool> focusGiven{false};
    std::mutex setUpMutex;
};

IPCFocusTransfererSlave::IPCFocusTransfererSlave() : d(std::make_unique<Private>())
{
    // The instance holds a reference on itself, so counted references never bring it down.
    d->refCount.AddRefImpl();
    connect(&d->watcher, &QFutureWatcher<bool>::finished, this,
            &IPCFocusTransfererSlave::OnMasterDied);
    g_instance = this;
}

IPCFocusTransfererSlave::~IPCFocusTransfererSlave()
{
    g_instance = nullptr;
    d->stopEvent.Set();
    if (d->future.isRunning())
        d->future.cancel();
    d->future.waitForFinished();
}

IPCFocusTransfererSlave& IPCFocusTransfererSlave::Instance()
{
    static IPCFocusTransfererSlave instance;
    if (!instance.d->setUp) {
        const std::lock_guard<std::mutex> lock(instance.d->setUpMutex);
        if (!instance.d->setUp)
            IPCManager::SetUpSlaveClient(instance, false);
    }
    return instance;
}

void IPCFocusTransfererSlave::SetCommunicationChannel(
    boost::intrusive_ptr<Tavrix::Core::IDataChannel> channel)
{
    {
        const std::lock_guard<std::mutex> lock(d->mutex);
        d->channel = std::move(channel);
    }
    d->masterAlive = true;
    d->setUp = true;
}

void IPCFocusTransfererSlave::SetAppHandler(int handle)
{
    // The running watch keeps the handle it waits on; the new one gets its own.
    auto master = std::make_shared<Platform::ProcessHandle>(handle > 0 ? handle : -1);
    {
        const std::lock_guard<std::mutex> lock(d->mutex);
        d->master = master;
    }
    d->future = QtConcurrent::run([master, stopEvent = d->stopEvent.Get()] {
        return RunningProcessesWatcher(master, stopEvent);
    });
    d->watcher.setFuture(d->future);

    static std::once_flag exitHook;
    std::call_once(exitHook, [] { std::atexit(&Private::StopWatching); });
    qRemovePostRoutine(&Private::StopWatching);
    qAddPostRoutine(&Private::StopWatching);
}

void IPCFocusTransfererSlave::ChannelClosed()
{
    const std::lock_guard<std::mutex> lock(d->mutex);
    d->channel.reset();
}

void IPCFocusTransfererSlave::GiveFocusToParent()
{
    if (d->focusGiven.exchange(true))
        return;
    boost::intrusive_ptr<Core::IDataChannel> channel;
    {
        const std::lock_guard<std::mutex> lock(d->mutex);
        channel = d->channel;
    }
    if (!channel || !d->masterAlive)
        return;

    try {
        if (const std::optional<qint64> window = FocusHandOver::AskForMasterWindow(*channel)) {
            LOG(INFO) << "Switching to the master's window " << *window;
            const Platform::WindowSwitchResult result
                = Platform::SwitchToWindow(*window > 0 ? static_cast<std::uint64_t>(*window) : 0);
            switch (result) {
            case Platform::WindowSwitchResult::Requested:
                LOG(INFO) << "Asked the window manager to activate the window";
                break;
            case Platform::WindowSwitchResult::Focused:
                LOG(INFO) << "Raised the window and gave it the input focus";
                break;
            case Platform::WindowSwitchResult::NoDisplay:
                LOG(WARNING) << "No X11 display to switch windows on";
                break;
            case Platform::WindowSwitchResult::Failed:
                LOG(WARNING) << "Could not switch to the window " << *window;
                break;
            }
        }
    } catch (const Core::IOException& error) {
        LOG(WARNING) << "Could not hand the focus to the master: " << error.what();
    }
    d->stopEvent.Set();
}

unsigned int IPCFocusTransfererSlave::AddRef() const
{
    return d->refCount.AddRefImpl();
}

unsigned int IPCFocusTransfererSlave::Release() const
{
    const unsigned int left = d->refCount.ReleaseImpl();
    if (left == 0) {
        LOG(ERROR) << "The focus transferer was released more often than referenced";
        return d->refCount.AddRefImpl();
    }
    return left;
}

unsigned int IPCFocusTransfererSlave::GetRefCount() const
{
    return d->refCount.GetRefCountImpl();
}

bool IPCFocusTransfererSlave::IsMasterAlive() const
{
    return d->masterAlive;
}

void IPCFocusTransfererSlave::OnMasterDied()
{
    d->masterAlive = false;
}

std::optional<qint64> FocusHandOver::AskForMasterWindow(Core::IDataChannel& channel)
{
    const QByteArray message = IPCFocusTransfererSlave::APPLICATION_CLOSE_MESSAGE.toLatin1();
    channel.Write(message.constData(), static_cast<std::size_t>(message.size()));
    const std::size_t size = channel.GetSize();
    if (size > MAX_ANSWER_SIZE) {
        LOG(WARNING) << "The master's answer of " << size << " bytes is too long; ignored";
        return std::nullopt;
    }
    std::vector<char> buffer(size + 1, 0);
    channel.Read(buffer.data(), size);
    const QStringList fields
        = QString::fromUtf8(buffer.data()).split(QLatin1Char('='), Qt::KeepEmptyParts);
    if (fields.at(0) != IPCFocusTransfererSlave::RETURN_YES || fields.size() < 2)
        return std::nullopt;
    return fields.at(1).toLongLong();
}

} // namespace Tavrix::App
