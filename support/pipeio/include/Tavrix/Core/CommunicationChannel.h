#pragma once

#include <Tavrix/Core/IByteDataEx.h>
#include <Tavrix/Core/IDataChannel.h>
#include <Tavrix/pipeio_export.h>

#include <boost/intrusive_ptr.hpp>

namespace Tavrix::Core {

/// Joins an input and an output into one channel to another process.
class PIPEIO_EXPORT CommunicationChannel
{
public:
    /// The channel keeps both ends. With `synchronized` true each side takes a lock, so that
    /// several threads may read or write at once without interleaving; false leaves that to the
    /// caller. When both ends are pipes, a write that has to wait gives up with IOException once
    /// the other side has closed its end, instead of waiting for ever. Throws IOException when
    /// an end is null.
    static boost::intrusive_ptr<IDataChannel> Create(boost::intrusive_ptr<IByteDataInput> input,
                                                     boost::intrusive_ptr<IByteDataOutput> output,
                                                     bool synchronized);
};

} // namespace Tavrix::Core
