#include <Tavrix/Browser/URLHandler.h>
#include <Tavrix/Browser/PreferredBrowser.h>

#include <QProcess>

#include <glog/logging.h>

namespace Tavrix {

URLHandler::URLHandler(QObject* parent, std::shared_ptr<PreferredBrowser> browser)
    : QObject(parent), m_browser(std::move(browser))
{
}

URLHandler::~URLHandler() = default;

void URLHandler::OpenURLWithPreferredBrowser(const QUrl& url)
{
    if (!m_browser || !url.isValid())
        return;
    const QString program = m_browser->Path();
    if (!QProcess::startDetached(program, {url.toString(QUrl::FullyEncoded)}))
        LOG(WARNING) << "Failed to start the browser " << program.toStdString() << " for "
                     << url.toString(QUrl::FullyEncoded).toStdString();
}

} // namespace Tavrix
