#include "ResourceBuilder.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>

using Tavrix::App::ILookAndFeelObserver;
using Tavrix::App::LookAndFeelHandler;
using Tavrix::App::LookAndFeelManager;

namespace {

QStringList Titles(const QMenu& menu)
{
    QStringList titles;
    for (const QAction* action : menu.actions())
        titles << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return titles;
}

QString Checked(const QMenu& menu)
{
    for (const QAction* action : menu.actions()) {
        if (action->isChecked())
            return action->data().toString();
    }
    return {};
}

// The locale entries as the menu should title them, ending with the menu's separator.
QStringList Shown(const QStringList& locales)
{
    QStringList titles;
    for (const QString& locale : locales)
        titles << QString::fromStdString(Tavrix::App::GetLanguageDisplayName(locale.toStdString()));
    return titles << QStringLiteral("|");
}

QAction* Entry(const QMenu& menu, const QString& name)
{
    for (QAction* action : menu.actions()) {
        if (action->data().toString() == name)
            return action;
    }
    return nullptr;
}

// Notes which locale entry is checked when a later observer hears of a switch.
class CheckWatcher : public ILookAndFeelObserver
{
public:
    explicit CheckWatcher(const QMenu& menu) : m_menu(menu) {}
    void OnLocaleChanged(const std::string&) override { checkedWhenTold << Checked(m_menu); }
    void OnThemeChanged(const std::string&) override {}
    QStringList checkedWhenTold;

private:
    const QMenu& m_menu;
};

} // namespace

class LookAndFeelHandlerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fillingChecksNothing();
    void picksAndNotificationsMoveChecks_data();
    void picksAndNotificationsMoveChecks();
    void pickResolvedToAnotherLocale();
    void refreshNeedsSelection();
    void listSetTwice();
    void menuRemoved();
    void themeTitlesFollowPickedLocale();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::shared_ptr<LookAndFeelManager> m_manager;
    QMenu m_locales;
    QMenu m_themes;
};

void LookAndFeelHandlerTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const ResourceBuilder build(m_dir->path());
    for (const char* locale : {"en_US", "de_DE", "ru_RU"})
        QVERIFY(QDir().mkpath(build.LocaleFolder(locale)));
    QVERIFY(build.Theme("Light", R"({"en_US": "Light", "de_DE": "Hell", "ru_RU": "Светлая"})"));
    QVERIFY(build.Theme("Dark", R"({"en_US": "Dark", "de_DE": "Dunkel", "ru_RU": "Тёмная"})"));
    QLocale::setDefault(QLocale("en_US"));
    m_manager = std::make_shared<LookAndFeelManager>(Tavrix::ioPath(m_dir->path().toStdString()),
                                                     "theme.json", std::list<std::string>{},
                                                     std::list<std::string>{});
    m_manager->Initialize("en_US", "");
}

void LookAndFeelHandlerTest::cleanup()
{
    m_locales.clear();
    m_themes.clear();
    m_manager.reset();
    m_dir->setAutoRemove(!QTest::currentTestFailed());
}

void LookAndFeelHandlerTest::fillingChecksNothing()
{
    LookAndFeelHandler handler(m_manager, &m_locales, &m_themes, nullptr);
    QVERIFY(m_locales.actions().isEmpty());
    handler.SetLocaleList({"en_US", "de_DE", "ru_RU", "xx_YY"});
    handler.SetThemeList({"Light", "Dark"});
    QCOMPARE(Titles(m_locales), Shown({"en_US", "de_DE", "ru_RU", "xx_YY"}));
    QCOMPARE(Titles(m_themes), (QStringList{"Light", "Dark"}));
    QCOMPARE(Checked(m_locales), QString());
    QCOMPARE(Checked(m_themes), QString());
    for (const QAction* action : m_themes.actions())
        QVERIFY(action->isCheckable());
}

void LookAndFeelHandlerTest::picksAndNotificationsMoveChecks_data()
{
    QTest::addColumn<bool>("pick"); // through the menu, else straight through the manager
    QTest::newRow("picked") << true;
    QTest::newRow("switched elsewhere") << false;
}

void LookAndFeelHandlerTest::picksAndNotificationsMoveChecks()
{
    QFETCH(bool, pick);
    LookAndFeelHandler handler(m_manager, &m_locales, &m_themes, nullptr);
    handler.SetLocaleList({"en_US", "de_DE"});
    handler.SetThemeList({"Light", "Dark"});
    handler.SelectLocale("en_US");
    handler.SelectTheme("Light");
    QCOMPARE(Checked(m_locales), QStringLiteral("en_US"));
    QCOMPARE(Checked(m_themes), QStringLiteral("Light"));
    QCOMPARE(m_manager->GetCurrentTheme(), std::string()); // selecting switches nothing

    std::vector<std::string> emitted;
    connect(&handler, &LookAndFeelHandler::LocaleChanged, this,
            [&emitted](const std::string& locale) { emitted.push_back("locale " + locale); });
    connect(&handler, &LookAndFeelHandler::ThemeChanged, this,
            [&emitted](const std::string& theme) { emitted.push_back("theme " + theme); });

    if (pick) {
        Entry(m_locales, "de_DE")->trigger();
        Entry(m_themes, "Dark")->trigger();
    } else {
        m_manager->SetLocale("de_DE");
        m_manager->SetTheme("Dark");
    }
    QCOMPARE(m_manager->GetCurrentLocale(), std::string("de_DE"));
    QCOMPARE(m_manager->GetCurrentTheme(), std::string("Dark"));
    QCOMPARE(Checked(m_locales), QStringLiteral("de_DE"));
    QCOMPARE(Checked(m_themes), QStringLiteral("Dark"));
    QCOMPARE(emitted, pick ? (std::vector<std::string>{"locale de_DE", "theme Dark"})
                           : std::vector<std::string>{});
    m_manager->SetTheme("");
}

// The manager's notification checks the code it resolved to; the handler then checks the
// picked entry again and reports the pick.
void LookAndFeelHandlerTest::pickResolvedToAnotherLocale()
{
    LookAndFeelHandler handler(m_manager, &m_locales, &m_themes, nullptr);
    CheckWatcher watcher(m_locales);
    m_manager->RegisterObserver(&watcher);
    handler.SetLocaleList({"en_US", "de_DE", "fr_FR"});
    m_manager->SetLocale("de_DE");
    QCOMPARE(Checked(m_locales), QStringLiteral("de_DE"));

    std::vector<std::string> emitted;
    connect(&handler, &LookAndFeelHandler::LocaleChanged, this,
            [&emitted](const std::string& locale) { emitted.push_back(locale); });
    Entry(m_locales, "fr_FR")->trigger();
    QCOMPARE(m_manager->GetCurrentLocale(), std::string("en_US"));
    QCOMPARE(watcher.checkedWhenTold, (QStringList{"de_DE", "en_US"}));
    QCOMPARE(Checked(m_locales), QStringLiteral("fr_FR"));
    QCOMPARE(emitted, std::vector<std::string>{"fr_FR"});
    m_manager->UnregisterObserver(&watcher);
}

void LookAndFeelHandlerTest::refreshNeedsSelection()
{
    LookAndFeelHandler handler(m_manager, nullptr, nullptr, nullptr);
    handler.SetThemeList({"Light", "Dark"});
    handler.SetLocaleList({"en_US", "de_DE"});
    handler.SetThemeMenu(&m_themes);
    handler.SetLocaleMenu(&m_locales);
    handler.Refresh();
    QVERIFY(m_themes.actions().isEmpty());
    QVERIFY(m_locales.actions().isEmpty());

    handler.SelectTheme("Dark");
    handler.Refresh();
    QCOMPARE(Titles(m_themes), (QStringList{"Light", "Dark"}));
    QCOMPARE(Checked(m_themes), QStringLiteral("Dark"));
    QVERIFY(m_locales.actions().isEmpty());

    handler.SelectLocale("de_DE");
    handler.Refresh();
    QCOMPARE(Titles(m_locales), Shown({"en_US", "de_DE"}));
    QCOMPARE(Checked(m_locales), QStringLiteral("de_DE"));
    QCOMPARE(Titles(m_themes), (QStringList{"Light", "Dark"}));
}

// The old entries leave the menu and are deleted later; the menu ends with one separator.
void LookAndFeelHandlerTest::listSetTwice()
{
    LookAndFeelHandler handler(m_manager, &m_locales, &m_themes, nullptr);
    handler.SetLocaleList({"en_US", "de_DE"});
    const QPointer<QAction> old = m_locales.actions().constFirst();
    handler.SetLocaleList({"ru_RU", "de_DE", "ru_RU"});
    QCOMPARE(Titles(m_locales), Shown({"ru_RU", "de_DE", "ru_RU"}));
    QVERIFY(old);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!old);

    // A repeated code: the later entry is the one the code checks.
    handler.SelectLocale("ru_RU");
    QVERIFY(m_locales.actions().at(2)->isChecked());
    QVERIFY(!m_locales.actions().at(0)->isChecked());
}

void LookAndFeelHandlerTest::menuRemoved()
{
    LookAndFeelHandler handler(m_manager, &m_locales, &m_themes, nullptr);
    handler.SetLocaleList({"en_US", "de_DE"});
    handler.SelectLocale("en_US");
    handler.SetLocaleMenu(nullptr);
    QVERIFY(m_locales.actions().isEmpty());
    handler.SetLocaleList({"ru_RU"});
    handler.SelectLocale("ru_RU");
    m_manager->SetLocale("de_DE");
    handler.Refresh();
    QVERIFY(m_locales.actions().isEmpty());
}

void LookAndFeelHandlerTest::themeTitlesFollowPickedLocale()
{
    LookAndFeelHandler handler(m_manager, &m_locales, &m_themes, nullptr);
    handler.SetLocaleList({"en_US", "de_DE", "ru_RU"});
    handler.SetThemeList({"Light", "Dark"});

    m_manager->SetLocale("de_DE");
    QCOMPARE(Titles(m_themes), (QStringList{"Light", "Dark"}));
    Entry(m_locales, "ru_RU")->trigger();
    QCOMPARE(Titles(m_themes),
             (QStringList{QString::fromUtf8("Светлая"), QString::fromUtf8("Тёмная")}));
    Entry(m_locales, "de_DE")->trigger();
    QCOMPARE(Titles(m_themes), (QStringList{"Hell", "Dunkel"}));
    QCOMPARE(Titles(m_locales), Shown({"en_US", "de_DE", "ru_RU"}));
}

TAVRIX_TEST_MAIN(LookAndFeelHandlerTest, Tavrix::App::Application)

#include "tst_lookandfeelhandler.moc"
