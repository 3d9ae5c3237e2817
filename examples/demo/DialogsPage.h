#pragma once

#include <QColor>
#include <QWidget>

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;

namespace Tavrix::App {
class ColorDialogHelper;
class Informer;
class ISettingsManager;
} // namespace Tavrix::App

/// The page of the library's dialog helpers: deletions confirmed by boxes that can remember the
/// answer, a colour picker whose custom colours are kept for the next start, an About box with
/// a web and an e-mail link, and a Window menu whose entries minimize and zoom the window.
/// Its menus ("Dialogs", "Window", "Help") go into the menu bar it is given.
class DialogsPage : public QWidget
{
    Q_OBJECT

public:
    /// Remembered answers are kept in `store`.
    DialogsPage(std::shared_ptr<Tavrix::App::ISettingsManager> store, QMenuBar* menuBar,
                QWidget* parent = nullptr);
    ~DialogsPage() override;

    /// Opens the page's dialog named "confirm", "color" or "about" inside `window` once the
    /// event loop runs (for screenshots); false when the name is unknown or the window has no
    /// such page.
    static bool ShowDialog(QWidget* window, const QString& name);

    /// Asks whether to delete the selected item, unless the answer is remembered, and deletes.
    void DeleteSelected();
    /// Asks whether to empty the list, unless the answer is remembered, and empties it.
    void DeleteAll();
    void PickColor();
    void ShowAbout();
    /// Forgets every remembered answer.
    void AskAllQuestionsAgain();

protected:
    void changeEvent(QEvent* event) override;

private:
    void AddMenus(QMenuBar* menuBar);
    void FillList();
    void UpdateRememberedState();
    void Retranslate();

    std::shared_ptr<Tavrix::App::ISettingsManager> m_store;
    std::unique_ptr<Tavrix::App::ColorDialogHelper> m_colors;
    Tavrix::App::Informer* m_informer = nullptr;
    QColor m_color;

    QMenu* m_dialogsMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_deleteAction = nullptr;
    QAction* m_deleteAllAction = nullptr;
    QAction* m_restoreAction = nullptr;
    QAction* m_colorAction = nullptr;
    QAction* m_askAgainAction = nullptr;
    QAction* m_minimizeAction = nullptr;
    QAction* m_zoomAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QGroupBox* m_confirmBox = nullptr;
    QGroupBox* m_colorBox = nullptr;
    QGroupBox* m_windowBox = nullptr;
    QListWidget* m_items = nullptr;
    QLabel* m_confirmNote = nullptr;
    QLabel* m_swatch = nullptr;
    QLabel* m_colorNote = nullptr;
};
