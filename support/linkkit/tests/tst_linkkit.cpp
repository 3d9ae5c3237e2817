#include "CapturingLogSink.h"
#include "TestMain.h"

#include <Tavrix/Links/LinksManager.h>
#include <Tavrix/Util/SslUsage.h>

#include <QDesktopServices>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

using Tavrix::LinksManager;
using Tavrix::URLKeys;

namespace {

// Receives what QDesktopServices hands out for "https".
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void record(const QUrl& url) { urls << url; }
};

} // namespace

class LinkKitTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void keyNames();
    void urls_data();
    void urls();
    void badTables_data();
    void badTables();
    void openGoesThroughDesktopServices();

private:
    Tavrix::ioPath Write(const QByteArray& content);

    QTemporaryDir m_dir;
    int m_files = 0;
    CapturingLogSink m_log;
};

void LinkKitTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void LinkKitTest::cleanup()
{
    Tavrix::Util::SetDefaultSslUsage(true);
    m_log.TakeLines();
}

Tavrix::ioPath LinkKitTest::Write(const QByteArray& content)
{
    const QString path = m_dir.filePath(QStringLiteral("links%1.json").arg(++m_files));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return Tavrix::ioPath(QFile::encodeName(path).toStdString());
}

void LinkKitTest::keyNames()
{
    for (const URLKeys key : Tavrix::AllURLKeys())
        QCOMPARE(Tavrix::URLKeyFromName(Tavrix::URLKeyName(key)), std::optional<URLKeys>(key));
    // The installer's pages are fixed by their numbers.
    QCOMPARE(Tavrix::URLKeyName(static_cast<URLKeys>(26)), std::string("THANK_FOR_INSTALL_URL"));
    QCOMPARE(Tavrix::URLKeyName(static_cast<URLKeys>(27)), std::string("THANK_FOR_REINSTALL_URL"));
    QVERIFY(!Tavrix::URLKeyFromName("help_url_menu"));
}

void LinkKitTest::urls_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("https");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray help = R"({"HELP_URL_menu": {"de_DE": "{scheme}://example.com/{locale}/hilfe",
                                                  "*": "{scheme}://example.com/{locale}/help"}})";
    QTest::newRow("own locale") << help << "de_DE" << true << int(Tavrix::HELP_URL_menu)
                                << "https://example.com/de_DE/hilfe";
    QTest::newRow("any other locale") << help << "ru_RU" << true << int(Tavrix::HELP_URL_menu)
                                      << "https://example.com/ru_RU/help";
    QTest::newRow("http") << help << "ru_RU" << false << int(Tavrix::HELP_URL_menu)
                          << "http://example.com/ru_RU/help";
    QTest::newRow("key without entry")
        << help << "de_DE" << true << int(Tavrix::CHANGELOG_URL) << QString();
    QTest::newRow("empty entry hides the others")
        << QByteArray(R"({"HELP_URL_menu": {"de_DE": "", "*": "https://example.com"}})") << "de_DE"
        << true << int(Tavrix::HELP_URL_menu) << QString();
    QTest::newRow("every placeholder, values encoded") << QByteArray(
        R"({"CHANGELOG_URL": {"*": "{scheme}://example.com/{product}/{module}?v={version}&l={locale}"}})")
                                                       << "en_US" << true
                                                       << int(Tavrix::CHANGELOG_URL)
                                                       << "https://example.com/Demo%20Product/"
                                                          "m%26x?v=4.1.0&l=en_US";
    QTest::newRow("spaces and non-ASCII text") << QByteArray(
        R"({"CHANGELOG_URL": {"*": "https://example.com/a b/stra\u00dfe?q=\u00fc x#k\u00e4"}})")
                                               << "en_US" << true << int(Tavrix::CHANGELOG_URL)
                                               << "https://example.com/a%20b/"
                                                  "stra%C3%9Fe?q=%C3%BC%20x#k%C3%A4";
    // Filling in one placeholder never makes another out of the text around it.
    QTest::newRow("placeholder formed around an empty value") << QByteArray(
        R"({"CHANGELOG_URL": {"*": "https://example.com/{mod{locale}ule}/{sc{locale}heme}"}})")
                                                              << "" << true
                                                              << int(Tavrix::CHANGELOG_URL)
                                                              << "https://example.com/%7Bmodule%7D/"
                                                                 "%7Bscheme%7D";
    QTest::newRow("no absolute URL")
        << QByteArray(R"({"CHANGELOG_URL": {"*": "example.com/changes"}})") << "en_US" << true
        << int(Tavrix::CHANGELOG_URL) << QString();
}

void LinkKitTest::urls()
{
    QFETCH(QByteArray, table);
    QFETCH(QString, locale);
    QFETCH(bool, https);
    QFETCH(int, key);
    QFETCH(QString, expected);

    Tavrix::Util::SetDefaultSslUsage(https);
    LinksManager links(
        [&locale] {
            return LinksManager::Context{locale, QStringLiteral("m&x"),
                                         QStringLiteral("Demo Product"), QStringLiteral("4.1.0")};
        },
        Write(table));
    QCOMPARE(links.GetUrl(static_cast<URLKeys>(key)), expected);
}

void LinkKitTest::badTables_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QString>("kept");
    QTest::newRow("not JSON") << QByteArray("{\"HELP_URL_menu\": {") << QString();
    QTest::newRow("not an object") << QByteArray(R"(["HELP_URL_menu"])") << QString();
    QTest::newRow("wrong value types")
        << QByteArray(R"({"HELP_URL_menu": "https://example.com/help",
                          "LIVECHAT_URL_menu": [1, 2],
                          "CHANGELOG_URL": {"en_US": 5, "de_DE": null, "*": "https://example.com/news"},
                          "NO_SUCH_KEY": {"*": "https://example.com"}})")
        << "https://example.com/news";
}

// Whatever is wrong with the file, the product gets empty links and one warning.
void LinkKitTest::badTables()
{
    QFETCH(QByteArray, table);
    QFETCH(QString, kept);

    m_log.TakeLines();
    LinksManager links(
        [] {
            return LinksManager::Context{QStringLiteral("en_US"), {}, {}, {}};
        },
        Write(table));
    QCOMPARE(m_log.TakeLines().size(), 1);
    for (const URLKeys key : Tavrix::AllURLKeys())
        QCOMPARE(links.GetUrl(key), key == Tavrix::CHANGELOG_URL ? kept : QString());
    QVERIFY(m_log.TakeLines().isEmpty());

    LinksManager missing({}, Tavrix::ioPath("/nonexistent/links.json"));
    QCOMPARE(missing.GetUrl(Tavrix::HELP_URL_menu), QString());
}

void LinkKitTest::openGoesThroughDesktopServices()
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "record");
    LinksManager links({}, Write("{}"));
    QVERIFY(links.OpenUrl(QStringLiteral("https://example.com/a b?x=\u00e4")));
    QVERIFY(!links.OpenUrl(QString()));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(recorder.urls.size(), 1);
    QCOMPARE(recorder.urls.first().toString(QUrl::FullyEncoded),
             QStringLiteral("https://example.com/a%20b?x=%C3%A4"));
}

TAVRIX_TEST_MAIN(LinkKitTest, QGuiApplication)

#include "tst_linkkit.moc"
