#pragma once

#include <Tavrix/App/Application/EventPublisher.h>

#include <boost/container/small_vector.hpp>

#include <algorithm>
#include <functional>
#include <mutex>
#include <vector>

namespace Tavrix::Core {

/// Observers in registration order, told of events by Notify.
///
/// Each pass works on the list as it was when the pass began, so observers registered or
/// unregistered during a pass count from the next one. Passes never interleave: the execute mutex
/// is held from the first observer to the last. It is recursive, so an observer may start a nested
/// pass, and the list is not locked while observers run, so an observer may change the
/// registrations from inside its call. Observers are not owned and must unregister before they are
/// destroyed.
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
        std::lock_guard<std::mutex> lock(m_listMutex);
        if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
            m_observers.push_back(observer);
    }

    /// Removes `observer`; null and an observer not registered are ignored.
    void Unregister(Observer* observer) override
    {
        if (!observer)
            return;
        std::lock_guard<std::mutex> lock(m_listMutex);
        const auto found = std::find(m_observers.begin(), m_observers.end(), observer);
        if (found != m_observers.end())
            m_observers.erase(found);
    }

    /// Calls `method` with `arguments` on every observer, in registration order. An exception
    /// from an observer ends the pass and propagates; the mutex is released on the way out.
    template <class Method, class... Arguments>
    void Notify(Method method, const Arguments&... arguments)
    {
        // This pass's copy of the list; a few observers are copied without touching the heap.
        boost::container::small_vector<Observer*, 8> observers;
        {
            std::lock_guard<std::mutex> lock(m_listMutex);
            observers.assign(m_observers.begin(), m_observers.end());
        }
        if (observers.empty())
            return;
        std::lock_guard<std::recursive_mutex> pass(m_executeMutex);
        for (Observer* observer : observers) {
            const auto call = [&] { (observer->*method)(arguments...); };
            // A std::function around a reference is stored in place: no allocation per call.
            ExecutePolicy::Execute(std::cref(call));
        }
    }

private:
    std::vector<Observer*> m_observers;
    std::mutex m_listMutex;
    std::recursive_mutex m_executeMutex;
};

} // namespace Tavrix::Core
