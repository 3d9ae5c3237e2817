#include "NativeEventFilter_p.h"

#include <Tavrix/App/Application/EventHandler.h>
#include <Tavrix/App/Application/GestureRouter.h>

#include <QPointer>

namespace Tavrix::App {

NativeEventFilter::NativeEventFilter(QObject* parent) : QObject(parent) {}

NativeEventFilter::~NativeEventFilter() = default;

bool NativeEventFilter::nativeEventFilter(const QByteArray& eventType, void* message, long* result)
{
    // One router per process, child of the filter; made again only if a later application
    // object replaced the filter it went with.
    static QPointer<Gesture::Router> router;
    if (!router)
        router = new Gesture::Router(this);
    if (router->nativeEvent(eventType, message, result))
        return true;
    // A copy, so that a handler may unregister itself from inside its call.
    const QList<std::shared_ptr<EventHandler>> current = handlers;
    for (const auto& handler : current)
        handler->OnNativeEvent(eventType, message, result);
    return false;
}

} // namespace Tavrix::App
