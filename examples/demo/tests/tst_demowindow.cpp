// The sample product's window against its real resources folder: the language and theme menus
// switch texts, stylesheet and menu titles at once and keep the picks.
#include "MainWindow.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

QAction* Entry(const QMenu* menu, const QString& name)
{
    for (QAction* action : menu->actions()) {
        if (action->data().toString() == name)
            return action;
    }
    return nullptr;
}

QStringList Titles(const QMenu* menu)
{
    QStringList titles;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            titles << action->text();
    }
    // The themes come in the order the file system lists them.
    titles.sort();
    return titles;
}

} // namespace

class DemoWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menusSwitchAndRemember();

private:
    QTemporaryDir m_dir;
};

void DemoWindowTest::menusSwitchAndRemember()
{
    const auto store = std::make_shared<Tavrix::App::SettingsManager>(
        m_dir.filePath(QStringLiteral("product.ini")), QSettings::IniFormat);
    const auto lookAndFeel = std::make_shared<Tavrix::App::LookAndFeelManager>(
        Tavrix::ioPath(QStringLiteral(TAVRIX_DEMO_RESOURCES "/..").toStdString()), "theme.json",
        std::list<std::string>{}, std::list<std::string>{});
    QCOMPARE(lookAndFeel->GetThemes().size(), std::size_t(2));
    lookAndFeel->Initialize("en_US", "Light");

    MainWindow window(store, lookAndFeel);
    const auto* localeMenu = window.findChild<QMenu*>(QStringLiteral("localeMenu"));
    const auto* themeMenu = window.findChild<QMenu*>(QStringLiteral("themeMenu"));
    const auto* fileMenu = window.findChild<QMenu*>(QStringLiteral("fileMenu"));
    const auto* countButton = window.findChild<QPushButton*>(QStringLiteral("countButton"));
    QVERIFY(localeMenu && themeMenu && fileMenu && countButton);
    QCOMPARE(localeMenu->title(), QStringLiteral("&Language"));
    QCOMPARE(Titles(themeMenu), (QStringList{"Dark", "Light"}));
    QVERIFY(Entry(localeMenu, "en_US")->isChecked());
    QVERIFY(Entry(themeMenu, "Light")->isChecked());

    Entry(localeMenu, "de_DE")->trigger();
    // Qt posts its language-change event to the windows.
    QTRY_COMPARE(fileMenu->title(), QStringLiteral("&Datei"));
    QCOMPARE(countButton->text(), QString::fromUtf8("Klick zählen"));
    QCOMPARE(Titles(themeMenu), (QStringList{"Dunkel", "Hell"}));
    QVERIFY(Entry(localeMenu, "de_DE")->isChecked());

    Entry(themeMenu, "Dark")->trigger();
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("DejaVu Serif")));
    QVERIFY(!qApp->styleSheet().contains(QLatin1Char('@')));
    QVERIFY(Entry(themeMenu, "Dark")->isChecked());
    QCOMPARE(store->GetString("locale", ""), std::string("de_DE"));
    QCOMPARE(store->GetString("theme", ""), std::string("Dark"));

    Entry(themeMenu, "Light")->trigger();
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("DejaVu Sans")));
    Entry(localeMenu, "ru_RU")->trigger();
    QTRY_COMPARE(fileMenu->title(), QString::fromUtf8("&Файл"));
    QCOMPARE(Titles(themeMenu),
             (QStringList{QString::fromUtf8("Светлая"), QString::fromUtf8("Тёмная")}));
    lookAndFeel->SetTheme("");
}

TAVRIX_TEST_MAIN(DemoWindowTest, Tavrix::App::Application)

#include "tst_demowindow.moc"
