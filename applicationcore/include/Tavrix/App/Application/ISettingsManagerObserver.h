#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <boost/optional.hpp>

#include <string>
#include <vector>

namespace Tavrix::App {

/// Told by a settings store of each value that really changed. The old value is empty when the
/// key did not exist before.
class APPLICATIONCORE_EXPORT ISettingsManagerObserver
{
public:
    virtual void OnBoolChanged(const std::string& key, bool newValue,
                               const boost::optional<bool>& oldValue)
        = 0;
    virtual void OnIntChanged(const std::string& key, int newValue,
                              const boost::optional<int>& oldValue)
        = 0;
    virtual void OnStringChanged(const std::string& key, const std::string& newValue,
                                 const boost::optional<std::string>& oldValue)
        = 0;
    virtual void OnInt64Changed(const std::string& key, long long newValue,
                                const boost::optional<long long>& oldValue)
        = 0;
    virtual void OnDoubleChanged(const std::string& key, double newValue,
                                 const boost::optional<double>& oldValue)
        = 0;
    virtual void OnByteArrayChanged(const std::string& key,
                                    const std::vector<unsigned char>& newValue,
                                    const boost::optional<std::vector<unsigned char>>& oldValue)
        = 0;

protected:
    virtual ~ISettingsManagerObserver();
};

} // namespace Tavrix::App
