#pragma once

#include <Tavrix/App/applicationcore_export.h>

namespace Tavrix::App {

/// Settles the high-density display handling; call it before the Application exists. With
/// "TAVRIX_DPI_POLICY" set to exactly "NOSCALE" nothing changes. Otherwise the system scales the
/// whole process where it can, and Qt scales the interface itself where it cannot.
APPLICATIONCORE_EXPORT void HighDpiFix();

/// Makes Qt use the desktop OpenGL implementation; call it before the Application exists.
APPLICATIONCORE_EXPORT void UseDesktopOpenGL();

} // namespace Tavrix::App
