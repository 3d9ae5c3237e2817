#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <string>

namespace Tavrix::App {

/// Told of every effective locale and theme switch.
class APPLICATIONCORE_EXPORT ILookAndFeelObserver
{
public:
    virtual ~ILookAndFeelObserver();
    virtual void OnLocaleChanged(const std::string& locale) = 0;
    virtual void OnThemeChanged(const std::string& theme) = 0;
};

} // namespace Tavrix::App
