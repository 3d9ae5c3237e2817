#pragma once

#include <Tavrix/App/Application/ISettingsManagerObserver.h>

#include <QStringList>

// A settings observer that records the key of every change it is told, and how many changes came
// with an old value.
struct SettingsRecorder : Tavrix::App::ISettingsManagerObserver
{
    QStringList keys;
    int withOldValue = 0;

    template <class T>
    void Record(const std::string& key, const boost::optional<T>& old)
    {
        keys << QString::fromStdString(key);
        withOldValue += old ? 1 : 0;
    }
    void OnBoolChanged(const std::string& k, bool, const boost::optional<bool>& o) override
    {
        Record(k, o);
    }
    void OnIntChanged(const std::string& k, int, const boost::optional<int>& o) override
    {
        Record(k, o);
    }
    void OnStringChanged(const std::string& k, const std::string&,
                         const boost::optional<std::string>& o) override
    {
        Record(k, o);
    }
    void OnInt64Changed(const std::string& k, long long,
                        const boost::optional<long long>& o) override
    {
        Record(k, o);
    }
    void OnDoubleChanged(const std::string& k, double, const boost::optional<double>& o) override
    {
        Record(k, o);
    }
    void OnByteArrayChanged(const std::string& k, const std::vector<unsigned char>&,
                            const boost::optional<std::vector<unsigned char>>& o) override
    {
        Record(k, o);
    }
};
