#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <QString>

#include <deque>
#include <memory>
#include <string>

namespace Tavrix::App {

/// Finds the earlier runs of this executable that ended without a clean shutdown.
///
/// Every live process keeps one entry (its process id and its session id) in a small INI file of
/// the user's; a clean shutdown removes it. An entry whose process no longer runs this executable
/// is a crashed session: the next tracker reports it once and removes it. Construct it after the
/// QCoreApplication, one per process.
class APPLICATIONCORE_EXPORT CrashTracker
{
public:
    /// Opens the session file, reports and removes the entries of dead processes, and records
    /// this process. A file that is not an INI file is started afresh, with nothing reported.
    CrashTracker();
    /// Removes this process's entry.
    ~CrashTracker();
    CrashTracker(const CrashTracker&) = delete;
    CrashTracker& operator=(const CrashTracker&) = delete;

    /// This run's id: "yyMMdd-HHmmss-NNNNNN".
    std::string SessionId() const;
    /// The session ids of the crashed runs found at construction, in the order found.
    std::deque<std::string> BadSessionsList() const;
    bool HasUnreportedCrash() const;
    /// Forgets the crashed runs and empties the file, this process's entry included (a crash of
    /// this run then goes unnoticed).
    void ClearHistory();
    /// Removes this process's entry: the run counts as ended cleanly. Calling it twice is harmless.
    void StopSession();
    /// The session file.
    QString FileName() const;

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
