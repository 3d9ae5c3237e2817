#include "HelpMenu.h"

#include "DemoApplication.h"

#include <Tavrix/Links/ILinksManager.h>

#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

#include <glog/logging.h>

QString ProductLink(Tavrix::URLKeys key)
{
    try {
        return CoreApplication() ? CoreApplication()->GetUrl(key) : QString();
    } catch (const std::logic_error& error) {
        LOG(WARNING) << "No links: " << error.what();
        return QString();
    }
}

HelpMenu::HelpMenu(QWidget* parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("helpMenu"));
    const std::pair<Tavrix::URLKeys, const char*> pages[]
        = {{Tavrix::HELP_URL_menu, QT_TR_NOOP("Help Center")},
           {Tavrix::LIVECHAT_URL_menu, QT_TR_NOOP("Live Chat")},
           {Tavrix::CONTACT_SUPPORT_menu, QT_TR_NOOP("Contact Support")},
           {Tavrix::CHANGELOG_URL, QT_TR_NOOP("What's New")},
           {Tavrix::CHECK_FOR_UPDATES_URL, QT_TR_NOOP("Check for Updates")},
           {Tavrix::PRIVACY_POLICY_URL, QT_TR_NOOP("Privacy Policy")},
           {Tavrix::HOMEPAGE_URL_menu, QT_TR_NOOP("Home Page")}};
    for (const auto& [key, text] : pages) {
        if (key == Tavrix::CHANGELOG_URL || key == Tavrix::HOMEPAGE_URL_menu)
            addSeparator();
        QAction* action = addAction(QString(), this, [key = key] {
            const QString url = ProductLink(key);
            if (!url.isEmpty())
                CoreApplication()->GetLinksManager()->OpenUrl(url);
        });
        action->setObjectName(QStringLiteral("helpLink"));
        action->setData(int(key));
        m_entries.push_back({action, key, text});
    }
    connect(this, &QMenu::aboutToShow, this, &HelpMenu::EnableLinkedEntries);
    Retranslate();
}

void HelpMenu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QMenu::changeEvent(event);
}

void HelpMenu::Retranslate()
{
    setTitle(tr("&Help"));
    for (const Entry& entry : m_entries)
        entry.action->setText(tr(entry.text));
}

void HelpMenu::EnableLinkedEntries()
{
    for (const Entry& entry : m_entries)
        entry.action->setEnabled(!ProductLink(entry.key).isEmpty());
}

void AddHelpMenu(QMainWindow* window)
{
    window->menuBar()->addMenu(new HelpMenu(window->menuBar()));
    if (!CoreApplication())
        return;
    QObject::connect(
        CoreApplication(), &Tavrix::App::Application::AutoUpdateCheckRequested, window, [window] {
            LOG(INFO) << "Update check requested";
            window->statusBar()->showMessage(HelpMenu::tr("Update check requested"), 10000);
        });
}
