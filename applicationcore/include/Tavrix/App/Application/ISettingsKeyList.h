#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <string>
#include <vector>

namespace Tavrix::App {

/// What a settings store may offer beside ISettingsManager: the names of the keys under a group.
///
/// Kept apart from ISettingsManager so that stores written against that interface keep building
/// and working; code that needs a whole group asks for this one with dynamic_cast and copes
/// when the store does not offer it. SettingsManager offers it.
class APPLICATIONCORE_EXPORT ISettingsKeyList
{
public:
    /// Every key under `group`, nested groups included, relative to it ("Color0", "sub/key"),
    /// in no particular order. Empty when the group holds nothing; an empty `group` lists the
    /// whole store.
    virtual std::vector<std::string> GetKeys(const std::string& group) const = 0;

    virtual ~ISettingsKeyList();
};

} // namespace Tavrix::App
