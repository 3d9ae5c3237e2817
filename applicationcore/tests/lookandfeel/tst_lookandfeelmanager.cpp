#include "AppInstance.h"
#include "TestCustomization.h"
#include "CapturingLogSink.h"
#include "ResourceBuilder.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QFontDatabase>
#include <QLocale>
#include <QPixmapCache>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextCodec>

#include <memory>
#include <set>
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

QString Text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// Records each notification together with the stylesheet the manager holds at that moment.
class RecordingObserver : public ILookAndFeelObserver
{
public:
    explicit RecordingObserver(LookAndFeelManager& manager) : m(manager)
    {
        m.RegisterObserver(this);
    }
    ~RecordingObserver() override { m.UnregisterObserver(this); }
    void OnLocaleChanged(const std::string& locale) override { events << Text("locale " + locale); }
    void OnThemeChanged(const std::string& theme) override
    {
        events << Text("theme " + theme);
        stylesheets << Text(m.GetUnitedStylesheet());
    }

    LookAndFeelManager& m;
    QStringList events, stylesheets;
};

QStringList List(const std::list<std::string>& names, bool sorted = false)
{
    QStringList list;
    for (const std::string& name : names)
        list << Text(name);
    if (sorted)
        list.sort();
    return list;
}

QStringList Words(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString Translated(const char* source)
{
    return QCoreApplication::translate("Test", source);
}

} // namespace

class LookAndFeelManagerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void discoveryAndTitles();
    void bundleSelection();
    void switchReplacesBundles();
    void fontTables_data();
    void fontTables();
    void fontManifest();
    void badThemes();

    void validateLocale_data();
    void validateLocale();
    void translators();
    void installerLanguages();
    void resourceLocations();

private:
    std::unique_ptr<RecordingManager> Manager(const std::list<std::string>& names = {}) const
    {
        return std::make_unique<RecordingManager>(Tavrix::ioPath(m_dir->path().toStdString()),
                                                  "theme.json", names, std::list<std::string>{});
    }
    // 0 stands for no language.
    static void SetInstallerLanguage(int language)
    {
        App()->GetInstallerSettings("")->SetInt("Language", language);
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

// Themes are the theme folders with a description, locales every locale folder, both by the
// folder's name up to its first dot; hidden folders and stray files are no theme or locale. A
// product without a resources folder has neither. A theme's title is the one its description
// gives for the current locale; without one, or with a description that is no JSON (nested
// beyond the reader's limit too), it is the theme's name, with a warning.
void LookAndFeelManagerTest::discoveryAndTitles()
{
    QVERIFY(Manager()->GetThemes().empty());
    QVERIFY(m_build->Theme("Bright", R"({"en_US": "Light", "ru_RU": "Светлая"})"));
    QVERIFY(m_build->Theme("Broken", "{\"ru_RU\": "));
    QVERIFY(m_build->Theme("Deep", QByteArray(100000, '[')));
    for (const char* theme : {"Plain", "Plain.v2", ".Hidden"})
        QVERIFY(m_build->Theme(theme, R"({"en_US": "Plain"})"));
    QVERIFY(m_build->Theme("Bundles", QByteArray()));
    for (const char* locale : {"ru_RU", "de_DE.old", ".cache"})
        QVERIFY(QDir().mkpath(m_build->LocaleFolder(locale)));
    QVERIFY(ResourceBuilder::Write(m_build->Resources() + "/themes/notes.txt", "not a theme"));
    QVERIFY(ResourceBuilder::Write(m_build->Resources() + "/other/x/theme.json", "{}"));

    const auto manager = Manager();
    QCOMPARE(List(manager->GetThemes(), true), Words("Bright Broken Deep Plain Plain"));
    QCOMPARE(List(manager->GetLocales(), true), Words("de_DE ru_RU"));
    QCOMPARE(manager->GetDefaultLocale(), std::string("unknown")); // no installer language

    manager->SetLocale("ru_RU");
    m_log.TakeLines();
    QCOMPARE(Text(manager->GetLocalizedThemeName("Bright")), QString::fromUtf8("Светлая"));
    QCOMPARE(m_log.TakeLines(), QStringList());
    for (const std::string theme : {"Plain", "Broken", "Deep", "Unlisted"}) {
        QCOMPARE(manager->GetLocalizedThemeName(theme), theme);
        QCOMPARE(m_log.TakeLines(), QStringList{"No title found for theme [" + Text(theme)
                                                + "] on language [ru_RU]!"});
    }
}

// Named bundles register in the order of the names, unnamed and missing ones are skipped;
// without names every bundle counts. Each adds its stylesheet and its platform's, then come the
// product's. The bundles are registered until the theme is left.
void LookAndFeelManagerTest::bundleSelection()
{
    for (const char* bundle : {"B", "C", "D"})
        QVERIFY(m_build->Bundle("T", bundle, {{"style.qss", "/*" + QByteArray(bundle) + "*/"}}));
    for (const std::list<std::string>& names : {std::list<std::string>{"C", "A", "B"}, {}}) {
        const auto manager = Manager(names);
        manager->SetTheme("T");
        QStringList registered;
        QString united;
        for (const std::string& path : manager->applied.front().fontMaps) {
            registered << Text(path).section('/', 1, 1);
            united += "/*" + registered.last() + "*/\n\n";
        }
        QCOMPARE(Text(manager->GetUnitedStylesheet()), united + "\n\n");
        QStringList sorted = registered;
        sorted.sort();
        QCOMPARE(names.empty() ? sorted : registered, Words(names.empty() ? "B C D" : "C B"));
        QCOMPARE(QFile::exists(":/D/style.qss"), names.empty());
        manager->SetTheme("");
        QVERIFY(!QFile::exists(":/B/style.qss"));
    }
}

// A bundle name both themes use holds the new theme's files after the switch; a bundle only the
// old theme had is gone, the pixmap cache is emptied and observers see the new stylesheet.
// Setting the current theme again picks up the font entries of a locale switched to since, and
// leaves its bundles registered once. Leaving the theme unregisters them and tells nobody, and
// the stylesheet stays.
void LookAndFeelManagerTest::switchReplacesBundles()
{
    QVERIFY(m_build->Bundle("One", "base", {{"style.qss", "one{}"}}));
    QVERIFY(m_build->Bundle("One", "extra", {{"style.qss", "extra{}"}}));
    QVERIFY(m_build->Bundle(
        "Two", "base",
        {{"fonts.json", R"({"all_platforms":{"all_languages":{"f":"Any"},"de_DE":{"f":"DE"}}})"},
         {"style.qss", "two{@f}"}}));
    QVERIFY(QDir().mkpath(m_build->LocaleFolder("de_DE")));
    const auto manager = Manager();
    RecordingObserver observer(*manager);

    manager->SetTheme("");
    QVERIFY(manager->applied.empty());
    manager->SetTheme("One");
    QVERIFY(QFile::exists(":/extra/style.qss"));
    QPixmapCache::insert(QStringLiteral("cached"), QPixmap(4, 4));
    manager->SetTheme("Two");
    QVERIFY(!QFile::exists(":/extra/style.qss"));
    QFile base(":/base/style.qss");
    QVERIFY(base.open(QIODevice::ReadOnly));
    QCOMPARE(base.readAll(), QByteArray("two{@f}"));
    QPixmap cached;
    QVERIFY(!QPixmapCache::find(QStringLiteral("cached"), &cached));
    QCOMPARE(observer.stylesheets.last().trimmed(), QStringLiteral("two{Any}"));

    manager->SetLocale("de_DE");
    manager->SetTheme("Two");
    QCOMPARE(observer.stylesheets.last().trimmed(), QStringLiteral("two{DE}"));
    QCOMPARE(observer.events, (QStringList{"theme One", "theme Two", "locale de_DE", "theme Two"}));
    manager->SetTheme("");
    QVERIFY(!QFile::exists(":/base/style.qss"));
    QVERIFY(manager->GetCurrentTheme().empty());
    QCOMPARE(observer.events.size(), 4);
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), QStringLiteral("two{DE}"));
}

void LookAndFeelManagerTest::fontTables_data()
{
    QTest::addColumn<QList<QByteArray>>("tables");
    QTest::addColumn<QByteArray>("style");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const QList<QByteArray>& tables, const char* style,
                        const char* expected) {
        QTest::newRow(name) << tables << QByteArray(style) << QString::fromUtf8(expected);
    };
    // The locale is de_DE: its entries beat all languages', this platform's beat all platforms'.
    // Every occurrence is replaced, case-sensitively.
    row("precedence",
        {R"({"all_platforms":{"all_languages":{"a":"A0","b":"B0","c":"C0","n":12},)"
         R"("de_DE":{"b":"B1","c":"C1"},"ru_RU":{"a":"R"}},)"
         R"("linux":{"all_languages":{"c":"C2"}},"win":{"all_languages":{"a":"W"}}})"},
        "@a @b @c @n @A @a", "A0 B1 C2 12 @A A0");
    row("later file wins",
        {R"({"all_platforms":{"all_languages":{"f":"A","g":"G"}}})",
         R"({"all_platforms":{"all_languages":{"f":"B"}}})"},
        "x{font:@f;@g}", "x{font:B;G}");
    row("shorter key replaced first",
        {R"({"all_platforms":{"all_languages":{"font":"Sans","fontSize":"12px"}}})"},
        "a{font:@font;size:@fontSize}", "a{font:Sans;size:SansSize}");
    row("malformed tables",
        {"{\"all_platforms\": {", R"({"all_platforms":"text","linux":{"all_languages":[1,2]}})"},
        "x{font:@f}", "x{font:@f}");
    row("non-Latin names",
        {R"({"all_platforms":{"all_languages":{"jp":"メイリオ","cn":"微软雅黑"}}})"},
        "a{font:\"@jp\"} b{font:\"@cn\"}", "a{font:\"メイリオ\"} b{font:\"微软雅黑\"}");
    // A NUL inside a stylesheet does not end it.
    QTest::newRow("text after a NUL kept")
        << QList<QByteArray>{R"({"all_platforms":{"all_languages":{"f":"A"}}})"}
        << QByteArray("x{}\0y{font:@f}", 14)
        << QStringLiteral("x{}") + QChar() + QStringLiteral("y{font:A}");
}

void LookAndFeelManagerTest::fontTables()
{
    QFETCH(QList<QByteArray>, tables);
    QFETCH(QByteArray, style);
    QFETCH(QString, expected);
    QVERIFY(QDir().mkpath(m_build->LocaleFolder("de_DE")));
    std::list<std::string> names{"style"};
    QVERIFY(m_build->Bundle("T", "style", {{"style.qss", style}}));
    for (const QByteArray& table : tables) {
        names.push_back("b" + std::to_string(names.size()));
        QVERIFY(m_build->Bundle("T", Text(names.back()), {{"fonts.json", table}}));
    }
    const auto manager = Manager(names);
    const auto leave = qScopeGuard([&] { manager->SetTheme(""); }); // for the next row
    manager->SetLocale("de_DE");
    // The tables are UTF-8 whatever the local 8-bit encoding is.
    QTextCodec* const previous = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    manager->SetTheme("T");
    QTextCodec::setCodecForLocale(previous);
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), expected);
}

// Fonts named by a bundle's list are added to the application; names of missing files are
// skipped.
void LookAndFeelManagerTest::fontManifest()
{
    QFile font(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"));
    if (!font.open(QIODevice::ReadOnly))
        QSKIP("needs the DejaVu fonts");
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

// A theme without a folder is still set and told, with a logged error, and only the product's
// stylesheets. A file that is no bundle registers nothing; the other bundles still count.
void LookAndFeelManagerTest::badThemes()
{
    const auto manager = Manager({"junk", "good"});
    RecordingObserver observer(*manager);
    manager->SetTheme("Nowhere");
    const QString line
        = "The directory [" + m_build->Resources() + "/themes/Nowhere] doesn't exist!";
    QCOMPARE(m_log.TakeLines(), QStringList{line});
    QCOMPARE(observer.events, QStringList{"theme Nowhere"});
    QCOMPARE(List(manager->applied.front().styleSheets),
             (QStringList{":/productStyle.qss", ":/productStyle_linux.qss"}));

    QVERIFY(m_build->Bundle("T", "good", {{"style.qss", "good{}"}}));
    QVERIFY(ResourceBuilder::Write(m_build->ThemeFolder("T") + "/junk.rcc", QByteArray(300, 0x7f)));
    manager->SetTheme("T");
    QCOMPARE(Text(manager->GetUnitedStylesheet()), QStringLiteral("\n\ngood{}\n\n\n\n"));
    manager->SetTheme("");
}

void LookAndFeelManagerTest::validateLocale_data()
{
    QTest::addColumn<QStringList>("shipped");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("system");
    QTest::addColumn<int>("installerLanguage");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* shipped, const char* request,
                        const char* system, int installerLanguage, const char* expected) {
        QTest::newRow(name) << Words(shipped) << request << system << installerLanguage << expected;
    };
    const char* const three = "en_US de_DE ru_RU";
    row("unshipped takes the system language", three, "fr_FR", "de_DE", 0, "de_DE");
    row("only Portuguese and Chinese change country", three, "", "de_AT", 0, "en_US");
    row("Portuguese of Portugal", "en_US pt_BR", "", "pt_PT", 0, "pt_BR");
    row("mainland Chinese", "zh_TW zh_CN", "", "zh_CN", 0, "zh_CN");
    row("Hong Kong Chinese", "zh_CN zh_TW", "", "zh_HK", 0, "zh_TW");
    row("installer language", three, "", "fr_FR", 1031, "de_DE");
    row("installer language unshipped", three, "", "fr_FR", 2052, "zh_CN");
    row("English last", "de_DE", "", "fr_FR", 0, "en_US");
    row("a folder named unknown", "unknown de_DE", "unknown", "fr_FR", 0, "en_US");
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

// Each switch replaces every translator of the previous locale, also for a locale without files,
// and the manager's translators go with it. Named files load in the order of the names, a later
// one winning; other files, missing names and a file that is no translation are skipped.
// Without names every file loads. A request that resolves to the current locale changes nothing.
void LookAndFeelManagerTest::translators()
{
    QVERIFY(m_build->Translation("de_DE", "first_de_DE.qm",
                                 {{"Hello", "Erste"}, {"German only", "Nur deutsch"}}));
    QVERIFY(m_build->Translation("de_DE", "second_de_DE.qm", {{"Hello", "Hallo"}}));
    QVERIFY(m_build->Translation("de_DE", "other_de_DE.qm", {{"Other", "Andere"}}));
    QVERIFY(ResourceBuilder::Write(m_build->LocaleFolder("de_DE") + "/broken_de_DE.qm",
                                   "not a catalogue"));
    QVERIFY(QDir().mkpath(m_build->LocaleFolder("ru_RU")));
    QLocale::setDefault(QLocale("de_DE"));
    auto manager = Manager({"absent", "first", "broken", "second"});
    {
        RecordingObserver observer(*manager);
        manager->SetLocale("de_DE");
        manager->SetLocale("unknown");
        QCOMPARE(Translated("Hello"), QStringLiteral("Hallo"));
        QCOMPARE(Translated("German only"), QStringLiteral("Nur deutsch"));
        QCOMPARE(Translated("Other"), QStringLiteral("Other"));
        manager->SetLocale("ru_RU");
        QCOMPARE(Translated("German only"), QStringLiteral("German only"));
        QCOMPARE(observer.events, (QStringList{"locale de_DE", "locale ru_RU"}));
        manager->SetLocale("de_DE");
    }
    manager = Manager();
    manager->SetLocale("de_DE");
    QCOMPARE(Translated("Other"), QStringLiteral("Andere"));
    manager.reset();
    QCOMPARE(Translated("Hello"), QStringLiteral("Hello"));
}

// The installer's language, region included, reaches the manager as its locale; one that no
// product ships gives English. Every locale an installer language can give is one Qt knows by
// that very name, and the language menu shows it in its own language; Portuguese of Portugal,
// which no product ships, shows as its code. The undetermined language shows as nothing.
void LookAndFeelManagerTest::installerLanguages()
{
    using Tavrix::App::GetLanguageDisplayName;
    QCOMPARE(LookAndFeelManager::LocaleNameFromInstallerCode(0x0404), std::string("zh_TW"));
    QCOMPARE(LookAndFeelManager::LocaleNameFromInstallerCode(0xFFFFFFFF), std::string("en_US"));
    std::set<std::string> locales;
    for (uint code = 0; code <= 0xFFFF; ++code)
        locales.insert(LookAndFeelManager::LocaleNameFromInstallerCode(code));
    for (const std::string& locale : locales) {
        const QLocale qtLocale(Text(locale));
        QCOMPARE(qtLocale.name(), Text(locale));
        const QString shown = Text(GetLanguageDisplayName(locale));
        const QString native = qtLocale.nativeLanguageName();
        if (locale != "pt_PT")
            QVERIFY2(shown.contains(native, Qt::CaseInsensitive)
                         || native.contains(shown, Qt::CaseInsensitive),
                     qPrintable(Text(locale) + " shown as " + shown));
    }
    QCOMPARE(GetLanguageDisplayName("pt_PT"), std::string("pt_PT"));
    QCOMPARE(GetLanguageDisplayName("und"), std::string());
}

// The resources folder can be moved by the environment.
void LookAndFeelManagerTest::resourceLocations()
{
    qputenv("TAVRIX_RESOURCES_PATH", QFile::encodeName(m_dir->path()));
    QCOMPARE(Text(Tavrix::App::GetPathToResources().utf8string()), m_dir->path());
    QCOMPARE(Text(Tavrix::App::GetPathToFontConfigFile().utf8string()),
             m_dir->path() + "/fonts.conf");
    qunsetenv("TAVRIX_RESOURCES_PATH");
    QCOMPARE(Text(Tavrix::App::GetPathToResources().utf8string()),
             QCoreApplication::applicationDirPath() + "/resources");
}

TAVRIX_TEST_MAIN(LookAndFeelManagerTest, Tavrix::App::Application)

#include "tst_lookandfeelmanager.moc"
