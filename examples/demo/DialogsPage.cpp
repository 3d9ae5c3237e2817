#include "DialogsPage.h"

#include "HelpMenu.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QAction>
#include <QColorDialog>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using Tavrix::App::ConfirmationAlertBox;
using Tavrix::Util::AlertBox;

namespace {

const char* const WEB_LINK = "https://example.org/tavrix";
const char* const MAIL_ADDRESS = "support@example.org";

QToolButton* ButtonFor(QAction* action, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

} // namespace

DialogsPage::DialogsPage(std::shared_ptr<Tavrix::App::ISettingsManager> store, QMenuBar* menuBar,
                         QWidget* parent)
    : QWidget(parent), m_store(std::move(store)),
      m_colors(std::make_unique<Tavrix::App::ColorDialogHelper>()), m_color(0x3d, 0x7d, 0xd8)
{
    setObjectName(QStringLiteral("dialogsPage"));
    // Asked for the parent at every box, by then the page sits in the window.
    m_informer = new Tavrix::App::Informer([this] { return window(); });
    m_informer->setParent(this);
    AddMenus(menuBar);

    auto* layout = new QVBoxLayout(this);
    m_confirmBox = new QGroupBox(this);
    auto* confirmLayout = new QVBoxLayout(m_confirmBox);
    m_confirmNote = new QLabel(m_confirmBox);
    m_confirmNote->setWordWrap(true);
    m_items = new QListWidget(m_confirmBox);
    m_items->setObjectName(QStringLiteral("items"));
    auto* confirmButtons = new QHBoxLayout;
    for (QAction* action : {m_deleteAction, m_deleteAllAction, m_restoreAction, m_askAgainAction})
        confirmButtons->addWidget(ButtonFor(action, m_confirmBox));
    confirmButtons->addStretch(1);
    confirmLayout->addWidget(m_confirmNote);
    confirmLayout->addWidget(m_items, 1);
    confirmLayout->addLayout(confirmButtons);
    layout->addWidget(m_confirmBox, 1);

    m_colorBox = new QGroupBox(this);
    auto* colorLayout = new QHBoxLayout(m_colorBox);
    m_swatch = new QLabel(m_colorBox);
    m_swatch->setObjectName(QStringLiteral("colorSwatch"));
    m_swatch->setFixedSize(48, 24);
    m_colorNote = new QLabel(m_colorBox);
    m_colorNote->setWordWrap(true);
    colorLayout->addWidget(m_swatch);
    colorLayout->addWidget(ButtonFor(m_colorAction, m_colorBox));
    colorLayout->addWidget(m_colorNote, 1);
    layout->addWidget(m_colorBox);

    m_windowBox = new QGroupBox(this);
    auto* windowLayout = new QHBoxLayout(m_windowBox);
    for (QAction* action : {m_minimizeAction, m_zoomAction, m_aboutAction})
        windowLayout->addWidget(ButtonFor(action, m_windowBox));
    windowLayout->addStretch(1);
    layout->addWidget(m_windowBox);

    FillList();
    UpdateRememberedState();
    Retranslate();
}

// Out of line because the header only declares ColorDialogHelper, which deleting it needs whole.
DialogsPage::~DialogsPage() = default;

void DialogsPage::AddMenus(QMenuBar* menuBar)
{
    // The Help menu, when the window has one, stays last and gets the About entry.
    QMenu* const help = menuBar->findChild<QMenu*>(QStringLiteral("helpMenu"));
    QAction* const beforeHelp = help ? help->menuAction() : nullptr;
    m_dialogsMenu = new QMenu(menuBar);
    menuBar->insertMenu(beforeHelp, m_dialogsMenu);
    m_dialogsMenu->setObjectName(QStringLiteral("dialogsMenu"));
    m_deleteAction = m_dialogsMenu->addAction(QString(), this, &DialogsPage::DeleteSelected);
    m_deleteAction->setObjectName(QStringLiteral("deleteAction"));
    m_deleteAllAction = m_dialogsMenu->addAction(QString(), this, &DialogsPage::DeleteAll);
    m_deleteAllAction->setObjectName(QStringLiteral("deleteAllAction"));
    m_restoreAction = m_dialogsMenu->addAction(QString(), this, &DialogsPage::FillList);
    m_restoreAction->setObjectName(QStringLiteral("restoreAction"));
    m_colorAction = m_dialogsMenu->addAction(QString(), this, &DialogsPage::PickColor);
    m_colorAction->setObjectName(QStringLiteral("colorAction"));
    m_dialogsMenu->addSeparator();
    m_askAgainAction
        = m_dialogsMenu->addAction(QString(), this, &DialogsPage::AskAllQuestionsAgain);
    m_askAgainAction->setObjectName(QStringLiteral("askAgainAction"));
    // Something else may have remembered or forgotten an answer meanwhile.
    connect(m_dialogsMenu, &QMenu::aboutToShow, this, &DialogsPage::UpdateRememberedState);

    // The library finds the Window menu and its entries by these names and wires them.
    m_windowMenu = new QMenu(menuBar);
    menuBar->insertMenu(beforeHelp, m_windowMenu);
    m_windowMenu->setObjectName(QStringLiteral("menuWindow"));
    m_minimizeAction = m_windowMenu->addAction(QString());
    m_minimizeAction->setObjectName(QStringLiteral("actionMinimize"));
    m_zoomAction = m_windowMenu->addAction(QString());
    m_zoomAction->setObjectName(QStringLiteral("actionZoom"));
    // Main windows only: the boxes and dialogs keep their size.
    new Tavrix::App::MacMenuActionHandler(
        menuBar, [](QWidget* window) { return qobject_cast<QMainWindow*>(window) != nullptr; });

    if (help) {
        help->addSeparator();
    } else {
        m_helpMenu = menuBar->addMenu(QString());
        m_helpMenu->setObjectName(QStringLiteral("helpMenu"));
    }
    m_aboutAction = (help ? help : m_helpMenu)->addAction(QString(), this, &DialogsPage::ShowAbout);
    m_aboutAction->setObjectName(QStringLiteral("aboutAction"));
}

void DialogsPage::FillList()
{
    m_items->clear();
    m_items->addItems({QStringLiteral("Report 2024.pdf"), QStringLiteral("Holiday.jpg"),
                       QStringLiteral("Notes.txt"), QStringLiteral("Budget.ods")});
    m_items->setCurrentRow(0);
}

void DialogsPage::DeleteSelected()
{
    const int row = m_items->currentRow();
    if (row < 0)
        return;
    ConfirmationAlertBox box(m_store, AlertBox::Question, tr("Delete"),
                             tr("Delete \"%1\"?").arg(m_items->item(row)->text()),
                             QMessageBox::Yes | QMessageBox::No, window());
    box.SetConfirmationId(QStringLiteral("deleteItem"));
    const bool confirmed = box.Exec() == QMessageBox::Yes;
    UpdateRememberedState();
    if (confirmed)
        delete m_items->takeItem(row);
}

void DialogsPage::DeleteAll()
{
    if (m_items->count() == 0)
        return;
    // Only Ok is remembered: a cancelled question is asked again.
    ConfirmationAlertBox box(m_store, AlertBox::Warning, tr("Delete all"),
                             tr("Delete every item of the list?"),
                             QMessageBox::Ok | QMessageBox::Cancel, window());
    box.SetConfirmationId(QStringLiteral("deleteAll"));
    const bool confirmed = box.Exec() == QMessageBox::Ok;
    UpdateRememberedState();
    if (confirmed)
        m_items->clear();
}

void DialogsPage::PickColor()
{
    // Qt's own dialog, whose custom colours the helper keeps; its title is Qt's, translated.
    const QColor picked
        = QColorDialog::getColor(m_color, window(), QString(), QColorDialog::DontUseNativeDialog);
    if (!picked.isValid())
        return;
    m_color = picked;
    Retranslate();
}

void DialogsPage::ShowAbout()
{
    // The product's About page from its link table; a fixed address when it has none.
    QString web = ProductLink(Tavrix::HOMEPAGE_URL_menuabout);
    if (web.isEmpty())
        web = QString::fromLatin1(WEB_LINK);
    const QString text
        = tr("<b>%1</b> %2<br>The sample product of the Tavrix application core."
             "<br>Web: <a href=\"%3\">%3</a><br>E-mail: <a href=\"mailto:%4\">%4</a>")
              .arg(QCoreApplication::applicationName().toHtmlEscaped(),
                   QCoreApplication::applicationVersion(), web, QString::fromLatin1(MAIL_ADDRESS));
    m_informer->ExecDialog(text, web, QString(), AlertBox::Information);
}

void DialogsPage::AskAllQuestionsAgain()
{
    ConfirmationAlertBox::ResetAll(m_store);
    UpdateRememberedState();
}

void DialogsPage::UpdateRememberedState()
{
    m_askAgainAction->setEnabled(ConfirmationAlertBox::HasRememberedAnswers(m_store));
}

void DialogsPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QWidget::changeEvent(event);
}

void DialogsPage::Retranslate()
{
    setWindowTitle(tr("Dialogs"));
    m_dialogsMenu->setTitle(tr("&Dialogs"));
    m_windowMenu->setTitle(tr("&Window"));
    if (m_helpMenu)
        m_helpMenu->setTitle(tr("&Help"));
    m_deleteAction->setText(tr("&Delete..."));
    m_deleteAllAction->setText(tr("Delete &all..."));
    m_restoreAction->setText(tr("&Restore the list"));
    m_colorAction->setText(tr("Pick a &colour..."));
    m_askAgainAction->setText(tr("Ask all &questions again"));
    m_minimizeAction->setText(tr("&Minimize"));
    m_zoomAction->setText(tr("&Zoom"));
    m_aboutAction->setText(tr("&About Tavrix Demo..."));
    m_confirmBox->setTitle(tr("Confirmations"));
    m_confirmNote->setText(
        tr("Tick \"Don't show this again\" in a question to answer it for "
           "good; \"Ask all questions again\" forgets every remembered answer."));
    m_colorBox->setTitle(tr("Colour"));
    m_colorNote->setText(tr("%1. The colour dialog's custom colours are kept for the next start.")
                             .arg(m_color.name()));
    m_swatch->setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid gray;").arg(m_color.name()));
    m_windowBox->setTitle(tr("Window"));
}

bool DialogsPage::ShowDialog(QWidget* window, const QString& name)
{
    auto* page = window ? window->findChild<DialogsPage*>() : nullptr;
    if (!page)
        return false;
    void (DialogsPage::*show)() = nullptr;
    if (name == QLatin1String("confirm"))
        show = &DialogsPage::DeleteSelected;
    else if (name == QLatin1String("color"))
        show = &DialogsPage::PickColor;
    else if (name == QLatin1String("about"))
        show = &DialogsPage::ShowAbout;
    if (!show)
        return false;
    QTimer::singleShot(0, page, show);
    return true;
}
