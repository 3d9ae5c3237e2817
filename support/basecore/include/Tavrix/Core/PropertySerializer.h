#pragma once

#include <Tavrix/Core/IDataInput.h>
#include <Tavrix/Core/Property.h>
#include <Tavrix/basecore_export.h>

#include <boost/intrusive_ptr.hpp>

namespace Tavrix::Core {

class BASECORE_EXPORT PropertySerializer
{
public:
    /// The deepest nesting of arrays and objects that is read.
    static constexpr int MAX_NESTING = 256;

    /// Fills `target` from the JSON text read from `input`: each member of the top-level object
    /// becomes a child. With `replace` true the target's earlier children are dropped first.
    /// Malformed text, and text nested deeper than `MAX_NESTING` arrays and objects, leave the
    /// target as it was and return false.
    static bool Deserialize(Property& target, boost::intrusive_ptr<IDataInput> input, bool replace);
};

} // namespace Tavrix::Core
