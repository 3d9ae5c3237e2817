#include "AppTest_p.h"

#include "UrlTest_p.h"

#include <Tavrix/App/Application/Application.h>
#include <Tavrix/App/Application/ICustomizationManager.h>
#include <Tavrix/App/Application/ILookAndFeelManager.h>
#include <Tavrix/App/Application/LogURLHandler.h>
#include <Tavrix/Exception.h>
#include <Tavrix/Util/AlertBox.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/SslUsage.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include <glog/logging.h>

#include <algorithm>
#include <vector>

namespace Tavrix::App {

namespace {

const QString SSL_DISABLE = QStringLiteral("ssl-disable");
const QString SSL_ENABLE = QStringLiteral("ssl-enable");
const QString TEST_HELP = QStringLiteral("test-help");
const QString TEST_DUMP_URLS = QStringLiteral("test-dump-urls");
const QString TEST_OPEN_URLS = QStringLiteral("test-open-urls");
const QString TEST_LOG_URLS = QStringLiteral("test-log-urls");
const QString TEST_CUSTOM_LOCALES = QStringLiteral("test-custom-locales");
const QString TEST_CUSTOM_DELAY = QStringLiteral("test-custom-delay");
const QString CRASH_AFTER = QStringLiteral("crash-after");

const QCommandLineOption SSL_DISABLE_OPTION(SSL_DISABLE, QStringLiteral("Use http when possible"));
const QCommandLineOption SSL_ENABLE_OPTION(SSL_ENABLE, QStringLiteral("Use https when possible"));

// The locales whose links are looked at first.
bool IsMainLocale(const std::string& locale)
{
    return locale == "ru_RU" || locale == "de_DE" || locale == "en_US";
}

// The shipped locales that were asked for, in the shipped order, then the main three moved to the
// front by swapping from both ends.
std::list<std::string> FilterLocales(const QString& requested,
                                     const std::list<std::string>& shippedLocales)
{
    std::vector<std::string> asked;
    for (const QString& code : requested.split(QLatin1Char(',')))
        asked.push_back(Util::QStringToUtf8(code));
    std::vector<std::string> locales;
    for (const std::string& shipped : shippedLocales) {
        if (std::find(asked.cbegin(), asked.cend(), shipped) != asked.cend())
            locales.push_back(shipped);
    }

    auto first = locales.begin();
    auto last = locales.end();
    for (;;) {
        while (first != last && IsMainLocale(*first))
            ++first;
        if (first == last)
            break;
        --last;
        while (first != last && !IsMainLocale(*last))
            --last;
        if (first == last)
            break;
        std::iter_swap(first, last);
        ++first;
    }
    return {locales.cbegin(), locales.cend()};
}

// A number of milliseconds from a test option: what is no number reads as 0, and so does a
// negative number, which no timer could wait for.
int Milliseconds(const QCommandLineParser& parser, const QString& option)
{
    const QString text = parser.value(option);
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0) {
        LOG(WARNING) << "Test option --" << Util::QStringToUtf8(option) << ": \""
                     << Util::QStringToUtf8(text) << "\" is no number of milliseconds; 0 is used";
        return 0;
    }
    return value;
}

// Ends the process the way an access violation does, so that crash tracking sees a crash. The
// address comes through a volatile so that the compiler neither drops the write nor replaces it by
// a trap, and the sanitizers do not catch it first. Never inlined, so that a crash report names
// it.
__attribute__((no_sanitize("address", "undefined"), noinline)) void Crash()
{
    volatile int* volatile address = nullptr;
    *address = 0;
}

} // namespace

void AppTest::HandleGlobalTestOptions()
{
    QCommandLineParser parser;
    parser.addOption(SSL_DISABLE_OPTION);
    parser.addOption(SSL_ENABLE_OPTION);
    parser.parse(QCoreApplication::arguments());

    const bool disable = parser.isSet(SSL_DISABLE_OPTION);
    const bool enable = parser.isSet(SSL_ENABLE_OPTION);
    if (disable && enable)
        TAVRIX_THROW(Tavrix::Exception, "Invalid options combination.");
    if (disable)
        Util::SetDefaultSslUsage(false);
    else if (enable)
        Util::SetDefaultSslUsage(true);
}

TestOptionsRequest AppTest::ReadTestOptions(const QStringList& arguments,
                                            const QList<QCommandLineOption>& productOptions,
                                            const std::list<std::string>& shippedLocales)
{
    const QList<QCommandLineOption> options{
        {TEST_HELP, QStringLiteral("Show help for test options")},
        {TEST_DUMP_URLS, QStringLiteral("Write URLs to dump file")},
        {TEST_OPEN_URLS, QStringLiteral("Open URLs in browser")},
        {TEST_LOG_URLS, QStringLiteral("Log opened URLs to file"), QStringLiteral("path")},
        {TEST_CUSTOM_LOCALES, QStringLiteral("Set locales: en_US,ru_RU"), QStringLiteral("locales"),
         QStringLiteral("en_US,de_DE,ru_RU,es_ES,fr_FR,it_IT,ja_JP,nl_NL,pl_PL,pt_BR,tr_TR,ko_KR,"
                        "zh_CN,zh_TW")},
        {TEST_CUSTOM_DELAY, QStringLiteral("Set open delay in ms"), QStringLiteral("delay"),
         QStringLiteral("1000")},
        {CRASH_AFTER, QStringLiteral("Set crash after timeout in ms"),
         QStringLiteral("crashTimeout"), QStringLiteral("1000")},
        SSL_DISABLE_OPTION,
        SSL_ENABLE_OPTION};
    QCommandLineParser parser;
    parser.addOptions(options);
    // Known to the parser only so that they are not taken for mistakes.
    for (const QCommandLineOption& option : productOptions)
        parser.addOption(option);
    if (!parser.parse(arguments))
        LOG(WARNING) << "Test options: " << Util::QStringToUtf8(parser.errorText());

    TestOptionsRequest request;
    request.locales = FilterLocales(parser.value(TEST_CUSTOM_LOCALES), shippedLocales);
    request.delay = Milliseconds(parser, TEST_CUSTOM_DELAY);
    if (parser.isSet(TEST_HELP)) {
        for (const QCommandLineOption& option : options + productOptions)
            request.help += QStringLiteral("--") + option.names().value(0) + QLatin1Char(' ')
                            + option.description() + QLatin1Char('\n');
    }
    request.dumpUrls = parser.isSet(TEST_DUMP_URLS);
    request.openUrls = parser.isSet(TEST_OPEN_URLS);
    if (parser.isSet(TEST_LOG_URLS))
        request.logFile = parser.value(TEST_LOG_URLS);
    if (parser.isSet(CRASH_AFTER))
        request.crashAfter = Milliseconds(parser, CRASH_AFTER);
    return request;
}

void AppTest::HandleTestOptions(const QList<QCommandLineOption>& productOptions,
                                Application* application)
{
    const auto looks = application->GetLookAndFeel();
    const TestOptionsRequest request
        = ReadTestOptions(QCoreApplication::arguments(), productOptions,
                          looks ? looks->GetLocales() : std::list<std::string>());
    UrlTest::SetCustomLocales(request.locales);

    if (!request.help.isEmpty()) {
        Util::AlertBox(Util::AlertBox::Information, QString(), request.help, QMessageBox::Ok,
                       nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
            .Exec();
    }

    if (request.openUrls || request.dumpUrls) {
        const std::string module = application->GetCustomizationManager()
                                       ? application->GetCustomizationManager()->GetModuleName()
                                       : std::string();
        const QString dumpFile
            = QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
                  .filePath(Util::Utf8ToQString(module) + QStringLiteral("-url-dump.csv"));
        UrlTest::Run(Tavrix::ioPath(Util::QStringToUtf8(dumpFile)), request.openUrls,
                     request.delay);
    }

    if (request.logFile) {
        auto* logger = new LogURLHandler(application, *request.logFile);
        QDesktopServices::setUrlHandler(QStringLiteral("http"), logger, "logUrls");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), logger, "logUrls");
    }

    if (request.crashAfter)
        QTimer::singleShot(*request.crashAfter, application, &Crash);
}

} // namespace Tavrix::App
