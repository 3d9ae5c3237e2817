#include <Tavrix/App/Application/MacMenuActionHandler.h>

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace Tavrix::App {

class MacMenuActionHandler::Private
{
public:
    std::function<bool(QWidget*)> windowFilter;
};

namespace {

// The first of the menu's own actions with this object name.
QAction* FindAction(const QMenu* menu, const QString& name)
{
    for (QAction* action : menu->actions()) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

} // namespace

MacMenuActionHandler::MacMenuActionHandler(QMenuBar* menuBar,
                                           std::function<bool(QWidget*)> windowFilter)
    : QObject(menuBar), d(std::make_unique<Private>())
{
    d->windowFilter = std::move(windowFilter);
    if (!menuBar)
        return;

    if (const auto* appMenu = menuBar->findChild<QMenu*>(QStringLiteral("menuMacOSMenu"))) {
        if (QAction* hide = FindAction(appMenu, QStringLiteral("action_Hide"))) {
            connect(hide, &QAction::triggered, this, &MacMenuActionHandler::onHideItself);
            hide->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_H));
        }
        if (QAction* hideOthers = FindAction(appMenu, QStringLiteral("action_Hide_Others"))) {
            connect(hideOthers, &QAction::triggered, this, &MacMenuActionHandler::onHideOthers);
            hideOthers->setShortcut(QKeySequence(Qt::CTRL + Qt::ALT + Qt::Key_H));
        }
        if (QAction* preferences = FindAction(appMenu, QStringLiteral("action_Preferences")))
            preferences->setShortcuts(QKeySequence::Preferences);
        if (!appMenu->actions().isEmpty())
            appMenu->actions().constLast()->setShortcuts(QKeySequence::Quit);
    }

    if (const auto* windowMenu = menuBar->findChild<QMenu*>(QStringLiteral("menuWindow"))) {
        if (QAction* minimize = FindAction(windowMenu, QStringLiteral("actionMinimize")))
            connect(minimize, &QAction::triggered, this, &MacMenuActionHandler::onMinimize);
        if (QAction* zoom = FindAction(windowMenu, QStringLiteral("actionZoom")))
            connect(zoom, &QAction::triggered, this, &MacMenuActionHandler::onZoom);
        if (QAction* front = FindAction(windowMenu, QStringLiteral("actionBring_all_to_Front")))
            connect(front, &QAction::triggered, this, &MacMenuActionHandler::onBringAllToFront);
    }
}

MacMenuActionHandler::~MacMenuActionHandler() = default;

bool MacMenuActionHandler::canManipulateWithWidget(QWidget* widget)
{
    return !d->windowFilter || d->windowFilter(widget);
}

void MacMenuActionHandler::onHideItself() {}

void MacMenuActionHandler::onHideOthers() {}

void MacMenuActionHandler::onMinimize()
{
    QWidget* const window = QApplication::activeWindow();
    if (window && canManipulateWithWidget(window))
        window->showMinimized();
}

void MacMenuActionHandler::onZoom()
{
    QWidget* const window = QApplication::activeWindow();
    if (!window || !canManipulateWithWidget(window))
        return;
    if (window->isMaximized())
        window->showNormal();
    else
        window->showMaximized();
}

void MacMenuActionHandler::onBringAllToFront() {}

} // namespace Tavrix::App
