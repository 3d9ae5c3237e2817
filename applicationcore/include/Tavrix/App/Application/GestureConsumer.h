#pragma once

#include <Tavrix/App/Application/Gesture.h>

namespace Tavrix::App {

/// Receives the gestures made over the widget it is a QObject child of. By default it wants
/// nothing and ignores everything.
///
/// WantGesture answers: for a pan a mask of Gesture::Pan::Options (0 refuses); for the other kinds
/// Gesture::All asks for it.
/// The record handed to WantGesture carries only the position fields.
class APPLICATIONCORE_EXPORT Gesture::Consumer
{
public:
    Consumer(const Consumer&) = default;
    Consumer& operator=(const Consumer&) = default;
    virtual ~Consumer();

    virtual void OnGesture(const Gesture::PressAndTap& gesture);
    virtual void OnGesture(const Gesture::Tap& gesture);
    virtual void OnGesture(const Gesture::Rotate& gesture);
    virtual void OnGesture(const Gesture::Zoom& gesture);
    virtual void OnGesture(const Gesture::Pan& gesture);

    virtual int WantGesture(const Gesture::PressAndTap& gesture);
    virtual int WantGesture(const Gesture::Tap& gesture);
    virtual int WantGesture(const Gesture::Rotate& gesture);
    virtual int WantGesture(const Gesture::Zoom& gesture);
    virtual int WantGesture(const Gesture::Pan& gesture);

protected:
    Consumer() = default;
};

} // namespace Tavrix::App
