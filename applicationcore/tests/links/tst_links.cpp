#include "AppInstance.h"
#include "CapturingLogSink.h"
#include "FakeLookAndFeel.h"
#include "HelperProcess.h"
#include "TestCustomization.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>
#include <Tavrix/Links/ILinksManager.h>

#include <QDir>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

using namespace Tavrix::App;

namespace {

class TestApplication : public Application
{
public:
    using Application::Application;
    using Application::AutoUpdateCheckDelay;
    using Application::ShowEmailDialogIfNeeded;

    mutable int urlRequests = 0;
    QString GetUrl(const Tavrix::URLKeys& key) const override
    {
        ++urlRequests;
        return Application::GetUrl(key);
    }
};

const QByteArray LINKS = R"({
    "HELP_URL_menu": {"*": "{scheme}://example.com/{locale}/help drivers"},
    "CHANGELOG_URL": {"de_DE": "{scheme}://example.com/de/news"},
    "PRIVACY_POLICY_URL": {"*": "{scheme}://example.com/privacy?m={module}"},
    "THANK_FOR_INSTALL_URL": {"*": "{scheme}://example.com/thanks?v={version}&q=$(id);'x'"},
    "THANK_FOR_REINSTALL_URL": {"*": "{scheme}://example.com/welcome-back?v={version}"}
})";
const QString THANKS = QStringLiteral("https://example.com/thanks?v=4.1.0&q=$(id);'x'");
const QString WELCOME_BACK = QStringLiteral("https://example.com/welcome-back?v=4.1.0");

QStringList FileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("(missing)")};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class LinksTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void linksManagerMadeOnce();
    void gpuMessages_data();
    void gpuMessages();
    void urlLog();
    void emailDialogThatCannotBeMade();
    void startupPrompts_data();
    void startupPrompts();
    void thankYouInPreferredBrowser();
    void updateRequest_data();
    void updateRequest();
    void localeFilter_data();
    void localeFilter();
    void dumpFile();
    void openings_data();
    void openings();
    void helpBox();
    void dumpFileUnwritable();
    void crashAfter_data();
    void crashAfter();

private:
    struct Run
    {
        bool finished = false;
        QStringList lines;
        QString errors;
        QStringList Starting(const QString& prefix) const
        {
            QStringList found;
            for (const QString& line : lines) {
                if (line.startsWith(prefix))
                    found << line.mid(prefix.size());
            }
            return found;
        }
    };
    // Runs the helper's "start" with `arguments` and the environment entries "NAME=value".
    Run Start(const QStringList& arguments, const QStringList& environment = {});
    QString DumpFile(const Run& run) const
    {
        return run.Starting("data ").value(0) + QStringLiteral("/helper-url-dump.csv");
    }

    QTemporaryDir m_dir;
    std::shared_ptr<TestCustomization> m_customization;
    std::shared_ptr<FakeLookAndFeel> m_looks = std::make_shared<FakeLookAndFeel>();
    CapturingLogSink m_log;
};

void LinksTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile links(m_dir.filePath(QStringLiteral("links.json")));
    QVERIFY(links.open(QIODevice::WriteOnly));
    links.write(LINKS);
    links.close();
    qputenv("TAVRIX_RESOURCES_PATH", QFile::encodeName(m_dir.path()));
    m_customization = std::make_shared<TestCustomization>("LinksTest");
    m_customization->module = "tests";
    m_customization->application = "Links Test";
}

void LinksTest::cleanupTestCase()
{
    m_dir.setAutoRemove(!QTest::currentTestFailed());
}

// The links manager needs the mail store, the look-and-feel and the customization manager; while
// one is missing each request fails anew, then the first one made stays.
void LinksTest::linksManagerMadeOnce()
{
    QCOMPARE(App()->ApplicationName(), QCoreApplication::applicationName());
    QVERIFY(App()->GetProductNameAbout().isEmpty());

    const auto expectFailure = [] {
        try {
            App()->GetLinksManager();
        } catch (const std::logic_error& error) {
            return QString::fromUtf8(error.what());
        }
        return QString();
    };
    QCOMPARE(expectFailure(), QStringLiteral("NotNull can not initialized by null"));
    App()->SetProductSettingsManager(std::make_shared<SettingsManager>(
        m_dir.filePath(QStringLiteral("product.ini")), QSettings::IniFormat));
    QVERIFY(!expectFailure().isEmpty());
    App()->SetLookAndFeel(m_looks);
    QVERIFY(!expectFailure().isEmpty());
    App()->SetCustomizationManager(m_customization, false);

    const auto links = App()->GetLinksManager();
    QVERIFY(links);
    QCOMPARE(App()->GetLinksManager(), links);
    QCOMPARE(App()->ApplicationName(), QStringLiteral("Links Test"));
    QCOMPARE(App()->GetProductNameAbout(), QStringLiteral("Links Test"));
    QCOMPARE(App()->GetUrl(Tavrix::PRIVACY_POLICY_URL),
             QStringLiteral("https://example.com/privacy?m=tests"));
    m_looks->locale = "de_DE";
    QCOMPARE(App()->GetUrl(Tavrix::CHANGELOG_URL), QStringLiteral("https://example.com/de/news"));
    QCOMPARE(App<TestApplication>()->AutoUpdateCheckDelay(), std::chrono::milliseconds(5000));
}

void LinksTest::gpuMessages_data()
{
    QTest::addColumn<bool>("unsupported");
    QTest::addColumn<QVariant>("style");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("link");
    QTest::newRow("driver set-up, no style")
        << false << QVariant() << "NVIDIA<sup>&reg;</sup> CUDA&#8482; acceleration has been"
        << R"(<a href="https://example.com/de_DE/help%20drivers" style="">Detailed Instructions</a>)";
    QTest::newRow("unsupported driver, style")
        << true << QVariant(QStringLiteral("color: #e0a030")) << "Unfortunately, the currently"
        << R"(<a href="https://example.com/de_DE/help%20drivers" style="color: #e0a030">Download Driver</a>)";
    QTest::newRow("style with placeholders")
        << true << QVariant(QStringLiteral("margin: 1%2%1")) << "Unfortunately,"
        << R"(<a href="https://example.com/de_DE/help%20drivers" style="margin: 1%2%1">Download Driver</a>)";
}

void LinksTest::gpuMessages()
{
    QFETCH(bool, unsupported);
    QFETCH(QVariant, style);
    QFETCH(QString, opening);
    QFETCH(QString, link);

    App()->setProperty("linkStyle", style);
    const int requests = App<TestApplication>()->urlRequests;
    const QString message = unsupported ? GetGPUUnsupportedDriverMessage(Tavrix::HELP_URL_menu)
                                        : GetGPUNeedSetupDriverMessage(Tavrix::HELP_URL_menu);
    QVERIFY2(message.startsWith(opening), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("<br><br>") + link), qPrintable(message));
    QCOMPARE(App<TestApplication>()->urlRequests, requests + 1);
    App()->setProperty("linkStyle", QVariant());
}

void LinksTest::urlLog()
{
    const QString path = m_dir.filePath(QStringLiteral("urls.log"));
    QFile::remove(path);
    const QList<QUrl> urls{QUrl(QStringLiteral("https://example.com/a b?x=1&y=2")),
                           QUrl(QStringLiteral("http://example.com/stra\u00dfe#top")),
                           QUrl(QStringLiteral("https://example.com/a b?x=1&y=2"))};
    {
        LogURLHandler logger(nullptr, path);
        for (const QUrl& url : urls)
            logger.logUrls(url);
        // Written through at once, not when the logger goes.
        QCOMPARE(FileLines(path).size(), urls.size());
    }
    QStringList expected;
    for (const QUrl& url : urls)
        expected << url.url();
    QCOMPARE(FileLines(path), expected);

    LogURLHandler nowhere(nullptr, m_dir.filePath(QStringLiteral("missing/folder/urls.log")));
    nowhere.logUrls(urls.first());
    LogURLHandler folder(nullptr, m_dir.path());
    folder.logUrls(urls.first());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("missing"))));
}

// A product that lets go of its stores when the dialog is announced leaves nowhere to keep the
// address: no dialog can be made, and both signals still come.
void LinksTest::emailDialogThatCannotBeMade()
{
    QCOMPARE(App()->GetProductLaunchType(), Application::NewInstall);
    m_customization->emailDialogEnabled = true;
    const auto product = App()->GetProductSettingsManager();
    QSignalSpy after(App(), &Application::AfterShowEmailDialog);
    int before = 0;
    const auto connection = connect(App(), &Application::BeforeShowEmailDialog, [&before] {
        ++before;
        App()->SetProductSettingsManager(nullptr);
    });
    m_log.TakeLines();

    App<TestApplication>()->ShowEmailDialogIfNeeded();
    QCOMPARE(before, 1);
    QCOMPARE(after.count(), 1);
    QVERIFY(m_log.TakeLines().contains(QStringLiteral("Failed to create Email Dialog Impl")));
    disconnect(connection);
    App()->SetProductSettingsManager(product);
    m_customization->emailDialogEnabled = false;
}

LinksTest::Run LinksTest::Start(const QStringList& arguments, const QStringList& environment)
{
    HelperProcess helper(QStringList{QStringLiteral("start")} + arguments,
                         QStringLiteral(TAVRIX_TEST_HELPER));
    helper.SetEnvironment(QStringLiteral("TAVRIX_AUTO_UPDATE"), QStringLiteral("0"));
    for (const QString& entry : environment)
        helper.SetEnvironment(entry.section('=', 0, 0), entry.section('=', 1));
    Run run;
    run.finished = helper.Run(30000);
    run.lines = helper.OutputLines();
    run.errors = QString::fromUtf8(helper.Process().readAllStandardError());
    return run;
}

void LinksTest::startupPrompts_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QStringList>("events");

    const QStringList dialog{"before email", "dialog emailDialog", "after email"};
    const QString newInstall = QStringLiteral("TAVRIX_LAUNCH=1");
    const QString thankYou = QStringLiteral("TAVRIX_PAGE=thankyou");
    const QString email = QStringLiteral("TAVRIX_EMAIL_DIALOG=1");
    const auto installer = [](const char* name) -> QString {
        return QStringLiteral("TAVRIX_INSTALLER_NAME=") + QLatin1String(name);
    };
    QTest::newRow("installer code")
        << QStringList{newInstall, thankYou, email, installer("TavrixSetupC12ab.exe")}
        << QStringList{THANKS + "&did=C12ab"} << dialog;
    QTest::newRow("last code counts")
        << QStringList{newInstall, thankYou, installer("SetupO1111-SetupY2a9Z.exe")}
        << QStringList{THANKS + "&did=Y2a9Z"} << QStringList();
    QTest::newRow("later Setup without a code")
        << QStringList{newInstall, thankYou, installer("SetupC12ab_SetupZ1234_Setupc")}
        << QStringList{THANKS + "&did=C12ab"} << QStringList();
    QTest::newRow("lower-case setup")
        << QStringList{newInstall, thankYou, installer("tavrixsetupC12ab.exe")}
        << QStringList{THANKS} << QStringList();
    QTest::newRow("update") << QStringList{"TAVRIX_LAUNCH=3", thankYou, email}
                            << QStringList{WELCOME_BACK} << QStringList();
    QTest::newRow("reinstall") << QStringList{"TAVRIX_LAUNCH=2", thankYou, email,
                                              installer("SetupE0000")}
                               << QStringList{WELCOME_BACK + "&did=E0000"} << QStringList();
    QTest::newRow("regular") << QStringList{"TAVRIX_LAUNCH=4", thankYou, email} << QStringList()
                             << QStringList();
    QTest::newRow("not set") << QStringList{"TAVRIX_LAUNCH=0", thankYou, email} << QStringList()
                             << QStringList();
    QTest::newRow("other page") << QStringList{newInstall, "TAVRIX_PAGE=homepage", email}
                                << QStringList() << dialog;
    QTest::newRow("gateway decides")
        << QStringList{newInstall, thankYou, email, "TAVRIX_GATEWAY=1"} << QStringList()
        << QStringList{"posted EMAIL_DIALOG", "posted THANK_FOR_INSTALL"};
}

// The start-up prompts by launch type, page kind and installer name; opened links are logged.
void LinksTest::startupPrompts()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, opened);
    QFETCH(QStringList, events);

    const QString log = m_dir.filePath(QStringLiteral("opened.log"));
    const Run run = Start({QStringLiteral("--test-log-urls"), log}, environment);
    QVERIFY2(run.finished, qPrintable(run.errors));
    QCOMPARE(FileLines(log).filter(QStringLiteral("https")), opened);
    QStringList seen
        = run.lines.filter(QRegularExpression(QStringLiteral("^(posted|before|after|dialog) ")));
    QCOMPARE(seen, events);
    QCOMPARE(run.Starting("email ").value(0),
             events.isEmpty() || events.first().startsWith("posted")
                 ? QString()
                 : QStringLiteral("tester@example.com"));
}

// The preferred browser gets the page as its one argument, with no shell in between.
void LinksTest::thankYouInPreferredBrowser()
{
    const QString browser = m_dir.filePath(QStringLiteral("recording-browser"));
    QVERIFY(QFile::link(QStringLiteral(TAVRIX_TEST_HELPER), browser));
    const QString record = m_dir.filePath(QStringLiteral("browser.txt"));
    const Run run = Start({}, {"TAVRIX_PAGE=thankyou", "TAVRIX_INSTALLER_NAME=x_SetupS1b2c",
                               "BROWSER=" + browser, "TAVRIX_RECORD_ARGUMENTS=" + record});
    QVERIFY2(run.finished, qPrintable(run.errors));
    QTRY_COMPARE_WITH_TIMEOUT(FileLines(record), QStringList{THANKS + "&did=S1b2c"}, 20000);
}

void LinksTest::updateRequest_data()
{
    QTest::addColumn<QString>("autoUpdate");
    QTest::addColumn<int>("requests");
    QTest::newRow("not stored") << "" << 1;
    QTest::newRow("stored false") << "0" << 0;
}

// The request waits in a timer (the helper's delay: 4321 ms) and comes once when it fires.
void LinksTest::updateRequest()
{
    QFETCH(QString, autoUpdate);
    QFETCH(int, requests);
    const Run run = Start({}, {"TAVRIX_AUTO_UPDATE=" + autoUpdate, "TAVRIX_FIRE_TIMERS=1"});
    QVERIFY2(run.finished, qPrintable(run.errors));
    QCOMPARE(run.Starting("timers").value(0).trimmed(), requests ? "4321" : "");
    QCOMPARE(run.lines.count(QStringLiteral("update requested")), requests);
}

void LinksTest::localeFilter_data()
{
    QTest::addColumn<QString>("shipped");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("two asked") << "de_DE,en_US,fr_FR"
                               << QStringList{"--test-custom-locales", "fr_FR,en_US"}
                               << QStringList{"en_US", "fr_FR"};
    QTest::newRow("default, one swap")
        << "de_DE,es_ES,ru_RU" << QStringList() << QStringList{"de_DE", "ru_RU", "es_ES"};
    QTest::newRow("default, two swaps")
        << "es_ES,fr_FR,en_US,it_IT,ru_RU,de_DE" << QStringList()
        << QStringList{"de_DE", "ru_RU", "en_US", "it_IT", "fr_FR", "es_ES"};
    QTest::newRow("not shipped") << "en_US,de_DE"
                                 << QStringList{"--test-custom-locales", "xx_XX,de_DE"}
                                 << QStringList{"de_DE"};
    QTest::newRow("empty pieces") << "en_US,de_DE" << QStringList{"--test-custom-locales", ",,x"}
                                  << QStringList();
    QTest::newRow("given twice, last counts")
        << "en_US,de_DE"
        << QStringList{"--test-custom-locales", "en_US", "--test-custom-locales", "de_DE"}
        << QStringList{"de_DE"};
}

// Each locale under test is switched to and announced, in order, and the one before comes back.
void LinksTest::localeFilter()
{
    QFETCH(QString, shipped);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);

    const Run run
        = Start(QStringList{"--test-dump-urls"} + arguments, {"TAVRIX_LOCALES=" + shipped});
    QVERIFY2(run.finished, qPrintable(run.errors));
    QStringList dumped;
    for (const QString& line : FileLines(DumpFile(run))) {
        if (!dumped.contains(line.section(';', 0, 0)))
            dumped << line.section(';', 0, 0);
    }
    QCOMPARE(dumped, expected);
    QStringList switches;
    for (const QString& locale : expected + QStringList{"pt_BR"})
        switches << "locale " + locale << "apply " + locale;
    QCOMPARE(run.lines.filter(QRegularExpression(QStringLiteral("^(locale|apply) "))), switches);
}

void LinksTest::dumpFile()
{
    const Run run = Start({"--test-dump-urls", "--test-custom-locales", "en_US,de_DE"},
                          {"TAVRIX_LOCALES=de_DE,en_US,ru_RU"});
    QVERIFY2(run.finished, qPrintable(run.errors));
    QFile dump(DumpFile(run));
    QVERIFY(dump.open(QIODevice::ReadOnly));
    const QByteArray found = dump.readAll();
    QCOMPARE(
        found,
        QByteArray("de_DE;HELP_URL_menu;https://example.com/de_DE/help%20drivers;\n"
                   "de_DE;THANK_FOR_INSTALL_URL;https://example.com/thanks?v=4.1.0&q=$(id);'x';\n"
                   "de_DE;THANK_FOR_REINSTALL_URL;https://example.com/welcome-back?v=4.1.0;\n"
                   "de_DE;PRIVACY_POLICY_URL;https://example.com/privacy?m=helper;\n"
                   "de_DE;CHANGELOG_URL;https://example.com/de/news;\n"
                   "en_US;HELP_URL_menu;https://example.com/en_US/help%20drivers;\n"
                   "en_US;THANK_FOR_INSTALL_URL;https://example.com/thanks?v=4.1.0&q=$(id);'x';\n"
                   "en_US;THANK_FOR_REINSTALL_URL;https://example.com/welcome-back?v=4.1.0;\n"
                   "en_US;PRIVACY_POLICY_URL;https://example.com/privacy?m=helper;\n"));
    const QStringList missing = run.errors.split('\n').filter(QStringLiteral("Cannot find url "));
    QCOMPARE(missing.size(), 2 * int(Tavrix::AllURLKeys().size()) - found.count('\n'));
    QCOMPARE(
        missing.filter(QStringLiteral("Cannot find url CHANGELOG_URLfor module helper")).size(), 1);
}

void LinksTest::openings_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("timers");
    QTest::addColumn<bool>("warned");
    // Timers of 20 s and more keep whole seconds only, so the huge delay shows its count alone.
    const QStringList open{"--test-open-urls", "--test-custom-locales", "en_US"};
    QTest::newRow("default delay") << open << "10000 11000 12000 13000" << false;
    QTest::newRow("custom delay") << open + QStringList{"--test-custom-delay", "200"}
                                  << "10000 10200 10400 10600" << false;
    QTest::newRow("delay not a number")
        << open + QStringList{"--test-custom-delay", "abc"} << "10000 10000 10000 10000" << true;
    QTest::newRow("negative delay")
        << open + QStringList{"--test-custom-delay", "-5"} << "10000 10000 10000 10000" << true;
    QTest::newRow("huge delay") << open + QStringList{"--test-custom-delay", "2147483647"}
                                << "^(?=.*\\b10000\\b)(-?\\d+ ?){4}$" << false;
    QTest::newRow("dump only") << QStringList{"--test-dump-urls"} << "" << false;
    QTest::newRow("crash later") << QStringList{"--crash-after", "2500"} << "2500" << false;
}

// Openings wait in timers, 10 s from the start and then a delay apart; fired, they open the
// dumped links in order.
void LinksTest::openings()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, timers);
    QFETCH(bool, warned);

    const QString log = m_dir.filePath(QStringLiteral("openings.log"));
    const bool fire
        = arguments.contains(QStringLiteral("--test-open-urls")) && !timers.startsWith('^');
    const Run run = Start(arguments + QStringList{"--test-log-urls", log},
                          {"TAVRIX_LOCALES=en_US", fire ? "TAVRIX_FIRE_TIMERS=1" : ""});
    QVERIFY2(run.finished, qPrintable(run.errors));
    const QString scheduled = run.Starting("timers").value(0).trimmed();
    if (timers.startsWith('^'))
        QVERIFY2(QRegularExpression(timers).match(scheduled).hasMatch(), qPrintable(scheduled));
    else
        QCOMPARE(scheduled, timers);
    QCOMPARE(run.errors.contains(QStringLiteral("is no number of milliseconds")), warned);
    if (fire) {
        QStringList dumped;
        QStringList logged;
        // The URL lies between the key's name and the closing ";" and may hold ";" itself.
        for (const QString& line : FileLines(DumpFile(run)))
            dumped << line.section(';', 2, -2);
        for (const QString& line : FileLines(log))
            logged << QUrl(line).toString(QUrl::FullyEncoded);
        QCOMPARE(logged, dumped);
    }
}

void LinksTest::helpBox()
{
    const Run run = Start({"--test-help"});
    QVERIFY2(run.finished, qPrintable(run.errors));
    QCOMPARE(run.Starting("box "), QStringList{"|" + QString::number(QMessageBox::Information)});
    const QStringList lines = run.Starting("text ");
    QCOMPARE(lines.size(), 9 + 2);
    QCOMPARE(lines.first(), QStringLiteral("--test-help Show help for test options"));
    QCOMPARE(lines.mid(9), (QStringList{"--helper-switch The helper's own switch",
                                        "--helper-value The helper's own value"}));
    QVERIFY(lines.filter(QRegularExpression(QStringLiteral("^--[a-z-]+ \\S"))).size() == 11);
}

void LinksTest::dumpFileUnwritable()
{
    const Run first = Start({});
    QFile::remove(DumpFile(first));
    QVERIFY(QDir().mkpath(DumpFile(first)));
    const Run run = Start({"--test-open-urls"}, {"TAVRIX_LOCALES=en_US"});
    QVERIFY2(run.finished, qPrintable(run.errors));
    QCOMPARE(run.Starting("box "),
             QStringList{"Config test error|" + QString::number(QMessageBox::Warning)});
    QCOMPARE(run.Starting("text "), QStringList{"Can't open file to dump: " + DumpFile(run)});
    QVERIFY(run.Starting("locale ").isEmpty());
    QCOMPARE(run.Starting("timers").value(0).trimmed(), QString());
    QVERIFY(QDir().rmdir(DumpFile(run)));
}

void LinksTest::crashAfter_data()
{
    QTest::addColumn<QString>("timeout");
    QTest::newRow("at once") << "0";
    QTest::newRow("negative") << "-5";
    QTest::newRow("not a number") << "abc";
}

// The process really crashes, and its next start finds the crashed session.
void LinksTest::crashAfter()
{
    QFETCH(QString, timeout);
    HelperProcess crashing({"run", "--crash-after", timeout}, QStringLiteral(TAVRIX_TEST_HELPER));
    // The address sanitizer would otherwise report the crash and exit with a code of its own.
    crashing.SetEnvironment(QStringLiteral("ASAN_OPTIONS"), qEnvironmentVariable("ASAN_OPTIONS")
                                                                + QStringLiteral(":handle_segv=0"));
    QVERIFY(crashing.Start());
    QByteArray session;
    while (!session.startsWith("session ") && crashing.Process().state() == QProcess::Running)
        session = crashing.ReadLine();
    QVERIFY2(session.startsWith("session "), session.constData());
    QVERIFY(crashing.Process().waitForFinished(20000));
    QCOMPARE(crashing.Process().exitStatus(), QProcess::CrashExit);
    QCOMPARE(crashing.Process().exitCode(), SIGSEGV);

    HelperProcess next({"sessions"}, QStringLiteral(TAVRIX_TEST_HELPER));
    QVERIFY(next.Run());
    QVERIFY(next.OutputLines().contains(QStringLiteral("crashed ")
                                        + QString::fromUtf8(session.mid(8))));
}

TAVRIX_TEST_MAIN(LinksTest, TestApplication)

#include "tst_links.moc"
