#pragma once

#include <Tavrix/Links/ILinksManager.h>
#include <Tavrix/ioPath.h>
#include <Tavrix/linkkit_export.h>

#include <functional>
#include <memory>

namespace Tavrix {

/// The product's links from its link table, a JSON file such as
///
///     {"HELP_URL_menu": {"de_DE": "{scheme}://example.com/de/help", "*":
///     "{scheme}://example.com/help"}}
///
/// Each key names a URLKeys value and maps locale codes, or "*" for every other locale, to a URL
/// template. In a template "{scheme}" becomes "https" or "http" (Tavrix::Util::SetDefaultSslUsage),
/// "{locale}", "{module}", "{product}" and "{version}" the context's values.
class LINKKIT_EXPORT LinksManager : public ILinksManager
{
public:
    /// What the templates are filled in with; asked for every link, so that it follows changes.
    struct Context
    {
        QString locale;
        QString module;
        QString product;
        QString version;
    };
    using ContextCallback = std::function<Context()>;

    /// Reads the link table once. A file that is missing, no JSON or no JSON object gives no links;
    /// entries that are no known key or no text are left out. Either way one warning is logged.
    explicit LinksManager(ContextCallback context, const ioPath& linksFile = DefaultLinksFile());
    ~LinksManager() override;
    LinksManager(const LinksManager&) = delete;
    LinksManager& operator=(const LinksManager&) = delete;

    /// links.json in the product's resources folder.
    static ioPath DefaultLinksFile();

    /// The filled-in template, fully percent-encoded (spaces, non-ASCII text). Empty when the key
    /// has no entry for the locale and no "*" entry, or when the result is no absolute URL.
    QString GetUrl(URLKeys key) const override;
    /// Hands the URL to QDesktopServices::openUrl, so that whatever URL handler is registered sees
    /// it.
    bool OpenUrl(const QString& url) override;

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix
