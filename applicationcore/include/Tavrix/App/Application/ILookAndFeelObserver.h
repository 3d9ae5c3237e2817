#pragma once

#include <string>

namespace Tavrix::App {

/// Told of every effective locale and theme switch.
class ILookAndFeelObserver
{
public:
    virtual ~ILookAndFeelObserver() = default;
    virtual void OnLocaleChanged(const std::string& locale) = 0;
    virtual void OnThemeChanged(const std::string& theme) = 0;
};

} // namespace Tavrix::App
