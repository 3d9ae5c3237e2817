#include <Tavrix/Links/LinksManager.h>

#include <Tavrix/Core/AppLocations.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/SslUsage.h>

#include <QDesktopServices>
#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QUrl>

#include <glog/logging.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace Tavrix {
namespace {

const QString ANY_LOCALE = QStringLiteral("*");

// Per key: locale code (or "*") to template.
using LinkTable = std::map<URLKeys, QHash<QString, QString>>;

LinkTable ReadLinkTable(const ioPath& linksFile)
{
    const QString path = Util::Utf8ToQString(linksFile.utf8string());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LOG(WARNING) << "No link table: cannot read " << linksFile.utf8string();
        return {};
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError) {
        LOG(WARNING) << "No link table: " << linksFile.utf8string() << " is no JSON ("
                     << Util::QStringToUtf8(error.errorString()) << " at " << error.offset << ")";
        return {};
    }
    if (!document.isObject()) {
        LOG(WARNING) << "No link table: " << linksFile.utf8string() << " is no JSON object";
        return {};
    }

    LinkTable table;
    QStringList leftOut;
    const QJsonObject keys = document.object();
    for (auto key = keys.begin(); key != keys.end(); ++key) {
        const auto urlKey = URLKeyFromName(Util::QStringToUtf8(key.key()));
        if (!urlKey || !key.value().isObject()) {
            leftOut << key.key();
            continue;
        }
        auto& locales = table[*urlKey];
        const QJsonObject templates = key.value().toObject();
        for (auto entry = templates.begin(); entry != templates.end(); ++entry) {
            if (entry.value().isString())
                locales.insert(entry.key(), entry.value().toString());
            else
                leftOut << key.key() + QLatin1Char('/') + entry.key();
        }
    }
    if (!leftOut.isEmpty())
        LOG(WARNING) << "The link table " << linksFile.utf8string()
                     << " has entries that are no link of a known key, left out: "
                     << Util::QStringToUtf8(leftOut.join(QStringLiteral(", ")));
    return table;
}

// The context's values may hold anything; they are encoded so that they stay one URL part.
QString Encoded(const QString& value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

// Fills in the placeholders that the template spells, in one pass: neither a value nor the text
// around an empty value is read again, so "{loc{locale}ale}" never becomes a placeholder of its
// own, whatever order the placeholders are filled in.
QString Filled(const QString& text, const std::vector<std::pair<QLatin1String, QString>>& values)
{
    QString filled;
    filled.reserve(text.size());
    for (int i = 0; i < text.size();) {
        const auto placeholder
            = text.at(i) != QLatin1Char('{')
                  ? values.cend()
                  : std::find_if(values.cbegin(), values.cend(), [&text, i](const auto& value) {
                        return text.midRef(i).startsWith(value.first);
                    });
        if (placeholder == values.cend()) {
            filled += text.at(i++);
        } else {
            filled += placeholder->second;
            i += placeholder->first.size();
        }
    }
    return filled;
}

} // namespace

class LinksManager::Private
{
public:
    ContextCallback context;
    LinkTable table;
};

LinksManager::LinksManager(ContextCallback context, const ioPath& linksFile)
    : d(std::make_unique<Private>())
{
    d->context = std::move(context);
    d->table = ReadLinkTable(linksFile);
}

LinksManager::~LinksManager() = default;

ioPath LinksManager::DefaultLinksFile()
{
    return Core::AppLocations::GetLocations().GetResourcesLocation() / "links.json";
}

QString LinksManager::GetUrl(URLKeys key) const
{
    const auto templates = d->table.find(key);
    if (templates == d->table.end())
        return QString();
    const Context context = d->context ? d->context() : Context{};
    // An entry for the locale, even an empty one, hides the entry for every other locale.
    const auto& locales = templates->second;
    QString text = locales.value(locales.contains(context.locale) ? context.locale : ANY_LOCALE);
    if (text.isEmpty())
        return QString();

    text = Filled(text,
                  {{QLatin1String("{scheme}"),
                    Util::GetDefaultSslUsage() ? QStringLiteral("https") : QStringLiteral("http")},
                   {QLatin1String("{locale}"), Encoded(context.locale)},
                   {QLatin1String("{module}"), Encoded(context.module)},
                   {QLatin1String("{product}"), Encoded(context.product)},
                   {QLatin1String("{version}"), Encoded(context.version)}});

    const QUrl url(text, QUrl::TolerantMode);
    if (!url.isValid() || url.isRelative()) {
        LOG(WARNING) << "The link " << URLKeyName(key)
                     << " is no absolute URL: " << Util::QStringToUtf8(text);
        return QString();
    }
    return url.toString(QUrl::FullyEncoded);
}

bool LinksManager::OpenUrl(const QString& url)
{
    const QUrl parsed(url, QUrl::TolerantMode);
    if (url.isEmpty() || !parsed.isValid()) {
        LOG(WARNING) << "Not opening the link \"" << Util::QStringToUtf8(url) << "\"";
        return false;
    }
    return QDesktopServices::openUrl(parsed);
}

} // namespace Tavrix
