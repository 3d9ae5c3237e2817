#include <Tavrix/Core/PropertySerializer.h>

#include <boost/property_tree/json_parser.hpp>

#include <sstream>
#include <vector>

namespace Tavrix::Core {

bool PropertySerializer::Deserialize(Property& target, boost::intrusive_ptr<IDataInput> input,
                                     bool replace)
{
    if (!input)
        return false;
    std::string text;
    std::vector<char> chunk(4096);
    while (const std::size_t got = input->Read(chunk.data(), chunk.size()))
        text.append(chunk.data(), got);

    boost::property_tree::ptree parsed;
    try {
        std::istringstream stream(text);
        boost::property_tree::read_json(stream, parsed);
    } catch (const boost::property_tree::ptree_error&) {
        return false;
    }
    if (replace)
        target.Tree() = std::move(parsed);
    else
        for (auto& child : parsed)
            target.Tree().push_back(child);
    return true;
}

} // namespace Tavrix::Core
