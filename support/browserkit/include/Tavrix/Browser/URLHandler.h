#pragma once

#include <Tavrix/browserkit_export.h>

#include <QObject>
#include <QUrl>

#include <memory>

namespace Tavrix {

class PreferredBrowser;

/// Opens the URLs that QDesktopServices hands it with the preferred browser.
class BROWSERKIT_EXPORT URLHandler : public QObject
{
    Q_OBJECT

public:
    URLHandler(QObject* parent, std::shared_ptr<PreferredBrowser> browser);
    ~URLHandler() override;

public Q_SLOTS:
    /// Starts the browser program with `url` as its one argument, detached from this process.
    void OpenURLWithPreferredBrowser(const QUrl& url);

private:
    std::shared_ptr<PreferredBrowser> m_browser;
};

} // namespace Tavrix
