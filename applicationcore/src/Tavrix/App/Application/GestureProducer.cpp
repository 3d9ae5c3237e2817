#include <Tavrix/App/Application/GestureProducer.h>

namespace Tavrix::App {

// What the producer remembers between a gesture notification and the gestures that follow it.
struct ProducerState
{};

Gesture::Producer::Producer()
{
    Init();
}

Gesture::Producer::~Producer()
{
    Fini();
}

void Gesture::Producer::Init()
{
    m_state = std::make_unique<ProducerState>();
}

void Gesture::Producer::Fini()
{
    m_state.reset();
}

Gesture::Consumer* Gesture::Producer::Route(const Gesture&)
{
    return nullptr;
}

// Decoding the native gesture messages is not there yet: nothing is delivered.
bool Gesture::Producer::OnGesture(void*, void*, void*)
{
    return false;
}

bool Gesture::Producer::OnGestureNotify(void*, void*, void*)
{
    return false;
}

} // namespace Tavrix::App
