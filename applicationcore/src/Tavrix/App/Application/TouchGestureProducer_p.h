#pragma once

#include "GestureConsumerGuard_p.h"

#include <Tavrix/App/Application/GestureRouter.h>

#include <QPointF>
#include <QPointer>

class QTouchEvent;
class QWidget;

namespace Tavrix::App {

/// Gestures on touch screens, where the system sends touch events instead of gesture messages:
/// a one-finger drag becomes a pan and a two-finger pinch a zoom, with the records and the routing
/// of the gesture messages, for the consumer under the first finger. A touch that becomes neither
/// reaches the widget under it as a click (two in quick succession as a double click).
///
/// Installed on the application as an event filter. It takes a touch sequence from the widget a
/// consumer serves (for a scroll area, its viewport), so that a widget inside it that handles
/// touch itself keeps its own touches and a scroll bar stays draggable.
class TouchGestureProducer : public Gesture::Router
{
    Q_OBJECT

public:
    explicit TouchGestureProducer(QObject* parent);
    ~TouchGestureProducer() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Phase { Idle, Pressed, Panning, Zooming, Over };

    bool Begin(QWidget* widget, QTouchEvent* event);
    void Update(const QTouchEvent* event);
    void Finish(const QTouchEvent* event, bool cancelled);
    void StartPan();
    void StartZoom();
    void DeliverPan(bool begin, bool end);
    void DeliverZoom(bool begin, bool end);
    void Click(ulong timestamp);
    Gesture Locate(QPointF screen) const;
    QPointF PanPosition() const;
    double Spread() const;

    Phase m_phase = Phase::Idle;
    QPointer<QWidget> m_widget;
    GestureConsumerGuard m_consumer;
    bool m_horizontal = false;
    bool m_vertical = false;
    bool m_zoom = false;
    int m_firstId = -1;
    int m_secondId = -1;
    QPointF m_press;
    QPointF m_first;
    QPointF m_second;
    QPointF m_delivered;
    Gesture m_panStart;
    double m_zoomStart = 0.0;
    QPoint m_lastClick;
    ulong m_lastClickTime = 0;
};

} // namespace Tavrix::App
