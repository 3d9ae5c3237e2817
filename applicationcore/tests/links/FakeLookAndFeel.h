#pragma once

#include <Tavrix/App/Application/ILookAndFeelManager.h>

#include <functional>

// Shipped locales and a current one, nothing else; tells `localeSet` about each switch.
struct FakeLookAndFeel : Tavrix::App::ILookAndFeelManager
{
    void Initialize(const std::string&, const std::string&) override {}
    const std::string& GetCurrentLocale() const override { return locale; }
    const std::list<std::string>& GetLocales() const override { return locales; }
    const std::list<std::string>& GetThemes() const override { return themes; }
    void SetLocale(const std::string& value) override
    {
        locale = value;
        if (localeSet)
            localeSet(value);
    }
    void SetTheme(const std::string&) override {}
    const std::string& GetCurrentTheme() const override { return theme; }
    std::string GetLocalizedThemeName(const std::string&) const override { return {}; }
    void ApplyTheme(const ThemeDescription&) override {}
    std::string GetUnitedStylesheet() override { return {}; }
    std::string GetDefaultLocale() const override { return "en_US"; }
    void RegisterObserver(Tavrix::App::ILookAndFeelObserver*) override {}
    void UnregisterObserver(Tavrix::App::ILookAndFeelObserver*) override {}

    std::string locale = "en_US";
    std::string theme;
    std::list<std::string> locales;
    std::list<std::string> themes;
    std::function<void(const std::string&)> localeSet;
};
