#include <Tavrix/Core/Property.h>

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

} // namespace Tavrix::Core
