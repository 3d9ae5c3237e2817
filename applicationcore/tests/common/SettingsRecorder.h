#pragma once

#include <Tavrix/App/Application/ISettingsManagerObserver.h>

#include <QStringList>
#include <QVariant>

#include <type_traits>

// A stored value as text: bytes in hex, strings as they are.
template <class T>
QString Text(const T& v)
{
    if constexpr (std::is_same_v<T, std::vector<unsigned char>>)
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(v.data()), int(v.size())).toHex());
    else if constexpr (std::is_same_v<T, std::string>)
        return QString::fromStdString(v);
    else
        return QVariant::fromValue(v).toString();
}

// A settings observer that records the key of every change it is told, and how many changes came
// with an old value. Every change, of any type, goes through Changed().
struct SettingsRecorder : Tavrix::App::ISettingsManagerObserver
{
    QStringList keys;
    int withOldValue = 0;

    virtual void Changed(const char* /*type*/, const std::string& key, const QString& /*value*/,
                         const boost::optional<QString>& old)
    {
        keys << QString::fromStdString(key);
        withOldValue += old ? 1 : 0;
    }

#define TAVRIX_RECORD(Type, Value)                                                                 \
    void On##Type##Changed(const std::string& key, Value v,                                        \
                           const boost::optional<std::decay_t<Value>>& old) override               \
    {                                                                                              \
        Changed(#Type, key, Text(v), old ? boost::make_optional(Text(*old)) : boost::none);        \
    }
    TAVRIX_RECORD(Bool, bool)
    TAVRIX_RECORD(Int, int)
    TAVRIX_RECORD(String, const std::string&)
    TAVRIX_RECORD(Int64, long long)
    TAVRIX_RECORD(Double, double)
    TAVRIX_RECORD(ByteArray, const std::vector<unsigned char>&)
#undef TAVRIX_RECORD
};
