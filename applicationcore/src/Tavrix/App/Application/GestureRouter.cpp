#include <Tavrix/App/Application/GestureRouter.h>
#include <Tavrix/App/Application/GestureConsumer.h>

#include <Tavrix/Platform/Win32Gesture.h>

#include <QApplication>
#include <QWidget>

namespace Tavrix::App {

namespace Win32 = Tavrix::Platform::Win32;

namespace {

// Compared as byte arrays, which checks the sizes first: every native event comes by here.
bool IsWindowsMessage(const QByteArray& eventType)
{
    static const QByteArray generic = QByteArrayLiteral("windows_generic_MSG");
    static const QByteArray dispatcher = QByteArrayLiteral("windows_dispatcher_MSG");
    return eventType == generic || eventType == dispatcher;
}

} // namespace

Gesture::Router::Router(QObject* parent) : QObject(parent) {}

Gesture::Router::~Router() = default;

Gesture::Consumer* Gesture::Router::Route(const Gesture& gesture)
{
    for (QWidget* widget = QApplication::widgetAt(QPoint(gesture.screenX, gesture.screenY)); widget;
         widget = widget->parentWidget()) {
        for (QObject* child : widget->children())
            if (auto* consumer = dynamic_cast<Gesture::Consumer*>(child))
                return consumer;
    }
    return nullptr;
}

bool Gesture::Router::nativeEvent(const QByteArray& eventType, void* message, long* result)
{
    if (!message || !IsWindowsMessage(eventType))
        return false;
    const auto* msg = static_cast<const Win32::MSG*>(message);
    const auto& api = Platform::GestureFunctions();
    auto* wParam = reinterpret_cast<void*>(msg->wParam);
    auto* lParam = reinterpret_cast<void*>(msg->lParam);

    switch (msg->message) {
    case Win32::WM_GESTURE:
        if (api.GetParent && api.GetParent(msg->hwnd)) {
            // The default procedure passes the gesture up to the parent, where it comes again.
            const Win32::LRESULT answer
                = api.DefWindowProcW
                      ? api.DefWindowProcW(msg->hwnd, msg->message, msg->wParam, msg->lParam)
                      : 0;
            if (result)
                *result = static_cast<long>(answer);
            return true;
        }
        if (!OnGesture(msg->hwnd, wParam, lParam))
            return false;
        if (result)
            *result = 0;
        return true;
    case Win32::WM_GESTURENOTIFY:
        if (!OnGestureNotify(msg->hwnd, wParam, lParam))
            return false;
        if (result)
            *result = 0;
        return true;
    default:
        return false;
    }
}

} // namespace Tavrix::App
