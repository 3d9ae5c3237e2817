#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <glog/logging.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace Tavrix::Fuzz {

void Fail(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "Property failed: %s (%s:%d)\n", condition, file, line);
    std::fflush(stderr);
    std::abort();
}

void PrepareProcess()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("TAVRIX_FUZZ_VERBOSE")) {
        // Every input logs its warnings; at thousands of inputs a second that is all the run does.
        FLAGS_minloglevel = google::GLOG_FATAL;
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtFatalMsg) {
                std::fprintf(stderr, "%s\n", qUtf8Printable(text));
                std::abort();
            }
        });
    }
}

int& ArgumentCount()
{
    static int count = 1;
    return count;
}

char** Arguments()
{
    static char name[] = "tavrix-fuzz";
    static char* arguments[] = {name, nullptr};
    return arguments;
}

std::vector<std::string> SplitInput(const std::uint8_t* data, std::size_t size, std::size_t count)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t line = 0; parts.size() + 1 < count && line <= text.size();) {
        const std::size_t end = std::min(text.find('\n', line), text.size());
        if (text.compare(line, end - line, "%%") == 0) {
            // The line break before the separator belongs to it, not to the part.
            parts.push_back(text.substr(start, line > start ? line - 1 - start : 0));
            start = std::min(end + 1, text.size());
        }
        line = end + 1;
    }
    parts.push_back(text.substr(start));
    parts.resize(count);
    return parts;
}

QString FreshFolder()
{
    static QTemporaryDir root;
    static int inputs = 0;
    static QString previous;
    if (!previous.isEmpty())
        QDir(previous).removeRecursively();
    previous = root.filePath(QString::number(++inputs));
    QDir().mkpath(previous);
    return previous;
}

bool HasKeysOutsideNormalForm(const QString& iniFile)
{
    const QSettings settings(iniFile, QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    return std::any_of(keys.cbegin(), keys.cend(), [&settings](const QString& key) {
        return key.startsWith(QLatin1Char('/')) || key.endsWith(QLatin1Char('/'))
               || key.contains(QLatin1String("//")) || !settings.contains(key);
    });
}

std::string WithoutBinaryValues(std::string ini)
{
    for (const char* const prefix : {"@Variant(", "@DateTime("}) {
        for (std::size_t found = ini.find(prefix); found != std::string::npos;
             found = ini.find(prefix, found))
            ini[found] = '_';
    }
    return ini;
}

bool WriteFile(const QString& path, const std::string& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(bytes.data(), static_cast<qint64>(bytes.size()))
                  == static_cast<qint64>(bytes.size());
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace Tavrix::Fuzz
