#pragma once

#include <Tavrix/App/Application/ILookAndFeelManager.h>
#include <Tavrix/App/applicationcore_export.h>
#include <Tavrix/ioPath.h>

#include <list>
#include <memory>
#include <string>

namespace Tavrix::App {

/// The product's themes and locales, found once in `<root>/resources`.
///
/// `<root>/resources/themes/<theme>/` holds a theme: its description file (JSON, the theme's
/// title per locale code) and compiled resource bundles (`<bundle>.rcc`, files kept under
/// ":/<bundle>/"). Switching to a theme registers its bundles, loads the fonts they list and builds
/// one stylesheet from theirs and the product's, with the "@name" font placeholders filled in; the
/// product applies `GetUnitedStylesheet()` itself. `<root>/resources/locales/<locale>/` holds a
/// locale's ".qm" translations, installed into the application on every locale switch.
///
/// Use it on the GUI thread; observers are told synchronously, after the switch is complete.
class APPLICATIONCORE_EXPORT LookAndFeelManager : public ILookAndFeelManager
{
public:
    /// Lists the locale folders and the theme folders that hold a readable
    /// `themeDescriptionFileName`, in the order the file system returns them, and reads the
    /// descriptions. A non-empty `resourceNames` restricts the bundles (`<name>.rcc`) and the
    /// translations (`<name>_<locale>.qm`) used, in its order. `extra` is not read.
    LookAndFeelManager(const Tavrix::ioPath& root, const std::string& themeDescriptionFileName,
                       const std::list<std::string>& resourceNames,
                       const std::list<std::string>& extra);
    ~LookAndFeelManager() override;
    LookAndFeelManager(const LookAndFeelManager&) = delete;
    LookAndFeelManager& operator=(const LookAndFeelManager&) = delete;

    /// `SetLocale(locale)`, then `SetTheme(theme)`.
    void Initialize(const std::string& locale, const std::string& theme) override;
    /// Empty before the first `SetLocale`.
    const std::string& GetCurrentLocale() const override;
    const std::list<std::string>& GetLocales() const override;
    const std::list<std::string>& GetThemes() const override;
    /// Switches to the locale that `locale` resolves to: itself when shipped, else the first
    /// shipped system UI language, else the installer's language, else "en_US". Replaces the
    /// translators and tells the observers; a request that resolves to the current locale does
    /// nothing.
    void SetLocale(const std::string& locale) override;
    /// Unregisters the old theme's bundles and, unless `theme` is empty, registers the new
    /// theme's, applies it and tells the observers. Setting the current theme again re-applies it.
    /// A theme without folder logs an error and keeps only the product's stylesheets.
    void SetTheme(const std::string& theme) override;
    const std::string& GetCurrentTheme() const override;
    /// The theme's title in the current locale; the theme name itself (and a warning) when the
    /// description has none.
    std::string GetLocalizedThemeName(const std::string& theme) const override;
    /// Loads the listed fonts and rebuilds the united stylesheet from the listed files; missing
    /// files contribute nothing but a line break.
    void ApplyTheme(const ThemeDescription& description) override;
    std::string GetUnitedStylesheet() override;
    /// The installer's language as a locale code, or "unknown".
    std::string GetDefaultLocale() const override;
    /// Null and already registered observers are ignored; observers are not owned.
    void RegisterObserver(ILookAndFeelObserver* observer) override;
    void UnregisterObserver(ILookAndFeelObserver* observer) override;

    /// The locale code of a Windows language identifier; "en_US" for 0 and for every identifier
    /// without a code of its own.
    static std::string LocaleNameFromInstallerCode(unsigned int code);

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
