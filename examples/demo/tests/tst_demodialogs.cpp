// The sample product's dialogs page against its real resources folder: remembered questions
// and forgetting them, and Qt's own dialogs in the language picked.
#include "DialogsPage.h"
#include "ModalDialogDriver.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The texts of a dialog's buttons and check box, without their mnemonics.
QStringList Texts(QWidget* dialog)
{
    QStringList texts;
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty())
            texts << QString(button->text()).remove(QLatin1Char('&'));
    }
    texts.sort();
    return texts;
}

} // namespace

class DemoDialogsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void questionsRememberedAndForgotten();
    void qtDialogsFollowTheLanguage();
    void windowMenuActsOnTheMainWindow();

private:
    QTemporaryDir m_dir;
    std::shared_ptr<Tavrix::App::SettingsManager> m_store;
};

void DemoDialogsTest::init()
{
    static int run = 0;
    m_store = std::make_shared<Tavrix::App::SettingsManager>(
        m_dir.filePath(QStringLiteral("product%1.ini").arg(++run)), QSettings::IniFormat);
}

void DemoDialogsTest::questionsRememberedAndForgotten()
{
    QMainWindow window;
    auto* page = new DialogsPage(m_store, window.menuBar());
    window.setCentralWidget(page);
    window.show();
    auto* items = page->findChild<QListWidget*>(QStringLiteral("items"));
    auto* askAgain = window.findChild<QAction*>(QStringLiteral("askAgainAction"));
    auto* remove = window.findChild<QAction*>(QStringLiteral("deleteAction"));
    QVERIFY(items && askAgain && remove);
    QVERIFY(!askAgain->isEnabled());

    const auto answer = [](bool tick, QMessageBox::StandardButton button) {
        return [=](QWidget* dialog) {
            if (tick)
                QTest::mouseClick(dialog->findChild<QCheckBox*>(), Qt::LeftButton);
            QTest::mouseClick(static_cast<QMessageBox*>(dialog)->button(button), Qt::LeftButton);
        };
    };
    {
        const ModalDialogDriver driver(answer(true, QMessageBox::Yes));
        remove->trigger();
        QVERIFY(driver.Acted());
    }
    QCOMPARE(items->count(), 3);
    QVERIFY(askAgain->isEnabled());
    {
        const ModalDialogDriver driver(answer(false, QMessageBox::No));
        remove->trigger();
        QVERIFY(!driver.Acted());
    }
    QCOMPARE(items->count(), 2);

    askAgain->trigger();
    QVERIFY(!askAgain->isEnabled());
    const ModalDialogDriver driver(answer(false, QMessageBox::No));
    remove->trigger();
    QVERIFY(driver.Acted());
    QCOMPARE(items->count(), 2);
}

void DemoDialogsTest::qtDialogsFollowTheLanguage()
{
    const auto lookAndFeel = std::make_shared<Tavrix::App::LookAndFeelManager>(
        Tavrix::ioPath(QStringLiteral(TAVRIX_DEMO_RESOURCES "/..").toStdString()), "theme.json",
        std::list<std::string>{}, std::list<std::string>{});
    lookAndFeel->Initialize("en_US", "Light");
    QMainWindow window;
    auto* page = new DialogsPage(m_store, window.menuBar());
    window.setCentralWidget(page);
    window.show();

    const auto textsOf = [page](void (DialogsPage::*open)()) {
        QStringList texts;
        const ModalDialogDriver driver([&texts](QWidget* dialog) {
            texts = Texts(dialog);
            if (auto* colors = qobject_cast<QColorDialog*>(dialog))
                texts.prepend(colors->windowTitle());
            static_cast<QDialog*>(dialog)->reject();
        });
        (page->*open)();
        return texts;
    };

    const QStringList english = textsOf(&DialogsPage::DeleteSelected);
    QCOMPARE(english, (QStringList{"Don't show this again", "No", "Yes"}));
    lookAndFeel->SetLocale("de_DE");
    QTRY_COMPARE(window.menuBar()->actions().constFirst()->text(), QStringLiteral("&Dialoge"));
    QCOMPARE(textsOf(&DialogsPage::DeleteSelected),
             (QStringList{"Ja", "Nein", "Nicht mehr anzeigen"}));
    const QStringList colorDialog = textsOf(&DialogsPage::PickColor);
    QCOMPARE(colorDialog.value(0), QStringLiteral("Farbauswahl"));
    QVERIFY(colorDialog.contains(QStringLiteral("Abbrechen")));

    lookAndFeel->SetLocale("ru_RU");
    QTRY_COMPARE(window.menuBar()->actions().constFirst()->text(), QStringLiteral("&Диалоги"));
    QCOMPARE(textsOf(&DialogsPage::DeleteSelected),
             (QStringList{"Больше не показывать", "Да", "Нет"}));
}

void DemoDialogsTest::windowMenuActsOnTheMainWindow()
{
    QMainWindow window;
    window.setCentralWidget(new DialogsPage(m_store, window.menuBar()));
    window.show();
    QApplication::setActiveWindow(&window);
    QTRY_COMPARE(QApplication::activeWindow(), &window);
    window.findChild<QAction*>(QStringLiteral("actionZoom"))->trigger();
    QVERIFY(window.isMaximized());
    window.findChild<QAction*>(QStringLiteral("actionMinimize"))->trigger();
    QVERIFY(window.isMinimized());
}

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    Tavrix::App::Application app(argc, argv);
    QTemporaryDir common;
    app.SetSettingsManager(std::make_shared<Tavrix::App::SettingsManager>(
        common.filePath(QStringLiteral("common.ini")), QSettings::IniFormat));
    DemoDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_demodialogs.moc"
