#include <Tavrix/Util/WidgetStyle.h>

#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace Tavrix::Util {

void ApplyWidgetStyle(QWidget* widget, const QString& style, const char* propertyName)
{
    if (!widget || !propertyName)
        return;
    widget->setProperty(propertyName, style);
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

} // namespace Tavrix::Util
