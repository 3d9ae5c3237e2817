#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <QByteArray>

namespace Tavrix::App {

/// A product's handler of native events, registered with the application.
class APPLICATIONCORE_EXPORT EventHandler
{
public:
    virtual ~EventHandler();
    virtual void OnNativeEvent(const QByteArray& eventType, void* message, long* result) = 0;
};

} // namespace Tavrix::App
