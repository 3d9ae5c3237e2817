#pragma once

#include <Tavrix/App/Application/EventPublisher.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <vector>

namespace Tavrix::Core {

/// Observers in registration order, told of events by Notify.
///
/// Each pass works on a copy of the list, so observers registered or unregistered during a pass
/// count from the next one. Passes never interleave: the execute mutex is held from the first
/// observer to the last. Both mutexes are recursive, so an observer may start a nested pass or
/// change the registrations from inside its call. Observers are not owned and must unregister
/// before they are destroyed.
template <class Observer, class ExecutePolicy>
class EventHandlerList : public virtual EventPublisher<Observer>
{
public:
    EventHandlerList() = default;
    EventHandlerList(const EventHandlerList&) = delete;
    EventHandlerList& operator=(const EventHandlerList&) = delete;

    /// Adds `observer` at the end; null and an observer already registered are ignored.
    void Register(Observer* observer) override
    {
        if (!observer)
            return;
        std::lock_guard<std::recursive_mutex> lock(m_listMutex);
        if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
            m_observers.push_back(observer);
    }

    /// Removes `observer`; null and an observer not registered are ignored.
    void Unregister(Observer* observer) override
    {
        if (!observer)
            return;
        std::lock_guard<std::recursive_mutex> lock(m_listMutex);
        const auto found = std::find(m_observers.begin(), m_observers.end(), observer);
        if (found != m_observers.end())
            m_observers.erase(found);
    }

    /// Calls `method` with `arguments` on every observer, in registration order. An exception
    /// from an observer ends the pass and propagates; the mutexes are released on the way out.
    template <class Method, class... Arguments>
    void Notify(Method method, const Arguments&... arguments)
    {
        std::vector<Observer*> observers;
        {
            std::lock_guard<std::recursive_mutex> lock(m_listMutex);
            observers = m_observers;
        }
        std::lock_guard<std::recursive_mutex> pass(m_executeMutex);
        for (Observer* observer : observers)
            ExecutePolicy::Execute([&] { (observer->*method)(arguments...); });
    }

private:
    std::vector<Observer*> m_observers;
    std::recursive_mutex m_listMutex;
    std::recursive_mutex m_executeMutex;
};

} // namespace Tavrix::Core
