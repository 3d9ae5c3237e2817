#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <QObject>
#include <QUrl>

#include <memory>

namespace Tavrix::App {

/// Writes every URL it is handed to a file, one a line, for testers ("--test-log-urls").
///
/// Registered with QDesktopServices::setUrlHandler under the slot name "logUrls", it sees every
/// link the product opens instead of the browser.
class APPLICATIONCORE_EXPORT LogURLHandler : public QObject
{
    Q_OBJECT

public:
    /// Opens `fileName` for writing, emptying it. When it cannot be opened, URLs are dropped.
    LogURLHandler(QObject* parent, const QString& fileName);
    ~LogURLHandler() override;

public Q_SLOTS:
    /// Appends the URL and a line end and flushes.
    void logUrls(const QUrl& url);

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
