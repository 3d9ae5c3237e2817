#pragma once

#include <Tavrix/App/Application/ISettingsManagerObserver.h>

#include <QStringList>

#include <type_traits>

// A settings observer that records the key of every change it is told, and how many changes came
// with an old value.
struct SettingsRecorder : Tavrix::App::ISettingsManagerObserver
{
    QStringList keys;
    int withOldValue = 0;

#define TAVRIX_RECORD(Type, Value)                                                                 \
    void On##Type##Changed(const std::string& key, Value,                                          \
                           const boost::optional<std::decay_t<Value>>& old) override               \
    {                                                                                              \
        keys << QString::fromStdString(key);                                                       \
        withOldValue += old ? 1 : 0;                                                               \
    }
    TAVRIX_RECORD(Bool, bool)
    TAVRIX_RECORD(Int, int)
    TAVRIX_RECORD(String, const std::string&)
    TAVRIX_RECORD(Int64, long long)
    TAVRIX_RECORD(Double, double)
    TAVRIX_RECORD(ByteArray, const std::vector<unsigned char>&)
#undef TAVRIX_RECORD
};
