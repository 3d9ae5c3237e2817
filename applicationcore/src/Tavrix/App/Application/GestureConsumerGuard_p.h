#pragma once

#include <Tavrix/App/Application/GestureConsumer.h>

#include <QObject>
#include <QPointer>

namespace Tavrix::App {

/// The consumer of a running gesture. Consumers live as QObject children of the widgets they
/// serve and may go with them in the middle of a gesture; their QObject side tells when they are
/// gone, so that a destroyed consumer is never called. A consumer without a QObject side cannot
/// be watched and is taken as it is.
class GestureConsumerGuard
{
public:
    void Set(Gesture::Consumer* consumer)
    {
        m_consumer = consumer;
        m_object = dynamic_cast<QObject*>(consumer);
        m_watched = !m_object.isNull();
    }

    /// The consumer, or null once it has been destroyed.
    Gesture::Consumer* Get()
    {
        if (m_watched && m_object.isNull())
            Set(nullptr);
        return m_consumer;
    }

private:
    Gesture::Consumer* m_consumer = nullptr;
    QPointer<QObject> m_object;
    bool m_watched = false;
};

} // namespace Tavrix::App
