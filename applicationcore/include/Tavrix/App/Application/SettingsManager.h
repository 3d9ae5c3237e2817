#pragma once

#include <Tavrix/App/Application/ISettingsKeyList.h>
#include <Tavrix/App/Application/ISettingsManager.h>
#include <Tavrix/App/applicationcore_export.h>

#include <QSettings>
#include <QString>

#include <memory>

namespace Tavrix::App {

/// The settings store on top of QSettings.
///
/// One store object must not be used from several threads at once; observers may be told on
/// any thread that calls a setter, and passes from different threads never interleave.
class APPLICATIONCORE_EXPORT SettingsManager : public ISettingsManager, public ISettingsKeyList
{
public:
    /// The platform's native per-user store of `organization`/`application` (mind the order).
    SettingsManager(const QString& application, const QString& organization);
    /// The store in the file `fileName` of `format`.
    SettingsManager(const QString& fileName, QSettings::Format format);
    ~SettingsManager() override;
    SettingsManager(const SettingsManager&) = delete;
    SettingsManager& operator=(const SettingsManager&) = delete;

    void RegisterObserver(ISettingsManagerObserver* observer) override;
    void UnregisterObserver(ISettingsManagerObserver* observer) override;

    void SetBool(const std::string& key, bool value) override;
    void SetInt(const std::string& key, int value) override;
    void SetString(const std::string& key, const std::string& value) override;
    void SetByteArray(const std::string& key, const std::vector<unsigned char>& value) override;
    void SetInt64(const std::string& key, long long value) override;
    void SetDouble(const std::string& key, double value) override;

    bool GetBool(const std::string& key, bool defaultValue) const override;
    int GetInt(const std::string& key, int defaultValue) const override;
    std::string GetString(const std::string& key, const std::string& defaultValue) const override;
    std::vector<unsigned char>
    GetByteArray(const std::string& key,
                 const std::vector<unsigned char>& defaultValue) const override;
    long long GetInt64(const std::string& key, long long defaultValue) const override;
    double GetDouble(const std::string& key, double defaultValue) const override;

    bool Contains(const std::string& key) const override;
    void Remove(const std::string& key) override;

    std::vector<std::string> GetKeys(const std::string& group) const override;

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace Tavrix::App
