#include <Tavrix/App/InitGlog.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <glog/logging.h>

#include <atomic>
#include <mutex>

namespace Tavrix::App {
namespace {

std::once_flag initOnce;
std::atomic<bool> initialized{false};

std::string ProgramName()
{
    const QByteArray product = qgetenv("GLOG_PRODUCT_NAME");
    if (!product.isEmpty())
        return product.toStdString();
    const QString executable = QCoreApplication::applicationFilePath();
    return executable.isEmpty() ? std::string("tavrix")
                                : QFileInfo(executable).fileName().toStdString();
}

} // namespace

void InitGlog(const std::string& logDirectory)
{
    std::call_once(initOnce, [&logDirectory] {
        QString folder = QString::fromStdString(logDirectory);
        if (folder.isEmpty())
            folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
                     + QStringLiteral("/logs");
        QDir().mkpath(folder);
        FLAGS_log_dir = QFile::encodeName(folder).toStdString();
        FLAGS_stderrthreshold = google::GLOG_WARNING;
        // glog keeps the pointer it is given, so the name must outlive the process's logging.
        static const std::string name = ProgramName();
        google::InitGoogleLogging(name.c_str());
        initialized = true;
    });
}

bool IsGlogInitialized()
{
    return initialized;
}

} // namespace Tavrix::App
