#include "ResourceBuilder.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>

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

QAction* Entry(const QMenu& menu, const QString& name)
{
    for (QAction* action : menu.actions()) {
        if (action->data().toString() == name)
            return action;
    }
    return nullptr;
}

} // namespace

class LookAndFeelHandlerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void picksAndNotificationsMoveChecks_data();
    void picksAndNotificationsMoveChecks();
    void refreshNeedsSelection();
    void listSetTwice();

private:
    // Notes what the handler reports.
    void Listen(const LookAndFeelHandler& handler)
    {
        connect(&handler, &LookAndFeelHandler::LocaleChanged, this,
                [this](const std::string& locale) {
                    m_emitted << QString::fromStdString("locale " + locale);
                });
        connect(&handler, &LookAndFeelHandler::ThemeChanged, this,
                [this](const std::string& theme) {
                    m_emitted << QString::fromStdString("theme " + theme);
                });
    }

    QTemporaryDir m_dir;
    std::shared_ptr<LookAndFeelManager> m_manager;
    QStringList m_emitted;
    QMenu m_locales;
    QMenu m_themes;
};

void LookAndFeelHandlerTest::initTestCase()
{
    const ResourceBuilder build(m_dir.path());
    for (const char* locale : {"en_US", "de_DE"})
        QVERIFY(QDir().mkpath(build.LocaleFolder(locale)));
    QVERIFY(build.Theme("Light", R"({"en_US": "Light", "de_DE": "Hell"})"));
    QVERIFY(build.Theme("Dark", R"({"en_US": "Dark", "de_DE": "Dunkel"})"));
    QLocale::setDefault(QLocale("en_US"));
}

void LookAndFeelHandlerTest::init()
{
    m_manager = std::make_shared<LookAndFeelManager>(Tavrix::ioPath(m_dir.path().toStdString()),
                                                     "theme.json", std::list<std::string>{},
                                                     std::list<std::string>{});
    m_manager->Initialize("en_US", "");
    m_emitted.clear();
}

void LookAndFeelHandlerTest::cleanup()
{
    m_locales.clear();
    m_themes.clear();
    m_manager.reset();
}

void LookAndFeelHandlerTest::picksAndNotificationsMoveChecks_data()
{
    QTest::addColumn<bool>("pick"); // through the menu, else straight through the manager
    QTest::newRow("picked") << true;
    QTest::newRow("switched elsewhere") << false;
}

// Filled menus hold checkable entries titled in their languages, none checked. Selecting checks
// an entry and switches nothing; a pick switches the manager and tells, a switch elsewhere only
// moves the check. Theme titles follow a picked language.
void LookAndFeelHandlerTest::picksAndNotificationsMoveChecks()
{
    QFETCH(bool, pick);
    LookAndFeelHandler handler(m_manager, &m_locales, &m_themes, nullptr);
    QVERIFY(m_locales.actions().isEmpty());
    handler.SetLocaleList({"en_US", "de_DE", "xx_YY"});
    handler.SetThemeList({"Light", "Dark"});
    QCOMPARE(Titles(m_locales), (QStringList{"English", "Deutsch", "xx_YY", "|"}));
    QCOMPARE(Titles(m_themes), (QStringList{"Light", "Dark"}));
    QCOMPARE(Checked(m_locales) + Checked(m_themes), QString());
    QVERIFY(m_themes.actions().constFirst()->isCheckable());
    handler.SelectLocale("en_US");
    handler.SelectTheme("Light");
    QCOMPARE(Checked(m_locales), QStringLiteral("en_US"));
    QCOMPARE(Checked(m_themes), QStringLiteral("Light"));
    QCOMPARE(m_manager->GetCurrentTheme(), std::string()); // selecting switches nothing

    Listen(handler);

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
    QCOMPARE(m_emitted, (pick ? QStringList{"locale de_DE", "theme Dark"} : QStringList()));
    QCOMPARE(Titles(m_themes),
             (pick ? QStringList{"Hell", "Dunkel"} : QStringList{"Light", "Dark"}));
    m_manager->SetTheme("");
    if (!pick)
        return;
    // A pick the manager resolves to another locale stays checked, and is what is reported.
    Entry(m_locales, "xx_YY")->trigger();
    QCOMPARE(m_manager->GetCurrentLocale(), std::string("en_US"));
    QCOMPARE(Checked(m_locales), QStringLiteral("xx_YY"));
    QCOMPARE(m_emitted.constLast(), QStringLiteral("locale xx_YY"));
}

// A menu set later is filled by a refresh once something of it is selected; one taken away is
// emptied and filled no more.
void LookAndFeelHandlerTest::refreshNeedsSelection()
{
    LookAndFeelHandler handler(m_manager, nullptr, nullptr, nullptr);
    handler.SetThemeList({"Light", "Dark"});
    handler.SetThemeMenu(&m_themes);
    handler.Refresh();
    QVERIFY(m_themes.actions().isEmpty());
    handler.SelectTheme("Dark");
    handler.Refresh();
    QCOMPARE(Titles(m_themes), (QStringList{"Light", "Dark"}));
    QCOMPARE(Checked(m_themes), QStringLiteral("Dark"));
    handler.SetThemeMenu(nullptr);
    QVERIFY(m_themes.actions().isEmpty());
    m_manager->SetTheme("Light");
    handler.Refresh();
    QVERIFY(m_themes.actions().isEmpty());
}

// A list set anew replaces the entries, the old ones deleted later; of a repeated code the later
// entry is the one checked.
void LookAndFeelHandlerTest::listSetTwice()
{
    LookAndFeelHandler handler(m_manager, &m_locales, &m_themes, nullptr);
    handler.SetLocaleList({"en_US", "de_DE"});
    const QPointer<QAction> old = m_locales.actions().constFirst();
    handler.SetLocaleList({"ru_RU", "de_DE", "ru_RU"});
    QCOMPARE(Titles(m_locales), (QStringList{"Русский", "Deutsch", "Русский", "|"}));
    QVERIFY(old);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!old);
    handler.SelectLocale("ru_RU");
    QCOMPARE(Checked(m_locales), QStringLiteral("ru_RU"));
    QVERIFY(m_locales.actions().at(2)->isChecked());
}

TAVRIX_TEST_MAIN(LookAndFeelHandlerTest, Tavrix::App::Application)

#include "tst_lookandfeelhandler.moc"
