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
///
/// With InstallCrashHandlers() a crash also leaves this session's call stack in a report file next
/// to the session file, named after the session id, which GetCrashReport() turns into text at the
/// next start. The ten newest reports of the executable are kept.
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
    /// Forgets the crashed runs and their reports and empties the file, this process's entry
    /// included (a crash of this run then goes unnoticed and leaves no report).
    void ClearHistory();
    /// Removes this process's entry: the run counts as ended cleanly, and a crash after it leaves
    /// no report. Calling it twice is harmless.
    void StopSession();
    /// The session file.
    QString FileName() const;

    /// Makes a crash of this run (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, std::terminate after
    /// an uncaught exception) record its call stack, with the exception's type and text, for the
    /// next start; the process then dies by the same signal as it would without, through the
    /// handler that was installed before, if any. Handlers installed later are left alone. Uses an
    /// alternate signal stack on the calling thread, so that a stack overflow is reported too.
    /// False when another tracker of this process has installed them already.
    bool InstallCrashHandlers();
    /// The readable crash report of a session of this executable, in UTF-8: the session id, the
    /// signal or the uncaught exception, and the call stack with function names, and source file
    /// and line where the modules carry debug information. For a session that left no stack
    /// (killed, or ended without the handlers), a damaged or truncated report file, or an id not
    /// of the form SessionId() gives, the report says so.
    std::string GetCrashReport(const std::string& sessionId) const;
    /// The raw report file of `sessionId` (it exists only after a crash); empty for an id not of
    /// the form SessionId() gives, so that no other file is ever named.
    QString CrashReportFileName(const std::string& sessionId) const;

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
