#pragma once

#include <Tavrix/qtkit_export.h>

#include <QString>

class QWidget;

namespace Tavrix::Util {

/// Puts `style` into the dynamic property `propertyName` of `widget` and re-polishes it, so
/// that stylesheet selectors on the property apply at once.
QTKIT_EXPORT void ApplyWidgetStyle(QWidget* widget, const QString& style, const char* propertyName);

} // namespace Tavrix::Util
