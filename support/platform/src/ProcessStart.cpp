#include <Tavrix/Platform/ProcessStart.h>

#include <Tavrix/Platform/FileDescriptorIO.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <vector>

#include <cerrno>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Tavrix::Platform {
namespace {

class Pipe
{
public:
    Pipe()
    {
        if (::pipe2(m_fds, O_CLOEXEC) != 0)
            m_fds[0] = m_fds[1] = -1;
    }
    ~Pipe()
    {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool IsValid() const { return m_fds[0] >= 0; }
    int Read() const { return m_fds[0]; }
    int Write() const { return m_fds[1]; }
    void CloseRead() { Close(m_fds[0]); }
    void CloseWrite() { Close(m_fds[1]); }

private:
    static void Close(int& fd)
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    int m_fds[2];
};

// The command to run: the executable itself, or the desktop's opener with the document.
QStringList CommandFor(const QString& file, const QStringList& parameters, const QString& folder)
{
    const QFileInfo info(QDir(folder).absoluteFilePath(file));
    if (info.isFile() && info.isExecutable())
        return QStringList{info.absoluteFilePath()} + parameters;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return {};
    if (info.exists())
        return {opener, info.absoluteFilePath()};
    const QUrl url(file);
    if (url.isValid() && !url.scheme().isEmpty() && !url.isRelative())
        return {opener, file};
    return {};
}

} // namespace

ProcessHandle StartProcess(const QString& file, const QStringList& parameters,
                           const QString& directory)
{
    if (file.isEmpty())
        return {};
    const QString folder = directory.isEmpty() ? QDir::currentPath() : directory;
    const QStringList command = CommandFor(file, parameters, folder);
    if (command.isEmpty())
        return {};

    std::vector<QByteArray> encoded;
    encoded.reserve(static_cast<size_t>(command.size()));
    for (const QString& word : command)
        encoded.push_back(QFile::encodeName(word));
    std::vector<char*> argv;
    for (QByteArray& word : encoded)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const QByteArray workingFolder = QFile::encodeName(folder);

    // The process is started through an intermediate child that stays until the handle is open,
    // so the new process cannot be reaped (and its id reused) before then; once the intermediate
    // is gone the process belongs to init, which reaps it.
    Pipe pidPipe, ackPipe, execPipe;
    if (!pidPipe.IsValid() || !ackPipe.IsValid() || !execPipe.IsValid())
        return {};

    const pid_t intermediate = ::fork();
    if (intermediate < 0)
        return {};
    if (intermediate == 0) {
        // Only async-signal-safe calls from here on.
        const pid_t child = ::fork();
        if (child == 0) {
            int error = 0;
            if (::chdir(workingFolder.constData()) != 0)
                error = errno;
            else
                ::execv(argv[0], argv.data());
            if (error == 0)
                error = errno;
            WriteAll(execPipe.Write(), &error, sizeof error);
            ::_exit(127);
        }
        ::close(ackPipe.Write());
        WriteAll(pidPipe.Write(), &child, sizeof child);
        char ack;
        while (::read(ackPipe.Read(), &ack, 1) < 0 && errno == EINTR) {
        }
        ::_exit(0);
    }

    pidPipe.CloseWrite();
    ackPipe.CloseRead();
    execPipe.CloseWrite();
    pid_t child = -1;
    ProcessHandle handle;
    if (ReadAll(pidPipe.Read(), &child, sizeof child) && child > 0)
        handle = ProcessHandle::Open(child);
    ackPipe.CloseWrite();
    int status = 0;
    while (::waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }

    // The exec pipe closes on a successful exec and carries the error number otherwise.
    int error = 0;
    if (ReadAll(execPipe.Read(), &error, sizeof error))
        return {};
    return handle;
}

} // namespace Tavrix::Platform
