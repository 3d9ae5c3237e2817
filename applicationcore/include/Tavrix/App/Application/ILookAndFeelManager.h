#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <list>
#include <string>

namespace Tavrix::App {

class ILookAndFeelObserver;

/// Themes and locales of the product, switchable at run time.
class APPLICATIONCORE_EXPORT ILookAndFeelManager
{
public:
    /// Resource paths collected from a theme's bundles.
    struct ThemeDescription
    {
        std::list<std::string> styleSheets;
        std::list<std::string> fontMaps;
        std::list<std::string> fontManifests;
    };

    virtual ~ILookAndFeelManager();
    virtual void Initialize(const std::string& locale, const std::string& theme) = 0;
    virtual const std::string& GetCurrentLocale() const = 0;
    virtual const std::list<std::string>& GetLocales() const = 0;
    virtual const std::list<std::string>& GetThemes() const = 0;
    virtual void SetLocale(const std::string& locale) = 0;
    virtual void SetTheme(const std::string& theme) = 0;
    virtual const std::string& GetCurrentTheme() const = 0;
    virtual std::string GetLocalizedThemeName(const std::string& theme) const = 0;
    virtual void ApplyTheme(const ThemeDescription& description) = 0;
    /// The stylesheet of the current theme with the font placeholders filled in, as UTF-8.
    virtual std::string GetUnitedStylesheet() = 0;
    virtual std::string GetDefaultLocale() const = 0;
    virtual void RegisterObserver(ILookAndFeelObserver* observer) = 0;
    virtual void UnregisterObserver(ILookAndFeelObserver* observer) = 0;
};

} // namespace Tavrix::App
