#pragma once

#include <Tavrix/App/applicationcore_export.h>

namespace Tavrix::App {

/// Makes the custom colours of QColorDialog survive between runs.
///
/// Constructing one loads the table from the application's common settings store (group
/// "Tavrix::App::ColorDialogHelper": "ColorsCount" and "Color0", "Color1", ... as "#rrggbb");
/// destroying one, a copy included, replaces the stored table with the dialog's whole table.
/// Alpha is not kept. Hold one for the life of the main window.
///
/// Use it on the GUI thread while the Application runs with a common store; without one,
/// nothing is loaded or saved and a warning is logged. A stored count above the dialog's slots
/// loads only those slots; a missing entry loads black; a stored text that names no colour is
/// handed to QColor as it is.
class APPLICATIONCORE_EXPORT ColorDialogHelper
{
public:
    /// Loads the stored table into the dialog.
    ColorDialogHelper();
    /// Loads nothing.
    ColorDialogHelper(const ColorDialogHelper& other);
    /// Does nothing.
    ColorDialogHelper& operator=(const ColorDialogHelper& other);
    /// Saves the dialog's table.
    virtual ~ColorDialogHelper();
};

} // namespace Tavrix::App
