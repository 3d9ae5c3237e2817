#pragma once

#include <Tavrix/RefCount.h>

#include <cstddef>

namespace Tavrix::Core {

/// A source of bytes: a text held in memory, or the reading end of a pipe.
class IDataInput : public virtual Tavrix::IRefCountable
{
public:
    /// Copies up to `size` bytes into `buffer` and returns how many were copied.
    virtual std::size_t Read(void* buffer, std::size_t size) = 0;
    /// How many bytes are waiting; a pipe blocks here until some have arrived.
    virtual std::size_t GetSize() = 0;
};

/// A sink of bytes: the writing end of a pipe.
class IDataOutput : public virtual Tavrix::IRefCountable
{
public:
    virtual void Write(const void* data, std::size_t size) = 0;
};

} // namespace Tavrix::Core
