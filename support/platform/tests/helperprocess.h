#pragma once

#include <QProcess>
#include <QTest>

#include <memory>

#include <signal.h>

// Starts the lock test helper with `arguments` and waits until it says "ready"; null when it
// does not. The helper is killed when the returned object goes.
inline std::unique_ptr<QProcess> StartReadyHelper(const QStringList& arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(TAVRIX_MUTEX_HELPER), arguments);
    if (!process->waitForStarted(10000))
        return nullptr;
    while (!process->canReadLine()) {
        if (process->state() != QProcess::Running || !process->waitForReadyRead(10000))
            return nullptr;
    }
    if (process->readLine().trimmed() != "ready")
        return nullptr;
    return process;
}

// Kills the helper the hard way, as a crash would end it, and reaps it.
inline bool KillHelper(QProcess& process)
{
    ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::CrashExit;
}

// The exit code of a helper run to its end; -1 when it did not end normally in time.
inline int RunHelper(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral(TAVRIX_MUTEX_HELPER), arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}
