#pragma once

#include <Tavrix/Core/IByteDataEx.h>
#include <Tavrix/pipeio_export.h>

#include <boost/intrusive_ptr.hpp>

#include <string>

namespace Tavrix::Core {

/// The reading end of a named pipe "\\.\pipe\NAME", which lives as the entry NAME in the user's
/// runtime folder and only the user's own processes can open.
class PIPEIO_EXPORT DataInputPipe
{
public:
    /// With `create` true (the side that owns the pipe) the pipe is made and opened at once,
    /// without waiting for a writer, and removed when the end goes. With `create` false an
    /// existing pipe of the user's is opened. Throws IOException when the name is not a pipe
    /// name or reaches outside the runtime folder, when the pipe exists already (create) or does
    /// not (open), or when it cannot be made or opened.
    static boost::intrusive_ptr<IByteDataInputEx> Create(const std::string& name, bool create);
};

} // namespace Tavrix::Core
