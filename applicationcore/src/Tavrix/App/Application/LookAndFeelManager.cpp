#include <Tavrix/App/Application/LookAndFeelManager.h>

#include "LookAndFeelManager_p.h"

#include <Tavrix/App/Application/LookAndFeelNames.h>
#include <Tavrix/Core/DataInputString.h>
#include <Tavrix/Core/PropertySerializer.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/FontDatabase.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QPixmapCache>
#include <QResource>
#include <QTextStream>

#include <glog/logging.h>

#include <functional>

namespace Tavrix::App {

namespace {

// The word that selects platform-specific stylesheets and font-table entries.
std::string GetPlatformName()
{
#if defined(Q_OS_WIN)
    return "win";
#elif defined(Q_OS_MACOS)
    return "mac";
#else
    return "linux";
#endif
}

QString PathText(const Tavrix::ioPath& path)
{
    return Util::Utf8ToQString(path.utf8string());
}

// Appends the base names of the folder's sub-folders, in the order the file system lists them.
void ListSubdirectories(const QString& folder, std::list<std::string>& names,
                        const std::function<bool(const std::string&)>& filter = {})
{
    const QFileInfoList entries
        = QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& entry : entries) {
        if (!entry.isDir())
            continue;
        const std::string name = Util::QStringToUtf8(entry.baseName());
        if (filter && !filter(name))
            continue;
        names.push_back(name);
    }
}

bool ReadText(const QString& path, QByteArray& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    text = file.readAll();
    return true;
}

// The font-name table's entries for `locale`, merged into `table` so that later entries win.
// The file is parsed as the UTF-8 it is, so family names in any script survive whatever the
// local 8-bit encoding is.
void MergeFontTable(const QString& path, const std::string& locale, QMap<QString, QString>& table)
{
    QByteArray text;
    if (!ReadText(path, text))
        return;
    const QVariantMap platforms = QJsonDocument::fromJson(text).object().toVariantMap();
    const QString languages[] = {QStringLiteral("all_languages"), Util::Utf8ToQString(locale)};
    for (const QString& platform :
         {QStringLiteral("all_platforms"), Util::Utf8ToQString(GetPlatformName())}) {
        const auto platformEntry = platforms.constFind(platform);
        if (platformEntry == platforms.constEnd())
            continue;
        const QVariantMap byLanguage = platformEntry->toMap();
        for (const QString& language : languages) {
            const auto languageEntry = byLanguage.constFind(language);
            if (languageEntry == byLanguage.constEnd())
                continue;
            const QVariantMap names = languageEntry->toMap();
            for (auto name = names.cbegin(); name != names.cend(); ++name)
                table[QLatin1Char('@') + name.key()] = name.value().toString();
        }
    }
}

void AddFonts(const QString& manifestPath)
{
    QFile file(manifestPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream words(&file);
    while (!words.atEnd()) {
        QString word;
        words >> word;
        if (!word.isEmpty())
            Util::FontDatabase::addApplicationFont(word);
    }
}

} // namespace

QString LookAndFeelPaths::ResourcesFolder(const Tavrix::ioPath& root, const char* kind,
                                          const std::string& name)
{
    Tavrix::ioPath folder = root / LookAndFeelNames::RESOURCES / kind;
    if (!name.empty())
        folder = folder / name;
    return PathText(folder);
}

LookAndFeelManager::LookAndFeelManager(const Tavrix::ioPath& root,
                                       const std::string& themeDescriptionFileName,
                                       const std::list<std::string>& resourceNames,
                                       const std::list<std::string>& /*extra*/)
    : d(std::make_unique<Private>(this))
{
    d->rootPath = root;
    d->resourceNames = resourceNames;

    const auto descriptionPath = [this, &themeDescriptionFileName](const std::string& theme) {
        return PathText(d->rootPath / LookAndFeelNames::RESOURCES / LookAndFeelNames::THEMES / theme
                        / themeDescriptionFileName);
    };
    std::list<std::string> folders;
    ListSubdirectories(PathText(root / LookAndFeelNames::RESOURCES), folders);
    for (const std::string& folder : folders) {
        if (folder == LookAndFeelNames::LOCALES) {
            ListSubdirectories(LookAndFeelPaths::ResourcesFolder(root, LookAndFeelNames::LOCALES),
                               d->locales);
        } else if (folder == LookAndFeelNames::THEMES) {
            ListSubdirectories(LookAndFeelPaths::ResourcesFolder(root, LookAndFeelNames::THEMES),
                               d->themes, [&descriptionPath](const std::string& theme) {
                                   return QFile(descriptionPath(theme))
                                       .open(QIODevice::ReadOnly | QIODevice::Text);
                               });
        }
    }

    for (const std::string& theme : d->themes) {
        QByteArray text;
        if (!ReadText(descriptionPath(theme), text))
            continue;
        Core::Property description("");
        Core::PropertySerializer::Deserialize(
            description, Core::DataInputString::Create(text.toStdString()), true);
        d->themeDescriptions[theme] = description;
    }
}

LookAndFeelManager::~LookAndFeelManager() = default;

void LookAndFeelManager::Initialize(const std::string& locale, const std::string& theme)
{
    SetLocale(locale);
    SetTheme(theme);
}

const std::list<std::string>& LookAndFeelManager::GetThemes() const
{
    return d->themes;
}

const std::string& LookAndFeelManager::GetCurrentTheme() const
{
    return d->currentTheme;
}

std::string LookAndFeelManager::GetUnitedStylesheet()
{
    return Util::QStringToUtf8(d->unitedStylesheet);
}

void LookAndFeelManager::RegisterObserver(ILookAndFeelObserver* observer)
{
    d->handlerList.Register(observer);
}

void LookAndFeelManager::UnregisterObserver(ILookAndFeelObserver* observer)
{
    d->handlerList.Unregister(observer);
}

QList<QFileInfo> LookAndFeelManager::Private::GetFilteredResourceList() const
{
    const QString folder
        = LookAndFeelPaths::ResourcesFolder(rootPath, LookAndFeelNames::THEMES, currentTheme);
    const QDir dir(folder);
    if (!dir.exists()) {
        LOG(ERROR) << "The directory [" << Util::QStringToUtf8(folder) << "] doesn't exist!";
        return {};
    }
    if (resourceNames.empty())
        return dir.entryInfoList({QStringLiteral("*.rcc")}, QDir::Files, QDir::NoSort);

    QList<QFileInfo> bundles;
    for (const std::string& name : resourceNames) {
        const QFileInfo bundle(dir.filePath(Util::Utf8ToQString(name) + QStringLiteral(".rcc")));
        if (bundle.exists())
            bundles.append(bundle);
    }
    return bundles;
}

namespace {

void UnregisterBundles(const QList<QFileInfo>& bundles)
{
    for (const QFileInfo& bundle : bundles) {
        if (bundle.isFile())
            QResource::unregisterResource(bundle.absoluteFilePath(), QString());
    }
}

} // namespace

void LookAndFeelManager::Private::ClearCurrentTheme()
{
    if (!currentTheme.empty()) {
        UnregisterBundles(GetFilteredResourceList());
        currentTheme.clear();
    }
    QPixmapCache::clear();
}

void LookAndFeelManager::SetTheme(const std::string& theme)
{
    if (theme != d->currentTheme) {
        d->ClearCurrentTheme();
    } else if (!theme.empty()
               && QFileInfo::exists(LookAndFeelPaths::ResourcesFolder(
                   d->rootPath, LookAndFeelNames::THEMES, theme))) {
        // Qt registers a file once per call and looks resources up in registration order, so a
        // bundle registered twice would outlive the next switch and shadow the next theme's.
        UnregisterBundles(d->GetFilteredResourceList());
    }
    if (theme.empty())
        return;
    d->currentTheme = theme;

    const std::string platform = GetPlatformName();
    ThemeDescription description;
    for (const QFileInfo& bundle : d->GetFilteredResourceList()) {
        if (!bundle.isFile())
            continue;
        QResource::registerResource(bundle.absoluteFilePath(), QString());
        const std::string prefix = ":/" + Util::QStringToUtf8(bundle.baseName()) + "/";
        description.styleSheets.push_back(prefix + "style.qss");
        description.styleSheets.push_back(prefix + "fonts_" + platform + ".qss");
        description.fontMaps.push_back(prefix + "fonts.json");
        description.fontManifests.push_back(prefix + "fonts.manifest");
    }
    description.styleSheets.push_back(":/productStyle.qss");
    description.styleSheets.push_back(":/productStyle_" + platform + ".qss");

    ApplyTheme(description);
    // A copy: an observer may switch the theme again from its notification.
    const std::string current = d->currentTheme;
    d->handlerList.Notify(&ILookAndFeelObserver::OnThemeChanged, current);
}

void LookAndFeelManager::ApplyTheme(const ThemeDescription& description)
{
    d->unitedStylesheet.clear();
    // Sorted by key: a placeholder that is a prefix of another is replaced first.
    QMap<QString, QString> fontNames;
    for (const std::string& path : description.fontMaps)
        MergeFontTable(Util::Utf8ToQString(path), d->currentLocale, fontNames);

    for (const std::string& path : description.fontManifests)
        AddFonts(Util::Utf8ToQString(path));

    for (const std::string& path : description.styleSheets) {
        QByteArray text;
        ReadText(Util::Utf8ToQString(path), text);
        // All of the bytes: QString::fromUtf8(QByteArray) would stop at a stray NUL and drop the
        // rest of the file.
        d->unitedStylesheet += QString::fromUtf8(text.constData(), text.size()) + QLatin1Char('\n');
    }

    for (auto entry = fontNames.cbegin(); entry != fontNames.cend(); ++entry)
        d->unitedStylesheet.replace(entry.key(), entry.value(), Qt::CaseSensitive);
}

std::string LookAndFeelManager::GetLocalizedThemeName(const std::string& theme) const
{
    const auto description = d->themeDescriptions.find(theme);
    if (description != d->themeDescriptions.end()
        && description->second.ChildExists(d->currentLocale))
        return description->second[d->currentLocale].GetString();
    LOG(WARNING) << "No title found for theme [" << theme << "] on language [" << d->currentLocale
                 << "]!";
    return theme;
}

} // namespace Tavrix::App
