#pragma once

#include <Tavrix/App/Application/GestureConsumer.h>

#include <QMetaType>
#include <QObject>

#include <memory>

namespace Tavrix::App {

/// A consumer for application code: each gesture kind is switched on with its setter, and every
/// gesture delivered is emitted as the matching signal, synchronously on the GUI thread.
///
/// Make it a child of the widget it serves (routing finds it there). On touch screens it lets that
/// widget receive touch events (Qt::WA_AcceptTouchEvents), so that one-finger pans and two-finger
/// pinches over it arrive as pan and zoom signals as well.
///
/// A setter only stores its value: it takes effect at the next gesture the system starts.
class APPLICATIONCORE_EXPORT Gesture::Emitter : public QObject, public Gesture::Consumer
{
    Q_OBJECT

public:
    explicit Emitter(QObject* parent = nullptr);
    ~Emitter() override;

    void setZoomEnabled(bool enabled);
    void setRotateEnabled(bool enabled);
    void setTapEnabled(bool enabled);
    void setPressAndTapEnabled(bool enabled);
    /// One-finger panning along each axis; with neither, one-finger panning is refused.
    void setHorizontalPanEnabled(bool enabled);
    void setVerticalPanEnabled(bool enabled);
    /// Holds a pan to its main direction until it leaves a band around it.
    void setPanGutterEnabled(bool enabled);
    /// Goes on panning for a while after the fingers lift.
    void setPanInertiaEnabled(bool enabled);

    /// Gesture::All for an enabled kind, Gesture::None otherwise.
    int WantGesture(const Gesture::PressAndTap& gesture) override;
    int WantGesture(const Gesture::Tap& gesture) override;
    int WantGesture(const Gesture::Rotate& gesture) override;
    int WantGesture(const Gesture::Zoom& gesture) override;
    /// The sum of 4 (horizontal), 2 (vertical), 16 (gutter) and 8 (inertia) for the enabled pan
    /// options; each option is asked for on its own, never all at once with 1.
    int WantGesture(const Gesture::Pan& gesture) override;

    void OnGesture(const Gesture::PressAndTap& gesture) override;
    void OnGesture(const Gesture::Tap& gesture) override;
    void OnGesture(const Gesture::Rotate& gesture) override;
    void OnGesture(const Gesture::Zoom& gesture) override;
    void OnGesture(const Gesture::Pan& gesture) override;

Q_SIGNALS:
    void pan(const Tavrix::App::Gesture::Pan& gesture);
    void zoom(const Tavrix::App::Gesture::Zoom& gesture);
    void rotate(const Tavrix::App::Gesture::Rotate& gesture);
    void tap(const Tavrix::App::Gesture::Tap& gesture);
    void pressAndTap(const Tavrix::App::Gesture::PressAndTap& gesture);

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App

Q_DECLARE_METATYPE(Tavrix::App::Gesture::Pan)
Q_DECLARE_METATYPE(Tavrix::App::Gesture::Zoom)
Q_DECLARE_METATYPE(Tavrix::App::Gesture::Rotate)
Q_DECLARE_METATYPE(Tavrix::App::Gesture::Tap)
Q_DECLARE_METATYPE(Tavrix::App::Gesture::PressAndTap)
