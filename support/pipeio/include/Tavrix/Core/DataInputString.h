#pragma once

#include <Tavrix/Core/IDataInput.h>
#include <Tavrix/pipeio_export.h>

#include <boost/intrusive_ptr.hpp>

#include <string>

namespace Tavrix::Core {

/// An input that reads a text held in memory.
class PIPEIO_EXPORT DataInputString
{
public:
    static boost::intrusive_ptr<IDataInput> Create(const std::string& text);
};

} // namespace Tavrix::Core
