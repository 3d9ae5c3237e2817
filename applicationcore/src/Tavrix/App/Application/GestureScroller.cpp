#include <Tavrix/App/Application/GestureScroller.h>

#include <QAbstractScrollArea>

namespace Tavrix::App {

Gesture::Scroller::Scroller(QAbstractScrollArea* scrollArea) : QObject(scrollArea) {}

Gesture::Scroller::~Scroller() = default;

QAbstractScrollArea* Gesture::Scroller::ScrollArea() const
{
    return qobject_cast<QAbstractScrollArea*>(parent());
}

} // namespace Tavrix::App
