#pragma once

#include <Tavrix/basecore_export.h>

#include <boost/property_tree/ptree.hpp>

#include <string>

namespace Tavrix::Core {

/// A named node of a property tree with a text value and named children.
class BASECORE_EXPORT Property
{
public:
    explicit Property(const std::string& name = std::string());

    const std::string& Name() const { return m_name; }
    /// The child called `name`; an empty node of that name when there is none.
    Property operator[](const std::string& name) const;
    bool ChildExists(const std::string& name) const;
    std::string GetString() const;

    boost::property_tree::ptree& Tree() { return m_tree; }
    const boost::property_tree::ptree& Tree() const { return m_tree; }

private:
    std::string m_name;
    boost::property_tree::ptree m_tree;
};

} // namespace Tavrix::Core
