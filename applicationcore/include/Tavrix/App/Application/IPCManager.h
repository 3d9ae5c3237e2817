#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <QString>

namespace Tavrix::App {

class IIPCClient;

/// Starts a second program of the product (the slave) joined to this one (the master) by a
/// channel over two named pipes, and joins a slave to its master.
///
/// The master makes the pipes under a random id before the slave starts, and appends
/// "/MasterPipeId=<id> /ProcessId=<master's process id>" to the slave's command line; the slave
/// finds both there and opens the same pipes.
class APPLICATIONCORE_EXPORT IPCManager
{
public:
    /// Master side. `slavePath` is looked for next to this application first, else taken as it
    /// is (a relative one against the working folder); the slave runs in the folder that holds
    /// it. `parameters` is one command-line text (quotes group words). The channel (made with
    /// `channelFlag`, see CommunicationChannel) goes to the client before the slave starts, and
    /// the slave's process handle once it has started. False, with the client untouched, for an
    /// empty path or when the pipes cannot be made; false, with the channel already given to the
    /// client, when the slave cannot be started.
    static bool LaunchSlave(IIPCClient& client, const QString& slavePath, const QString& parameters,
                            bool channelFlag);
    /// Slave side: reads the master's pipe id and process id from this program's arguments,
    /// opens the pipes and gives the client the channel and the master's process handle (0 when
    /// the master no longer runs). False, with the client untouched, when either argument is
    /// missing, the process id is not a number above 0, or the pipes cannot be opened (no such
    /// pipe, or an id that would name a file outside the runtime folder).
    static bool SetUpSlaveClient(IIPCClient& client, bool channelFlag);
};

} // namespace Tavrix::App
