#pragma once

#include <Tavrix/App/ApplicationCore.h>

#include <memory>
#include <string>

/// The sample product's themes and translations from its resources folder `resources`, set to
/// `locale` and `theme`, with the theme's stylesheet applied to the whole application. The demo,
/// its helper program, its tests and the start-up benchmark all start their looks this way.
std::shared_ptr<Tavrix::App::LookAndFeelManager>
StartDemoLookAndFeel(const Tavrix::ioPath& resources, const std::string& locale,
                     const std::string& theme);
