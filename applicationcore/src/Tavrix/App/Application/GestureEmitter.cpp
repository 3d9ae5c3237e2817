#include <Tavrix/App/Application/GestureEmitter.h>

#include <QWidget>

namespace Tavrix::App {

namespace {

int AllOrNone(bool enabled)
{
    return enabled ? Gesture::All : Gesture::None;
}

} // namespace

class Gesture::Emitter::Private
{
public:
    bool zoomEnabled = false;
    bool rotateEnabled = false;
    bool tapEnabled = false;
    bool pressAndTapEnabled = false;
    bool horizontalPanEnabled = false;
    bool verticalPanEnabled = false;
    bool panGutterEnabled = false;
    bool panInertiaEnabled = false;
};

Gesture::Emitter::Emitter(QObject* parent) : QObject(parent), d(std::make_unique<Private>())
{
    // Touch screens deliver touch events only to widgets that take them.
    if (auto* widget = qobject_cast<QWidget*>(parent))
        widget->setAttribute(Qt::WA_AcceptTouchEvents);
}

Gesture::Emitter::~Emitter() = default;

void Gesture::Emitter::setZoomEnabled(bool enabled)
{
    d->zoomEnabled = enabled;
}

void Gesture::Emitter::setRotateEnabled(bool enabled)
{
    d->rotateEnabled = enabled;
}

void Gesture::Emitter::setTapEnabled(bool enabled)
{
    d->tapEnabled = enabled;
}

void Gesture::Emitter::setPressAndTapEnabled(bool enabled)
{
    d->pressAndTapEnabled = enabled;
}

void Gesture::Emitter::setHorizontalPanEnabled(bool enabled)
{
    d->horizontalPanEnabled = enabled;
}

void Gesture::Emitter::setVerticalPanEnabled(bool enabled)
{
    d->verticalPanEnabled = enabled;
}

void Gesture::Emitter::setPanGutterEnabled(bool enabled)
{
    d->panGutterEnabled = enabled;
}

void Gesture::Emitter::setPanInertiaEnabled(bool enabled)
{
    d->panInertiaEnabled = enabled;
}

int Gesture::Emitter::WantGesture(const Gesture::PressAndTap&)
{
    return AllOrNone(d->pressAndTapEnabled);
}

int Gesture::Emitter::WantGesture(const Gesture::Tap&)
{
    return AllOrNone(d->tapEnabled);
}

int Gesture::Emitter::WantGesture(const Gesture::Rotate&)
{
    return AllOrNone(d->rotateEnabled);
}

int Gesture::Emitter::WantGesture(const Gesture::Zoom&)
{
    return AllOrNone(d->zoomEnabled);
}

int Gesture::Emitter::WantGesture(const Gesture::Pan&)
{
    return (d->horizontalPanEnabled ? Gesture::Pan::SingleFingerHorizontal : 0)
           | (d->verticalPanEnabled ? Gesture::Pan::SingleFingerVertical : 0)
           | (d->panGutterEnabled ? Gesture::Pan::Gutter : 0)
           | (d->panInertiaEnabled ? Gesture::Pan::Inertia : 0);
}

void Gesture::Emitter::OnGesture(const Gesture::PressAndTap& gesture)
{
    Q_EMIT pressAndTap(gesture);
}

void Gesture::Emitter::OnGesture(const Gesture::Tap& gesture)
{
    Q_EMIT tap(gesture);
}

void Gesture::Emitter::OnGesture(const Gesture::Rotate& gesture)
{
    Q_EMIT rotate(gesture);
}

void Gesture::Emitter::OnGesture(const Gesture::Zoom& gesture)
{
    Q_EMIT zoom(gesture);
}

void Gesture::Emitter::OnGesture(const Gesture::Pan& gesture)
{
    Q_EMIT pan(gesture);
}

} // namespace Tavrix::App
