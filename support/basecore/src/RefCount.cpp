#include <Tavrix/RefCount.h>

namespace Tavrix {

IRefCountable::~IRefCountable() = default;

unsigned int RefCountImpl::AddRefImpl() const
{
    return m_count.fetch_add(1, std::memory_order_relaxed) + 1;
}

unsigned int RefCountImpl::ReleaseImpl() const
{
    return m_count.fetch_sub(1, std::memory_order_acq_rel) - 1;
}

unsigned int RefCountImpl::GetRefCountImpl() const
{
    return m_count.load(std::memory_order_acquire);
}

void intrusive_ptr_add_ref(const IRefCountable* object)
{
    object->AddRef();
}

void intrusive_ptr_release(const IRefCountable* object)
{
    object->Release();
}

} // namespace Tavrix
