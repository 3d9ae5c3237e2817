#pragma once

#include <Tavrix/App/applicationcore_export.h>
#include <Tavrix/ioPath.h>

namespace Tavrix::App {

/// The product's resources folder: "TAVRIX_RESOURCES_PATH" when set, else `resources` beside the
/// executable.
APPLICATIONCORE_EXPORT Tavrix::ioPath GetPathToResources();
/// The font configuration file in the resources folder.
APPLICATIONCORE_EXPORT Tavrix::ioPath GetPathToFontConfigFile();

} // namespace Tavrix::App
