// The product's link table ("links.json" in its resources folder) from arbitrary bytes, read by
// the links manager and asked for every key in a few locales. A table that is no JSON object
// gives no links; a link that comes back is an absolute URL in its encoded form, which parses
// back to itself, with every placeholder of its template filled in and no other.
#include "FuzzSupport.h"

#include <Tavrix/Links/LinksManager.h>
#include <Tavrix/Links/URLKeys.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/SslUsage.h>
#include <Tavrix/ioPath.h>

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <algorithm>
#include <iterator>

using Tavrix::LinksManager;

namespace {

// Locale codes as the product may name its locale folders, the odd ones included.
const char* const LOCALES[] = {"en_US", "de_DE", "*", "", "pt BR"};
const char* const PLACEHOLDERS[] = {"{scheme}", "{locale}", "{module}", "{product}", "{version}"};

// The template the table gives `key` for `locale`, as the table is documented: the locale's own
// text entry, else the one of "*".
QString Template(const QJsonDocument& table, const QString& key, const QString& locale)
{
    const QJsonObject templates = table.object().value(key).toObject();
    const QJsonValue own = templates.value(locale);
    return (own.isString() ? own : templates.value(QStringLiteral("*"))).toString();
}

void CheckUrl(const QString& url, const QString& pattern, bool https)
{
    // The encoded form: printable ASCII without blanks.
    for (const QChar c : url)
        TAVRIX_FUZZ_CHECK(c.unicode() > 0x20 && c.unicode() < 0x7f);
    const QUrl parsed(url, QUrl::StrictMode);
    TAVRIX_FUZZ_CHECK(parsed.isValid() && !parsed.isRelative());
    TAVRIX_FUZZ_CHECK(parsed.toString(QUrl::FullyEncoded) == url);

    // Every placeholder the template spells is filled in with a value that brings no braces, and
    // nothing else is: the URL keeps exactly the template's other braces. (Encoded text in the
    // template may decode to anything.)
    if (!pattern.contains(QLatin1Char('%'))) {
        int opening = 0;
        int closing = 0;
        for (int i = 0; i < pattern.size(); ++i) {
            const QStringRef rest = pattern.midRef(i);
            if (std::any_of(std::begin(PLACEHOLDERS), std::end(PLACEHOLDERS),
                            [&rest](const char* p) { return rest.startsWith(QLatin1String(p)); }))
                --closing;
            else if (pattern.at(i) == QLatin1Char('{'))
                ++opening;
            if (pattern.at(i) == QLatin1Char('}'))
                ++closing;
        }
        const QString decoded = QUrl::fromPercentEncoding(url.toLatin1());
        TAVRIX_FUZZ_CHECK(decoded.count(QLatin1Char('{')) == opening);
        TAVRIX_FUZZ_CHECK(decoded.count(QLatin1Char('}')) == closing);
    }
    if (pattern.startsWith(QLatin1String("{scheme}:")))
        TAVRIX_FUZZ_CHECK(url.startsWith(QLatin1String(https ? "https:" : "http:")));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Tavrix::Fuzz::StartApplication<QCoreApplication>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const QString file = Tavrix::Fuzz::FreshFolder() + QStringLiteral("/resources/links.json");
    TAVRIX_FUZZ_CHECK(Tavrix::Fuzz::WriteFile(file, bytes));
    const bool https = size % 2 == 0;
    Tavrix::Util::SetDefaultSslUsage(https);

    QString locale;
    // Context values with characters that a URL must carry encoded, and none of "{}".
    const LinksManager links(
        [&locale] {
            return LinksManager::Context{locale, QStringLiteral("Demo Module/ü?#"),
                                         QStringLiteral("Tavrix & Co"), QStringLiteral("4.1 beta")};
        },
        Tavrix::ioPath(Tavrix::Util::QStringToUtf8(file)));

    QJsonParseError error{};
    const QJsonDocument table = QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &error);
    const bool readable = error.error == QJsonParseError::NoError && table.isObject();

    for (const char* const code : LOCALES) {
        locale = QString::fromUtf8(code);
        for (const Tavrix::URLKeys key : Tavrix::AllURLKeys()) {
            const QString url = links.GetUrl(key);
            const QString pattern
                = readable
                      ? Template(table, QString::fromStdString(Tavrix::URLKeyName(key)), locale)
                      : QString();
            // No table, no entry for the key and locale, or an empty one: no link.
            if (pattern.isEmpty())
                TAVRIX_FUZZ_CHECK(url.isEmpty());
            if (!url.isEmpty())
                CheckUrl(url, pattern, https);
        }
    }
    return 0;
}
