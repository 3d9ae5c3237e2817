#pragma once

#include <Tavrix/App/Application/Gesture.h>

#include <memory>

namespace Tavrix::App {

/// Decodes native gesture messages and hands the records to the consumer that Route chooses.
class APPLICATIONCORE_EXPORT Gesture::Producer
{
public:
    Producer();
    virtual ~Producer();
    Producer(const Producer&) = delete;
    Producer& operator=(const Producer&) = delete;

    /// The consumer for a gesture at its screen position; the base has none.
    virtual Gesture::Consumer* Route(const Gesture& gesture);

protected:
    /// A gesture message for `window`; true when it was decoded and delivered (its handle is then
    /// closed). False, with the handle left to the default processing, when no consumer was chosen
    /// or it has gone since, when the system's gesture functions are missing or refuse the
    /// handle, and for begin, end and unknown gesture ids.
    bool OnGesture(void* window, void* wParam, void* lParam);
    /// A gesture notification for `window`: configures the window for what the consumer under
    /// the point wants, or blocks every gesture when there is none. Always false, so that default
    /// processing goes on. A notification shorter than its structure chooses no consumer.
    bool OnGestureNotify(void* window, void* wParam, void* lParam);

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
