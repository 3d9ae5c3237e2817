#pragma once

#include <Tavrix/browserkit_export.h>

#include <QString>

#include <functional>
#include <memory>

namespace Tavrix {

/// Chooses the browser that opens the product's web links.
class BROWSERKIT_EXPORT AbstractPreferredBrowser
{
public:
    /// What the product knows about the user's choice, asked for each time it is needed.
    struct PreferredBrowserContext
    {
        QString currentLocale;
        QString installerBrowser;
        QString preferredBrowser;
    };
    using ContextCallback = std::function<PreferredBrowserContext()>;

    AbstractPreferredBrowser();
    virtual ~AbstractPreferredBrowser();
    AbstractPreferredBrowser(const AbstractPreferredBrowser&) = delete;
    AbstractPreferredBrowser& operator=(const AbstractPreferredBrowser&) = delete;

    void SetContextCallback(ContextCallback callback);

    /// The browser program to start.
    virtual QString Path() const = 0;
    /// The user agent text that goes with that browser.
    virtual QString UserAgent() const = 0;

protected:
    /// The context from the callback; an empty one when no callback is set.
    PreferredBrowserContext Context() const;

private:
    ContextCallback m_callback;
};

class BROWSERKIT_EXPORT PreferredBrowser : public AbstractPreferredBrowser
{
public:
    PreferredBrowser();
    ~PreferredBrowser() override;

    /// The context's preferred browser when it names an executable, else the installer's, else
    /// the program in $BROWSER, else "xdg-open".
    QString Path() const override;
    QString UserAgent() const override;
};

} // namespace Tavrix
