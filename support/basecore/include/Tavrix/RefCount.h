#pragma once

#include <Tavrix/basecore_export.h>

#include <atomic>

namespace Tavrix {

/// Base of the objects that boost::intrusive_ptr holds; the last Release() destroys the object.
class BASECORE_EXPORT IRefCountable
{
public:
    virtual ~IRefCountable();
    virtual unsigned int AddRef() const = 0;
    virtual unsigned int Release() const = 0;
};

/// The thread-safe counter behind an IRefCountable implementation.
class BASECORE_EXPORT RefCountImpl
{
public:
    RefCountImpl() = default;
    RefCountImpl(const RefCountImpl&) = delete;
    RefCountImpl& operator=(const RefCountImpl&) = delete;

    unsigned int AddRefImpl() const;
    unsigned int ReleaseImpl() const;
    unsigned int GetRefCountImpl() const;

private:
    mutable std::atomic<unsigned int> m_count{0};
};

/// Implements the counting of an interface that derives from IRefCountable.
template <class Interface>
class RefCounted : public Interface
{
public:
    using Interface::Interface;

    unsigned int AddRef() const override { return m_refCount.AddRefImpl(); }
    unsigned int Release() const override
    {
        const unsigned int left = m_refCount.ReleaseImpl();
        if (left == 0)
            delete this;
        return left;
    }
    unsigned int GetRefCount() const { return m_refCount.GetRefCountImpl(); }

private:
    RefCountImpl m_refCount;
};

BASECORE_EXPORT void intrusive_ptr_add_ref(const IRefCountable* object);
BASECORE_EXPORT void intrusive_ptr_release(const IRefCountable* object);

} // namespace Tavrix
