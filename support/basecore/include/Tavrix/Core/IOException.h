#pragma once

#include <Tavrix/Exception.h>

namespace Tavrix::Core {

/// Raised when a pipe, channel or file cannot be made or used.
class BASECORE_EXPORT IOException : public Tavrix::Exception
{
public:
    using Tavrix::Exception::Exception;
    ~IOException() override;
};

} // namespace Tavrix::Core
