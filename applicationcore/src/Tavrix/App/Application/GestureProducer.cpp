#include <Tavrix/App/Application/GestureProducer.h>

namespace Tavrix::App {

class Gesture::Producer::Private
{};

Gesture::Producer::Producer() : d(std::make_unique<Private>()) {}

Gesture::Producer::~Producer() = default;

Gesture::Consumer* Gesture::Producer::Route(const Gesture&)
{
    return nullptr;
}

// Native gesture messages are neither configured nor decoded: default processing handles them.
bool Gesture::Producer::OnGesture(void*, void*, void*)
{
    return false;
}

bool Gesture::Producer::OnGestureNotify(void*, void*, void*)
{
    return false;
}

} // namespace Tavrix::App
