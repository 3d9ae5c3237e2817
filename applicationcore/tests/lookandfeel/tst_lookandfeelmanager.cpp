#include "TestCustomization.h"
#include "CapturingLogSink.h"
#include "ResourceBuilder.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QFontDatabase>
#include <QLocale>
#include <QPixmapCache>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>

#include <memory>
#include <vector>

using Tavrix::App::ILookAndFeelObserver;
using Tavrix::App::LookAndFeelManager;

namespace {

// Keeps every description it is asked to apply.
class RecordingManager : public LookAndFeelManager
{
public:
    using LookAndFeelManager::LookAndFeelManager;
    void ApplyTheme(const ThemeDescription& description) override
    {
        applied.push_back(description);
        LookAndFeelManager::ApplyTheme(description);
    }
    std::vector<ThemeDescription> applied;
};

// Records each notification together with the stylesheet the manager holds at that moment.
class RecordingObserver : public ILookAndFeelObserver
{
public:
    explicit RecordingObserver(LookAndFeelManager& manager) : m_manager(manager) {}
    void OnLocaleChanged(const std::string& locale) override { events << "locale " + locale; }
    void OnThemeChanged(const std::string& theme) override
    {
        events << "theme " + theme;
        stylesheets << m_manager.GetUnitedStylesheet();
    }
    std::vector<std::string> Events() const { return {events.begin(), events.end()}; }

    QList<std::string> events;
    QList<std::string> stylesheets;

private:
    LookAndFeelManager& m_manager;
};

QString Text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QStringList Sorted(const std::list<std::string>& names)
{
    QStringList list;
    for (const std::string& name : names)
        list << Text(name);
    list.sort();
    return list;
}

QStringList List(const std::list<std::string>& names)
{
    QStringList list;
    for (const std::string& name : names)
        list << Text(name);
    return list;
}

std::list<std::string> Names(const QStringList& list)
{
    std::list<std::string> names;
    for (const QString& name : list)
        names.push_back(name.toStdString());
    return names;
}

QString Translated(const char* source)
{
    return QCoreApplication::translate("Test", source);
}

Tavrix::App::Application* App()
{
    return static_cast<Tavrix::App::Application*>(QCoreApplication::instance());
}

} // namespace

class LookAndFeelManagerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void discovery_data();
    void discovery();
    void bundleSelection_data();
    void bundleSelection();
    void switchReplacesBundles();
    void fontTables_data();
    void fontTables();
    void nonLatinFontNames_data();
    void nonLatinFontNames();
    void fontManifest();
    void missingThemeFolder();
    void sameThemeAgain();
    void emptyTheme();
    void badBundle();
    void localizedThemeName_data();
    void localizedThemeName();

    void validateLocale_data();
    void validateLocale();
    void translatorsReplaced();
    void translationFiles_data();
    void translationFiles();
    void sameRequestNotifiesOnce();
    void defaultLocale_data();
    void defaultLocale();
    void installerCodes_data();
    void installerCodes();
    void displayNames_data();
    void displayNames();
    void resourceLocations();

private:
    std::unique_ptr<RecordingManager> Manager(const QStringList& resourceNames = {}) const
    {
        return std::make_unique<RecordingManager>(Tavrix::ioPath(m_dir->path().toStdString()),
                                                  "theme.json", Names(resourceNames),
                                                  std::list<std::string>{});
    }
    void SetInstallerLanguage(int language) const
    {
        const auto installer = App()->GetInstallerSettings("");
        if (language)
            installer->SetInt("Language", language);
        else
            installer->Remove("Language");
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ResourceBuilder> m_build;
    CapturingLogSink m_log;
    QLocale m_defaultLocale;
};

void LookAndFeelManagerTest::initTestCase()
{
    App()->SetCustomizationManager(std::make_shared<TestCustomization>("looks-test"), false);
}

void LookAndFeelManagerTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_build = std::make_unique<ResourceBuilder>(m_dir->path());
    m_log.TakeLines();
}

void LookAndFeelManagerTest::cleanup()
{
    m_dir->setAutoRemove(!QTest::currentTestFailed());
    QLocale::setDefault(m_defaultLocale);
    SetInstallerLanguage(0);
}

void LookAndFeelManagerTest::discovery_data()
{
    QTest::addColumn<QStringList>("themes");
    QTest::addColumn<QStringList>("bareThemes");
    QTest::addColumn<QStringList>("locales");
    QTest::addColumn<QStringList>("expectedThemes");
    QTest::addColumn<QStringList>("expectedLocales");

    QTest::newRow("nothing shipped")
        << QStringList() << QStringList() << QStringList() << QStringList() << QStringList();
    QTest::newRow("themes need a description")
        << QStringList{"Light", "Dark"} << QStringList{"Bundles"} << QStringList{"en_US", "de_DE"}
        << QStringList{"Dark", "Light"} << QStringList{"de_DE", "en_US"};
    QTest::newRow("dotted theme looks for the shorter folder")
        << QStringList{"Blue.v2"} << QStringList() << QStringList() << QStringList()
        << QStringList();
    QTest::newRow("dotted theme beside its shorter name")
        << QStringList{"Blue", "Blue.v2"} << QStringList() << QStringList()
        << QStringList{"Blue", "Blue"} << QStringList();
    QTest::newRow("dotted locale under the shorter name")
        << QStringList() << QStringList() << QStringList{"de_DE.old"} << QStringList()
        << QStringList{"de_DE"};
    QTest::newRow("hidden folders") << QStringList{".Hidden"} << QStringList()
                                    << QStringList{".cache"} << QStringList() << QStringList();
}

void LookAndFeelManagerTest::discovery()
{
    QFETCH(QStringList, themes);
    QFETCH(QStringList, bareThemes);
    QFETCH(QStringList, locales);
    QFETCH(QStringList, expectedThemes);
    QFETCH(QStringList, expectedLocales);

    for (const QString& theme : themes)
        QVERIFY(m_build->Theme(theme));
    for (const QString& theme : bareThemes)
        QVERIFY(m_build->Theme(theme, QByteArray()));
    for (const QString& locale : locales)
        QVERIFY(QDir().mkpath(m_build->LocaleFolder(locale)));
    if (!themes.isEmpty() || !bareThemes.isEmpty()) {
        QVERIFY(ResourceBuilder::Write(m_build->Resources() + "/themes/notes.txt", "not a theme"));
        QVERIFY(ResourceBuilder::Write(m_build->Resources() + "/other/x/theme.json", "{}"));
    }

    const auto manager = Manager();
    QCOMPARE(Sorted(manager->GetThemes()), expectedThemes);
    QCOMPARE(Sorted(manager->GetLocales()), expectedLocales);
    QVERIFY(manager->GetCurrentTheme().empty());
    QVERIFY(manager->GetCurrentLocale().empty());
    QVERIFY(manager->GetUnitedStylesheet().empty());
}

void LookAndFeelManagerTest::bundleSelection_data()
{
    QTest::addColumn<QStringList>("onDisk");
    QTest::addColumn<QStringList>("resourceNames");
    QTest::addColumn<QStringList>("expectedBundles");

    QTest::newRow("single bundle") << QStringList{"B"} << QStringList() << QStringList{"B"};
    QTest::newRow("named bundles only")
        << QStringList{"B", "C"} << QStringList{"A", "B"} << QStringList{"B"};
    QTest::newRow("names give the order")
        << QStringList{"B", "C"} << QStringList{"C", "B"} << QStringList{"C", "B"};
    QTest::newRow("every bundle") << QStringList{"B", "C"} << QStringList()
                                  << QStringList{"B", "C"};
}

void LookAndFeelManagerTest::bundleSelection()
{
    QFETCH(QStringList, onDisk);
    QFETCH(QStringList, resourceNames);
    QFETCH(QStringList, expectedBundles);

    QVERIFY(m_build->Theme("T"));
    for (const QString& bundle : onDisk)
        QVERIFY(m_build->Bundle("T", bundle, {{"style.qss", "/*" + bundle.toUtf8() + "*/"}}));

    const auto manager = Manager(resourceNames);
    manager->SetTheme("T");
    QCOMPARE(manager->applied.size(), std::size_t(1));
    const auto& description = manager->applied.front();

    QStringList bundles;
    QStringList styleSheets;
    QStringList fontMaps;
    QStringList fontManifests;
    // Without names the file system decides the order; the paths then go by bundle as listed.
    for (const std::string& path : description.fontMaps)
        bundles << Text(path).section('/', 1, 1);
    for (const QString& bundle : bundles) {
        styleSheets << ":/" + bundle + "/style.qss"
                    << ":/" + bundle + "/fonts_linux.qss";
        fontMaps << ":/" + bundle + "/fonts.json";
        fontManifests << ":/" + bundle + "/fonts.manifest";
    }
    styleSheets << ":/productStyle.qss"
                << ":/productStyle_linux.qss";
    if (resourceNames.isEmpty()) {
        QStringList sorted = bundles;
        sorted.sort();
        QCOMPARE(sorted, expectedBundles);
    } else {
        QCOMPARE(bundles, expectedBundles);
    }
    QCOMPARE(List(description.styleSheets), styleSheets);
    QCOMPARE(List(description.fontMaps), fontMaps);
    QCOMPARE(List(description.fontManifests), fontManifests);

    for (const QString& bundle : onDisk)
        QCOMPARE(QFile::exists(":/" + bundle + "/style.qss"), expectedBundles.contains(bundle));
    QString united;
    for (const QString& bundle : bundles)
        united += "/*" + bundle + "*/\n\n";
    QCOMPARE(Text(manager->GetUnitedStylesheet()), united + "\n\n");

    manager->SetTheme("");
    for (const QString& bundle : onDisk)
        QVERIFY(!QFile::exists(":/" + bundle + "/style.qss"));
}

// A bundle name both themes use holds the new theme's files after the switch; a bundle only the
// old theme had is gone, and observers see the new stylesheet.
void LookAndFeelManagerTest::switchReplacesBundles()
{
    QVERIFY(m_build->Theme("One"));
    QVERIFY(m_build->Bundle("One", "base", {{"style.qss", "one{}"}}));
    QVERIFY(m_build->Bundle("One", "extra", {{"style.qss", "extra{}"}}));
    QVERIFY(m_build->Theme("Two"));
    QVERIFY(m_build->Bundle("Two", "base", {{"style.qss", "two{}"}}));

    const auto manager = Manager();
    RecordingObserver observer(*manager);
    manager->RegisterObserver(&observer);
    manager->RegisterObserver(&observer);
    manager->RegisterObserver(nullptr);

    manager->SetTheme("One");
    QVERIFY(QFile::exists(":/extra/style.qss"));
    QPixmapCache::insert(QStringLiteral("cached"), QPixmap(4, 4));
    manager->SetTheme("Two");

    QVERIFY(!QFile::exists(":/extra/style.qss"));
    QFile base(":/base/style.qss");
    QVERIFY(base.open(QIODevice::ReadOnly));
    QCOMPARE(base.readAll(), QByteArray("two{}"));
    QPixmap cached;
    QVERIFY(!QPixmapCache::find(QStringLiteral("cached"), &cached));
    QCOMPARE(observer.Events(), (std::vector<std::string>{"theme One", "theme Two"}));
    QVERIFY(Text(observer.stylesheets.last()).startsWith("two{}\n"));
    QCOMPARE(manager->GetCurrentTheme(), std::string("Two"));

    manager->UnregisterObserver(&observer);
    manager->SetTheme("One");
    QCOMPARE(observer.events.size(), 2);
    manager->SetTheme("");
}

void LookAndFeelManagerTest::fontTables_data()
{
    QTest::addColumn<QList<QByteArray>>("tables");
    QTest::addColumn<QByteArray>("style");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    const QByteArray style = "x{font:@f}";
    QTest::newRow("platform over all platforms") << QList<
        QByteArray>{R"({"all_platforms":{"all_languages":{"f":"A"}},"linux":{"all_languages":{"f":"B"}}})"}
                                                 << style << "en_US"
                                                 << "x{font:B}";
    QTest::newRow("locale over all languages")
        << QList<QByteArray>{R"({"all_platforms":{"de_DE":{"f":"C"},"all_languages":{"f":"A"}}})"}
        << style << "de_DE"
        << "x{font:C}";
    QTest::newRow("platform over all-platform locale") << QList<
        QByteArray>{R"({"linux":{"all_languages":{"f":"B"}},"all_platforms":{"de_DE":{"f":"C"}}})"}
                                                       << style << "de_DE"
                                                       << "x{font:B}";
    QTest::newRow("other locale and platform ignored") << QList<
        QByteArray>{R"({"all_platforms":{"all_languages":{"f":"A"},"ru_RU":{"f":"R"}},"win":{"all_languages":{"f":"W"}}})"}
                                                       << style << "de_DE"
                                                       << "x{font:A}";
    QTest::newRow("later file wins")
        << QList<QByteArray>{R"({"all_platforms":{"all_languages":{"f":"A","g":"G"}}})",
                             R"({"all_platforms":{"all_languages":{"f":"B"}}})"}
        << QByteArray("x{font:@f;@g}") << "en_US"
        << "x{font:B;G}";
    QTest::newRow("shorter key replaced first") << QList<
        QByteArray>{R"({"all_platforms":{"all_languages":{"font":"Sans","fontSize":"12px"}}})"}
                                                << QByteArray("a{font:@font;size:@fontSize}")
                                                << "en_US"
                                                << "a{font:Sans;size:SansSize}";
    QTest::newRow("case-sensitive")
        << QList<QByteArray>{R"({"all_platforms":{"all_languages":{"f":"A"}}})"}
        << QByteArray("@F @f") << "en_US"
        << "@F A";
    QTest::newRow("every occurrence")
        << QList<QByteArray>{R"({"all_platforms":{"all_languages":{"f":"A"}}})"}
        << QByteArray("@f @f@f") << "en_US"
        << "A AA";
    QTest::newRow("text after a NUL kept")
        << QList<QByteArray>{R"({"all_platforms":{"all_languages":{"f":"A"}}})"}
        << QByteArray("x{}\0y{font:@f}", 14) << "en_US"
        << QStringLiteral("x{}") + QChar() + QStringLiteral("y{font:A}");
    QTest::newRow("number as text")
        << QList<QByteArray>{R"({"all_platforms":{"all_languages":{"f":12}}})"} << style << "en_US"
        << "x{font:12}";
    QTest::newRow("not an object") << QList<QByteArray>{R"(["f", "A"])"} << style << "en_US"
                                   << "x{font:@f}";
    QTest::newRow("not JSON") << QList<QByteArray>{"{\"all_platforms\": {"} << style << "en_US"
                              << "x{font:@f}";
    QTest::newRow("values of the wrong types")
        << QList<QByteArray>{R"({"all_platforms":"text","linux":{"all_languages":[1,2]}})",
                             R"({"all_platforms":{"all_languages":"f"}})"}
        << style << "en_US"
        << "x{font:@f}";
}

void LookAndFeelManagerTest::fontTables()
{
    QFETCH(QList<QByteArray>, tables);
    QFETCH(QByteArray, style);
    QFETCH(QString, locale);
    QFETCH(QString, expected);

    QVERIFY(QDir().mkpath(m_build->LocaleFolder(locale)));
    QVERIFY(m_build->Theme("T"));
    QStringList names;
    for (int i = 0; i < tables.size(); ++i) {
        const QString bundle = QStringLiteral("b%1").arg(i);
        ResourceBuilder::Files files{{"fonts.json", tables[i]}};
        if (i == 0)
            files.insert("style.qss", style);
        QVERIFY(m_build->Bundle("T", bundle, files));
        names << bundle;
    }
    const auto manager = Manager(names);
    manager->SetLocale(locale.toStdString());
    manager->SetTheme("T");
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), expected);
    manager->SetTheme("");
}

void LookAndFeelManagerTest::nonLatinFontNames_data()
{
    QTest::addColumn<QByteArray>("localCodec");
    QTest::newRow("Latin-1") << QByteArray("ISO-8859-1");
    QTest::newRow("Shift_JIS") << QByteArray("Shift_JIS");
    QTest::newRow("UTF-8") << QByteArray("UTF-8");
}

// The font-name table is UTF-8 whatever the local 8-bit encoding is.
void LookAndFeelManagerTest::nonLatinFontNames()
{
    QFETCH(QByteArray, localCodec);
    QTextCodec* const codec = QTextCodec::codecForName(localCodec);
    QVERIFY(codec);

    QVERIFY(m_build->Theme("T"));
    QVERIFY(m_build->Bundle(
        "T", "b",
        {{"fonts.json", R"({"all_platforms":{"all_languages":{"jp":"メイリオ","cn":"微软雅黑"}}})"},
         {"style.qss", "a{font-family:\"@jp\"} b{font-family:\"@cn\"}"}}));
    const auto manager = Manager();
    QTextCodec* const previous = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(codec);
    manager->SetTheme("T");
    QTextCodec::setCodecForLocale(previous);
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(),
             QString::fromUtf8("a{font-family:\"メイリオ\"} b{font-family:\"微软雅黑\"}"));
    manager->SetTheme("");
}

// Fonts named by a bundle's list are added to the application; names of missing files are
// skipped.
void LookAndFeelManagerTest::fontManifest()
{
    QFile font(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"));
    if (!font.open(QIODevice::ReadOnly))
        QSKIP("needs the DejaVu fonts");
    QVERIFY(m_build->Theme("T"));
    QVERIFY(m_build->Bundle(
        "T", "fonts",
        {{"fonts.manifest", ":/fonts/missing.ttf\n  :/fonts/DejaVuSerif-Bold.ttf \n"},
         {"DejaVuSerif-Bold.ttf", font.readAll()}}));
    const auto manager = Manager();
    manager->SetTheme("T");
    // Application fonts are numbered from 0 in the order they were added.
    QStringList families;
    for (int id = 0; id < 8; ++id)
        families << QFontDatabase::applicationFontFamilies(id);
    QCOMPARE(families, QStringList{"DejaVu Serif"});
    manager->SetTheme("");
}

void LookAndFeelManagerTest::missingThemeFolder()
{
    const auto manager = Manager();
    RecordingObserver observer(*manager);
    manager->RegisterObserver(&observer);
    manager->SetTheme("Nowhere");

    const QString line
        = "The directory [" + m_build->Resources() + "/themes/Nowhere] doesn't exist!";
    QCOMPARE(m_log.TakeLines(), QStringList{line});
    QCOMPARE(manager->GetCurrentTheme(), std::string("Nowhere"));
    QCOMPARE(observer.Events(), std::vector<std::string>{"theme Nowhere"});
    QCOMPARE(List(manager->applied.front().styleSheets),
             (QStringList{":/productStyle.qss", ":/productStyle_linux.qss"}));
    QVERIFY(manager->applied.front().fontMaps.empty());
    QCOMPARE(Text(manager->GetUnitedStylesheet()), QStringLiteral("\n\n"));

    manager->SetTheme("");
    QCOMPARE(m_log.TakeLines(), QStringList{line});
    manager->UnregisterObserver(&observer);
}

// Setting the current theme again picks up the font entries of a locale switched to since.
void LookAndFeelManagerTest::sameThemeAgain()
{
    QVERIFY(QDir().mkpath(m_build->LocaleFolder("en_US")));
    QVERIFY(QDir().mkpath(m_build->LocaleFolder("de_DE")));
    QVERIFY(m_build->Theme("T"));
    QVERIFY(m_build->Bundle(
        "T", "b",
        {{"fonts.json",
          R"({"all_platforms":{"all_languages":{"f":"Any"},"de_DE":{"f":"German"}}})"},
         {"style.qss", "@f"}}));
    const auto manager = Manager();
    RecordingObserver observer(*manager);
    manager->RegisterObserver(&observer);

    manager->Initialize("en_US", "T");
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), QStringLiteral("Any"));
    manager->SetLocale("de_DE");
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), QStringLiteral("Any"));
    manager->SetTheme("T");
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), QStringLiteral("German"));
    QVERIFY(QFile::exists(":/b/style.qss"));
    QCOMPARE(observer.Events(),
             (std::vector<std::string>{"locale en_US", "theme T", "locale de_DE", "theme T"}));
    manager->UnregisterObserver(&observer);
    // Applied twice, the bundle is still registered only once.
    manager->SetTheme("");
    QVERIFY(!QFile::exists(":/b/style.qss"));
}

void LookAndFeelManagerTest::emptyTheme()
{
    QVERIFY(m_build->Theme("T"));
    QVERIFY(m_build->Bundle("T", "b", {{"style.qss", "b{}"}}));
    const auto manager = Manager();
    RecordingObserver observer(*manager);
    manager->RegisterObserver(&observer);

    manager->SetTheme("");
    QVERIFY(observer.events.isEmpty());
    QVERIFY(manager->applied.empty());

    manager->SetTheme("T");
    QPixmapCache::insert(QStringLiteral("cached"), QPixmap(4, 4));
    manager->SetTheme("");
    QVERIFY(!QFile::exists(":/b/style.qss"));
    QVERIFY(manager->GetCurrentTheme().empty());
    QPixmap cached;
    QVERIFY(!QPixmapCache::find(QStringLiteral("cached"), &cached));
    QCOMPARE(observer.Events(), std::vector<std::string>{"theme T"});
    QCOMPARE(manager->applied.size(), std::size_t(1));
    // The stylesheet stays as the last theme left it.
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), QStringLiteral("b{}"));
    manager->UnregisterObserver(&observer);
}

// A file that is no bundle registers nothing; the other bundles still count.
void LookAndFeelManagerTest::badBundle()
{
    QVERIFY(m_build->Theme("T"));
    QVERIFY(m_build->Bundle("T", "good", {{"style.qss", "good{}"}}));
    QVERIFY(
        ResourceBuilder::Write(m_build->ThemeFolder("T") + "/junk.rcc", QByteArray(300, '\x7f')));
    QVERIFY(ResourceBuilder::Write(m_build->ThemeFolder("T") + "/empty.rcc", QByteArray()));
    const auto manager = Manager({"junk", "good", "empty"});
    manager->SetTheme("T");
    QCOMPARE(Text(manager->GetUnitedStylesheet()), QStringLiteral("\n\ngood{}\n\n\n\n\n\n"));
    manager->SetTheme("");
}

void LookAndFeelManagerTest::localizedThemeName_data()
{
    QTest::addColumn<QByteArray>("description");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("warns");

    const QByteArray titles = R"({"en_US": "Light", "de_DE": "Hell", "ru_RU": "Светлая"})";
    QTest::newRow("title in the locale") << titles << "de_DE"
                                         << "Hell" << false;
    QTest::newRow("non-Latin title") << titles << "ru_RU" << QString::fromUtf8("Светлая") << false;
    QTest::newRow("no title for the locale") << QByteArray(R"({"en_US": "Light"})") << "de_DE"
                                             << "Bright" << true;
    QTest::newRow("description not JSON") << QByteArray("{\"en_US\": ") << "en_US"
                                          << "Bright" << true;
    QTest::newRow("description not an object") << QByteArray("\"Light\"") << "en_US"
                                               << "Bright" << true;
    QTest::newRow("description nested too deep") << QByteArray(100000, '[') << "en_US"
                                                 << "Bright" << true;
}

void LookAndFeelManagerTest::localizedThemeName()
{
    QFETCH(QByteArray, description);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QFETCH(bool, warns);

    QVERIFY(QDir().mkpath(m_build->LocaleFolder(locale)));
    QVERIFY(m_build->Theme("Bright", description));
    const auto manager = Manager();
    QCOMPARE(List(manager->GetThemes()), QStringList{"Bright"});
    manager->SetLocale(locale.toStdString());
    m_log.TakeLines();
    QCOMPARE(Text(manager->GetLocalizedThemeName("Bright")), expected);
    const QStringList warning{"No title found for theme [Bright] on language [" + locale + "]!"};
    QCOMPARE(m_log.TakeLines(), warns ? warning : QStringList());

    QCOMPARE(manager->GetLocalizedThemeName("Unlisted"), std::string("Unlisted"));
    QCOMPARE(m_log.TakeLines().size(), 1);
}

void LookAndFeelManagerTest::validateLocale_data()
{
    QTest::addColumn<QStringList>("shipped");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("system");
    QTest::addColumn<int>("installerLanguage");
    QTest::addColumn<QString>("expected");

    const QStringList three{"en_US", "de_DE", "ru_RU"};
    QTest::newRow("shipped request") << three << "de_DE"
                                     << "ru_RU" << 1049 << "de_DE";
    QTest::newRow("unknown takes the system language") << three << "unknown"
                                                       << "ru_RU" << 0 << "ru_RU";
    QTest::newRow("empty takes the system language") << three << ""
                                                     << "de_DE" << 0 << "de_DE";
    QTest::newRow("unshipped takes the system language") << three << "fr_FR"
                                                         << "de_DE" << 0 << "de_DE";
    QTest::newRow("only Portuguese and Chinese change country") << three << ""
                                                                << "de_AT" << 0 << "en_US";
    QTest::newRow("Portuguese of Portugal") << QStringList{"en_US", "pt_BR"} << ""
                                            << "pt_PT" << 0 << "pt_BR";
    QTest::newRow("Portuguese of Brazil") << QStringList{"en_US", "pt_BR"} << ""
                                          << "pt_BR" << 0 << "pt_BR";
    QTest::newRow("mainland Chinese") << QStringList{"zh_TW", "zh_CN"} << ""
                                      << "zh_CN" << 0 << "zh_CN";
    QTest::newRow("Hong Kong Chinese") << QStringList{"zh_CN", "zh_TW"} << ""
                                       << "zh_HK" << 0 << "zh_TW";
    QTest::newRow("Singapore Chinese") << QStringList{"zh_CN", "zh_TW"} << ""
                                       << "zh_SG" << 0 << "zh_TW";
    QTest::newRow("installer language") << three << ""
                                        << "fr_FR" << 1031 << "de_DE";
    QTest::newRow("installer language unshipped") << three << ""
                                                  << "fr_FR" << 2052 << "zh_CN";
    QTest::newRow("English last") << QStringList{"de_DE"} << ""
                                  << "fr_FR" << 0 << "en_US";
    QTest::newRow("a folder named unknown") << QStringList{"unknown", "de_DE"} << "unknown"
                                            << "fr_FR" << 0 << "en_US";
}

void LookAndFeelManagerTest::validateLocale()
{
    QFETCH(QStringList, shipped);
    QFETCH(QString, request);
    QFETCH(QString, system);
    QFETCH(int, installerLanguage);
    QFETCH(QString, expected);

    for (const QString& locale : shipped)
        QVERIFY(QDir().mkpath(m_build->LocaleFolder(locale)));
    QLocale::setDefault(QLocale(system));
    SetInstallerLanguage(installerLanguage);
    const auto manager = Manager();
    manager->SetLocale(request.toStdString());
    QCOMPARE(Text(manager->GetCurrentLocale()), expected);
}

// Each switch replaces every translator of the previous locale; the manager's translators go
// with it.
void LookAndFeelManagerTest::translatorsReplaced()
{
    QVERIFY(m_build->Translation("de_DE", "demo_de_DE.qm",
                                 {{"Hello", "Hallo"}, {"German only", "Nur deutsch"}}));
    QVERIFY(m_build->Translation("ru_RU", "demo_ru_RU.qm", {{"Hello", "Привет"}}));
    auto manager = Manager();
    RecordingObserver observer(*manager);
    manager->RegisterObserver(&observer);

    manager->SetLocale("de_DE");
    QCOMPARE(Translated("Hello"), QStringLiteral("Hallo"));
    QCOMPARE(Translated("German only"), QStringLiteral("Nur deutsch"));
    manager->SetLocale("ru_RU");
    QCOMPARE(Translated("Hello"), QString::fromUtf8("Привет"));
    QCOMPARE(Translated("German only"), QStringLiteral("German only"));
    QCOMPARE(observer.Events(), (std::vector<std::string>{"locale de_DE", "locale ru_RU"}));

    manager->UnregisterObserver(&observer);
    manager.reset();
    QCOMPARE(Translated("Hello"), QStringLiteral("Hello"));
}

void LookAndFeelManagerTest::translationFiles_data()
{
    QTest::addColumn<QStringList>("resourceNames");
    QTest::addColumn<QStringList>("expected"); // "Shared", "First only", "Other"

    QTest::newRow("named files, later wins")
        << QStringList{"first", "second"} << QStringList{"Zweite", "Nur erste", "Other"};
    QTest::newRow("named file only")
        << QStringList{"second"} << QStringList{"Zweite", "First only", "Other"};
    QTest::newRow("missing name") << QStringList{"absent", "first"}
                                  << QStringList{"Erste", "Nur erste", "Other"};
}

void LookAndFeelManagerTest::translationFiles()
{
    QFETCH(QStringList, resourceNames);
    QFETCH(QStringList, expected);

    QVERIFY(m_build->Translation("de_DE", "first_de_DE.qm",
                                 {{"Shared", "Erste"}, {"First only", "Nur erste"}}));
    QVERIFY(m_build->Translation("de_DE", "second_de_DE.qm", {{"Shared", "Zweite"}}));
    QVERIFY(m_build->Translation("de_DE", "other_de_DE.qm", {{"Other", "Andere"}}));
    const auto manager = Manager(resourceNames);
    manager->SetLocale("de_DE");
    QCOMPARE((QStringList{Translated("Shared"), Translated("First only"), Translated("Other")}),
             expected);
}

// A request that resolves to the current locale changes nothing; a file that is no translation
// and a locale without files still switch.
void LookAndFeelManagerTest::sameRequestNotifiesOnce()
{
    QVERIFY(m_build->Translation("de_DE", "good_de_DE.qm", {{"Hello", "Hallo"}}));
    QVERIFY(ResourceBuilder::Write(m_build->LocaleFolder("de_DE") + "/broken_de_DE.qm",
                                   "not a catalogue"));
    QVERIFY(QDir().mkpath(m_build->LocaleFolder("ru_RU")));
    QLocale::setDefault(QLocale("de_DE"));
    const auto manager = Manager();
    RecordingObserver observer(*manager);
    manager->RegisterObserver(&observer);

    manager->SetLocale("de_DE");
    manager->SetLocale("de_DE");
    manager->SetLocale("unknown");
    QCOMPARE(Translated("Hello"), QStringLiteral("Hallo"));
    manager->SetLocale("ru_RU");
    QCOMPARE(Translated("Hello"), QStringLiteral("Hello"));
    QCOMPARE(observer.Events(), (std::vector<std::string>{"locale de_DE", "locale ru_RU"}));
    manager->UnregisterObserver(&observer);
}

void LookAndFeelManagerTest::defaultLocale_data()
{
    QTest::addColumn<int>("installerLanguage");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << 0 << "unknown";
    QTest::newRow("Russian") << 1049 << "ru_RU";
    QTest::newRow("US English") << 1033 << "en_US";
}

void LookAndFeelManagerTest::defaultLocale()
{
    QFETCH(int, installerLanguage);
    QFETCH(QString, expected);
    SetInstallerLanguage(installerLanguage);
    QCOMPARE(Text(Manager()->GetDefaultLocale()), expected);
}

void LookAndFeelManagerTest::installerCodes_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("expected");
    const std::pair<uint, const char*> table[]
        = {{1028, "zh_TW"}, {1031, "de_DE"}, {1034, "es_ES"},      {1036, "fr_FR"}, {1040, "it_IT"},
           {1041, "ja_JP"}, {1042, "ko_KR"}, {1043, "nl_NL"},      {1045, "pl_PL"}, {1046, "pt_BR"},
           {1049, "ru_RU"}, {1055, "tr_TR"}, {2052, "zh_CN"},      {2070, "pt_PT"}, {1033, "en_US"},
           {0, "en_US"},    {3076, "en_US"}, {0xFFFFFFFF, "en_US"}};
    for (const auto& [code, locale] : table)
        QTest::addRow("%u", code) << code << locale;
}

void LookAndFeelManagerTest::installerCodes()
{
    QFETCH(uint, code);
    QFETCH(QString, expected);
    QCOMPARE(Text(LookAndFeelManager::LocaleNameFromInstallerCode(code)), expected);
}

void LookAndFeelManagerTest::displayNames_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");
    const std::pair<const char*, const char*> table[]
        = {{"en_US", "English"},        {"ru_RU", "Русский"},
           {"de_DE", "Deutsch"},        {"fr_FR", "Français"},
           {"es_ES", "Español"},        {"it_IT", "Italiano"},
           {"ja_JP", "日本語"},         {"nl_NL", "Nederlands"},
           {"pl_PL", "Polski"},         {"pt_BR", "Português Brasileiro"},
           {"tr_TR", "Türkçe"},         {"zh_CN", "简体中文"},
           {"ko_KR", "한국어"},         {"zh_TW", "繁體中文"},
           {"ara", "Arabic"},           {"bel", "Belarusian"},
           {"cat", "Catalan"},          {"chi", "Chinese"},
           {"dan", "Danish"},           {"dut", "Dutch"},
           {"eng", "English"},          {"fin", "Finnish"},
           {"fre", "French"},           {"ger", "German"},
           {"heb", "Hebrew"},           {"hin", "Hindi"},
           {"hun", "Hungarian"},        {"ita", "Italian"},
           {"jpn", "Japanese"},         {"nno", "Norwegian Nynorsk"},
           {"nob", "Norwegian Bokmål"}, {"pol", "Polish"},
           {"por", "Portuguese"},       {"rus", "Russian"},
           {"slv", "Slovenian"},        {"spa", "Spanish"},
           {"swe", "Swedish"},          {"tur", "Turkish"},
           {"ukr", "Ukrainian"},        {"und", ""},
           {"pt_PT", "pt_PT"},          {"", ""},
           {"EN_us", "EN_us"}};
    for (const auto& [code, name] : table)
        QTest::addRow("%s", *code ? code : "(empty)") << code << QString::fromUtf8(name);
}

void LookAndFeelManagerTest::displayNames()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);
    QCOMPARE(Text(Tavrix::App::GetLanguageDisplayName(code.toStdString())), expected);
}

void LookAndFeelManagerTest::resourceLocations()
{
    const QByteArray previous = qgetenv("TAVRIX_RESOURCES_PATH");
    qputenv("TAVRIX_RESOURCES_PATH", QFile::encodeName(m_dir->path()));
    QCOMPARE(Text(Tavrix::App::GetPathToResources().utf8string()), m_dir->path());
    QCOMPARE(Text(Tavrix::App::GetPathToFontConfigFile().utf8string()),
             m_dir->path() + "/fonts.conf");
    qunsetenv("TAVRIX_RESOURCES_PATH");
    QCOMPARE(Text(Tavrix::App::GetPathToResources().utf8string()),
             QCoreApplication::applicationDirPath() + "/resources");
    if (!previous.isNull())
        qputenv("TAVRIX_RESOURCES_PATH", previous);

    // The library's own pictures are there without any theme.
    QCOMPARE(QImage(":/About/about_de_DE.png").size(), QSize(450, 220));
    const QImage splash(":/Splash/splash.bmp");
    QCOMPARE(splash.size(), QSize(500, 275));
    QCOMPARE(splash.depth(), 8);
    for (const char* path :
         {":/About/about_en_US.png", ":/About/about_ru_RU.png", ":/Signature/SignatureStyle.qss",
          ":/Signature/ellipse.png", ":/Signature/dotted_line.png", ":/Signature/sign.png"})
        QVERIFY2(QFile::exists(path), path);
}

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    Tavrix::App::Application app(argc, argv);
    LookAndFeelManagerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lookandfeelmanager.moc"
