#include "DescendantWatch.h"
#include "TestMain.h"

#include <Tavrix/Browser/PreferredBrowser.h>
#include <Tavrix/Browser/URLHandler.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Tavrix::PreferredBrowser;
using Tavrix::URLHandler;

class tst_BrowserKit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void path_data();
    void path();
    void openURL_data();
    void openURL();

private:
    // Writes a script that appends its arguments, one a line, to `<script>.out`.
    QString Script(const QString& name, bool executable = true);

    QTemporaryDir m_dir;
    QByteArray m_path;
};

void tst_BrowserKit::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("bin"))));
    m_path = qgetenv("PATH");
}

void tst_BrowserKit::cleanup()
{
    qunsetenv("BROWSER");
    qputenv("PATH", m_path);
}

QString tst_BrowserKit::Script(const QString& name, bool executable)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"$0.out\"\n");
    file.setPermissions(executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                   : QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

void tst_BrowserKit::path_data()
{
    QTest::addColumn<QString>("preferred");
    QTest::addColumn<QString>("installer");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("expected");

    // Scripts in the test folder: pref, inst, env; "plain" is not executable, "gone" does not
    // exist, "bin/tst-path-browser" is found through PATH by its bare name.
    const auto row = [](const char* name, const char* preferred, const char* installer,
                        const char* environment, const char* expected) {
        QTest::newRow(name) << QString(preferred) << QString(installer) << QString(environment)
                            << QString(expected);
    };
    row("preferred first", "pref", "inst", "env", "pref");
    row("installer next", "", "inst", "env", "inst");
    row("preferred not executable", "plain", "inst", "env", "inst");
    row("preferred missing", "gone", "inst", "env", "inst");
    row("preferred is a folder", "bin", "inst", "env", "inst");
    row("environment next", "gone", "plain", "env", "env");
    row("bare name through PATH", "tst-path-browser", "inst", "", "bin/tst-path-browser");
    row("bare name not on PATH", "tst-no-such-browser", "", "env", "env");
    row("environment not executable", "", "", "plain", "xdg-open");
    row("nothing given", "", "", "", "xdg-open");
    row("no context", "(none)", "", "env", "env");
}

void tst_BrowserKit::path()
{
    QFETCH(QString, preferred);
    QFETCH(QString, installer);
    QFETCH(QString, environment);
    QFETCH(QString, expected);
    QVERIFY(!Script(QStringLiteral("pref")).isEmpty());
    QVERIFY(!Script(QStringLiteral("inst")).isEmpty());
    QVERIFY(!Script(QStringLiteral("env")).isEmpty());
    QVERIFY(!Script(QStringLiteral("plain"), false).isEmpty());
    QVERIFY(!Script(QStringLiteral("bin/tst-path-browser")).isEmpty());
    qputenv("PATH", QFile::encodeName(m_dir.filePath(QStringLiteral("bin"))) + ':' + m_path);

    auto inFolder = [&](const QString& name) {
        return name.isEmpty() || name.startsWith(QLatin1String("tst-")) ? name
                                                                        : m_dir.filePath(name);
    };
    if (!environment.isEmpty())
        qputenv("BROWSER", QFile::encodeName(inFolder(environment)));
    PreferredBrowser browser;
    if (preferred != QLatin1String("(none)")) {
        const Tavrix::AbstractPreferredBrowser::PreferredBrowserContext context{
            QStringLiteral("en_US"), inFolder(installer), inFolder(preferred)};
        browser.SetContextCallback([context] { return context; });
    }
    const QString want
        = expected == QLatin1String("xdg-open") ? expected : m_dir.filePath(expected);
    QCOMPARE(browser.Path(), want);
}

void tst_BrowserKit::openURL_data()
{
    QTest::addColumn<QString>("url");

    QTest::newRow("plain") << "https://www.example.com/thanks";
    QTest::newRow("query and fragment") << "http://example.com/p?a=1&b=two#frag";
    QTest::newRow("spaces and non-ASCII")
        << QString::fromUtf8("https://example.com/a b/\xc3\xbc?q=\xe2\x82\xac");
    QTest::newRow("shell characters") << "https://example.com/$(touch pwned);`touch pwned`|x'\"";
}

// The handler starts the preferred browser program with the URL as its one argument, with no
// shell in between.
void tst_BrowserKit::openURL()
{
    QFETCH(QString, url);
    const QString browser = Script(QStringLiteral("browser"));
    QVERIFY(!browser.isEmpty());
    QFile::remove(browser + QStringLiteral(".out"));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));

    auto preferred = std::make_shared<PreferredBrowser>();
    preferred->SetContextCallback([browser] {
        return Tavrix::AbstractPreferredBrowser::PreferredBrowserContext{QString(), QString(),
                                                                         browser};
    });
    DescendantWatch watch;
    URLHandler(nullptr, preferred).OpenURLWithPreferredBrowser(QUrl(url));
    QVERIFY(watch.WaitForAllEnded());
    QDir::setCurrent(previous);
    QFile out(browser + QStringLiteral(".out"));
    QVERIFY(out.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = out.readAll().split('\n');
    QCOMPARE(lines.size(), 2); // one argument and the final newline
    QCOMPARE(QUrl(QString::fromUtf8(lines[0])), QUrl(url));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("pwned"))));
}

TAVRIX_TEST_MAIN(tst_BrowserKit, QCoreApplication)
#include "tst_browserkit.moc"
