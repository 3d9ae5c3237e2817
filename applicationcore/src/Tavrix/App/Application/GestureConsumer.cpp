#include <Tavrix/App/Application/GestureConsumer.h>

namespace Tavrix::App {

Gesture::Consumer::~Consumer() = default;

void Gesture::Consumer::OnGesture(const Gesture::PressAndTap&) {}
void Gesture::Consumer::OnGesture(const Gesture::Tap&) {}
void Gesture::Consumer::OnGesture(const Gesture::Rotate&) {}
void Gesture::Consumer::OnGesture(const Gesture::Zoom&) {}
void Gesture::Consumer::OnGesture(const Gesture::Pan&) {}

int Gesture::Consumer::WantGesture(const Gesture::PressAndTap&)
{
    return Gesture::None;
}
int Gesture::Consumer::WantGesture(const Gesture::Tap&)
{
    return Gesture::None;
}
int Gesture::Consumer::WantGesture(const Gesture::Rotate&)
{
    return Gesture::None;
}
int Gesture::Consumer::WantGesture(const Gesture::Zoom&)
{
    return Gesture::None;
}
int Gesture::Consumer::WantGesture(const Gesture::Pan&)
{
    return Gesture::None;
}

} // namespace Tavrix::App
