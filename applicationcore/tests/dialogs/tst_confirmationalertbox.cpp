// The confirmation box driven as a user drives it: tick "Don't show this again", click a button;
// what it keeps in a real settings store, and when it asks again.
#include "ModalDialogDriver.h"
#include "SettingsRecorder.h"
#include "TemporaryStores.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QCheckBox>
#include <QDialogButtonBox>

using namespace Tavrix::App;
using Tavrix::Util::AlertBox;
using Buttons = QMessageBox::StandardButtons;

namespace {

const Buttons YES_NO = QMessageBox::Yes | QMessageBox::No;
const Buttons OK_CANCEL = QMessageBox::Ok | QMessageBox::Cancel;

} // namespace

class ConfirmationAlertBoxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void layout();
    void remembering_data();
    void remembering();
    void oddEndings();
    void reset();

private:
    // Shows a box for `id`; if it opens, ticks it when asked and clicks `click`. Returns Exec().
    int Ask(const QString& id, Buttons buttons, QMessageBox::StandardButton click, bool tick,
            bool* shown = nullptr, const std::function<void(ConfirmationAlertBox&)>& setUp = {});

    TemporaryStores m_stores;
    std::shared_ptr<SettingsManager> m_store;
};

void ConfirmationAlertBoxTest::init()
{
    m_store = m_stores.NewStore();
}

int ConfirmationAlertBoxTest::Ask(const QString& id, Buttons buttons,
                                  QMessageBox::StandardButton click, bool tick, bool* shown,
                                  const std::function<void(ConfirmationAlertBox&)>& setUp)
{
    ConfirmationAlertBox box(m_store, AlertBox::Question, QStringLiteral("Delete"),
                             QStringLiteral("Delete the file?"), buttons);
    box.SetConfirmationId(id);
    if (setUp)
        setUp(box);
    const ModalDialogDriver driver([click, tick](QWidget* dialog) {
        if (tick)
            QTest::mouseClick(dialog->findChild<QCheckBox*>(QStringLiteral("dontConfirmCheckBox")),
                              Qt::LeftButton);
        QTest::mouseClick(static_cast<QMessageBox*>(dialog)->button(click), Qt::LeftButton);
    });
    const int result = box.Exec();
    if (shown)
        *shown = driver.Acted();
    return result;
}

// The check box sits on the buttons' line, at their left, also after a later icon has made the
// box lay itself out anew.
void ConfirmationAlertBoxTest::layout()
{
    ConfirmationAlertBox box(m_store, AlertBox::Warning, QStringLiteral("Title"),
                             QStringLiteral("A question long enough to need room"), OK_CANCEL);
    box.setIconPixmap(QPixmap(32, 32));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto* check = box.findChild<QCheckBox*>(QStringLiteral("dontConfirmCheckBox"));
    auto* buttonBox = box.findChild<QDialogButtonBox*>();
    QVERIFY(check && buttonBox && check->isVisible());
    const QRect checkRect(check->mapTo(&box, QPoint()), check->size());
    const QRect buttonsRect(buttonBox->mapTo(&box, QPoint()), buttonBox->size());
    QVERIFY(checkRect.right() < buttonsRect.left());
    QVERIFY(qAbs(checkRect.center().y() - buttonsRect.center().y()) <= 2);
}

void ConfirmationAlertBoxTest::remembering_data()
{
    QTest::addColumn<QString>("options"); // of: noId okCancel untick onReject onlyYes forceYes
    QTest::addColumn<int>("click");
    QTest::addColumn<int>("kept"); // what the next box answers without asking; -1: it asks
    const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
    QTest::newRow("ticked yes") << "" << yes << yes;
    QTest::newRow("ticked no, not a reject") << "" << no << no;
    QTest::newRow("no id") << "noId" << yes << yes;
    QTest::newRow("not ticked") << "untick" << yes << -1;
    QTest::newRow("ticked cancel") << "okCancel" << cancel << -1;
    QTest::newRow("ticked cancel, kept on reject") << "okCancel onReject" << cancel << cancel;
    QTest::newRow("only yes kept, no answered") << "onlyYes" << no << -1;
    QTest::newRow("forced yes, no answered") << "forceYes" << no << yes;
}

// The button clicked comes back; when the box is ticked and the answer one to keep, the next box
// with the same id answers it at once, and another id still asks.
void ConfirmationAlertBoxTest::remembering()
{
    QFETCH(QString, options);
    QFETCH(int, click);
    QFETCH(int, kept);
    const auto has = [&options](const char* word) { return options.contains(QLatin1String(word)); };
    const QString id = has("noId") ? QString() : QStringLiteral("deleteFile");
    const Buttons buttons = has("okCancel") ? OK_CANCEL : YES_NO;
    SettingsRecorder recorder;
    m_store->RegisterObserver(&recorder);
    bool shown = false;
    QCOMPARE(Ask(id, buttons, QMessageBox::StandardButton(click), !has("untick"), &shown,
                 [&](ConfirmationAlertBox& box) {
                     box.SetRememberOnReject(has("onReject"));
                     if (has("onlyYes"))
                         box.SetRememberOnly(QMessageBox::Yes);
                     if (has("forceYes"))
                         box.SetForceSaveAnswer(QMessageBox::Yes);
                 }),
             click);
    QVERIFY(shown);
    m_store->UnregisterObserver(&recorder);
    const QString prefix = QStringLiteral("confirm/") + id;
    QCOMPARE(recorder.keys, (kept < 0 ? QStringList()
                                      : QStringList{prefix + "_dont_confirm", prefix + "_answer"}));
    const auto other = buttons.testFlag(QMessageBox::Yes) ? QMessageBox::No : QMessageBox::Ok;
    QCOMPARE(Ask(id, buttons, other, false, &shown), kept < 0 ? int(other) : kept);
    QCOMPARE(shown, kept < 0);
    Ask(id + QStringLiteral("Other"), buttons, other, false, &shown);
    QVERIFY(shown);
}

// A box closed without a click remembers nothing, even when ticked; a remembered answer that is
// no number is no button.
void ConfirmationAlertBoxTest::oddEndings()
{
    ConfirmationAlertBox box(m_store, AlertBox::Question, QString(), QStringLiteral("Go on?"),
                             YES_NO);
    const ModalDialogDriver driver([](QWidget* dialog) {
        QTest::mouseClick(dialog->findChild<QCheckBox*>(), Qt::LeftButton);
        static_cast<QDialog*>(dialog)->reject();
    });
    box.Exec();
    QVERIFY(driver.Acted());
    QVERIFY(!m_store->Contains("confirm/_dont_confirm"));

    m_store->SetBool("confirm/odd_dont_confirm", true);
    m_store->SetString("confirm/odd_answer", "yes please");
    bool shown = true;
    QCOMPARE(Ask(QStringLiteral("odd"), YES_NO, QMessageBox::Yes, false, &shown),
             int(QMessageBox::NoButton));
    QVERIFY(!shown);
}

// Resetting one id asks again and keeps its answer; resetting all forgets every id, nested ones
// too, and nothing outside the group. A store nobody gave has nothing remembered.
void ConfirmationAlertBoxTest::reset()
{
    QVERIFY(!ConfirmationAlertBox::HasRememberedAnswers(m_store));
    QVERIFY(!ConfirmationAlertBox::HasRememberedAnswers(nullptr));
    ConfirmationAlertBox::ResetAll(nullptr);
    Ask(QStringLiteral("wipe"), YES_NO, QMessageBox::Yes, true);
    Ask(QStringLiteral("nested/second"), YES_NO, QMessageBox::No, true);
    m_store->SetString("confirmations/elsewhere", "kept");
    QVERIFY(ConfirmationAlertBox::HasRememberedAnswers(m_store));

    ConfirmationAlertBox box(m_store, AlertBox::Question, QString(), QString(), YES_NO);
    box.SetConfirmationId(QStringLiteral("wipe"));
    box.Reset();
    bool shown = false;
    QCOMPARE(Ask(QStringLiteral("wipe"), YES_NO, QMessageBox::No, false, &shown),
             int(QMessageBox::No));
    QVERIFY(shown);
    QCOMPARE(m_store->GetInt("confirm/wipe_answer", 0), int(QMessageBox::Yes));
    QVERIFY(ConfirmationAlertBox::HasRememberedAnswers(m_store));

    ConfirmationAlertBox::ResetAll(m_store);
    QVERIFY(!ConfirmationAlertBox::HasRememberedAnswers(m_store));
    QCOMPARE(m_store->GetString("confirmations/elsewhere", ""), std::string("kept"));
    Ask(QStringLiteral("nested/second"), YES_NO, QMessageBox::Yes, false, &shown);
    QVERIFY(shown);
}

TAVRIX_TEST_MAIN(ConfirmationAlertBoxTest, QApplication)

#include "tst_confirmationalertbox.moc"
