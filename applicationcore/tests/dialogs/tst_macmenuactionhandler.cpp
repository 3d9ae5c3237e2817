// The application and Window menus wired by object name, and the Window entries acting on the
// active window.
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using Tavrix::App::MacMenuActionHandler;

class MacMenuActionHandlerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shortcuts();
    void windowEntries_data();
    void windowEntries();

private:
    // A menu of that object name, with actions named as given, in `parent`.
    static QMenu* AddMenu(QWidget* parent, const QString& name, const QStringList& actions)
    {
        auto* const menu = new QMenu(name, parent);
        menu->setObjectName(name);
        for (const QString& action : actions)
            menu->addAction(action)->setObjectName(action);
        return menu;
    }
};

// The application menu's entries, found in a menu below the bar, get their standard shortcuts,
// the last one Quit's whatever its name. A bar without menus, or none, is no trouble.
void MacMenuActionHandlerTest::shortcuts()
{
    QMenuBar bar;
    QMenu* const app
        = AddMenu(AddMenu(&bar, QStringLiteral("More"), {}), "menuMacOSMenu",
                  {"action_Hide", "action_Hide_Others", "action_Preferences", "action_Leave"});
    new MacMenuActionHandler(&bar, {});
    const QList<QAction*> actions = app->actions();
    QCOMPARE(actions[0]->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_H));
    QCOMPARE(actions[1]->shortcut(), QKeySequence(Qt::CTRL + Qt::ALT + Qt::Key_H));
    QCOMPARE(actions[2]->shortcuts(), QKeySequence::keyBindings(QKeySequence::Preferences));
    QCOMPARE(actions[3]->shortcuts(), QKeySequence::keyBindings(QKeySequence::Quit));
    QMenuBar empty;
    QCOMPARE((new MacMenuActionHandler(&empty, {}))->parent(), static_cast<QObject*>(&empty));
    QVERIFY(empty.actions().isEmpty());
    QCOMPARE(MacMenuActionHandler(nullptr, {}).parent(), nullptr);
}

void MacMenuActionHandlerTest::windowEntries_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("active");
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<Qt::WindowStates>("state");
    const auto row = [](const char* name, const char* entries, bool active, bool allowed,
                        Qt::WindowState state) {
        QTest::newRow(name) << QString(entries).split(' ') << active << allowed
                            << Qt::WindowStates(state);
    };
    row("minimize", "actionMinimize", true, true, Qt::WindowMinimized);
    row("zoom", "actionZoom", true, true, Qt::WindowMaximized);
    row("zoom twice", "actionZoom actionZoom", true, true, Qt::WindowNoState);
    row("refused by the filter", "actionZoom", true, false, Qt::WindowNoState);
    row("without an active window", "actionMinimize", false, true, Qt::WindowNoState);
    row("a zoom of no menu is not wired", "stray", true, true, Qt::WindowNoState);
}

// The Window menu's entries act on the active window when the filter allows it. A "Zoom" action
// of the bar itself, the first a search of the bar's children finds, is none of them.
void MacMenuActionHandlerTest::windowEntries()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, active);
    QFETCH(bool, allowed);
    QFETCH(Qt::WindowStates, state);
    QMenuBar bar;
    QAction* const stray = bar.addAction(QStringLiteral("Zoom"));
    stray->setObjectName(QStringLiteral("actionZoom"));
    const QMenu* const menu = AddMenu(&bar, QStringLiteral("menuWindow"),
                                      {"actionMinimize", "actionZoom", "actionBring_all_to_Front"});
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(active ? &window : nullptr);
    QTRY_COMPARE(QApplication::activeWindow(), active ? &window : nullptr);
    QList<QWidget*> asked;
    new MacMenuActionHandler(&bar, [&](QWidget* widget) {
        asked << widget;
        return allowed;
    });
    for (const QString& entry : entries)
        (entry == QLatin1String("stray") ? stray : menu->findChild<QAction*>(entry))->trigger();
    QCOMPARE(window.windowState(), state);
    QVERIFY(asked.isEmpty() || asked.constFirst() == &window);
}

TAVRIX_TEST_MAIN(MacMenuActionHandlerTest, QApplication)

#include "tst_macmenuactionhandler.moc"
