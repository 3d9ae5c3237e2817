// The sample product's window against its real resources folder: the language and theme menus
// switch texts, stylesheet and menu titles at once and keep the picks; the dialogs page's
// questions are remembered and forgotten, and they and Qt's own dialogs follow the language.
#include "DemoLookAndFeel.h"
#include "MainWindow.h"
#include "ModalDialogDriver.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
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

// The texts of a dialog's title and its buttons and check box, without their mnemonics.
QStringList Texts(QWidget* dialog)
{
    QStringList texts;
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty())
            texts << QString(button->text()).remove(QLatin1Char('&'));
    }
    texts.sort();
    return texts.mid(0, 3) << dialog->windowTitle();
}

} // namespace

class DemoWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_lookAndFeel->SetTheme(""); }
    void menusSwitchAndRemember();
    void dialogsPage();

private:
    QTemporaryDir m_dir;
    std::shared_ptr<Tavrix::App::SettingsManager> m_store;
    std::shared_ptr<Tavrix::App::LookAndFeelManager> m_lookAndFeel;
};

void DemoWindowTest::init()
{
    static int run = 0;
    m_store = std::make_shared<Tavrix::App::SettingsManager>(
        m_dir.filePath(QStringLiteral("product%1.ini").arg(++run)), QSettings::IniFormat);
    m_lookAndFeel = StartDemoLookAndFeel(TAVRIX_DEMO_RESOURCES, "en_US", "Light");
    QCOMPARE(m_lookAndFeel->GetThemes().size(), std::size_t(2));
}

void DemoWindowTest::menusSwitchAndRemember()
{
    MainWindow window(m_store, m_lookAndFeel);
    const auto* localeMenu = window.findChild<QMenu*>(QStringLiteral("localeMenu"));
    const auto* themeMenu = window.findChild<QMenu*>(QStringLiteral("themeMenu"));
    const auto* fileMenu = window.findChild<QMenu*>(QStringLiteral("fileMenu"));
    QVERIFY(localeMenu && themeMenu && fileMenu);
    QCOMPARE(localeMenu->title(), QStringLiteral("&Language"));
    QCOMPARE(Titles(themeMenu), (QStringList{"Dark", "Light"}));
    QVERIFY(Entry(localeMenu, "en_US")->isChecked());
    QVERIFY(Entry(themeMenu, "Light")->isChecked());

    Entry(localeMenu, "de_DE")->trigger();
    // Qt posts its language-change event to the windows.
    QTRY_COMPARE(fileMenu->title(), QStringLiteral("&Datei"));
    QCOMPARE(Titles(themeMenu), (QStringList{"Dunkel", "Hell"}));
    QVERIFY(Entry(localeMenu, "de_DE")->isChecked());

    Entry(themeMenu, "Dark")->trigger();
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("DejaVu Serif")));
    QVERIFY(!qApp->styleSheet().contains(QLatin1Char('@')));
    QVERIFY(Entry(themeMenu, "Dark")->isChecked());
    QCOMPARE(m_store->GetString("locale", ""), std::string("de_DE"));
    QCOMPARE(m_store->GetString("theme", ""), std::string("Dark"));

    Entry(themeMenu, "Light")->trigger();
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("DejaVu Sans")));
    Entry(localeMenu, "ru_RU")->trigger();
    QTRY_COMPARE(fileMenu->title(), QString::fromUtf8("&Файл"));
    QCOMPARE(Titles(themeMenu),
             (QStringList{QString::fromUtf8("Светлая"), QString::fromUtf8("Тёмная")}));
}

// A question answered "Yes" with the box ticked deletes without asking until the menu's "ask
// again", which is enabled only while something is remembered.
void DemoWindowTest::dialogsPage()
{
    MainWindow window(m_store, m_lookAndFeel);
    window.show();
    auto* items = window.findChild<QListWidget*>(QStringLiteral("items"));
    auto* askAgain = window.findChild<QAction*>(QStringLiteral("askAgainAction"));
    auto* remove = window.findChild<QAction*>(QStringLiteral("deleteAction"));
    QVERIFY(items && askAgain && remove);
    QVERIFY(!askAgain->isEnabled());
    const int count = items->count();
    const auto answer = [&](bool tick, QMessageBox::StandardButton button) {
        QStringList texts;
        const ModalDialogDriver driver([&](QWidget* dialog) {
            texts = Texts(dialog);
            if (tick)
                QTest::mouseClick(dialog->findChild<QCheckBox*>(), Qt::LeftButton);
            QTest::mouseClick(static_cast<QMessageBox*>(dialog)->button(button), Qt::LeftButton);
        });
        remove->trigger();
        return texts;
    };
    QCOMPARE(answer(true, QMessageBox::Yes),
             (QStringList{"Don't show this again", "No", "Yes", "Delete"}));
    QVERIFY(askAgain->isEnabled());
    QCOMPARE(answer(false, QMessageBox::No), QStringList());
    QCOMPARE(items->count(), count - 2);
    askAgain->trigger();
    QVERIFY(!askAgain->isEnabled());

    m_lookAndFeel->SetLocale("ru_RU");
    QTRY_COMPARE(window.findChild<QMenu*>(QStringLiteral("fileMenu"))->title(),
                 QString::fromUtf8("&Файл"));
    QCOMPARE(answer(false, QMessageBox::No),
             (QStringList{"Больше не показывать", "Да", "Нет", "Удаление"}));
    QCOMPARE(items->count(), count - 2);
    QStringList colorDialog;
    const ModalDialogDriver driver([&](QWidget* dialog) {
        colorDialog = Texts(dialog);
        static_cast<QDialog*>(dialog)->reject();
    });
    window.findChild<QAction*>(QStringLiteral("colorAction"))->trigger();
    QCOMPARE(colorDialog.constLast(), QString::fromUtf8("Выбор цвета"));
}

TAVRIX_TEST_MAIN(DemoWindowTest, Tavrix::App::Application)

#include "tst_demowindow.moc"
