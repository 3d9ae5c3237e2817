// A settings store on arbitrary INI bytes: every getter on the file's keys, then a setter of each
// type with read-back, in the store and from the file that the store writes.
#include "FuzzSupport.h"

#include <Tavrix/App/Application/ISettingsManagerObserver.h>
#include <Tavrix/App/Application/SettingsManager.h>
#include <Tavrix/Util/Conversions.h>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

#include <cmath>
#include <cstring>
#include <functional>
#include <map>

using Tavrix::App::ISettingsManager;
using Tavrix::App::SettingsManager;

namespace {

// Notes who was told of a change, and whether an old value came with it.
class Recorder : public Tavrix::App::ISettingsManagerObserver
{
public:
    int told = 0;
    std::string key;
    bool hadOld = false;

    void OnBoolChanged(const std::string& k, bool, const boost::optional<bool>& old) override
    {
        Note(k, old);
    }
    void OnIntChanged(const std::string& k, int, const boost::optional<int>& old) override
    {
        Note(k, old);
    }
    void OnStringChanged(const std::string& k, const std::string&,
                         const boost::optional<std::string>& old) override
    {
        Note(k, old);
    }
    void OnInt64Changed(const std::string& k, long long,
                        const boost::optional<long long>& old) override
    {
        Note(k, old);
    }
    void OnDoubleChanged(const std::string& k, double, const boost::optional<double>& old) override
    {
        Note(k, old);
    }
    void OnByteArrayChanged(const std::string& k, const std::vector<unsigned char>&,
                            const boost::optional<std::vector<unsigned char>>& old) override
    {
        Note(k, old);
    }

private:
    template <class T>
    void Note(const std::string& k, const boost::optional<T>& old)
    {
        ++told;
        key = k;
        hadOld = old.has_value();
    }
};

enum Kind { Bool, Int, String, Bytes, Int64, Double, KINDS };

struct Value
{
    Kind kind;
    bool b;
    int i;
    std::string text;
    std::vector<unsigned char> bytes;
    long long i64;
    double d;
};

// A value of the index's type made of the key and the file's own text for it.
Value ValueFor(const ISettingsManager& store, const std::string& key, std::size_t index)
{
    const std::uint64_t seed = std::hash<std::string>{}(key) ^ (index * 0x9E3779B97F4A7C15ULL);
    Value value{static_cast<Kind>(index % KINDS),
                (seed & 1) != 0,
                static_cast<int>(seed),
                store.GetString(key, "") + key,
                {key.begin(), key.end()},
                static_cast<long long>(seed),
                0.0};
    std::memcpy(&value.d, &seed, sizeof value.d);
    return value;
}

void Write(ISettingsManager& store, const std::string& key, const Value& value)
{
    switch (value.kind) {
    case Bool:
        store.SetBool(key, value.b);
        break;
    case Int:
        store.SetInt(key, value.i);
        break;
    case String:
        store.SetString(key, value.text);
        break;
    case Bytes:
        store.SetByteArray(key, value.bytes);
        break;
    case Int64:
        store.SetInt64(key, value.i64);
        break;
    default:
        store.SetDouble(key, value.d);
        break;
    }
}

bool ReadsBack(const ISettingsManager& store, const std::string& key, const Value& value)
{
    switch (value.kind) {
    case Bool:
        return store.GetBool(key, !value.b) == value.b;
    case Int:
        return store.GetInt(key, ~value.i) == value.i;
    // A text is stored as far as its first NUL.
    case String:
        return store.GetString(key, "-") == value.text.substr(0, value.text.find('\0'));
    case Bytes:
        return store.GetByteArray(key, {}) == value.bytes;
    case Int64:
        return store.GetInt64(key, ~value.i64) == value.i64;
    default: {
        const double read = store.GetDouble(key, 0.5);
        return read == value.d || (std::isnan(read) && std::isnan(value.d));
    }
    }
}

void CheckMissing(const ISettingsManager& store, const std::string& key)
{
    const std::vector<unsigned char> bytes{1, 2, 3};
    TAVRIX_FUZZ_CHECK(!store.Contains(key));
    TAVRIX_FUZZ_CHECK(store.GetBool(key, true) && !store.GetBool(key, false));
    TAVRIX_FUZZ_CHECK(store.GetInt(key, -7) == -7);
    TAVRIX_FUZZ_CHECK(store.GetString(key, "default") == "default");
    TAVRIX_FUZZ_CHECK(store.GetByteArray(key, bytes) == bytes);
    TAVRIX_FUZZ_CHECK(store.GetInt64(key, 1LL << 40) == 1LL << 40);
    TAVRIX_FUZZ_CHECK(store.GetDouble(key, 0.25) == 0.25);
}

void ReadEverything(const ISettingsManager& store, const std::string& key)
{
    store.GetBool(key, false);
    store.GetInt(key, 0);
    store.GetString(key, "");
    store.GetByteArray(key, {});
    store.GetInt64(key, 0);
    store.GetDouble(key, 0.0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Tavrix::Fuzz::StartApplication<QCoreApplication>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString folder = Tavrix::Fuzz::FreshFolder();
    const QString path = folder + QStringLiteral("/store.ini");
    TAVRIX_FUZZ_CHECK(Tavrix::Fuzz::WriteFile(
        path,
        Tavrix::Fuzz::WithoutBinaryValues(std::string(reinterpret_cast<const char*>(data), size))));

    std::map<std::string, Value> written;
    // The file that Qt writes is only checked when Qt reads this one consistently.
    const bool normalForm = !Tavrix::Fuzz::HasKeysOutsideNormalForm(path);
    {
        SettingsManager store(path, QSettings::IniFormat);
        std::vector<std::string> keys;
        for (const QString& key : QSettings(path, QSettings::IniFormat).allKeys().mid(0, 32))
            keys.push_back(Tavrix::Util::QStringToUtf8(key));
        for (const std::string& key : keys)
            ReadEverything(store, key);
        for (const std::string key : {"not in the file", "no/such/group"})
            if (!store.Contains(key))
                CheckMissing(store, key);

        Recorder recorder;
        store.RegisterObserver(&recorder);
        for (std::size_t index = 0; index < keys.size() && index < 12; ++index) {
            const std::string& key = keys[index];
            const Value value = ValueFor(store, key, index);
            const bool existed = store.Contains(key);
            recorder.told = 0;
            Write(store, key, value);
            // QSettings keeps nothing under an empty key, which an INI line "=x" gives.
            if (key.empty()) {
                TAVRIX_FUZZ_CHECK(recorder.told == 0);
                continue;
            }
            TAVRIX_FUZZ_CHECK(ReadsBack(store, key, value));
            TAVRIX_FUZZ_CHECK(recorder.told <= 1);
            // Only a key that existed has an old value; one stored as "@Invalid()" has none.
            if (recorder.told == 1)
                TAVRIX_FUZZ_CHECK(recorder.key == key && (existed || !recorder.hadOld));
            // The same value again changes nothing; Qt's variants never find NaN equal to itself.
            if (value.kind != Double || !std::isnan(value.d)) {
                recorder.told = 0;
                Write(store, key, value);
                TAVRIX_FUZZ_CHECK(recorder.told == 0);
            }
            written[key] = value;
        }
        store.UnregisterObserver(&recorder);

        if (!written.empty()) {
            // Removing a key takes the keys of its group with it.
            const std::string removed = written.rbegin()->first;
            store.Remove(removed);
            CheckMissing(store, removed);
            for (auto it = written.begin(); it != written.end();)
                it = it->first == removed || it->first.rfind(removed + "/", 0) == 0
                         ? written.erase(it)
                         : std::next(it);
        }
    }

    if (!normalForm)
        return 0;
    // A copy, so that Qt reads the file as written instead of its cached contents.
    const QString copy = folder + QStringLiteral("/copy.ini");
    TAVRIX_FUZZ_CHECK(QFile::copy(path, copy));
    const SettingsManager reopened(copy, QSettings::IniFormat);
    for (const auto& [key, value] : written) {
        // Qt writes a group named "general" in any spelling as "[%General]", which reads back as
        // "General": such a key is lost on the way through the file.
        const QString group = QString::fromStdString(key).section(QLatin1Char('/'), 0, 0);
        if (key.find('/') != std::string::npos
            && group.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0
            && group != QLatin1String("General"))
            continue;
        TAVRIX_FUZZ_CHECK(ReadsBack(reopened, key, value));
    }
    return 0;
}
