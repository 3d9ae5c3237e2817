#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <string>
#include <vector>

namespace Tavrix::App {

class ISettingsManagerObserver;

/// A typed, observable key-value store. Keys are UTF-8; a "/" in a key makes a group.
class APPLICATIONCORE_EXPORT ISettingsManager
{
public:
    /// Null and an observer already registered are ignored.
    virtual void RegisterObserver(ISettingsManagerObserver* observer) = 0;
    virtual void UnregisterObserver(ISettingsManagerObserver* observer) = 0;

    /// Each setter writes only when the value differs from the stored one, and then tells every
    /// observer, on the calling thread, the new value and the old one.
    virtual void SetBool(const std::string& key, bool value) = 0;
    virtual void SetInt(const std::string& key, int value) = 0;
    /// The value is taken up to its first NUL character.
    virtual void SetString(const std::string& key, const std::string& value) = 0;
    virtual void SetByteArray(const std::string& key, const std::vector<unsigned char>& value) = 0;
    virtual void SetInt64(const std::string& key, long long value) = 0;
    virtual void SetDouble(const std::string& key, double value) = 0;

    /// A missing key gives `defaultValue`; a stored value of another type gives what converting
    /// it yields (false, 0, an empty text), not the default.
    virtual bool GetBool(const std::string& key, bool defaultValue) const = 0;
    virtual int GetInt(const std::string& key, int defaultValue) const = 0;
    virtual std::string GetString(const std::string& key,
                                  const std::string& defaultValue) const = 0;
    virtual std::vector<unsigned char>
    GetByteArray(const std::string& key, const std::vector<unsigned char>& defaultValue) const = 0;
    virtual long long GetInt64(const std::string& key, long long defaultValue) const = 0;
    virtual double GetDouble(const std::string& key, double defaultValue) const = 0;

    virtual bool Contains(const std::string& key) const = 0;
    /// Removes the key, or every key under it when it names a group. Tells nobody.
    virtual void Remove(const std::string& key) = 0;

    virtual ~ISettingsManager();
};

} // namespace Tavrix::App
