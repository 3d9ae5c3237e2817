#include <Tavrix/App/Application/LogURLHandler.h>

#include <Tavrix/Util/Conversions.h>

#include <QFile>
#include <QTextStream>

#include <glog/logging.h>

namespace Tavrix::App {

class LogURLHandler::Private
{
public:
    std::unique_ptr<QFile> file;
};

LogURLHandler::LogURLHandler(QObject* parent, const QString& fileName)
    : QObject(parent), d(std::make_unique<Private>())
{
    d->file = std::make_unique<QFile>(fileName);
    if (!d->file->open(QIODevice::WriteOnly)) {
        LOG(WARNING) << "Cannot log opened URLs to \"" << Util::QStringToUtf8(fileName)
                     << "\": " << Util::QStringToUtf8(d->file->errorString());
        d->file.reset();
    }
}

LogURLHandler::~LogURLHandler() = default;

void LogURLHandler::logUrls(const QUrl& url)
{
    if (!d->file)
        return;
    QTextStream stream(d->file.get());
    // Non-ASCII text in a URL must not depend on the user's locale.
    stream.setCodec("UTF-8");
    stream << url.url() << Qt::endl;
}

} // namespace Tavrix::App
