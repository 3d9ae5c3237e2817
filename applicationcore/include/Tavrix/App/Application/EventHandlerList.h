#pragma once

#include <Tavrix/App/Application/EventPublisher.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
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
        const List& current = *m_observers;
        if (std::find(current.begin(), current.end(), observer) != current.end())
            return;
        auto next = std::make_shared<List>(current);
        next->push_back(observer);
        m_observers = std::move(next);
    }

    /// Removes `observer`; null and an observer not registered are ignored.
    void Unregister(Observer* observer) override
    {
        if (!observer)
            return;
        std::lock_guard<std::mutex> lock(m_listMutex);
        const List& current = *m_observers;
        const auto found = std::find(current.begin(), current.end(), observer);
        if (found == current.end())
            return;
        auto next = std::make_shared<List>(current.begin(), found);
        next->insert(next->end(), std::next(found), current.end());
        m_observers = std::move(next);
    }

    /// Calls `method` with `arguments` on every observer, in registration order. An exception
    /// from an observer ends the pass and propagates; the mutex is released on the way out.
    template <class Method, class... Arguments>
    void Notify(Method method, const Arguments&... arguments)
    {
        // The list is replaced, never changed, on registration: holding it is this pass's copy,
        // taken without copying the vector.
        std::shared_ptr<const List> observers;
        {
            std::lock_guard<std::mutex> lock(m_listMutex);
            observers = m_observers;
        }
        if (observers->empty())
            return;
        std::lock_guard<std::recursive_mutex> pass(m_executeMutex);
        for (Observer* observer : *observers) {
            const auto call = [&] { (observer->*method)(arguments...); };
            // A std::function around a reference is stored in place: no allocation per call.
            ExecutePolicy::Execute(std::cref(call));
        }
    }

private:
    using List = std::vector<Observer*>;

    std::shared_ptr<const List> m_observers = std::make_shared<const List>();
    std::mutex m_listMutex;
    std::recursive_mutex m_executeMutex;
};

} // namespace Tavrix::Core
