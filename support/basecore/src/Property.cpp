#include <Tavrix/Core/Property.h>
#include <Tavrix/Core/PropertySerializer.h>

#include <boost/property_tree/json_parser.hpp>

#include <sstream>
#include <vector>

namespace Tavrix::Core {

Property::Property(const std::string& name) : m_name(name) {}

Property Property::operator[](const std::string& name) const
{
    Property child(name);
    if (const auto found = m_tree.find(name); found != m_tree.not_found())
        child.m_tree = found->second;
    return child;
}

bool Property::ChildExists(const std::string& name) const
{
    return m_tree.find(name) != m_tree.not_found();
}

std::string Property::GetString() const
{
    return m_tree.data();
}

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
