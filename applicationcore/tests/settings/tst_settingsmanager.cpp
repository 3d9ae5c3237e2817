#include "SettingsRecorder.h"
#include "TemporaryStores.h"
#include "TestMain.h"

#include <Tavrix/App/Application/SettingsManager.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSemaphore>
#include <QSettings>
#include <QTest>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

#include <sys/syscall.h>
#include <unistd.h>
#include <utime.h>

using namespace Tavrix::App;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ToBytes(const QByteArray& bytes)
{
    return {bytes.cbegin(), bytes.cend()};
}

// Logs every notification as "observer type key new old" ("-" for no old value) into a log
// shared by several observers and threads; `action` runs after logging.
class Recorder : public SettingsRecorder
{
public:
    Recorder(const char* name, QStringList& log) : m_name(QString::fromLatin1(name)), m_log(log) {}

    std::function<void(const std::string& key)> action;

private:
    void Changed(const char* type, const std::string& key, const QString& value,
                 const boost::optional<QString>& old) override
    {
        {
            static std::mutex mutex;
            const std::lock_guard<std::mutex> lock(mutex);
            m_log << QStringList{m_name, QString::fromLatin1(type), Text(key), value,
                                 old.value_or(QStringLiteral("-"))}
                         .join(' ');
        }
        if (action)
            action(key);
    }

    QString m_name;
    QStringList& m_log;
};

QStringList Names(QStringList log)
{
    return log.replaceInStrings(QRegularExpression(QStringLiteral(" .*")), QString());
}

// Whether thread `tid` of this process is blocked in a futex wait, as a contended mutex leaves it.
bool BlockedInFutex(pid_t tid)
{
    QFile file(QStringLiteral("/proc/self/task/%1/syscall").arg(tid));
    return tid && file.open(QIODevice::ReadOnly)
           && file.readAll().split(' ').value(0) == QByteArray::number(SYS_futex);
}

} // namespace

class tst_SettingsManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_file = m_stores.NewFile(); }

    void typedValues();
    void convertedValues();
    void oddKeysAndValuesInGarbage();
    void remove();
    void registration_data();
    void registration();
    void nestedChange();
    void throwingObserver();
    void passesNeverInterleave();
    void nativeStore();
    void emptyKey();

private:
    // The store, each time read afresh from the file, with `observer` registered.
    std::unique_ptr<SettingsManager> Open(ISettingsManagerObserver* observer = nullptr) const
    {
        auto m = std::make_unique<SettingsManager>(m_file, QSettings::IniFormat);
        m->RegisterObserver(observer);
        return m;
    }
    template <class T, class Setter, class Getter>
    void CheckTyped(const char* type, Setter set, Getter get, const T& first, const T& second);

    TemporaryStores m_stores;
    QString m_file;
};

// Only a value that differs from the stored one, compared with the text a reopened file gives
// back, is written and told; the old value is what the key held, read as its type, and is empty
// on the first write. An unchanged value leaves the file as it was.
template <class T, class Setter, class Getter>
void tst_SettingsManager::CheckTyped(const char* type, Setter set, Getter get, const T& first,
                                     const T& second)
{
    QStringList log;
    Recorder observer("A", log);
    const std::string key = std::string("typed/") + type;
    (Open(&observer).get()->*set)(key, first);
    const utimbuf past{946684800, 946684800};
    QCOMPARE(::utime(QFile::encodeName(m_file).constData(), &past), 0);
    (Open(&observer).get()->*set)(key, first);
    QCOMPARE(QFileInfo(m_file).lastModified().toSecsSinceEpoch(), qint64(past.modtime));
    (Open(&observer).get()->*set)(key, second);
    const QString told = QStringList{"A", type, Text(key)}.join(' ');
    QCOMPARE(log, (QStringList{told + ' ' + Text(first) + " -",
                               told + ' ' + Text(second) + ' ' + Text(first)}));
    QCOMPARE(Text((Open().get()->*get)(key, first)), Text(second));
}

void tst_SettingsManager::typedValues()
{
    using M = SettingsManager;
    CheckTyped("Bool", &M::SetBool, &M::GetBool, false, true);
    CheckTyped("Int", &M::SetInt, &M::GetInt, 7, -2147483647 - 1);
    CheckTyped("String", &M::SetString, &M::GetString, std::string("h\xc3\xa9llo"),
               std::string("w\xc3\xb6rld \xf0\x9f\x98\x80"));
    CheckTyped("ByteArray", &M::SetByteArray, &M::GetByteArray, Bytes{0, 1, 255},
               ToBytes("\n=;[]\r\\"));
    CheckTyped("Int64", &M::SetInt64, &M::GetInt64, 1LL << 40, -(1LL << 62));
    CheckTyped("Double", &M::SetDouble, &M::GetDouble, 0.1, -2.5e300);
}

// A key of another type reads as the conversion's result, not the default, once the file has
// been reopened. A text that is no number differs from 0: writing 0 over it is written and told,
// with the old value 0, present.
void tst_SettingsManager::convertedValues()
{
    {
        auto m = Open();
        for (const char* key : {"int", "int64", "double"})
            m->SetString(key, "not a number");
        m->SetString("empty", "");
        m->SetInt("number", 5);
    }
    QStringList log;
    Recorder observer("A", log);
    auto m = Open(&observer);
    QCOMPARE(m->GetInt("missing", 42), 42);
    QCOMPARE(m->GetInt("int", 42), 0);
    QCOMPARE(m->GetInt64("int64", 42), 0LL);
    QCOMPARE(m->GetDouble("double", 4.2), 0.0);
    QCOMPARE(m->GetBool("empty", true), false);
    QCOMPARE(m->GetString("number", "d"), std::string("5"));
    m->SetInt("int", 0);
    m->SetInt64("int64", 0);
    m->SetDouble("double", 0.0);
    QCOMPARE(log, (QStringList{"A Int int 0 0", "A Int64 int64 0 0", "A Double double 0 0"}));
}

// Odd keys and values come back as stored, side by side, after the file is reopened; writing
// what the store then holds changes nothing. The file starts with valid text followed by binary
// garbage, which is neither fatal nor the cause of losing that text.
void tst_SettingsManager::oddKeysAndValuesInGarbage()
{
    QByteArray garbage;
    for (QRandomGenerator random(20240611); garbage.size() < 64 * 1024;)
        garbage += char(random.bounded(256));
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[keep]\nnumber=17\n" + garbage);
    file.close();
    const std::string syntax("a=b\n[c]\r\n;#\\\"q\" @ByteArray(x)");
    const Bytes bytes = ToBytes(QByteArray("\0\0x\0", 4) + syntax.c_str());
    const std::string oddKey = "k=[x];#y z\\%\xff";
    QStringList log;
    Recorder observer("A", log);
    {
        auto m = Open(&observer);
        m->SetString("empty", "");
        m->SetString("cut", std::string("ab\0cd", 5));
        m->SetString("utf8", "a\xff\xfe");
        m->SetString(oddKey, syntax);
        m->SetByteArray("bytes", bytes);
    }
    auto m = Open(&observer);
    const std::map<std::string, std::string> texts{
        {"empty", ""}, {"cut", "ab"}, {"utf8", "a\xef\xbf\xbd\xef\xbf\xbd"}, {oddKey, syntax}};
    for (const auto& [key, text] : texts) {
        QCOMPARE(m->GetString(key, "default"), text);
        m->SetString(key, text);
    }
    QVERIFY(m->GetByteArray("bytes", {}) == bytes);
    m->SetByteArray("bytes", bytes);
    QCOMPARE(m->GetInt("keep/number", 0), 17);
    QCOMPARE(log.size(), 5);
    for (const QString& line : log)
        QVERIFY2(line.endsWith(QLatin1String(" -")), qPrintable(line));
}

// Removing a key or a whole group, and no key that merely starts alike, tells nobody and lasts;
// the key written again has no old value.
void tst_SettingsManager::remove()
{
    for (const char* key : {"grp/a", "grp/b", "grpx", "other"})
        Open()->SetInt(key, 1);
    QStringList log;
    Recorder observer("A", log);
    {
        auto m = Open(&observer);
        m->Remove("grp/a");
        QVERIFY(m->Contains("grp/b"));
        m->Remove("grp");
    }
    auto m = Open(&observer);
    QVERIFY(!m->Contains("grp/b"));
    QVERIFY(m->Contains("grpx"));
    QVERIFY(m->Contains("other"));
    m->SetInt("grp/a", 1);
    QCOMPARE(log, QStringList{"A Int grp/a 1 -"});
}

void tst_SettingsManager::registration_data()
{
    // "+X" registers observer X, "-X" unregisters it, "0" stands for a null pointer; after "|"
    // come the changes that A makes inside its first notification.
    QTest::addColumn<QString>("operations");
    QTest::addColumn<QStringList>("firstPass");
    QTest::addColumn<QStringList>("nextPass");
    const auto row = [](const char* name, const char* operations, const char* first,
                        const char* next) {
        QTest::newRow(name) << QString(operations) << QString(first).split(' ', Qt::SkipEmptyParts)
                            << QString(next).split(' ', Qt::SkipEmptyParts);
    };
    row("registration order", "+B +A", "B A", "B A");
    row("registered thrice, out once", "+A +A +B +A -A", "B", "B");
    row("null ignored", "+0 +A -0", "A", "A");
    row("unregister keeps order", "+A +B +C -B -B", "A C", "A C");
    row("registered again goes last", "+A +B -A +A", "B A", "B A");
    row("registered during a pass", "+A +B | +C", "A B", "A B C");
    row("later one unregistered during a pass", "+A +B | -B", "A B", "A");
    row("itself unregistered during a pass", "+A +B | -A", "A B", "B");
}

// Observers are told in registration order; changes made during a pass count from the next one.
void tst_SettingsManager::registration()
{
    QFETCH(QString, operations);
    QFETCH(QStringList, firstPass);
    QFETCH(QStringList, nextPass);
    QStringList log;
    Recorder a("A", log), b("B", log), c("C", log);
    const std::map<QChar, Recorder*> byName{{'A', &a}, {'B', &b}, {'C', &c}, {'0', nullptr}};
    auto m = Open();
    const auto apply = [&](const QString& ops) {
        for (const QString& op : ops.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            Recorder* const observer = byName.at(op.at(1));
            op.at(0) == QLatin1Char('+') ? m->RegisterObserver(observer)
                                         : m->UnregisterObserver(observer);
        }
    };
    apply(operations.section(QLatin1Char('|'), 0, 0));
    bool inside = false;
    a.action = [&](const std::string&) {
        if (!std::exchange(inside, true))
            apply(operations.section(QLatin1Char('|'), 1));
    };
    m->SetInt("n", 1);
    QCOMPARE(Names(log), firstPass);
    log.clear();
    m->SetInt("n", 2);
    QCOMPARE(Names(log), nextPass);
}

// A change made inside a notification is told to everybody before the outer pass goes on.
void tst_SettingsManager::nestedChange()
{
    QStringList log;
    Recorder a("A", log), b("B", log);
    auto m = Open(&a);
    m->RegisterObserver(&b);
    a.action = [&](const std::string& key) {
        if (key == "outer")
            m->SetString("inner", "x");
    };
    m->SetInt("outer", 1);
    QCOMPARE(log, (QStringList{"A Int outer 1 -", "A String inner x -", "B String inner x -",
                               "B Int outer 1 -"}));
}

// An observer's exception leaves the setter with the value written and later observers not told,
// and frees both locks: a pass from another thread then runs instead of waiting for ever.
void tst_SettingsManager::throwingObserver()
{
    QStringList log;
    Recorder a("A", log), thrower("T", log), b("B", log);
    thrower.action = [](const std::string&) { throw std::runtime_error("observer failed"); };
    auto m = Open(&a);
    m->RegisterObserver(&thrower);
    m->RegisterObserver(&b);
    QVERIFY_EXCEPTION_THROWN(m->SetInt("boom", 5), std::runtime_error);
    QCOMPARE(Names(log), (QStringList{"A", "T"}));
    QCOMPARE(m->GetInt("boom", 0), 5);
    thrower.action = nullptr;

    auto other = std::async(std::launch::async, [&] { m->SetInt("after", 1); });
    QVERIFY2(other.wait_for(std::chrono::seconds(10)) == std::future_status::ready,
             "a pass on another thread still waits for the locks the exception left");
    QCOMPARE(Names(log), (QStringList{"A", "T", "A", "T", "B"}));
}

// A pass stays open until a setter on another thread is seen blocked, waiting for it; had the
// passes overlapped, that setter's observer would have been entered meanwhile. The store itself
// is never used by both threads at once, as its users must ensure.
void tst_SettingsManager::passesNeverInterleave()
{
    QStringList log;
    Recorder watcher("W", log);
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false}, sawBlocked{false};
    std::atomic<pid_t> otherThread{0};
    QSemaphore firstInside;
    watcher.action = [&](const std::string& key) {
        overlapped = overlapped || ++inside > 1;
        if (key == "first") {
            firstInside.release();
            const QDeadlineTimer deadline(10000);
            while (!overlapped && !deadline.hasExpired() && !sawBlocked)
                sawBlocked = BlockedInFutex(otherThread);
        }
        --inside;
    };
    auto m = Open(&watcher);
    std::thread other([&] {
        firstInside.acquire();
        otherThread = pid_t(::syscall(SYS_gettid));
        m->SetInt("second", 1);
    });
    m->SetInt("first", 1);
    other.join();
    QVERIFY(!overlapped);
    QVERIFY(sawBlocked);
    QCOMPARE(log.size(), 2);
}

// The native store is the per-user store of organization/application: application comes first.
void tst_SettingsManager::nativeStore()
{
    const QString app = QStringLiteral("tst-settings-app"),
                  org = QStringLiteral("tst-settings-org");
    SettingsManager(app, org).SetInt("native/number", 3);
    QCOMPARE(QSettings(QSettings::UserScope, org, app).value("native/number").toInt(), 3);
    QVERIFY(!SettingsManager(org, app).Contains("native/number"));
}

// Qt stores nothing under an empty key, so a setter given one has no change to tell of.
void tst_SettingsManager::emptyKey()
{
    QStringList log;
    Recorder observer("A", log);
    auto m = Open();
    m->RegisterObserver(&observer);
    m->SetInt("", 1);
    m->SetString("", "x");
    QVERIFY(log.empty());
    QVERIFY(!m->Contains(""));
    m->UnregisterObserver(&observer);
}

TAVRIX_TEST_MAIN(tst_SettingsManager, QCoreApplication)
#include "tst_settingsmanager.moc"
