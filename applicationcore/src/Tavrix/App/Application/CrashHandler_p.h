#pragma once

#include <QString>

namespace Tavrix::App {

/// The process's crash handlers. While one is installed, SIGSEGV, SIGBUS, SIGFPE, SIGILL and
/// SIGABRT (std::terminate after an uncaught exception included) write the raw crash report of
/// this session, then the process dies by the same signal through whatever handled it before:
/// the same exit status, the same core dump, the product's own earlier handler called. One set per
/// process: a second one stays uninstalled.
class CrashHandler
{
public:
    /// Installs the handlers, with `reportFile` prepared for a crash to write.
    explicit CrashHandler(const QString& reportFile);
    /// Puts the earlier handlers back where nobody replaced ours since.
    ~CrashHandler();
    CrashHandler(const CrashHandler&) = delete;
    CrashHandler& operator=(const CrashHandler&) = delete;

    bool IsInstalled() const;
    /// Whether a crash writes the report; the process dies the same way either way.
    void SetArmed(bool armed);

private:
    bool m_installed = false;
};

} // namespace Tavrix::App
