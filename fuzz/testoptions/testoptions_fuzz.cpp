// The testers' command-line options, read as the application reads them at start: the input is
// the product's shipped locales, one a line, "%%", then the arguments, one a line. Only what the
// options ask for is looked at; no box is shown, no URL opened, no file written and no crash
// scheduled. The locales under test are shipped ones, the main three first, in the order the
// two-ended partition leaves; delays are never negative.
#include "FuzzSupport.h"
#include "AppTest_p.h"

#include <Tavrix/Util/Conversions.h>

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <set>
#include <vector>

using Tavrix::App::AppTest;
using Tavrix::App::TestOptionsRequest;

namespace {

const QString LOCALES = QStringLiteral("test-custom-locales");
const QString DELAY = QStringLiteral("test-custom-delay");
const QString CRASH_AFTER = QStringLiteral("crash-after");
const QString LOG_URLS = QStringLiteral("test-log-urls");

bool IsMain(const std::string& locale)
{
    return locale == "ru_RU" || locale == "de_DE" || locale == "en_US";
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find_first_of(std::string("\n\0", 2), start)) != text.npos;
         start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

// The value the arguments give an option, where it is plain from the arguments alone: the option
// appears only as "--name=VALUE" or as "--name" and the next argument, before any "--", and no
// argument that may be another option's value mentions it or is "--".
std::optional<QString> PlainValue(const QStringList& arguments, const QString& name)
{
    const QString bare = QStringLiteral("--") + name;
    const QString withValue = bare + QLatin1Char('=');
    std::optional<QString> value;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (argument.startsWith(withValue)) {
            value = argument.mid(withValue.size());
        } else if (argument == bare) {
            if (++i == arguments.size())
                return std::nullopt;
            value = arguments.at(i);
        } else if (argument.contains(name)) {
            return std::nullopt;
        } else if (argument.startsWith(QLatin1Char('-')) && i + 1 < arguments.size()
                   && (arguments.at(i + 1).contains(name)
                       || arguments.at(i + 1) == QLatin1String("--"))) {
            // Another option, which may take the next argument as its value.
            return std::nullopt;
        }
    }
    return value;
}

// A number of milliseconds given as plain decimal digits checks exactly; one without any digit
// reads as 0.
void CheckMilliseconds(int milliseconds, const std::optional<QString>& given)
{
    TAVRIX_FUZZ_CHECK(milliseconds >= 0);
    if (!given)
        return;
    const std::string text = given->toStdString();
    if (!text.empty() && text.size() <= 9
        && std::all_of(text.cbegin(), text.cend(), [](char c) { return c >= '0' && c <= '9'; }))
        TAVRIX_FUZZ_CHECK(milliseconds == std::stoi(text));
    if (std::none_of(text.cbegin(), text.cend(), [](char c) { return c >= '0' && c <= '9'; }))
        TAVRIX_FUZZ_CHECK(milliseconds == 0);
}

void CheckLocales(const std::list<std::string>& result, const std::vector<std::string>& shipped,
                  const std::optional<QString>& requested)
{
    const std::vector<std::string> locales(result.cbegin(), result.cend());
    const std::set<std::string> distinct(locales.cbegin(), locales.cend());
    TAVRIX_FUZZ_CHECK(distinct.size() == locales.size());
    // The shipped order of the locales kept.
    std::vector<std::string> kept;
    for (const std::string& locale : shipped) {
        if (distinct.count(locale))
            kept.push_back(locale);
    }
    TAVRIX_FUZZ_CHECK(kept.size() == locales.size());

    // The two-ended partition: the first misplaced locale from the front changes places with the
    // first misplaced one from the back, and so on; every other locale stays where it was.
    const auto mainCount
        = static_cast<std::size_t>(std::count_if(kept.cbegin(), kept.cend(), IsMain));
    std::vector<std::size_t> front;
    std::vector<std::size_t> back;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i < mainCount && !IsMain(kept[i]))
            front.push_back(i);
        if (i >= mainCount && IsMain(kept[i]))
            back.insert(back.begin(), i);
    }
    TAVRIX_FUZZ_CHECK(front.size() == back.size());
    for (std::size_t i = 0; i < front.size(); ++i)
        std::swap(kept[front[i]], kept[back[i]]);
    TAVRIX_FUZZ_CHECK(kept == locales);

    // Every shipped locale asked for is there.
    if (requested) {
        const QStringList asked = requested->split(QLatin1Char(','));
        for (const std::string& locale : shipped) {
            const bool wanted
                = asked.contains(Tavrix::Util::Utf8ToQString(locale))
                  && Tavrix::Util::QStringToUtf8(Tavrix::Util::Utf8ToQString(locale)) == locale;
            TAVRIX_FUZZ_CHECK(distinct.count(locale) == (wanted ? 1u : 0u));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Tavrix::Fuzz::StartApplication<QCoreApplication>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parts = Tavrix::Fuzz::SplitInput(data, size, 2);
    // Locale folders: each name once, none empty.
    std::vector<std::string> shipped;
    for (const std::string& line : Lines(parts[0])) {
        if (!line.empty() && std::find(shipped.cbegin(), shipped.cend(), line) == shipped.cend())
            shipped.push_back(line);
    }
    // A command line holds no NUL: each one ends an argument, as a line break does.
    QStringList arguments{QStringLiteral("tavrix-demo")};
    if (!parts[1].empty()) {
        for (const std::string& line : Lines(parts[1]))
            arguments << QString::fromLocal8Bit(line.data(), int(line.size()));
    }
    const QList<QCommandLineOption> productOptions{
        {QStringLiteral("product-switch"), QStringLiteral("The product's own switch")},
        {{QStringLiteral("p"), QStringLiteral("product-value")},
         QStringLiteral("The product's own value"),
         QStringLiteral("value")}};

    const TestOptionsRequest request = AppTest::ReadTestOptions(
        arguments, productOptions, std::list<std::string>(shipped.cbegin(), shipped.cend()));

    CheckLocales(request.locales, shipped, PlainValue(arguments, LOCALES));
    CheckMilliseconds(request.delay, PlainValue(arguments, DELAY));
    if (request.crashAfter)
        CheckMilliseconds(*request.crashAfter, PlainValue(arguments, CRASH_AFTER));
    else
        TAVRIX_FUZZ_CHECK(!PlainValue(arguments, CRASH_AFTER));
    if (const auto logFile = PlainValue(arguments, LOG_URLS))
        TAVRIX_FUZZ_CHECK(request.logFile == logFile);
    if (!request.help.isEmpty()) {
        // One line per option, the product's last.
        const QStringList lines = request.help.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        TAVRIX_FUZZ_CHECK(lines.size() > productOptions.size());
        for (const QString& line : lines)
            TAVRIX_FUZZ_CHECK(line.startsWith(QLatin1String("--")));
        TAVRIX_FUZZ_CHECK(lines.constLast().startsWith(QLatin1String("--p ")));
    }
    return 0;
}
