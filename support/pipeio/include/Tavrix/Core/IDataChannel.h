#pragma once

#include <Tavrix/Core/IDataInput.h>
#include <Tavrix/pipeio_export.h>

namespace Tavrix::Core {

/// A two-way byte stream to another process. Its input side is Read() and GetSize() (the count
/// of bytes waiting, which blocks until data has arrived and gives 0 once the other side has
/// closed); its output side is Write(). Bytes arrive as written, with no framing: a message
/// written in one Write() of up to 4096 bytes arrives whole, so one GetSize() counts all of it.
/// Failures throw IOException.
class PIPEIO_EXPORT IDataChannel : public IDataInput, public IDataOutput
{
public:
    ~IDataChannel() override;
    /// A descriptor that turns readable when data has arrived or the other side has closed, for
    /// an event loop to watch (QSocketNotifier); -1 when the input side has none.
    virtual int InputHandle() const = 0;
};

} // namespace Tavrix::Core
