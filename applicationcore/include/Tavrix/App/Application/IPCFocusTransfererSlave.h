#pragma once

#include <Tavrix/App/Application/IFocusTransferer.h>
#include <Tavrix/App/Application/IIPCClient.h>
#include <Tavrix/App/applicationcore_export.h>
#include <Tavrix/RefCount.h>

#include <QObject>
#include <QString>

#include <memory>

Q_DECLARE_INTERFACE(Tavrix::IRefCountable, "IRefCountable")

namespace Tavrix::App {

/// The slave side of handing the keyboard focus back to the master when the slave closes.
///
/// One instance per process sets itself up from the slave's command line (see IPCManager) and
/// watches, on a thread of Qt's global pool, whether the master still runs. GiveFocusToParent()
/// tells the master "applicationClosed"; the master answers "yes=<window id>" (its top-level
/// window) or "no", and on "yes" the slave brings that window to the front with the focus.
class APPLICATIONCORE_EXPORT IPCFocusTransfererSlave : public QObject,
                                                       public IIPCClient,
                                                       public IFocusTransferer,
                                                       public Tavrix::IRefCountable
{
    Q_OBJECT
    Q_INTERFACES(Tavrix::App::IIPCClient Tavrix::App::IFocusTransferer Tavrix::IRefCountable)

public:
    static const QString APPLICATION_CLOSE_MESSAGE;
    static const QString RETURN_YES;
    static const QString RETURN_NO;

    /// The instance of this process. Until a channel to the master has been set up, every call
    /// tries again from the command line; without the master's arguments it stays unlinked and
    /// GiveFocusToParent() does nothing. It lives until the process exits; references counted
    /// on it never bring it down.
    static IPCFocusTransfererSlave& Instance();
    ~IPCFocusTransfererSlave() override;
    IPCFocusTransfererSlave(const IPCFocusTransfererSlave&) = delete;
    IPCFocusTransfererSlave& operator=(const IPCFocusTransfererSlave&) = delete;

    void SetCommunicationChannel(boost::intrusive_ptr<Tavrix::Core::IDataChannel> channel) override;
    /// Takes the master's process handle and watches it; 0 means the master is gone already.
    void SetAppHandler(int handle) override;
    void ChannelClosed() override;

    /// Once per process, while the master runs: tells it that this program closes, waits for its
    /// answer, and on "yes=<window>" switches to that window. Any other answer, one of more than
    /// 4096 bytes, or a closed channel switches nothing. The master is not watched afterwards.
    void GiveFocusToParent() override;

    unsigned int AddRef() const override;
    /// Never destroys the instance: a release beyond the references taken is refused.
    unsigned int Release() const override;
    unsigned int GetRefCount() const;

    /// Whether a channel is installed and the master has not been seen to end (nor the watch to
    /// stop after the hand-over). Turns false through this object's thread's event loop.
    bool IsMasterAlive() const;

protected:
    IPCFocusTransfererSlave();

protected Q_SLOTS:
    void OnMasterDied();

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
