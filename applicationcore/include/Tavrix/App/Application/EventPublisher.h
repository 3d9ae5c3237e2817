#pragma once

namespace Tavrix::Core {

/// Something that observers can register with.
template <class Observer>
class EventPublisher
{
public:
    virtual void Register(Observer* observer) = 0;
    virtual void Unregister(Observer* observer) = 0;
    virtual ~EventPublisher() = default;
};

} // namespace Tavrix::Core
