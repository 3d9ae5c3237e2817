#pragma once

#include <Tavrix/Core/IDataInput.h>
#include <Tavrix/pipeio_export.h>

namespace Tavrix::Core {

/// A source and a sink of bytes, as a channel takes them.
using IByteDataInput = IDataInput;
using IByteDataOutput = IDataOutput;

/// The reading end of a named pipe. Read() blocks until the bytes asked for have arrived or the
/// writer has closed; GetSize() blocks until data has arrived and then counts the bytes waiting
/// (0 once the writer has closed and everything has been read). Failures throw IOException.
class PIPEIO_EXPORT IByteDataInputEx : public IByteDataInput
{
public:
    ~IByteDataInputEx() override;
    /// The descriptor, readable when data has arrived or the writer has closed: for an event
    /// loop to watch (QSocketNotifier), not to read from directly. A GetSize() that had to wait
    /// may have taken the data in already: read all it counted before waiting on this again.
    virtual int NativeHandle() const = 0;
};

/// The writing end of a named pipe. Write() blocks until everything is in the pipe; it throws
/// IOException when the reader has gone.
class PIPEIO_EXPORT IByteDataOutputEx : public IByteDataOutput
{
public:
    ~IByteDataOutputEx() override;
    virtual int NativeHandle() const = 0;
};

} // namespace Tavrix::Core
