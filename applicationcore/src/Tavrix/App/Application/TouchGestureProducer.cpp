#include "TouchGestureProducer_p.h"

#include "GestureRecord_p.h"

#include <Tavrix/App/Application/GestureConsumer.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMouseEvent>
#include <QTouchEvent>
#include <QWidget>

#include <cmath>

namespace Tavrix::App {

namespace {

// The widget whose touches a consumer's owner takes: a scroll area takes those of its viewport,
// so that its scroll bars keep their own.
bool Serves(const QObject* owner, const QWidget* widget)
{
    if (const auto* area = qobject_cast<const QAbstractScrollArea*>(owner))
        return area->viewport() == widget;
    return owner == widget;
}

} // namespace

TouchGestureProducer::TouchGestureProducer(QObject* parent) : Router(parent) {}

TouchGestureProducer::~TouchGestureProducer() = default;

bool TouchGestureProducer::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::TouchBegin && type != QEvent::TouchUpdate && type != QEvent::TouchEnd
         && type != QEvent::TouchCancel)
        || !watched->isWidgetType())
        return false;
    auto* const widget = static_cast<QWidget*>(watched);
    auto* const touch = static_cast<QTouchEvent*>(event);
    if (type == QEvent::TouchBegin)
        return Begin(widget, touch);
    if (m_phase == Phase::Idle || widget != m_widget)
        return false;
    if (type == QEvent::TouchUpdate)
        Update(touch);
    else
        Finish(touch, type == QEvent::TouchCancel);
    touch->accept();
    return true;
}

bool TouchGestureProducer::Begin(QWidget* widget, QTouchEvent* event)
{
    if (m_phase != Phase::Idle) {
        // Touches of another widget while a sequence runs are that widget's own.
        if (m_widget && m_widget != widget)
            return false;
        // The sequence never ended (its widget went, or the system lost the end).
        Finish(nullptr, true);
    }
    const QList<QTouchEvent::TouchPoint>& points = event->touchPoints();
    if (points.isEmpty())
        return false;

    m_widget = widget;
    const Gesture probe = Locate(points.first().screenPos());
    Gesture::Consumer* const consumer = Route(probe);
    const auto* owner = dynamic_cast<const QObject*>(consumer);
    if (!owner || !Serves(owner->parent(), widget)) {
        m_widget = nullptr;
        return false;
    }
    m_consumer.Set(consumer);
    const int panMask = consumer->WantGesture(Extended<Gesture::Pan>(probe));
    Gesture::Consumer* const stillThere = m_consumer.Get();
    m_zoom = stillThere && stillThere->WantGesture(Extended<Gesture::Zoom>(probe)) == Gesture::All;
    m_horizontal
        = (panMask & (Gesture::Pan::Everything | Gesture::Pan::SingleFingerHorizontal)) != 0;
    m_vertical = (panMask & (Gesture::Pan::Everything | Gesture::Pan::SingleFingerVertical)) != 0;
    if (!m_consumer.Get() || (!m_horizontal && !m_vertical && !m_zoom)) {
        m_consumer.Set(nullptr);
        m_widget = nullptr;
        return false;
    }

    m_phase = Phase::Pressed;
    m_firstId = points.first().id();
    m_secondId = -1;
    m_press = m_first = m_delivered = points.first().screenPos();
    Update(event);
    event->accept();
    return true;
}

void TouchGestureProducer::Update(const QTouchEvent* event)
{
    bool firstLifted = false;
    bool secondLifted = false;
    for (const QTouchEvent::TouchPoint& point : event->touchPoints()) {
        const bool lifted = point.state() == Qt::TouchPointReleased;
        if (point.id() == m_firstId) {
            m_first = point.screenPos();
            firstLifted = firstLifted || lifted;
        } else if (point.id() == m_secondId) {
            m_second = point.screenPos();
            secondLifted = secondLifted || lifted;
        } else if (m_secondId < 0 && !lifted) {
            m_secondId = point.id();
            m_second = point.screenPos();
        }
    }
    const bool pinching = m_zoom && m_secondId >= 0 && !secondLifted && !firstLifted;

    switch (m_phase) {
    case Phase::Pressed:
        if (firstLifted) {
            m_phase = Phase::Over;
        } else if (pinching) {
            StartZoom();
        } else if ((m_horizontal || m_vertical)
                   && (PanPosition() - m_press).manhattanLength()
                          >= QApplication::startDragDistance()) {
            StartPan();
        }
        break;
    case Phase::Panning:
        if (firstLifted || pinching) {
            if (PanPosition() != m_delivered)
                DeliverPan(false, false);
            DeliverPan(false, true);
            m_phase = Phase::Over;
            if (pinching)
                StartZoom();
        } else if (PanPosition() != m_delivered) {
            DeliverPan(false, false);
        }
        break;
    case Phase::Zooming:
        DeliverZoom(false, firstLifted || secondLifted);
        if (firstLifted || secondLifted)
            m_phase = Phase::Over;
        break;
    case Phase::Idle:
    case Phase::Over:
        break;
    }
    // A second finger that lifted without a pinch leaves room for another.
    if (secondLifted && m_phase != Phase::Zooming)
        m_secondId = -1;
}

void TouchGestureProducer::Finish(const QTouchEvent* event, bool cancelled)
{
    if (event && !cancelled) {
        for (const QTouchEvent::TouchPoint& point : event->touchPoints()) {
            if (point.id() == m_firstId)
                m_first = point.screenPos();
            else if (point.id() == m_secondId)
                m_second = point.screenPos();
        }
    }
    switch (m_phase) {
    case Phase::Pressed:
        if (!cancelled && event)
            Click(event->timestamp());
        break;
    case Phase::Panning:
        if (!cancelled && PanPosition() != m_delivered)
            DeliverPan(false, false);
        DeliverPan(false, true);
        break;
    case Phase::Zooming:
        DeliverZoom(false, true);
        break;
    case Phase::Idle:
    case Phase::Over:
        break;
    }
    m_phase = Phase::Idle;
    m_widget = nullptr;
    m_consumer.Set(nullptr);
    m_firstId = m_secondId = -1;
}

void TouchGestureProducer::StartPan()
{
    m_phase = Phase::Panning;
    m_panStart = Locate(m_press);
    // The pan starts where the finger went down, so the content follows the whole way.
    const QPointF now = m_first;
    m_first = m_press;
    DeliverPan(true, false);
    m_first = now;
    DeliverPan(false, false);
}

void TouchGestureProducer::StartZoom()
{
    m_phase = Phase::Zooming;
    m_zoomStart = Spread();
    DeliverZoom(true, false);
}

void TouchGestureProducer::DeliverPan(bool begin, bool end)
{
    m_delivered = PanPosition();
    auto pan = Extended<Gesture::Pan>(Locate(m_delivered));
    pan.begin = begin;
    pan.end = end;
    pan.startX = m_panStart.clientX;
    pan.startY = m_panStart.clientY;
    if (Gesture::Consumer* const consumer = m_consumer.Get())
        consumer->OnGesture(pan);
}

void TouchGestureProducer::DeliverZoom(bool begin, bool end)
{
    auto zoom = Extended<Gesture::Zoom>(Locate((m_first + m_second) / 2.0));
    zoom.begin = begin;
    zoom.end = end;
    zoom.startDistance = m_zoomStart;
    zoom.distance = Spread();
    if (Gesture::Consumer* const consumer = m_consumer.Get())
        consumer->OnGesture(zoom);
}

// The touch took no gesture: the widget under it gets the click it would have had without one.
void TouchGestureProducer::Click(ulong timestamp)
{
    const QPoint global = m_press.toPoint();
    const bool second
        = m_lastClickTime != 0
          && timestamp - m_lastClickTime <= static_cast<ulong>(QApplication::doubleClickInterval())
          && (global - m_lastClick).manhattanLength() < QApplication::startDragDistance();
    m_lastClick = global;
    m_lastClickTime = second ? 0 : timestamp;
    QPointer<QWidget> target = QApplication::widgetAt(global);
    if (!target)
        target = m_widget;
    for (const QEvent::Type type : {second ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress,
                                    QEvent::MouseButtonRelease}) {
        if (!target)
            return;
        QMouseEvent click(type, target->mapFromGlobal(global),
                          target->window()->mapFromGlobal(global), global, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier, Qt::MouseEventSynthesizedByApplication);
        QCoreApplication::sendEvent(target, &click);
    }
}

// Client coordinates are those of the top-level window, as with the system's gesture messages.
Gesture TouchGestureProducer::Locate(QPointF screen) const
{
    const QPoint global = screen.toPoint();
    const QPoint client = m_widget ? m_widget->window()->mapFromGlobal(global) : global;
    Gesture gesture;
    gesture.screenX = global.x();
    gesture.screenY = global.y();
    gesture.clientX = client.x();
    gesture.clientY = client.y();
    return gesture;
}

// The first finger, held on the axes the consumer does not pan along.
QPointF TouchGestureProducer::PanPosition() const
{
    return {m_horizontal ? m_first.x() : m_press.x(), m_vertical ? m_first.y() : m_press.y()};
}

double TouchGestureProducer::Spread() const
{
    const QPointF between = m_second - m_first;
    return std::hypot(between.x(), between.y());
}

} // namespace Tavrix::App
