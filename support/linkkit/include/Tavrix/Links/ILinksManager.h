#pragma once

#include <Tavrix/Links/URLKeys.h>
#include <Tavrix/linkkit_export.h>

#include <QString>

namespace Tavrix {

/// Turns link keys into the product's URLs.
class LINKKIT_EXPORT ILinksGenerator
{
public:
    virtual ~ILinksGenerator();
    /// The key's URL in the current locale; empty when the product has none.
    virtual QString GetUrl(URLKeys key) const = 0;
};

/// Opens URLs for the product.
class LINKKIT_EXPORT ILinksOpener
{
public:
    virtual ~ILinksOpener();
    /// False when the URL is empty or cannot be opened.
    virtual bool OpenUrl(const QString& url) = 0;
};

/// Both sides: what the product's links are, and opening them.
class LINKKIT_EXPORT ILinksManager : public ILinksGenerator, public ILinksOpener
{
public:
    ~ILinksManager() override;
};

} // namespace Tavrix
