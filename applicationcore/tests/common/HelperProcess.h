#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <signal.h>

// A second process for a test, by default this test program with a command word, started in a
// runtime folder of its own so that it sees none of the test's locks and pipes. A process still
// running when the helper goes is killed.
class HelperProcess
{
public:
    explicit HelperProcess(const QStringList& arguments,
                           const QString& program = QCoreApplication::applicationFilePath())
        : m_program(program), m_arguments(arguments)
    {
        m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    }
    ~HelperProcess() { Kill(SIGKILL); }
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    QString RuntimeFolder() const { return m_runtime.path(); }
    void SetEnvironment(const QString& name, const QString& value)
    {
        m_environment.insert(name, value);
    }
    void ShareRuntimeFolder(const HelperProcess& other)
    {
        SetEnvironment(QStringLiteral("XDG_RUNTIME_DIR"), other.RuntimeFolder());
    }
    // For a process that must see the locks of the test itself.
    void ShareTestRuntimeFolder()
    {
        SetEnvironment(QStringLiteral("XDG_RUNTIME_DIR"), qEnvironmentVariable("XDG_RUNTIME_DIR"));
    }

    bool Start()
    {
        m_process.setProcessEnvironment(m_environment);
        m_process.start(m_program, m_arguments);
        return m_process.waitForStarted(10000);
    }
    // The next line of standard output without its line end; empty when none came in time.
    QByteArray ReadLine(int timeoutMs = 20000)
    {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(timeoutMs))
                return {};
        }
        return m_process.readLine().trimmed();
    }
    // Starts the process and waits for it to end by itself with exit code 0.
    bool Run(int timeoutMs = 20000) { return Start() && Finish(timeoutMs); }
    bool Finish(int timeoutMs = 20000) { return ExitCode(timeoutMs) == 0; }
    // Waits for the process to end by itself: its exit code, or -1 when it crashed or ran on.
    int ExitCode(int timeoutMs = 20000)
    {
        return m_process.waitForFinished(timeoutMs)
                       && m_process.exitStatus() == QProcess::NormalExit
                   ? m_process.exitCode()
                   : -1;
    }
    // Sends `signal` and waits for the end; a process that has ended already is left alone (its
    // id, 0 then, would name this whole process group).
    void Kill(int signal)
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(static_cast<pid_t>(m_process.processId()), signal);
        m_process.waitForFinished(10000);
    }
    QString Output() { return QString::fromUtf8(m_process.readAllStandardOutput()).trimmed(); }
    QStringList OutputLines() { return Output().split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
    QProcess& Process() { return m_process; }

private:
    QTemporaryDir m_runtime;
    QString m_program;
    QStringList m_arguments;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    QProcess m_process;
};
