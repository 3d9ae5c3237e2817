#include <Tavrix/Core/PipeName.h>

#include <Tavrix/Platform/RuntimeFolder.h>

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace Tavrix::Core {
namespace {
const std::string PIPE_PREFIX = "\\\\.\\pipe\\";
} // namespace

std::string PipePath(const std::string& name)
{
    if (name.compare(0, PIPE_PREFIX.size(), PIPE_PREFIX) != 0)
        return {};
    const std::string entry = name.substr(PIPE_PREFIX.size());
    if (entry.empty() || entry.find_first_of(std::string("/\\\0", 3)) != std::string::npos
        || entry.find("..") != std::string::npos)
        return {};
    // Without a folder (a temporary folder that does not exist reads as empty) the entry would
    // land in the file system's root.
    const QString folder = Platform::RuntimeFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    return QFile::encodeName(folder).toStdString() + '/' + entry;
}

bool PipeExists(const std::string& name)
{
    const std::string path = PipePath(name);
    struct stat status
    {};
    return !path.empty() && ::lstat(path.c_str(), &status) == 0;
}

} // namespace Tavrix::Core
