#pragma once

#include <Tavrix/qtkit_export.h>

class QWidget;

namespace Tavrix::Util {

/// The process-wide registry of the product's main window, the parent of the dialogs that the
/// library opens by itself.
class QTKIT_EXPORT SpontaneousDialog
{
public:
    static void SetMainWindow(QWidget* window);
    /// The window set last, or null before one is set or once it was destroyed.
    static QWidget* GetMainWindow();
};

} // namespace Tavrix::Util
