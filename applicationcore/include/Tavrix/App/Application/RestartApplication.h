#pragma once

#include <Tavrix/App/Application/WorkingMode.h>
#include <Tavrix/App/applicationcore_export.h>

#include <QPixmap>
#include <QString>

namespace Tavrix::App {

/// Restarts the product with `arguments` (one command-line text; quotes group words).
///
/// In the interactive mode (0) the user is asked first, with `icon` in the box when it is not
/// null; a cancel changes nothing. Then the crash history is cleared and the application is asked
/// to quit (Application::TryToQuit); only when it accepts is a new detached instance of the same
/// executable started.
APPLICATIONCORE_EXPORT void RestartApplication(Tavrix::Enums::WorkingMode mode, const QPixmap& icon,
                                               const QString& arguments);

} // namespace Tavrix::App
