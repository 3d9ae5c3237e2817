#pragma once

#include <memory>
#include <stdexcept>
#include <utility>

namespace Tavrix {

/// A pointer that is never null: constructing it from a null one throws std::logic_error.
template <class Pointer>
class NotNull
{
public:
    NotNull(Pointer pointer) : m_pointer(std::move(pointer))
    {
        if (m_pointer == nullptr)
            throw std::logic_error("NotNull can not initialized by null");
    }

    const Pointer& Get() const { return m_pointer; }
    operator const Pointer&() const { return m_pointer; }
    decltype(auto) operator->() const { return &*m_pointer; }
    decltype(auto) operator*() const { return *m_pointer; }

private:
    Pointer m_pointer;
};

} // namespace Tavrix
