#include "TestMain.h"

#include <Tavrix/App/Application/ISettingsManagerObserver.h>
#include <Tavrix/App/Application/SettingsManager.h>

#include <QFileInfo>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

#include <utime.h>

using namespace Tavrix::App;

namespace {

using Bytes = std::vector<unsigned char>;

struct Event
{
    QString observer;
    QString type;
    std::string key;
    QVariant newValue;
    bool hasOld;
    QVariant oldValue;
};

template <class T>
QVariant ToVariant(const T& v)
{
    return QVariant::fromValue(v);
}
QVariant ToVariant(const std::string& v)
{
    return QString::fromStdString(v);
}
QVariant ToVariant(const Bytes& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<int>(v.size()));
}

Bytes ToBytes(const QByteArray& bytes)
{
    return {bytes.cbegin(), bytes.cend()};
}

// Appends every notification to a log shared by several observers (and threads); `action` runs
// after recording.
class Recorder : public ISettingsManagerObserver
{
public:
    Recorder(QString name, std::vector<Event>& log) : name(std::move(name)), m_log(log) {}

    QString name;
    std::function<void(const std::string& key)> action;

#define TAVRIX_RECORD(Type, Value)                                                                 \
    void On##Type##Changed(const std::string& k, Value v,                                          \
                           const boost::optional<std::decay_t<Value>>& o) override                 \
    {                                                                                              \
        Record(#Type, k, v, o);                                                                    \
    }
    TAVRIX_RECORD(Bool, bool)
    TAVRIX_RECORD(Int, int)
    TAVRIX_RECORD(String, const std::string&)
    TAVRIX_RECORD(Int64, long long)
    TAVRIX_RECORD(Double, double)
    TAVRIX_RECORD(ByteArray, const Bytes&)
#undef TAVRIX_RECORD

private:
    template <class T>
    void Record(const char* type, const std::string& key, const T& value,
                const boost::optional<T>& old)
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_log.push_back({name, QString::fromLatin1(type), key, ToVariant(value), bool(old),
                             old ? ToVariant(*old) : QVariant()});
        }
        if (action)
            action(key);
    }

    std::vector<Event>& m_log;
    std::mutex m_mutex;
};

void Set(ISettingsManager& m, const QString& type, const std::string& key, const QVariant& v)
{
    if (type == QLatin1String("Bool"))
        m.SetBool(key, v.toBool());
    else if (type == QLatin1String("Int"))
        m.SetInt(key, v.toInt());
    else if (type == QLatin1String("String"))
        m.SetString(key, v.toString().toStdString());
    else if (type == QLatin1String("ByteArray"))
        m.SetByteArray(key, ToBytes(v.toByteArray()));
    else if (type == QLatin1String("Int64"))
        m.SetInt64(key, v.toLongLong());
    else
        m.SetDouble(key, v.toDouble());
}

QVariant Get(const ISettingsManager& m, const QString& type, const std::string& key,
             const QVariant& def)
{
    if (type == QLatin1String("Bool"))
        return m.GetBool(key, def.toBool());
    if (type == QLatin1String("Int"))
        return m.GetInt(key, def.toInt());
    if (type == QLatin1String("String"))
        return QString::fromStdString(m.GetString(key, def.toString().toStdString()));
    if (type == QLatin1String("ByteArray"))
        return ToVariant(m.GetByteArray(key, ToBytes(def.toByteArray())));
    if (type == QLatin1String("Int64"))
        return static_cast<qlonglong>(m.GetInt64(key, def.toLongLong()));
    return m.GetDouble(key, def.toDouble());
}

QStringList Names(const std::vector<Event>& log)
{
    QStringList names;
    for (const Event& e : log)
        names << e.observer;
    return names;
}

} // namespace

class tst_SettingsManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void typedValues_data();
    void typedValues();
    void overwriteText_data();
    void overwriteText();
    void readOtherType_data();
    void readOtherType();
    void oddKeysAndValues_data();
    void oddKeysAndValues();
    void remove_data();
    void remove();
    void registration_data();
    void registration();
    void registrationDuringPass_data();
    void registrationDuringPass();
    void nestedChange();
    void throwingObserver();
    void passesNeverInterleave();
    void nativeStore();
    void garbageFile();
    void emptyKey();

private:
    std::unique_ptr<SettingsManager> Open() const
    {
        return std::make_unique<SettingsManager>(m_file, QSettings::IniFormat);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

void tst_SettingsManager::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_file = m_dir->filePath(QStringLiteral("store.ini"));
}

void tst_SettingsManager::cleanup()
{
    m_dir->setAutoRemove(!QTest::currentTestFailed());
    m_dir.reset();
}

void tst_SettingsManager::typedValues_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariant>("first");
    QTest::addColumn<QVariant>("second");

    QTest::newRow("bool") << "Bool" << QVariant(false) << QVariant(true);
    QTest::newRow("int") << "Int" << QVariant(7) << QVariant(-2147483647 - 1);
    QTest::newRow("string") << "String" << QVariant(QStringLiteral("h\u00e9llo"))
                            << QVariant(QString::fromUtf8("w\xc3\xb6rld \xf0\x9f\x98\x80"));
    QTest::newRow("bytes") << "ByteArray" << QVariant(QByteArray("\x00\x01\xff", 3))
                           << QVariant(QByteArray("\n=;[]\r\\"));
    QTest::newRow("int64") << "Int64" << QVariant(qlonglong(1) << 40)
                           << QVariant(-(qlonglong(1) << 62));
    QTest::newRow("double") << "Double" << QVariant(0.1) << QVariant(-2.5e300);
}

// The stored value decides whether anything is written and told; the old value is what the
// key held, as its type, and is empty on the first write. This holds also against the text that
// a reopened file gives back.
void tst_SettingsManager::typedValues()
{
    QFETCH(QString, type);
    QFETCH(QVariant, first);
    QFETCH(QVariant, second);
    const std::string key = "typed/value";
    std::vector<Event> log;
    Recorder observer(QStringLiteral("A"), log);
    const auto change = [&](ISettingsManager& m, const QVariant& value) {
        m.RegisterObserver(&observer);
        Set(m, type, key, value);
        m.UnregisterObserver(&observer);
    };
    {
        auto m = Open();
        change(*m, first);
        change(*m, first);
        QCOMPARE(log.size(), size_t(1));
        QCOMPARE(log[0].type, type);
        QCOMPARE(log[0].key, key);
        QCOMPARE(log[0].newValue, first);
        QVERIFY(!log[0].hasOld);
        change(*m, second);
        QCOMPARE(log.size(), size_t(2));
        QCOMPARE(log[1].newValue, second);
        QVERIFY(log[1].hasOld);
        QCOMPARE(log[1].oldValue.userType(), first.userType());
        QCOMPARE(log[1].oldValue, first);
    }

    // An unchanged value read back from the file is not written again: the file stays as it was.
    const utimbuf past{946684800, 946684800};
    QCOMPARE(::utime(QFile::encodeName(m_file).constData(), &past), 0);
    QCOMPARE(Get(*Open(), type, key, first), second);
    change(*Open(), second);
    QCOMPARE(log.size(), size_t(2));
    QCOMPARE(QFileInfo(m_file).lastModified().toSecsSinceEpoch(), qint64(past.modtime));
    change(*Open(), first);
    QCOMPARE(log.size(), size_t(3));
    QVERIFY(log[2].hasOld);
    QCOMPARE(log[2].oldValue.userType(), second.userType());
    QCOMPARE(log[2].oldValue, second);
}

void tst_SettingsManager::overwriteText_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariant>("zero");
    QTest::newRow("int") << "Int" << QVariant(0);
    QTest::newRow("int64") << "Int64" << QVariant(qlonglong(0));
    QTest::newRow("double") << "Double" << QVariant(0.0);
}

// A text that is no number differs from 0: it is overwritten, and the old value is 0, present.
void tst_SettingsManager::overwriteText()
{
    QFETCH(QString, type);
    QFETCH(QVariant, zero);
    std::vector<Event> log;
    Recorder observer(QStringLiteral("A"), log);
    auto m = Open();
    m->SetString("k", "not a number");
    m->RegisterObserver(&observer);
    Set(*m, type, "k", zero);
    m->UnregisterObserver(&observer);
    QCOMPARE(log.size(), size_t(1));
    QCOMPARE(log[0].newValue, zero);
    QVERIFY(log[0].hasOld);
    QCOMPARE(log[0].oldValue, zero);
    m.reset();
    QCOMPARE(Get(*Open(), type, "k", 42), zero);
}

void tst_SettingsManager::readOtherType_data()
{
    QTest::addColumn<QString>("storeType");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("readType");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<QVariant>("expected");

    const QVariant text(QStringLiteral("abc"));
    const QVariant empty{QString()};
    QTest::newRow("missing int") << "" << QVariant() << "Int" << QVariant(42) << QVariant(42);
    QTest::newRow("text as int") << "String" << text << "Int" << QVariant(42) << QVariant(0);
    QTest::newRow("text as int64")
        << "String" << text << "Int64" << QVariant(qlonglong(42)) << QVariant(qlonglong(0));
    QTest::newRow("text as double")
        << "String" << text << "Double" << QVariant(4.2) << QVariant(0.0);
    QTest::newRow("empty text as bool")
        << "String" << empty << "Bool" << QVariant(true) << QVariant(false);
    QTest::newRow("empty text as int") << "String" << empty << "Int" << QVariant(42) << QVariant(0);
    QTest::newRow("bytes as int") << "ByteArray" << QVariant(QByteArray("\x01\x02")) << "Int"
                                  << QVariant(42) << QVariant(0);
    QTest::newRow("int as string")
        << "Int" << QVariant(5) << "String" << QVariant(QStringLiteral("d"))
        << QVariant(QStringLiteral("5"));
}

// A key of another type reads as the conversion's result, not the default, after the file has been
// reopened; the rest of the file is untouched.
void tst_SettingsManager::readOtherType()
{
    QFETCH(QString, storeType);
    QFETCH(QVariant, stored);
    QFETCH(QString, readType);
    QFETCH(QVariant, defaultValue);
    QFETCH(QVariant, expected);
    {
        auto m = Open();
        m->SetInt("keep/number", 17);
        m->SetString("keep/text", "kept");
        if (!storeType.isEmpty())
            Set(*m, storeType, "probe", stored);
    }
    auto m = Open();
    const QVariant got = Get(*m, readType, "probe", defaultValue);
    QCOMPARE(got.userType(), expected.userType());
    QCOMPARE(got, expected);
    QCOMPARE(m->GetInt("keep/number", 0), 17);
    QCOMPARE(m->GetString("keep/text", ""), std::string("kept"));
}

void tst_SettingsManager::oddKeysAndValues_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("expected");

    QByteArray longText;
    while (longText.size() < 1024 * 1024)
        longText += "0123456789 \xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80 =;#[]\\\"\n";
    QByteArray longBytes(1024 * 1024, '\0');
    for (int i = 0; i < longBytes.size(); ++i)
        longBytes[i] = char(i * 7 % 256);
    const QByteArray syntax("a=b\n[c]\r\n;#\\\"q\" @ByteArray(x)");
    const QByteArray replaced("\xef\xbf\xbd");
    const auto row = [](const char* name, const QByteArray& key, const char* type,
                        const QByteArray& value, const QByteArray& expected) {
        QTest::newRow(name) << key << QString::fromLatin1(type) << value << expected;
    };

    row("empty text", "k", "String", "", "");
    row("text cut at first NUL", "k", "String", QByteArray("ab\0cd", 5), "ab");
    row("text of a NUL", "k", "String", QByteArray("\0x", 2), "");
    row("at sign", "k", "String", "@Invalid()", "@Invalid()");
    row("invalid UTF-8 text", "k", "String", "a\xff\xfe", "a" + replaced + replaced);
    row("invalid UTF-8 key", "bad\xff\xfekey", "String", "v", "v");
    row("emoji key", "\xf0\x9f\x98\x80/\xd0\xba\xd0\xbb\xd1\x8e\xd1\x87", "String", "v", "v");
    row("deep group key", "a/b/c/d", "String", "v", "v");
    row("INI syntax in key", "k=[x];#y z\\%", "String", "v", "v");
    row("INI syntax in text", "k", "String", syntax, syntax);
    row("INI syntax in bytes", "k", "ByteArray", syntax, syntax);
    row("NUL in bytes", "k", "ByteArray", QByteArray("\0\0x\0", 4), QByteArray("\0\0x\0", 4));
    row("1 MB text", "big", "String", longText, longText);
    row("1 MB bytes", "big", "ByteArray", longBytes, longBytes);
}

// Odd keys and values are told once and come back as stored, also after the file is reopened,
// next to the other keys; writing what the store holds then changes nothing.
void tst_SettingsManager::oddKeysAndValues()
{
    QFETCH(QByteArray, key);
    QFETCH(QString, type);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, expected);
    const std::string k = key.toStdString();
    const bool bytes = type == QLatin1String("ByteArray");
    const auto write = [&](ISettingsManager& m, const QByteArray& v) {
        bytes ? m.SetByteArray(k, ToBytes(v)) : m.SetString(k, v.toStdString());
    };
    const auto read = [&](const ISettingsManager& m) {
        return bytes ? Get(m, type, k, QByteArray("default")).toByteArray()
                     : QByteArray::fromStdString(m.GetString(k, "default"));
    };
    std::vector<Event> log;
    Recorder observer(QStringLiteral("A"), log);
    {
        auto m = Open();
        m->SetInt("keep/number", 17);
        m->RegisterObserver(&observer);
        write(*m, value);
        QVERIFY(read(*m) == expected);
        m->UnregisterObserver(&observer);
    }
    auto m = Open();
    QVERIFY(m->Contains(k));
    QVERIFY(read(*m) == expected);
    QCOMPARE(m->GetInt("keep/number", 0), 17);
    m->RegisterObserver(&observer);
    write(*m, expected);
    m->UnregisterObserver(&observer);
    QCOMPARE(log.size(), size_t(1));
    QVERIFY(!log[0].hasOld);
}

void tst_SettingsManager::remove_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("group") << "grp" << QStringList{"grpx", "other"};
    QTest::newRow("key in group") << "grp/a" << QStringList{"grp/b", "grpx", "other"};
    QTest::newRow("missing key") << "none" << QStringList{"grp/a", "grp/b", "grpx", "other"};
}

// Removing tells nobody; a key written again after its removal has no old value.
void tst_SettingsManager::remove()
{
    QFETCH(QString, key);
    QFETCH(QStringList, left);
    const QStringList all{"grp/a", "grp/b", "grpx", "other"};
    std::vector<Event> log;
    Recorder observer(QStringLiteral("A"), log);
    {
        auto m = Open();
        for (const QString& k : all)
            m->SetInt(k.toStdString(), 1);
        m->RegisterObserver(&observer);
        m->Remove(key.toStdString());
        m->UnregisterObserver(&observer);
    }
    auto m = Open();
    for (const QString& k : all)
        QCOMPARE(m->Contains(k.toStdString()), left.contains(k));
    m->RegisterObserver(&observer);
    m->SetInt("grp/a", 1);
    m->UnregisterObserver(&observer);
    QCOMPARE(log.size(), size_t(left.contains("grp/a") ? 0 : 1));
    if (!log.empty())
        QVERIFY(!log[0].hasOld);
}

void tst_SettingsManager::registration_data()
{
    QTest::addColumn<QString>("operations");
    QTest::addColumn<QStringList>("told");
    QTest::newRow("A then B") << "+A +B" << QStringList{"A", "B"};
    QTest::newRow("B then A") << "+B +A" << QStringList{"B", "A"};
    QTest::newRow("registered twice") << "+A +A +B +A" << QStringList{"A", "B"};
    QTest::newRow("null ignored") << "+0 +A -0" << QStringList{"A"};
    QTest::newRow("unregister unknown") << "+A -B" << QStringList{"A"};
    QTest::newRow("unregister keeps order") << "+A +B +C -B" << QStringList{"A", "C"};
    QTest::newRow("registered again goes last") << "+A +B -A +A" << QStringList{"B", "A"};
    QTest::newRow("twice then once out") << "+A +A -A" << QStringList{};
}

// "+X" registers observer X, "-X" unregisters it; "0" stands for a null pointer.
void tst_SettingsManager::registration()
{
    QFETCH(QString, operations);
    QFETCH(QStringList, told);
    std::vector<Event> log;
    Recorder a(QStringLiteral("A"), log), b(QStringLiteral("B"), log), c(QStringLiteral("C"), log);
    const std::map<QChar, Recorder*> byName{{'A', &a}, {'B', &b}, {'C', &c}, {'0', nullptr}};
    auto m = Open();
    for (const QString& op : operations.split(QLatin1Char(' '))) {
        Recorder* const observer = byName.at(op.at(1));
        if (op.at(0) == QLatin1Char('+'))
            m->RegisterObserver(observer);
        else
            m->UnregisterObserver(observer);
    }
    m->SetBool("flag", true);
    QCOMPARE(Names(log), told);
    for (Recorder* r : {&a, &b, &c})
        m->UnregisterObserver(r);
}

void tst_SettingsManager::registrationDuringPass_data()
{
    QTest::addColumn<QString>("actor");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("nextPass");
    QTest::newRow("registered during") << "A" << QString("+C") << QStringList{"A", "B", "C"};
    QTest::newRow("later one unregistered") << "A" << QString("-B") << QStringList{"A"};
    QTest::newRow("itself unregistered") << "A" << QString("-A") << QStringList{"B"};
    QTest::newRow("earlier one unregistered") << "B" << QString("-A") << QStringList{"B"};
}

// Registration changes made by an observer during a pass count from the next pass.
void tst_SettingsManager::registrationDuringPass()
{
    QFETCH(QString, actor);
    QFETCH(QString, operation);
    QFETCH(QStringList, nextPass);
    std::vector<Event> log;
    Recorder a(QStringLiteral("A"), log), b(QStringLiteral("B"), log), c(QStringLiteral("C"), log);
    const std::map<QString, Recorder*> byName{{"A", &a}, {"B", &b}, {"C", &c}};
    auto m = Open();
    bool done = false;
    byName.at(actor)->action = [&](const std::string&) {
        if (std::exchange(done, true))
            return;
        Recorder* const target = byName.at(operation.mid(1));
        if (operation.startsWith(QLatin1Char('+')))
            m->RegisterObserver(target);
        else
            m->UnregisterObserver(target);
    };
    m->RegisterObserver(&a);
    m->RegisterObserver(&b);
    m->SetInt("n", 1);
    QCOMPARE(Names(log), (QStringList{"A", "B"}));
    log.clear();
    m->SetInt("n", 2);
    QCOMPARE(Names(log), nextPass);
    for (Recorder* r : {&a, &b, &c})
        m->UnregisterObserver(r);
}

// A change made inside a notification is told to everybody before the outer pass goes on.
void tst_SettingsManager::nestedChange()
{
    std::vector<Event> log;
    Recorder a(QStringLiteral("A"), log), b(QStringLiteral("B"), log);
    auto m = Open();
    a.action = [&](const std::string& key) {
        if (key == "outer")
            m->SetString("inner", "x");
    };
    m->RegisterObserver(&a);
    m->RegisterObserver(&b);
    m->SetInt("outer", 1);
    QStringList order;
    for (const Event& e : log)
        order << e.observer + QLatin1Char(':') + QString::fromStdString(e.key);
    QCOMPARE(order, (QStringList{"A:outer", "A:inner", "B:inner", "B:outer"}));
    QCOMPARE(m->GetString("inner", ""), std::string("x"));
    m->UnregisterObserver(&a);
    m->UnregisterObserver(&b);
}

// An observer's exception leaves the setter with the value written and later observers not told,
// and frees both locks: a pass from another thread then runs instead of waiting for ever.
void tst_SettingsManager::throwingObserver()
{
    std::vector<Event> log;
    Recorder a(QStringLiteral("A"), log), thrower(QStringLiteral("T"), log),
        b(QStringLiteral("B"), log), late(QStringLiteral("L"), log);
    thrower.action = [](const std::string& key) {
        if (key == "boom")
            throw std::runtime_error("observer failed");
    };
    auto m = Open();
    for (Recorder* r : {&a, &thrower, &b})
        m->RegisterObserver(r);
    QVERIFY_EXCEPTION_THROWN(m->SetInt("boom", 5), std::runtime_error);
    QCOMPARE(Names(log), (QStringList{"A", "T"}));
    QCOMPARE(m->GetInt("boom", 0), 5);
    log.clear();

    std::packaged_task<void()> task([&] {
        m->RegisterObserver(&late);
        m->SetInt("after", 1);
    });
    auto finished = task.get_future();
    std::thread other(std::move(task));
    if (finished.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        other.detach();
        m.release(); // its mutexes are still held by the blocked thread
        QFAIL("a pass on another thread still waits for the locks the exception left");
    }
    other.join();
    QCOMPARE(Names(log), (QStringList{"A", "T", "B", "L"}));
    for (Recorder* r : {&a, &thrower, &b, &late})
        m->UnregisterObserver(r);
    m.reset();
    QCOMPARE(Open()->GetInt("boom", 0), 5);
}

// Two threads change one store in turns: one starts a pass, and while its observer is inside, the
// other one's setter runs and must wait for that pass to end before its own begins. The observer
// stays inside a while so that an overlapping pass would be seen. The store itself is never used by
// both threads at once, as its users must ensure.
void tst_SettingsManager::passesNeverInterleave()
{
    std::vector<Event> log;
    Recorder watcher(QStringLiteral("W"), log);
    std::mutex mutex;
    QStringList visits; // "+key" on entering a pass, "-key" on leaving it, with the thread's mark
    std::map<std::string, std::thread::id> setBy;
    QSemaphore firstInside;
    const auto note = [&](char sign, const std::string& key) {
        const std::lock_guard<std::mutex> lock(mutex);
        const bool ownThread = setBy.at(key) == std::this_thread::get_id();
        visits << sign + QString::fromStdString(key) + (ownThread ? "" : " (other thread)");
    };
    watcher.action = [&](const std::string& key) {
        note('+', key);
        if (key.rfind("first", 0) == 0)
            firstInside.release();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        note('-', key);
    };
    auto m = Open();
    m->RegisterObserver(&watcher);
    constexpr int rounds = 6;
    const auto run = [&](int self) {
        for (int round = 0; round < rounds; ++round) {
            const bool first = round % 2 == self;
            if (!first && !firstInside.tryAcquire(1, 10000))
                return;
            const std::string key = (first ? "first/" : "second/") + std::to_string(round);
            {
                const std::lock_guard<std::mutex> lock(mutex);
                setBy[key] = std::this_thread::get_id();
            }
            m->SetInt(key, round + 1);
        }
    };
    std::thread one(run, 0), two(run, 1);
    one.join();
    two.join();
    m->UnregisterObserver(&watcher);

    QCOMPARE(visits.size(), 4 * rounds);
    for (int i = 0; i < visits.size(); i += 2) {
        QVERIFY2(visits[i].startsWith('+') && !visits[i].endsWith(')'), qPrintable(visits[i]));
        QCOMPARE(visits[i + 1], '-' + visits[i].mid(1));
    }
}

// The native store is the per-user store of organization/application: application comes first.
void tst_SettingsManager::nativeStore()
{
    const QString application = QStringLiteral("tst-settings-app");
    const QString organization = QStringLiteral("tst-settings-org");
    {
        SettingsManager m(application, organization);
        m.SetString("native/text", "v\xc3\xa9");
        m.SetInt("native/number", 3);
    }
    QSettings direct(QSettings::UserScope, organization, application);
    QCOMPARE(direct.value("native/text").toString(), QStringLiteral("v\u00e9"));
    QCOMPARE(direct.value("native/number").toInt(), 3);

    QCOMPARE(SettingsManager(application, organization).GetInt("native/number", 0), 3);
    QVERIFY(!SettingsManager(organization, application).Contains("native/number"));
}

// Qt stores nothing under an empty key, so a setter given one has no change to tell of.
void tst_SettingsManager::emptyKey()
{
    std::vector<Event> log;
    Recorder observer(QStringLiteral("A"), log);
    auto m = Open();
    m->RegisterObserver(&observer);
    m->SetInt("", 1);
    m->SetString("", "x");
    QVERIFY(log.empty());
    QVERIFY(!m->Contains(""));
    m->UnregisterObserver(&observer);
}

// A file of binary garbage neither crashes the store nor stops it from working.
void tst_SettingsManager::garbageFile()
{
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator random(20240611);
    for (char& c : garbage)
        c = char(random.bounded(256));
    garbage.prepend("[keep]\nnumber=17\n");
    {
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }
    std::vector<Event> log;
    Recorder observer(QStringLiteral("A"), log);
    {
        auto m = Open();
        QVERIFY(!m->Contains("tavrix/probe"));
        m->RegisterObserver(&observer);
        m->SetInt("tavrix/probe", 3);
        m->UnregisterObserver(&observer);
        QCOMPARE(m->GetInt("tavrix/probe", 7), 3);
    }
    QCOMPARE(log.size(), size_t(1));
    QVERIFY(!log[0].hasOld);
    auto m = Open();
    QCOMPARE(m->GetInt("tavrix/probe", 7), 3);
    QCOMPARE(m->GetInt("keep/number", 0), 17);
}

TAVRIX_TEST_MAIN(tst_SettingsManager, QCoreApplication)
#include "tst_settingsmanager.moc"
