// The locale half of the look-and-feel manager: resolving a request, the translators and the
// installer's language.
#include <Tavrix/App/Application/LookAndFeelManager.h>

#include "LookAndFeelManager_p.h"

#include <Tavrix/App/Application/Application.h>
#include <Tavrix/App/Application/ISettingsManager.h>
#include <Tavrix/App/Application/LookAndFeelNames.h>
#include <Tavrix/Util/Conversions.h>

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include <algorithm>
#include <map>

namespace Tavrix::App {

namespace {

bool Starts(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// Portuguese of any country is served by the Brazilian translation, Chinese other than the
// mainland's by the traditional one.
std::string MapSystemLanguage(const std::string& name)
{
    if (Starts(name, "pt"))
        return "pt_BR";
    if (Starts(name, "zh_CN"))
        return "zh_CN";
    if (Starts(name, "zh"))
        return "zh_TW";
    return name;
}

} // namespace

const std::string& LookAndFeelManager::GetCurrentLocale() const
{
    return d->currentLocale;
}

const std::list<std::string>& LookAndFeelManager::GetLocales() const
{
    return d->locales;
}

std::string LookAndFeelManager::Private::ValidateLocale(const std::string& locale) const
{
    const auto shipped = [this](const std::string& code) {
        return std::find(locales.begin(), locales.end(), code) != locales.end();
    };
    if (locale != LookAndFeelNames::UNKNOWN_LOCALE && !locale.empty() && shipped(locale))
        return locale;

    for (const QString& language : QLocale().uiLanguages()) {
        const std::string candidate
            = MapSystemLanguage(Util::QStringToUtf8(QLocale(language).name()));
        if (shipped(candidate))
            return candidate;
    }
    const std::string fallback = q->GetDefaultLocale();
    return fallback.empty() || fallback == LookAndFeelNames::UNKNOWN_LOCALE ? "en_US" : fallback;
}

void LookAndFeelManager::SetLocale(const std::string& locale)
{
    const std::string resolved = d->ValidateLocale(locale);
    if (resolved == d->currentLocale)
        return;
    d->currentLocale = resolved;

    for (const auto& translator : d->translators)
        QCoreApplication::removeTranslator(translator.get());
    d->translators.clear();

    const QDir folder(LookAndFeelPaths::ResourcesFolder(d->rootPath, LookAndFeelNames::LOCALES,
                                                        d->currentLocale));
    QFileInfoList files;
    if (d->resourceNames.empty()) {
        files = folder.entryInfoList({QStringLiteral("*.qm")}, QDir::Files, QDir::NoSort);
    } else {
        for (const std::string& name : d->resourceNames) {
            const QFileInfo file(
                folder.filePath(Util::Utf8ToQString(name + "_" + d->currentLocale + ".qm")));
            if (file.exists())
                files.append(file);
        }
    }
    for (const QFileInfo& file : files) {
        if (!file.isFile())
            continue;
        auto translator = std::make_shared<QTranslator>();
        if (!translator->load(file.absoluteFilePath(), QString(), QString(), QString()))
            continue;
        QCoreApplication::installTranslator(translator.get());
        d->translators.push_back(std::move(translator));
    }

    // A copy: an observer may switch the locale again from its notification.
    const std::string current = d->currentLocale;
    d->handlerList.Notify(&ILookAndFeelObserver::OnLocaleChanged, current);
}

std::string LookAndFeelManager::GetDefaultLocale() const
{
    const auto* application = qobject_cast<const Application*>(QCoreApplication::instance());
    if (!application)
        return LookAndFeelNames::UNKNOWN_LOCALE;
    const auto installer = application->GetInstallerSettings("");
    const int language = installer ? installer->GetInt("Language", 0) : 0;
    return language != 0 ? LocaleNameFromInstallerCode(static_cast<unsigned int>(language))
                         : LookAndFeelNames::UNKNOWN_LOCALE;
}

std::string LookAndFeelManager::LocaleNameFromInstallerCode(unsigned int code)
{
    static const std::map<unsigned int, std::string> codes = {
        {0x0404, "zh_TW"}, {0x0407, "de_DE"}, {0x040A, "es_ES"}, {0x040C, "fr_FR"},
        {0x0410, "it_IT"}, {0x0411, "ja_JP"}, {0x0412, "ko_KR"}, {0x0413, "nl_NL"},
        {0x0415, "pl_PL"}, {0x0416, "pt_BR"}, {0x0419, "ru_RU"}, {0x041F, "tr_TR"},
        {0x0804, "zh_CN"}, {0x0816, "pt_PT"},
    };
    const auto found = codes.find(code);
    return found != codes.end() ? found->second : "en_US";
}

} // namespace Tavrix::App
