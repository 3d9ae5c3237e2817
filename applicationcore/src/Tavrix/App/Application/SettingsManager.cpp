#include <Tavrix/App/Application/SettingsManager.h>

#include <Tavrix/App/Application/EventHandlerList.h>
#include <Tavrix/App/Application/ISettingsManagerObserver.h>
#include <Tavrix/App/Application/SyncExecutePolicy.h>
#include <Tavrix/Util/Conversions.h>

#include <boost/optional.hpp>

namespace Tavrix::App {

using Util::QByteArrayToVectorByte;
using Util::Utf8ToQString;
using Util::VectorByteToQByteArray;

class SettingsManager::Private
{
public:
    template <class... Arguments>
    explicit Private(Arguments&&... arguments) : store(std::forward<Arguments>(arguments)...)
    {
    }

    /// Writes `newValue` unless it equals the stored value, which is handed back in `oldValue`
    /// (invalid when the key is missing). True when it wrote.
    bool UpdateValue(const std::string& key, const QVariant& newValue, QVariant& oldValue);

    // Declared before the handler list so that the list goes first and the store, which writes
    // pending changes, last.
    QSettings store;
    Core::EventHandlerList<ISettingsManagerObserver, Core::SyncExecutePolicy> handlers;
};

namespace {

// A string value is handed over as a C string: it ends at its first NUL.
QString StringValue(const std::string& value)
{
    return QString::fromUtf8(value.c_str());
}

std::string ToUtf8(const QVariant& value)
{
    return Util::QStringToUtf8(value.toString());
}

template <class T, class Convert>
boost::optional<T> OldValue(const QVariant& old, Convert convert)
{
    return old.isValid() ? boost::optional<T>(convert(old)) : boost::none;
}

} // namespace

SettingsManager::SettingsManager(const QString& application, const QString& organization)
    : d(std::make_unique<Private>(QSettings::UserScope, organization, application))
{
}

SettingsManager::SettingsManager(const QString& fileName, QSettings::Format format)
    : d(std::make_unique<Private>(fileName, format))
{
}

SettingsManager::~SettingsManager() = default;

void SettingsManager::RegisterObserver(ISettingsManagerObserver* observer)
{
    d->handlers.Register(observer);
}

void SettingsManager::UnregisterObserver(ISettingsManagerObserver* observer)
{
    d->handlers.Unregister(observer);
}

bool SettingsManager::Private::UpdateValue(const std::string& key, const QVariant& newValue,
                                           QVariant& oldValue)
{
    const QString settingsKey = Utf8ToQString(key);
    // QSettings refuses an empty key and stores nothing: there is no change to tell of.
    if (settingsKey.isEmpty())
        return false;
    oldValue = store.value(settingsKey, QVariant());
    if (newValue == oldValue)
        return false;
    store.setValue(settingsKey, newValue);
    return true;
}

void SettingsManager::SetBool(const std::string& key, bool value)
{
    QVariant old;
    if (!d->UpdateValue(key, QVariant(value), old))
        return;
    d->handlers.Notify(&ISettingsManagerObserver::OnBoolChanged, key, value,
                       OldValue<bool>(old, [](const QVariant& v) { return v.toBool(); }));
}

void SettingsManager::SetInt(const std::string& key, int value)
{
    QVariant old;
    if (!d->UpdateValue(key, QVariant(value), old))
        return;
    d->handlers.Notify(&ISettingsManagerObserver::OnIntChanged, key, value,
                       OldValue<int>(old, [](const QVariant& v) { return v.toInt(); }));
}

void SettingsManager::SetString(const std::string& key, const std::string& value)
{
    QVariant old;
    if (!d->UpdateValue(key, QVariant(StringValue(value)), old))
        return;
    d->handlers.Notify(&ISettingsManagerObserver::OnStringChanged, key, value,
                       OldValue<std::string>(old, ToUtf8));
}

void SettingsManager::SetByteArray(const std::string& key, const std::vector<unsigned char>& value)
{
    QVariant old;
    if (!d->UpdateValue(key, QVariant(VectorByteToQByteArray(value)), old))
        return;
    d->handlers.Notify(&ISettingsManagerObserver::OnByteArrayChanged, key, value,
                       OldValue<std::vector<unsigned char>>(old, [](const QVariant& v) {
                           return QByteArrayToVectorByte(v.toByteArray());
                       }));
}

void SettingsManager::SetInt64(const std::string& key, long long value)
{
    QVariant old;
    if (!d->UpdateValue(key, QVariant(static_cast<qlonglong>(value)), old))
        return;
    d->handlers.Notify(&ISettingsManagerObserver::OnInt64Changed, key, value,
                       OldValue<long long>(old, [](const QVariant& v) {
                           return static_cast<long long>(qvariant_cast<qlonglong>(v));
                       }));
}

void SettingsManager::SetDouble(const std::string& key, double value)
{
    QVariant old;
    if (!d->UpdateValue(key, QVariant(value), old))
        return;
    d->handlers.Notify(&ISettingsManagerObserver::OnDoubleChanged, key, value,
                       OldValue<double>(old, [](const QVariant& v) { return v.toDouble(); }));
}

bool SettingsManager::GetBool(const std::string& key, bool defaultValue) const
{
    return d->store.value(Utf8ToQString(key), QVariant(defaultValue)).toBool();
}

int SettingsManager::GetInt(const std::string& key, int defaultValue) const
{
    return d->store.value(Utf8ToQString(key), QVariant(defaultValue)).toInt();
}

std::string SettingsManager::GetString(const std::string& key,
                                       const std::string& defaultValue) const
{
    // The default comes back cut at its first NUL, as a round trip through QVariant would give
    // it, without that round trip.
    const QVariant value = d->store.value(Utf8ToQString(key));
    return value.isValid() ? ToUtf8(value) : std::string(defaultValue.c_str());
}

std::vector<unsigned char>
SettingsManager::GetByteArray(const std::string& key,
                              const std::vector<unsigned char>& defaultValue) const
{
    return QByteArrayToVectorByte(
        d->store.value(Utf8ToQString(key), QVariant(VectorByteToQByteArray(defaultValue)))
            .toByteArray());
}

long long SettingsManager::GetInt64(const std::string& key, long long defaultValue) const
{
    return d->store.value(Utf8ToQString(key), QVariant(static_cast<qlonglong>(defaultValue)))
        .toLongLong();
}

double SettingsManager::GetDouble(const std::string& key, double defaultValue) const
{
    return d->store.value(Utf8ToQString(key), QVariant(defaultValue)).toDouble();
}

bool SettingsManager::Contains(const std::string& key) const
{
    return d->store.contains(Utf8ToQString(key));
}

void SettingsManager::Remove(const std::string& key)
{
    d->store.remove(Utf8ToQString(key));
}

std::vector<std::string> SettingsManager::GetKeys(const std::string& group) const
{
    if (!group.empty())
        d->store.beginGroup(Utf8ToQString(group));
    const QStringList keys = d->store.allKeys();
    if (!group.empty())
        d->store.endGroup();
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(keys.size()));
    for (const QString& key : keys)
        result.push_back(Util::QStringToUtf8(key));
    return result;
}

} // namespace Tavrix::App
