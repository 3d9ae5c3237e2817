#include <Tavrix/App/Application/ISettingsManagerObserver.h>
#include <Tavrix/App/Application/SettingsManager.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
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

struct Event
{
    QString observer;
    QString type;
    std::string key;
    QVariant newValue;
    bool hasOld;
    QVariant oldValue;
};

QVariant ToVariant(bool v)
{
    return v;
}
QVariant ToVariant(int v)
{
    return v;
}
QVariant ToVariant(long long v)
{
    return static_cast<qlonglong>(v);
}
QVariant ToVariant(double v)
{
    return v;
}
QVariant ToVariant(const std::string& v)
{
    return QString::fromStdString(v);
}
QVariant ToVariant(const std::vector<unsigned char>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<int>(v.size()));
}

std::vector<unsigned char> ToBytes(const QByteArray& bytes)
{
    return {bytes.cbegin(), bytes.cend()};
}

// Appends every notification to a log shared by several observers; `action` runs after recording.
class Recorder : public ISettingsManagerObserver
{
public:
    Recorder(QString name, std::vector<Event>& log) : name(std::move(name)), m_log(log) {}

    QString name;
    std::function<void(const std::string& key)> action;

    void OnBoolChanged(const std::string& k, bool v, const boost::optional<bool>& o) override
    {
        Record("bool", k, v, o);
    }
    void OnIntChanged(const std::string& k, int v, const boost::optional<int>& o) override
    {
        Record("int", k, v, o);
    }
    void OnStringChanged(const std::string& k, const std::string& v,
                         const boost::optional<std::string>& o) override
    {
        Record("string", k, v, o);
    }
    void OnInt64Changed(const std::string& k, long long v,
                        const boost::optional<long long>& o) override
    {
        Record("int64", k, v, o);
    }
    void OnDoubleChanged(const std::string& k, double v, const boost::optional<double>& o) override
    {
        Record("double", k, v, o);
    }
    void OnByteArrayChanged(const std::string& k, const std::vector<unsigned char>& v,
                            const boost::optional<std::vector<unsigned char>>& o) override
    {
        Record("bytes", k, v, o);
    }

private:
    template <class T>
    void Record(const char* type, const std::string& key, const T& value,
                const boost::optional<T>& old)
    {
        m_log.push_back({name, QString::fromLatin1(type), key, ToVariant(value), bool(old),
                         old ? ToVariant(*old) : QVariant()});
        if (action)
            action(key);
    }

    std::vector<Event>& m_log;
};

void Set(ISettingsManager& m, const QString& type, const std::string& key, const QVariant& v)
{
    if (type == QLatin1String("bool"))
        m.SetBool(key, v.toBool());
    else if (type == QLatin1String("int"))
        m.SetInt(key, v.toInt());
    else if (type == QLatin1String("string"))
        m.SetString(key, v.toString().toStdString());
    else if (type == QLatin1String("bytes"))
        m.SetByteArray(key, ToBytes(v.toByteArray()));
    else if (type == QLatin1String("int64"))
        m.SetInt64(key, v.toLongLong());
    else
        m.SetDouble(key, v.toDouble());
}

QVariant Get(const ISettingsManager& m, const QString& type, const std::string& key,
             const QVariant& def)
{
    if (type == QLatin1String("bool"))
        return m.GetBool(key, def.toBool());
    if (type == QLatin1String("int"))
        return m.GetInt(key, def.toInt());
    if (type == QLatin1String("string"))
        return QString::fromStdString(m.GetString(key, def.toString().toStdString()));
    if (type == QLatin1String("bytes"))
        return ToVariant(m.GetByteArray(key, ToBytes(def.toByteArray())));
    if (type == QLatin1String("int64"))
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
    void initTestCase();
    void init();
    void cleanup();

    void typedValues_data();
    void typedValues();
    void strings_data();
    void strings();
    void overwriteText_data();
    void overwriteText();
    void readOtherType_data();
    void readOtherType();
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
    void oddKeysAndValues_data();
    void oddKeysAndValues();
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

void tst_SettingsManager::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

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

    QTest::newRow("bool") << "bool" << QVariant(false) << QVariant(true);
    QTest::newRow("int") << "int" << QVariant(7) << QVariant(-2147483647 - 1);
    QTest::newRow("string") << "string" << QVariant(QStringLiteral("h\u00e9llo"))
                            << QVariant(QString::fromUtf8("w\xc3\xb6rld \xf0\x9f\x98\x80"));
    QTest::newRow("bytes") << "bytes" << QVariant(QByteArray("\x00\x01\xff", 3))
                           << QVariant(QByteArray("\n=;[]\r\\"));
    QTest::newRow("int64") << "int64" << QVariant(qlonglong(1) << 40)
                           << QVariant(-(qlonglong(1) << 62));
    QTest::newRow("double") << "double" << QVariant(0.1) << QVariant(-2.5e300);
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

    {
        auto m = Open();
        m->RegisterObserver(&observer);
        Set(*m, type, key, first);
        Set(*m, type, key, first);
        QCOMPARE(log.size(), size_t(1));
        QCOMPARE(log[0].type, type);
        QCOMPARE(log[0].key, key);
        QCOMPARE(log[0].newValue, first);
        QVERIFY(!log[0].hasOld);

        Set(*m, type, key, second);
        QCOMPARE(log.size(), size_t(2));
        QCOMPARE(log[1].newValue, second);
        QVERIFY(log[1].hasOld);
        QCOMPARE(log[1].oldValue.userType(), first.userType());
        QCOMPARE(log[1].oldValue, first);
        m->UnregisterObserver(&observer);
    }

    // An unchanged value read back from the file is not written again: the file stays as it was.
    const QByteArray path = QFile::encodeName(m_file);
    const utimbuf past{946684800, 946684800};
    QCOMPARE(::utime(path.constData(), &past), 0);
    {
        auto m = Open();
        m->RegisterObserver(&observer);
        QCOMPARE(Get(*m, type, key, first), second);
        Set(*m, type, key, second);
        QCOMPARE(log.size(), size_t(2));
        m->UnregisterObserver(&observer);
    }
    QCOMPARE(QFileInfo(m_file).lastModified().toSecsSinceEpoch(), qint64(past.modtime));

    auto m = Open();
    m->RegisterObserver(&observer);
    Set(*m, type, key, first);
    QCOMPARE(log.size(), size_t(3));
    QVERIFY(log[2].hasOld);
    QCOMPARE(log[2].oldValue.userType(), second.userType());
    QCOMPARE(log[2].oldValue, second);
    m->UnregisterObserver(&observer);
}

void tst_SettingsManager::strings_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("stored");

    QTest::newRow("empty on missing key") << QByteArray("") << QByteArray("");
    QTest::newRow("cut at first NUL") << QByteArray("ab\0cd", 5) << QByteArray("ab");
    QTest::newRow("leading NUL") << QByteArray("\0x", 2) << QByteArray("");
    QTest::newRow("at sign") << QByteArray("@Invalid()") << QByteArray("@Invalid()");
    QTest::newRow("invalid UTF-8") << QByteArray("a\xff") << QByteArray("a\xef\xbf\xbd");
}

void tst_SettingsManager::strings()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, stored);
    const std::string key = "text";
    std::vector<Event> log;
    Recorder observer(QStringLiteral("A"), log);
    {
        auto m = Open();
        m->RegisterObserver(&observer);
        m->SetString(key, value.toStdString());
        QCOMPARE(log.size(), size_t(1));
        QVERIFY(!log[0].hasOld);
        QCOMPARE(QByteArray::fromStdString(m->GetString(key, "default")), stored);
        QVERIFY(m->Contains(key));
        m->SetString(key, stored.toStdString());
        QCOMPARE(log.size(), size_t(1));
        m->UnregisterObserver(&observer);
    }
    QCOMPARE(QByteArray::fromStdString(Open()->GetString(key, "default")), stored);
}

void tst_SettingsManager::overwriteText_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariant>("zero");

    QTest::newRow("int") << "int" << QVariant(0);
    QTest::newRow("int64") << "int64" << QVariant(qlonglong(0));
    QTest::newRow("double") << "double" << QVariant(0.0);
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
    QCOMPARE(log.size(), size_t(1));
    QCOMPARE(log[0].type, type);
    QCOMPARE(log[0].newValue, zero);
    QVERIFY(log[0].hasOld);
    QCOMPARE(log[0].oldValue, zero);
    m->UnregisterObserver(&observer);
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
    QTest::newRow("missing int") << "" << QVariant() << "int" << QVariant(42) << QVariant(42);
    QTest::newRow("text as int") << "string" << text << "int" << QVariant(42) << QVariant(0);
    QTest::newRow("text as int64")
        << "string" << text << "int64" << QVariant(qlonglong(42)) << QVariant(qlonglong(0));
    QTest::newRow("text as double")
        << "string" << text << "double" << QVariant(4.2) << QVariant(0.0);
    QTest::newRow("empty text as bool")
        << "string" << QVariant(QString()) << "bool" << QVariant(true) << QVariant(false);
    QTest::newRow("empty text as int")
        << "string" << QVariant(QString()) << "int" << QVariant(42) << QVariant(0);
    QTest::newRow("bytes as int") << "bytes" << QVariant(QByteArray("\x01\x02")) << "int"
                                  << QVariant(42) << QVariant(0);
    QTest::newRow("int as string")
        << "int" << QVariant(5) << "string" << QVariant(QStringLiteral("d"))
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
    {
        auto m = Open();
        const QVariant got = Get(*m, readType, "probe", defaultValue);
        QCOMPARE(got.userType(), expected.userType());
        QCOMPARE(got, expected);
    }
    auto m = Open();
    QCOMPARE(m->GetInt("keep/number", 0), 17);
    QCOMPARE(m->GetString("keep/text", ""), std::string("kept"));
}

void tst_SettingsManager::remove_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("group") << "grp" << QStringList{"grpx", "other"};
    QTest::newRow("key in group") << "grp/a" << QStringList{"grp/b", "grpx", "other"};
    QTest::newRow("missing key") << "none" << QStringList{"grp/a", "grp/b", "grpx", "other"};
}

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
        QVERIFY(log.empty());
        for (const QString& k : all)
            QCOMPARE(m->Contains(k.toStdString()), left.contains(k));
        m->UnregisterObserver(&observer);
    }
    auto m = Open();
    for (const QString& k : all)
        QCOMPARE(m->Contains(k.toStdString()), left.contains(k));
    m->RegisterObserver(&observer);
    m->SetInt("grp/a", 1);
    QCOMPARE(log.size(), size_t(left.contains("grp/a") ? 0 : 1));
    if (!log.empty())
        QVERIFY(!log[0].hasOld);
    m->UnregisterObserver(&observer);
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
    QTest::addColumn<QStringList>("firstPass");
    QTest::addColumn<QStringList>("nextPass");

    QTest::newRow("registered during")
        << "A"
        << "+C" << QStringList{"A", "B"} << QStringList{"A", "B", "C"};
    QTest::newRow("later one unregistered") << "A"
                                            << "-B" << QStringList{"A", "B"} << QStringList{"A"};
    QTest::newRow("itself unregistered") << "A"
                                         << "-A" << QStringList{"A", "B"} << QStringList{"B"};
    QTest::newRow("earlier one unregistered") << "B"
                                              << "-A" << QStringList{"A", "B"} << QStringList{"B"};
}

// Registration changes made by an observer during a pass count from the next pass.
void tst_SettingsManager::registrationDuringPass()
{
    QFETCH(QString, actor);
    QFETCH(QString, operation);
    QFETCH(QStringList, firstPass);
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
    QCOMPARE(Names(log), firstPass);
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

namespace {

// Notes when each pass enters and leaves it, and stays inside a while so that an overlapping
// pass would be seen.
class PassWatcher : public ISettingsManagerObserver
{
public:
    struct Visit
    {
        bool enter;
        std::thread::id thread;
        std::string key;
    };
    std::mutex mutex;
    std::vector<Visit> visits;
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    QSemaphore firstInside;

    void OnIntChanged(const std::string& key, int, const boost::optional<int>&) override
    {
        Note(true, key);
        if (inside.fetch_add(1) != 0)
            overlapped = true;
        if (key.rfind("first", 0) == 0)
            firstInside.release();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        inside.fetch_sub(1);
        Note(false, key);
    }
    void OnBoolChanged(const std::string&, bool, const boost::optional<bool>&) override {}
    void OnStringChanged(const std::string&, const std::string&,
                         const boost::optional<std::string>&) override
    {
    }
    void OnInt64Changed(const std::string&, long long, const boost::optional<long long>&) override
    {
    }
    void OnDoubleChanged(const std::string&, double, const boost::optional<double>&) override {}
    void OnByteArrayChanged(const std::string&, const std::vector<unsigned char>&,
                            const boost::optional<std::vector<unsigned char>>&) override
    {
    }

private:
    void Note(bool enter, const std::string& key)
    {
        std::lock_guard<std::mutex> lock(mutex);
        visits.push_back({enter, std::this_thread::get_id(), key});
    }
};

} // namespace

// Two threads change one store in turns: one starts a pass, and while its observer is inside, the
// other one's setter runs and must wait for that pass to end before its own begins. The store
// itself is never used by both threads at once, as its users must ensure.
void tst_SettingsManager::passesNeverInterleave()
{
    PassWatcher watcher;
    auto m = Open();
    m->RegisterObserver(&watcher);
    constexpr int rounds = 6;
    std::map<std::string, std::thread::id> setBy;
    std::mutex setByMutex;
    auto run = [&](int self) {
        for (int round = 0; round < rounds; ++round) {
            const bool first = round % 2 == self;
            if (!first && !watcher.firstInside.tryAcquire(1, 10000))
                return;
            const std::string key = (first ? "first/" : "second/") + std::to_string(round);
            {
                std::lock_guard<std::mutex> lock(setByMutex);
                setBy[key] = std::this_thread::get_id();
            }
            m->SetInt(key, round + 1);
        }
    };
    std::thread one(run, 0), two(run, 1);
    one.join();
    two.join();
    m->UnregisterObserver(&watcher);

    QVERIFY(!watcher.overlapped);
    QCOMPARE(watcher.visits.size(), size_t(4 * rounds));
    for (size_t i = 0; i < watcher.visits.size(); i += 2) {
        const auto& enter = watcher.visits[i];
        const auto& leave = watcher.visits[i + 1];
        QVERIFY(enter.enter && !leave.enter);
        QCOMPARE(enter.key, leave.key);
        QVERIFY(enter.thread == setBy.at(enter.key));
        QVERIFY(leave.thread == enter.thread);
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

    SettingsManager again(application, organization);
    QCOMPARE(again.GetInt("native/number", 0), 3);
    SettingsManager swapped(organization, application);
    QVERIFY(!swapped.Contains("native/number"));
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

    QTest::newRow("invalid UTF-8 key")
        << QByteArray("bad\xff\xfekey") << "string" << QByteArray("v") << QByteArray("v");
    QTest::newRow("emoji key") << QByteArray("\xf0\x9f\x98\x80/\xd0\xba\xd0\xbb\xd1\x8e\xd1\x87")
                               << "string" << QByteArray("v") << QByteArray("v");
    QTest::newRow("deep group key")
        << QByteArray("a/b/c/d") << "string" << QByteArray("v") << QByteArray("v");
    QTest::newRow("INI syntax in key")
        << QByteArray("k=[x];#y z\\%") << "string" << QByteArray("v") << QByteArray("v");
    QTest::newRow("INI syntax in text") << QByteArray("k") << "string" << syntax << syntax;
    QTest::newRow("INI syntax in bytes") << QByteArray("k") << "bytes" << syntax << syntax;
    QTest::newRow("NUL in bytes") << QByteArray("k") << "bytes" << QByteArray("\0\0x\0", 4)
                                  << QByteArray("\0\0x\0", 4);
    QTest::newRow("invalid UTF-8 text") << QByteArray("k") << "string" << QByteArray("\xff\xfe")
                                        << QByteArray("\xef\xbf\xbd\xef\xbf\xbd");
    QTest::newRow("1 MB text") << QByteArray("big") << "string" << longText << longText;
    QTest::newRow("1 MB bytes") << QByteArray("big") << "bytes" << longBytes << longBytes;
}

// Odd keys and values come back as written after the file is reopened, next to the other keys.
void tst_SettingsManager::oddKeysAndValues()
{
    QFETCH(QByteArray, key);
    QFETCH(QString, type);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, expected);
    const std::string k = key.toStdString();
    auto read = [&](const ISettingsManager& m) {
        return type == QLatin1String("bytes")
                   ? Get(m, type, k, QByteArray("default")).toByteArray()
                   : QByteArray::fromStdString(m.GetString(k, "default"));
    };
    {
        auto m = Open();
        m->SetInt("keep/number", 17);
        m->SetString("keep/text", "kept");
        if (type == QLatin1String("bytes"))
            m->SetByteArray(k, ToBytes(value));
        else
            m->SetString(k, value.toStdString());
        QVERIFY(read(*m) == expected);
    }
    auto m = Open();
    QVERIFY(m->Contains(k));
    QVERIFY(read(*m) == expected);
    QCOMPARE(m->GetInt("keep/number", 0), 17);
    QCOMPARE(m->GetString("keep/text", ""), std::string("kept"));
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
    {
        auto m = Open();
        QCOMPARE(m->GetInt("tavrix/probe", 7), 7);
        QVERIFY(!m->Contains("tavrix/probe"));
        std::vector<Event> log;
        Recorder observer(QStringLiteral("A"), log);
        m->RegisterObserver(&observer);
        m->SetInt("tavrix/probe", 3);
        QCOMPARE(log.size(), size_t(1));
        QVERIFY(!log[0].hasOld);
        QCOMPARE(m->GetInt("tavrix/probe", 7), 3);
        m->UnregisterObserver(&observer);
    }
    auto m = Open();
    QCOMPARE(m->GetInt("tavrix/probe", 7), 3);
    QCOMPARE(m->GetInt("keep/number", 0), 17);
}

QTEST_GUILESS_MAIN(tst_SettingsManager)
#include "tst_settingsmanager.moc"
