#include <Tavrix/Core/PropertySerializer.h>

#include <boost/property_tree/json_parser.hpp>

#include <sstream>
#include <vector>

namespace Tavrix::Core {

namespace {

// The JSON reader descends once per nesting level on the caller's stack, so text from a file or a
// peer could nest deep enough to overflow it. Counting the brackets outside strings first finds
// the depth that the reader would reach on its way to the first error, if any.
bool NestedWithin(const std::string& text, int limit)
{
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit)
                return false;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return true;
}

} // namespace

bool PropertySerializer::Deserialize(Property& target, boost::intrusive_ptr<IDataInput> input,
                                     bool replace)
{
    if (!input)
        return false;
    std::string text;
    std::vector<char> chunk(4096);
    while (const std::size_t got = input->Read(chunk.data(), chunk.size()))
        text.append(chunk.data(), got);
    if (!NestedWithin(text, MAX_NESTING))
        return false;

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
