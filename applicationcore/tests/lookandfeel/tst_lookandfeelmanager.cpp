#include "TestCustomization.h"
#include "CapturingLogSink.h"
#include "ResourceBuilder.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QFontDatabase>
#include <QLocale>
#include <QPixmapCache>
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

// Records each notification together with the stylesheet the manager holds at that moment.
class RecordingObserver : public ILookAndFeelObserver
{
public:
    explicit RecordingObserver(LookAndFeelManager& manager) : m_manager(manager)
    {
        m_manager.RegisterObserver(this);
    }
    ~RecordingObserver() override { m_manager.UnregisterObserver(this); }
    void OnLocaleChanged(const std::string& locale) override
    {
        events << QString::fromStdString("locale " + locale);
    }
    void OnThemeChanged(const std::string& theme) override
    {
        events << QString::fromStdString("theme " + theme);
        stylesheets << QString::fromStdString(m_manager.GetUnitedStylesheet());
    }

    QStringList events;
    QStringList stylesheets;

private:
    LookAndFeelManager& m_manager;
};

QString Text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

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
    void installerCodes_data();
    void installerCodes();
    void installerLocalesShownInTheirLanguage();
    void displayNames_data();
    void displayNames();
    void resourceLocations();

private:
    std::unique_ptr<RecordingManager> Manager(const QStringList& resourceNames = {}) const
    {
        std::list<std::string> names;
        for (const QString& name : resourceNames)
            names.push_back(name.toStdString());
        return std::make_unique<RecordingManager>(Tavrix::ioPath(m_dir->path().toStdString()),
                                                  "theme.json", names, std::list<std::string>{});
    }
    // A theme "T" with one bundle of the given files.
    void Theme(const ResourceBuilder::Files& files, const QString& bundle = QStringLiteral("b"))
    {
        QVERIFY(m_build->Theme("T"));
        QVERIFY(m_build->Bundle("T", bundle, files));
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
    const auto row = [](const char* name, const char* themes, const char* bare, const char* locales,
                        const char* expectedThemes, const char* expectedLocales) {
        QTest::newRow(name) << Words(themes) << Words(bare) << Words(locales)
                            << Words(expectedThemes) << Words(expectedLocales);
    };
    row("nothing shipped", "", "", "", "", "");
    row("themes need a description", "Light Dark", "Bundles", "en_US de_DE", "Dark Light",
        "de_DE en_US");
    row("dotted theme looks for the shorter folder", "Blue.v2", "", "", "", "");
    row("dotted theme beside its shorter name", "Blue Blue.v2", "", "", "Blue Blue", "");
    row("dotted locale under the shorter name", "", "", "de_DE.old", "", "de_DE");
    row("hidden folders", ".Hidden", "", ".cache", "", "");
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
    QVERIFY(ResourceBuilder::Write(m_build->Resources() + "/themes/notes.txt", "not a theme"));
    QVERIFY(ResourceBuilder::Write(m_build->Resources() + "/other/x/theme.json", "{}"));

    const auto manager = Manager();
    QCOMPARE(List(manager->GetThemes(), true), expectedThemes);
    QCOMPARE(List(manager->GetLocales(), true), expectedLocales);
    QVERIFY(manager->GetCurrentTheme().empty());
    QVERIFY(manager->GetCurrentLocale().empty());
    QVERIFY(manager->GetUnitedStylesheet().empty());
    QCOMPARE(manager->GetDefaultLocale(), std::string("unknown")); // no installer language
}

void LookAndFeelManagerTest::bundleSelection_data()
{
    QTest::addColumn<QStringList>("onDisk");
    QTest::addColumn<QStringList>("resourceNames");
    QTest::addColumn<QStringList>("expectedBundles");
    QTest::newRow("single bundle") << Words("B") << QStringList() << Words("B");
    QTest::newRow("named bundles only") << Words("B C") << Words("A B") << Words("B");
    QTest::newRow("names give the order") << Words("B C") << Words("C B") << Words("C B");
    QTest::newRow("every bundle") << Words("B C") << QStringList() << Words("B C");
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
    // Without names the file system decides the order; every list then goes by bundle in it.
    QStringList bundles;
    for (const std::string& path : description.fontMaps)
        bundles << Text(path).section('/', 1, 1);
    QStringList order = bundles;
    if (resourceNames.isEmpty())
        order.sort();
    QCOMPARE(order, expectedBundles);
    QStringList styleSheets, fontMaps, fontManifests;
    QString united;
    for (const QString& bundle : bundles) {
        styleSheets << ":/" + bundle + "/style.qss"
                    << ":/" + bundle + "/fonts_linux.qss";
        fontMaps << ":/" + bundle + "/fonts.json";
        fontManifests << ":/" + bundle + "/fonts.manifest";
        united += "/*" + bundle + "*/\n\n";
    }
    QCOMPARE(List(description.styleSheets), styleSheets << ":/productStyle.qss"
                                                        << ":/productStyle_linux.qss");
    QCOMPARE(List(description.fontMaps), fontMaps);
    QCOMPARE(List(description.fontManifests), fontManifests);
    QCOMPARE(Text(manager->GetUnitedStylesheet()), united + "\n\n");
    for (const QString& bundle : onDisk)
        QCOMPARE(QFile::exists(":/" + bundle + "/style.qss"), expectedBundles.contains(bundle));

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
    QCOMPARE(observer.events, (QStringList{"theme One", "theme Two"}));
    QVERIFY(observer.stylesheets.last().startsWith("two{}\n"));
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
    QTest::addColumn<QByteArray>("localCodec");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const QList<QByteArray>& tables, const char* style,
                        const char* locale, const char* expected, const char* codec = "") {
        QTest::newRow(name) << tables << QByteArray(style) << locale << QByteArray(codec)
                            << QString::fromUtf8(expected);
    };
    const char* const style = "x{font:@f}";
    const QByteArray any = R"({"all_platforms":{"all_languages":{"f":"A"}}})";

    row("platform over all platforms",
        {R"({"all_platforms":{"all_languages":{"f":"A"}},"linux":{"all_languages":{"f":"B"}}})"},
        style, "en_US", "x{font:B}");
    row("locale over all languages",
        {R"({"all_platforms":{"de_DE":{"f":"C"},"all_languages":{"f":"A"}}})"}, style, "de_DE",
        "x{font:C}");
    row("platform over all-platform locale",
        {R"({"linux":{"all_languages":{"f":"B"}},"all_platforms":{"de_DE":{"f":"C"}}})"}, style,
        "de_DE", "x{font:B}");
    row("other locale and platform ignored",
        {R"({"all_platforms":{"all_languages":{"f":"A"},"ru_RU":{"f":"R"}},"win":{"all_languages":{"f":"W"}}})"},
        style, "de_DE", "x{font:A}");
    row("later file wins",
        {R"({"all_platforms":{"all_languages":{"f":"A","g":"G"}}})",
         R"({"all_platforms":{"all_languages":{"f":"B"}}})"},
        "x{font:@f;@g}", "en_US", "x{font:B;G}");
    row("shorter key replaced first",
        {R"({"all_platforms":{"all_languages":{"font":"Sans","fontSize":"12px"}}})"},
        "a{font:@font;size:@fontSize}", "en_US", "a{font:Sans;size:SansSize}");
    row("case-sensitive", {any}, "@F @f", "en_US", "@F A");
    row("every occurrence", {any}, "@f @f@f", "en_US", "A AA");
    row("number as text", {R"({"all_platforms":{"all_languages":{"f":12}}})"}, style, "en_US",
        "x{font:12}");
    row("not an object", {R"(["f", "A"])"}, style, "en_US", "x{font:@f}");
    row("not JSON", {"{\"all_platforms\": {"}, style, "en_US", "x{font:@f}");
    row("values of the wrong types",
        {R"({"all_platforms":"text","linux":{"all_languages":[1,2]}})",
         R"({"all_platforms":{"all_languages":"f"}})"},
        style, "en_US", "x{font:@f}");
    // The table is UTF-8 whatever the local 8-bit encoding is.
    const QByteArray nonLatin
        = R"({"all_platforms":{"all_languages":{"jp":"メイリオ","cn":"微软雅黑"}}})";
    for (const char* codec : {"ISO-8859-1", "Shift_JIS", "UTF-8"})
        row(QByteArray("non-Latin names under ").append(codec).constData(), {nonLatin},
            "a{font:\"@jp\"} b{font:\"@cn\"}", "en_US", "a{font:\"メイリオ\"} b{font:\"微软雅黑\"}",
            codec);
    // A NUL inside a stylesheet does not end it.
    QTest::newRow("text after a NUL kept")
        << QList<QByteArray>{any} << QByteArray("x{}\0y{font:@f}", 14) << QString("en_US")
        << QByteArray() << QStringLiteral("x{}") + QChar() + QStringLiteral("y{font:A}");
}

void LookAndFeelManagerTest::fontTables()
{
    QFETCH(QList<QByteArray>, tables);
    QFETCH(QByteArray, style);
    QFETCH(QString, locale);
    QFETCH(QByteArray, localCodec);
    QFETCH(QString, expected);
    QVERIFY(QDir().mkpath(m_build->LocaleFolder(locale)));
    QVERIFY(m_build->Theme("T"));
    QStringList names;
    for (int i = 0; i < tables.size(); ++i) {
        names << QStringLiteral("b%1").arg(i);
        ResourceBuilder::Files files{{"fonts.json", tables[i]}};
        if (i == 0)
            files.insert("style.qss", style);
        QVERIFY(m_build->Bundle("T", names.last(), files));
    }
    const auto manager = Manager(names);
    manager->SetLocale(locale.toStdString());
    QTextCodec* const previous = QTextCodec::codecForLocale();
    if (!localCodec.isEmpty()) {
        QVERIFY(QTextCodec::codecForName(localCodec));
        QTextCodec::setCodecForLocale(QTextCodec::codecForName(localCodec));
    }
    manager->SetTheme("T");
    QTextCodec::setCodecForLocale(previous);
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), expected);
    manager->SetTheme("");
}

// Fonts named by a bundle's list are added to the application; names of missing files are
// skipped.
void LookAndFeelManagerTest::fontManifest()
{
    QFile font(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"));
    if (!font.open(QIODevice::ReadOnly))
        QSKIP("needs the DejaVu fonts");
    Theme({{"fonts.manifest", ":/fonts/missing.ttf\n  :/fonts/DejaVuSerif-Bold.ttf \n"},
           {"DejaVuSerif-Bold.ttf", font.readAll()}},
          "fonts");
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
    manager->SetTheme("Nowhere");

    const QString line
        = "The directory [" + m_build->Resources() + "/themes/Nowhere] doesn't exist!";
    QCOMPARE(m_log.TakeLines(), QStringList{line});
    QCOMPARE(manager->GetCurrentTheme(), std::string("Nowhere"));
    QCOMPARE(observer.events, QStringList{"theme Nowhere"});
    QCOMPARE(List(manager->applied.front().styleSheets),
             (QStringList{":/productStyle.qss", ":/productStyle_linux.qss"}));
    QVERIFY(manager->applied.front().fontMaps.empty());
    QCOMPARE(Text(manager->GetUnitedStylesheet()), QStringLiteral("\n\n"));
    manager->SetTheme("");
    QCOMPARE(m_log.TakeLines(), QStringList{line});
}

// Setting the current theme again picks up the font entries of a locale switched to since.
void LookAndFeelManagerTest::sameThemeAgain()
{
    QVERIFY(QDir().mkpath(m_build->LocaleFolder("en_US")));
    QVERIFY(QDir().mkpath(m_build->LocaleFolder("de_DE")));
    Theme({{"fonts.json",
            R"({"all_platforms":{"all_languages":{"f":"Any"},"de_DE":{"f":"German"}}})"},
           {"style.qss", "@f"}});
    const auto manager = Manager();
    RecordingObserver observer(*manager);

    manager->Initialize("en_US", "T");
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), QStringLiteral("Any"));
    manager->SetLocale("de_DE");
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), QStringLiteral("Any"));
    manager->SetTheme("T");
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), QStringLiteral("German"));
    QVERIFY(QFile::exists(":/b/style.qss"));
    QCOMPARE(observer.events, (QStringList{"locale en_US", "theme T", "locale de_DE", "theme T"}));
    // Applied twice, the bundle is still registered only once.
    manager->SetTheme("");
    QVERIFY(!QFile::exists(":/b/style.qss"));
}

void LookAndFeelManagerTest::emptyTheme()
{
    Theme({{"style.qss", "b{}"}});
    const auto manager = Manager();
    RecordingObserver observer(*manager);
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
    QCOMPARE(observer.events, QStringList{"theme T"});
    QCOMPARE(manager->applied.size(), std::size_t(1));
    // The stylesheet stays as the last theme left it.
    QCOMPARE(Text(manager->GetUnitedStylesheet()).trimmed(), QStringLiteral("b{}"));
}

// A file that is no bundle registers nothing; the other bundles still count.
void LookAndFeelManagerTest::badBundle()
{
    Theme({{"style.qss", "good{}"}}, "good");
    QVERIFY(ResourceBuilder::Write(m_build->ThemeFolder("T") + "/junk.rcc", QByteArray(300, 0x7f)));
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
    QTest::addColumn<QString>("expected"); // the theme's own name, with a warning, when none
    const QByteArray titles = R"({"en_US": "Light", "de_DE": "Hell", "ru_RU": "Светлая"})";
    QTest::newRow("title in the locale") << titles << "de_DE" << QString("Hell");
    QTest::newRow("non-Latin title") << titles << "ru_RU" << QString::fromUtf8("Светлая");
    QTest::newRow("no title for the locale")
        << QByteArray(R"({"en_US": "Light"})") << "de_DE" << QString("Bright");
    QTest::newRow("description not JSON")
        << QByteArray("{\"en_US\": ") << "en_US" << QString("Bright");
    QTest::newRow("description not an object")
        << QByteArray("\"Light\"") << "en_US" << QString("Bright");
    QTest::newRow("description nested too deep")
        << QByteArray(100000, '[') << "en_US" << QString("Bright");
}

void LookAndFeelManagerTest::localizedThemeName()
{
    QFETCH(QByteArray, description);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QVERIFY(QDir().mkpath(m_build->LocaleFolder(locale)));
    QVERIFY(m_build->Theme("Bright", description));
    const auto manager = Manager();
    QCOMPARE(List(manager->GetThemes()), QStringList{"Bright"});
    manager->SetLocale(locale.toStdString());
    m_log.TakeLines();
    QCOMPARE(Text(manager->GetLocalizedThemeName("Bright")), expected);
    const QStringList warning{"No title found for theme [Bright] on language [" + locale + "]!"};
    QCOMPARE(m_log.TakeLines(), expected == "Bright" ? warning : QStringList());

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
    const auto row = [](const char* name, const char* shipped, const char* request,
                        const char* system, int installerLanguage, const char* expected) {
        QTest::newRow(name) << Words(shipped) << request << system << installerLanguage << expected;
    };
    const char* const three = "en_US de_DE ru_RU";
    row("shipped request", three, "de_DE", "ru_RU", 1049, "de_DE");
    row("unknown takes the system language", three, "unknown", "ru_RU", 0, "ru_RU");
    row("empty takes the system language", three, "", "de_DE", 0, "de_DE");
    row("unshipped takes the system language", three, "fr_FR", "de_DE", 0, "de_DE");
    row("only Portuguese and Chinese change country", three, "", "de_AT", 0, "en_US");
    row("Portuguese of Portugal", "en_US pt_BR", "", "pt_PT", 0, "pt_BR");
    row("Portuguese of Brazil", "en_US pt_BR", "", "pt_BR", 0, "pt_BR");
    row("mainland Chinese", "zh_TW zh_CN", "", "zh_CN", 0, "zh_CN");
    row("Hong Kong Chinese", "zh_CN zh_TW", "", "zh_HK", 0, "zh_TW");
    row("Singapore Chinese", "zh_CN zh_TW", "", "zh_SG", 0, "zh_TW");
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

// Each switch replaces every translator of the previous locale; the manager's translators go
// with it.
void LookAndFeelManagerTest::translatorsReplaced()
{
    QVERIFY(m_build->Translation("de_DE", "demo_de_DE.qm",
                                 {{"Hello", "Hallo"}, {"German only", "Nur deutsch"}}));
    QVERIFY(m_build->Translation("ru_RU", "demo_ru_RU.qm", {{"Hello", "Привет"}}));
    auto manager = Manager();
    {
        RecordingObserver observer(*manager);
        manager->SetLocale("de_DE");
        QCOMPARE(Translated("Hello"), QStringLiteral("Hallo"));
        QCOMPARE(Translated("German only"), QStringLiteral("Nur deutsch"));
        manager->SetLocale("ru_RU");
        QCOMPARE(Translated("Hello"), QString::fromUtf8("Привет"));
        QCOMPARE(Translated("German only"), QStringLiteral("German only"));
        QCOMPARE(observer.events, (QStringList{"locale de_DE", "locale ru_RU"}));
    }
    manager.reset();
    QCOMPARE(Translated("Hello"), QStringLiteral("Hello"));
}

void LookAndFeelManagerTest::translationFiles_data()
{
    QTest::addColumn<QStringList>("resourceNames");
    QTest::addColumn<QStringList>("expected"); // "Shared", "First only", "Other"
    QTest::newRow("named files, later wins")
        << Words("first second") << QStringList{"Zweite", "Nur erste", "Other"};
    QTest::newRow("named file only")
        << Words("second") << QStringList{"Zweite", "First only", "Other"};
    QTest::newRow("missing name") << Words("absent first")
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
    manager->SetLocale("de_DE");
    manager->SetLocale("de_DE");
    manager->SetLocale("unknown");
    QCOMPARE(Translated("Hello"), QStringLiteral("Hallo"));
    manager->SetLocale("ru_RU");
    QCOMPARE(Translated("Hello"), QStringLiteral("Hello"));
    QCOMPARE(observer.events, (QStringList{"locale de_DE", "locale ru_RU"}));
}

void LookAndFeelManagerTest::installerCodes_data()
{
    // Windows language identifiers: the language in the low ten bits, the region above.
    QTest::addColumn<uint>("code");
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QLocale::Country>("country");
    QTest::newRow("German") << 0x0407u << QLocale::German << QLocale::Germany;
    QTest::newRow("Japanese") << 0x0411u << QLocale::Japanese << QLocale::Japan;
    QTest::newRow("Chinese of China") << 0x0804u << QLocale::Chinese << QLocale::China;
    QTest::newRow("Chinese of Taiwan") << 0x0404u << QLocale::Chinese << QLocale::Taiwan;
    QTest::newRow("Portuguese of Brazil") << 0x0416u << QLocale::Portuguese << QLocale::Brazil;
    QTest::newRow("Portuguese of Portugal") << 0x0816u << QLocale::Portuguese << QLocale::Portugal;
    QTest::newRow("US English") << 0x0409u << QLocale::English << QLocale::UnitedStates;
    QTest::newRow("none") << 0u << QLocale::English << QLocale::UnitedStates;
    QTest::newRow("British English") << 0x0809u << QLocale::English << QLocale::UnitedStates;
    QTest::newRow("no language") << 0xFFFFFFFFu << QLocale::English << QLocale::UnitedStates;
}

// The installer's language reaches the manager as its locale.
void LookAndFeelManagerTest::installerCodes()
{
    QFETCH(uint, code);
    QFETCH(QLocale::Language, language);
    QFETCH(QLocale::Country, country);
    const QString name = Text(LookAndFeelManager::LocaleNameFromInstallerCode(code));
    QCOMPARE(QLocale(name).language(), language);
    QCOMPARE(QLocale(name).country(), country);
    SetInstallerLanguage(int(code));
    if (code != 0)
        QCOMPARE(Text(Manager()->GetDefaultLocale()), name);
}

// Every locale an installer language can give is one Qt knows by that very name, and the
// language menu shows it in its own language. Portuguese of Portugal, which no product ships,
// shows as its code.
void LookAndFeelManagerTest::installerLocalesShownInTheirLanguage()
{
    std::set<std::string> locales;
    for (uint code = 0; code <= 0xFFFF; ++code)
        locales.insert(LookAndFeelManager::LocaleNameFromInstallerCode(code));
    QVERIFY(locales.size() > 2);
    for (const std::string& locale : locales) {
        const QLocale qtLocale(Text(locale));
        QCOMPARE(qtLocale.name(), Text(locale));
        const QString shown = Text(Tavrix::App::GetLanguageDisplayName(locale));
        const QString native = qtLocale.nativeLanguageName();
        if (locale != "pt_PT")
            QVERIFY2(shown.contains(native, Qt::CaseInsensitive)
                         || native.contains(shown, Qt::CaseInsensitive),
                     qPrintable(Text(locale) + " shown as " + shown));
    }
}

void LookAndFeelManagerTest::displayNames_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");
    // A three-letter code shows the English name of its language, here named by its two letters.
    const std::pair<const char*, const char*> threeLetter[]
        = {{"ger", "de"}, {"rus", "ru"}, {"jpn", "ja"}, {"fre", "fr"}};
    for (const auto& [code, language] : threeLetter)
        QTest::newRow(code) << code << QLocale::languageToString(QLocale(language).language());
    QTest::newRow("undetermined") << "und" << QString();
    for (const char* unlisted : {"pt_PT", "", "EN_us", "xx_YY"})
        QTest::addRow("unlisted '%s'", unlisted) << unlisted << QString(unlisted);
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
    for (const char* path :
         {":/About/about_de_DE.png", ":/About/about_en_US.png", ":/About/about_ru_RU.png",
          ":/Splash/splash.bmp", ":/Signature/ellipse.png", ":/Signature/dotted_line.png",
          ":/Signature/sign.png"})
        QVERIFY2(!QImage(path).isNull(), path);
    QVERIFY(QFile::exists(":/Signature/SignatureStyle.qss"));
}

TAVRIX_TEST_MAIN(LookAndFeelManagerTest, Tavrix::App::Application)

#include "tst_lookandfeelmanager.moc"
