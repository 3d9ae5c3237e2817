#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>

#include <memory>

namespace Tavrix::App {

class EventHandler;

/// Offers every native event to the gesture router, then to the product's handlers.
class NativeEventFilter : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit NativeEventFilter(QObject* parent);
    ~NativeEventFilter() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, long* result) override;

    QList<std::shared_ptr<EventHandler>> handlers;
};

} // namespace Tavrix::App
