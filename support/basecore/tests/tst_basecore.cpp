#include "TestMain.h"

#include <Tavrix/Core/DataInputString.h>
#include <Tavrix/Core/IOException.h>
#include <Tavrix/Core/PropertySerializer.h>
#include <Tavrix/Exception.h>
#include <Tavrix/NotNull.h>
#include <Tavrix/RefCount.h>

#include <QTest>

#include <boost/intrusive_ptr.hpp>

#include <atomic>
#include <memory>
#include <thread>

using Tavrix::Core::Property;
using Tavrix::Core::PropertySerializer;

class tst_BaseCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void deserialize_data();
    void deserialize();
    void notNull();
    void refCounting();
    void exception();
};

namespace {

// "a/b" names the child b of the child a.
Property Child(const Property& root, const QString& path)
{
    Property node = root;
    for (const QString& name : path.split(QLatin1Char('/')))
        node = node[name.toStdString()];
    return node;
}

} // namespace

void tst_BaseCore::deserialize_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QVariantMap>("children"); // path to text; an invalid value: no such child

    QByteArray large("{");
    for (int i = 0; i < 500; ++i)
        large += (i ? "," : "") + QByteArray("\"k") + QByteArray::number(i) + "\": \"value "
                 + QByteArray::number(i) + "\"";
    large += "}";

    const QVariantMap untouched{{"before", "x"}};
    QTest::newRow("theme names") << QByteArray(R"({"en_US": "Light", "de_DE": "Hell"})") << true
                                 << true
                                 << QVariantMap{{"en_US", "Light"},
                                                {"de_DE", "Hell"},
                                                {"before", QVariant()}};
    QTest::newRow("kept when not replacing") << QByteArray(R"({"en_US": "Light"})") << false << true
                                             << QVariantMap{{"en_US", "Light"}, {"before", "x"}};
    QTest::newRow("nested") << QByteArray(R"({"a": {"b": "c"}})") << true << true
                            << QVariantMap{{"a/b", "c"}};
    QTest::newRow("longer than one read")
        << large << true << true << QVariantMap{{"k0", "value 0"}, {"k499", "value 499"}};
    QTest::newRow("empty text") << QByteArray() << true << false << untouched;
    QTest::newRow("trailing garbage")
        << QByteArray(R"({"a": "b"} x)") << true << false << untouched;
    QTest::newRow("binary") << QByteArray("\xff\xfe\0{\x01", 5) << true << false << untouched;

    // The reader would overflow the stack on deep nesting; brackets inside strings do not nest.
    const int limit = PropertySerializer::MAX_NESTING;
    const auto nested = [](int depth) -> QByteArray {
        return "{\"a\": " + QByteArray(depth - 1, '[') + QByteArray(depth - 1, ']') + "}";
    };
    QTest::newRow("nested as deep as allowed")
        << nested(limit) << true << true << QVariantMap{{"a", ""}};
    QTest::newRow("nested one level too deep") << nested(limit + 1) << true << false << untouched;
    QTest::newRow("nested far too deep") << QByteArray(100000, '[') << true << false << untouched;
    QTest::newRow("brackets in strings")
        << "{\"a\": \"\\\"" + QByteArray(2 * limit, '[') + "\"}" << true << true
        << QVariantMap{{"a", QString(QLatin1Char('"') + QString(2 * limit, QLatin1Char('[')))}};
}

// The text becomes the target's children; malformed text gives false and leaves the target alone.
void tst_BaseCore::deserialize()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, replace);
    QFETCH(bool, ok);
    QFETCH(QVariantMap, children);
    Property target("theme");
    target.Tree().put("before", "x");
    QCOMPARE(PropertySerializer::Deserialize(
                 target, Tavrix::Core::DataInputString::Create(json.toStdString()), replace),
             ok);
    for (auto it = children.cbegin(); it != children.cend(); ++it) {
        const std::string top = it.key().section(QLatin1Char('/'), 0, 0).toStdString();
        QCOMPARE(target.ChildExists(top), it.value().isValid());
        if (it.value().isValid())
            QCOMPARE(QString::fromStdString(Child(target, it.key()).GetString()),
                     it.value().toString());
    }
}

// A required collaborator that is missing is refused at once.
void tst_BaseCore::notNull()
{
    QVERIFY_EXCEPTION_THROWN(Tavrix::NotNull<std::shared_ptr<int>>(std::shared_ptr<int>{}),
                             std::logic_error);
}

namespace {

class Probe : public Tavrix::IRefCountable
{
public:
    explicit Probe(std::atomic<int>* destroyed) : m_destroyed(destroyed) {}
    ~Probe() override { ++*m_destroyed; }

private:
    std::atomic<int>* m_destroyed;
};

using CountedProbe = Tavrix::RefCounted<Probe>;

} // namespace

// The last release destroys the object exactly once, also when copies come and go on several
// threads.
void tst_BaseCore::refCounting()
{
    std::atomic<int> destroyed{0};
    boost::intrusive_ptr<CountedProbe> first(new CountedProbe(&destroyed));
    boost::intrusive_ptr<Tavrix::IRefCountable> second = first;

    // The threads start together, so that their copies overlap.
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([held = first, &go] {
            while (!go)
                std::this_thread::yield();
            for (int i = 0; i < 100000; ++i)
                boost::intrusive_ptr<CountedProbe> copy = held;
        });
    go = true;
    for (auto& thread : threads)
        thread.join();
    QCOMPARE(first->GetRefCount(), 2u);

    first.reset();
    QCOMPARE(destroyed.load(), 0);
    second.reset();
    QCOMPARE(destroyed.load(), 1);
}

namespace {

[[noreturn]] void RaiseIOError(int* line)
{
    *line = __LINE__ + 1;
    TAVRIX_THROW(Tavrix::Core::IOException, "pipe gone");
}

} // namespace

// An exception carries its description, where it was thrown, and the call stack of that place.
void tst_BaseCore::exception()
{
    int line = 0;
    try {
        RaiseIOError(&line);
        QFAIL("nothing thrown");
    } catch (const Tavrix::Exception& error) {
        QCOMPARE(std::string(error.what()), std::string("pipe gone"));
        const QString location = QString::fromStdString(error.Location());
        QVERIFY2(location.contains(QLatin1String("RaiseIOError")), qPrintable(location));
        QVERIFY2(location.contains(QStringLiteral("tst_basecore.cpp:%1").arg(line)),
                 qPrintable(location));
        QVERIFY(QString::fromStdString(error.CallStack()).count(QLatin1Char('\n')) >= 2);
    }
    QVERIFY(Tavrix::Exception("plain").Location().empty());
}

TAVRIX_TEST_MAIN(tst_BaseCore, QCoreApplication)
#include "tst_basecore.moc"
