#pragma once

#include <QByteArray>

namespace Tavrix::App {

/// A product's handler of native events, registered with the application.
class EventHandler
{
public:
    virtual ~EventHandler() = default;
    virtual void OnNativeEvent(const QByteArray& eventType, void* message, long* result) = 0;
};

} // namespace Tavrix::App
