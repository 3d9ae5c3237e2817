#pragma once

#include <Tavrix/App/applicationcore_export.h>
#include <Tavrix/Core/IDataChannel.h>

#include <QtPlugin>

#include <boost/intrusive_ptr.hpp>

namespace Tavrix::App {

/// The owner of a conversation with another process: IPCManager hands it the channel and a
/// handle of the other process, both of which it owns from then on.
class APPLICATIONCORE_EXPORT IIPCClient
{
public:
    IIPCClient() = default;
    IIPCClient(const IIPCClient&) = default;
    IIPCClient& operator=(const IIPCClient&) = default;
    virtual ~IIPCClient();

    /// Receives the channel to the other process and keeps a reference to it.
    virtual void SetCommunicationChannel(boost::intrusive_ptr<Tavrix::Core::IDataChannel> channel)
        = 0;
    /// Receives a handle of the other process (a process handle that turns readable when the
    /// process ends; 0 when there is none). The client closes it when done.
    virtual void SetAppHandler(int handle) = 0;
    /// Drops the channel.
    virtual void ChannelClosed() = 0;
};

} // namespace Tavrix::App

Q_DECLARE_INTERFACE(Tavrix::App::IIPCClient, "IIPCClient")
