#pragma once

#include <Tavrix/App/ApplicationCore.h>

#include <QMenu>

#include <vector>

class QMainWindow;

/// The Help menu: the product's web pages, opened through the application's links manager. An
/// entry whose page has no link in the current language is disabled. Other parts of the window
/// add their entries to it (object name "helpMenu").
class HelpMenu : public QMenu
{
    Q_OBJECT

public:
    explicit HelpMenu(QWidget* parent);

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Entry
    {
        QAction* action;
        Tavrix::URLKeys key;
        const char* text;
    };

    void Retranslate();
    void EnableLinkedEntries();

    std::vector<Entry> m_entries;
};

/// The product's link of `key` in the current language; empty (with a warning in the log) when
/// the application cannot make links.
QString ProductLink(Tavrix::URLKeys key);

/// Puts the Help menu at the end of the window's menu bar, and shows the application's update
/// requests in the window's status bar.
void AddHelpMenu(QMainWindow* window);
