// The application and Window menus wired by object name, and the Window entries acting on the
// active window.
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using Tavrix::App::MacMenuActionHandler;

namespace {

QAction* Add(QMenu* menu, const QString& name)
{
    QAction* action = menu->addAction(name);
    action->setObjectName(name);
    return action;
}

} // namespace

class MacMenuActionHandlerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wiring_data();
    void wiring();
    void windowEntries_data();
    void windowEntries();
};

void MacMenuActionHandlerTest::wiring_data()
{
    QTest::addColumn<QStringList>("appActions"); // empty: no application menu
    QTest::addColumn<bool>("nested");            // the menus sit inside another menu
    QTest::newRow("full") << QStringList{"action_Hide", "action_Hide_Others", "action_Preferences",
                                         "action_Quit"}
                          << false;
    QTest::newRow("no preferences, last is not named Quit")
        << QStringList{"action_Hide", "action_Hide_Others", "action_Leave"} << false;
    QTest::newRow("menus found below another menu")
        << QStringList{"action_Hide", "action_Quit"} << true;
    QTest::newRow("no menus") << QStringList{} << false;
}

void MacMenuActionHandlerTest::wiring()
{
    QFETCH(QStringList, appActions);
    QFETCH(bool, nested);

    QMenuBar bar;
    QMenu* holder = nested ? bar.addMenu(QStringLiteral("More")) : nullptr;
    const auto addMenu = [&](const QString& name) {
        QMenu* menu = holder ? holder->addMenu(name) : bar.addMenu(name);
        menu->setObjectName(name);
        return menu;
    };
    QMenu* appMenu = appActions.isEmpty() ? nullptr : addMenu(QStringLiteral("menuMacOSMenu"));
    for (const QString& name : appActions)
        Add(appMenu, name);
    QAction* stray = bar.addAction(QStringLiteral("actionZoom")); // not in the Window menu
    stray->setObjectName(QStringLiteral("actionZoom"));
    QMenu* windowMenu = appMenu ? addMenu(QStringLiteral("menuWindow")) : nullptr;
    if (windowMenu)
        Add(windowMenu, QStringLiteral("actionZoom"));

    QWidget window;
    window.show();
    QApplication::setActiveWindow(&window);
    QTRY_COMPARE(QApplication::activeWindow(), &window);

    auto* handler = new MacMenuActionHandler(&bar, {});
    QCOMPARE(handler->parent(), &bar);

    const auto shortcut = [&](const QString& name) {
        auto* action = appMenu ? appMenu->findChild<QAction*>(name) : nullptr;
        return action ? action->shortcut() : QKeySequence();
    };
    if (appMenu) {
        QCOMPARE(shortcut(QStringLiteral("action_Hide")), QKeySequence(Qt::CTRL + Qt::Key_H));
        if (appActions.contains(QStringLiteral("action_Hide_Others")))
            QCOMPARE(shortcut(QStringLiteral("action_Hide_Others")),
                     QKeySequence(Qt::CTRL + Qt::ALT + Qt::Key_H));
        if (appActions.contains(QStringLiteral("action_Preferences")))
            QCOMPARE(appMenu->actions().at(2)->shortcuts(),
                     QKeySequence::keyBindings(QKeySequence::Preferences));
        QCOMPARE(appMenu->actions().constLast()->shortcuts(),
                 QKeySequence::keyBindings(QKeySequence::Quit));
    }

    // Only the Window menu's own Zoom is wired.
    stray->trigger();
    QVERIFY(!window.isMaximized());
    if (windowMenu) {
        windowMenu->actions().constFirst()->trigger();
        QVERIFY(window.isMaximized());
    }
    delete handler;
}

void MacMenuActionHandlerTest::windowEntries_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("active");
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<Qt::WindowStates>("state");

    const QStringList minimize{"actionMinimize"};
    const QStringList zoom{"actionZoom"};
    QTest::newRow("minimize") << minimize << true << true << Qt::WindowStates(Qt::WindowMinimized);
    QTest::newRow("zoom") << zoom << true << true << Qt::WindowStates(Qt::WindowMaximized);
    QTest::newRow("zoom twice") << QStringList{"actionZoom", "actionZoom"} << true << true
                                << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("minimize refused by the filter")
        << minimize << true << false << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("zoom refused by the filter")
        << zoom << true << false << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("minimize without an active window")
        << minimize << false << true << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("bring all to front does nothing")
        << QStringList{"actionBring_all_to_Front"} << true << true
        << Qt::WindowStates(Qt::WindowNoState);
}

void MacMenuActionHandlerTest::windowEntries()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, active);
    QFETCH(bool, allowed);
    QFETCH(Qt::WindowStates, state);

    QMenuBar bar;
    QMenu* menu = bar.addMenu(QStringLiteral("Window"));
    menu->setObjectName(QStringLiteral("menuWindow"));
    for (const char* name : {"actionMinimize", "actionZoom", "actionBring_all_to_Front"})
        Add(menu, QString::fromLatin1(name));

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
        menu->findChild<QAction*>(entry)->trigger();
    QCOMPARE(window.windowState(), state);
    QVERIFY(asked.isEmpty() || asked.constFirst() == &window);
}

TAVRIX_TEST_MAIN(MacMenuActionHandlerTest, QApplication)

#include "tst_macmenuactionhandler.moc"
