#pragma once

#include <Tavrix/Core/IByteDataEx.h>
#include <Tavrix/pipeio_export.h>

#include <boost/intrusive_ptr.hpp>

#include <string>

namespace Tavrix::Core {

/// The writing end of a named pipe "\\.\pipe\NAME" (see DataInputPipe).
class PIPEIO_EXPORT DataOutputPipe
{
public:
    /// With `create` true the pipe is made and opened at once, before any reader exists (what is
    /// written meanwhile waits in the pipe), and removed when the end goes. With `create` false
    /// an existing pipe of the user's is opened; that needs its reader to be open already.
    /// Throws IOException as DataInputPipe::Create does, and when the pipe has no reader.
    static boost::intrusive_ptr<IByteDataOutputEx> Create(const std::string& name, bool create);
};

} // namespace Tavrix::Core
