#pragma once

#include <Tavrix/App/Application/GestureProducer.h>

#include <QByteArray>
#include <QObject>

namespace Tavrix::App {

/// The producer that the application feeds with every native event.
class APPLICATIONCORE_EXPORT Gesture::Router : public QObject, public Gesture::Producer
{
    Q_OBJECT

public:
    explicit Router(QObject* parent = nullptr);
    ~Router() override;

    /// The first consumer child of the innermost widget under the point that has one, or null.
    Gesture::Consumer* Route(const Gesture& gesture) override;

    /// True when the native event was a gesture message and is consumed; `*result` then holds
    /// the answer for the system. Only "windows_generic_MSG" and "windows_dispatcher_MSG" events
    /// are looked at.
    bool nativeEvent(const QByteArray& eventType, void* message, long* result);
};

} // namespace Tavrix::App
