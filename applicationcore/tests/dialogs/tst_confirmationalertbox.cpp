// The confirmation box driven as a user drives it: tick "Don't show this again", click a button;
// what it keeps in a real settings store, and when it asks again.
#include "ModalDialogDriver.h"
#include "SettingsRecorder.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

using namespace Tavrix::App;
using Tavrix::Util::AlertBox;
using Buttons = QMessageBox::StandardButtons;

namespace {

const Buttons YES_NO = QMessageBox::Yes | QMessageBox::No;
const Buttons OK_CANCEL = QMessageBox::Ok | QMessageBox::Cancel;

// A store that offers only ISettingsManager, as a product's own store may.
class PlainStore : public ISettingsManager
{
public:
    explicit PlainStore(std::shared_ptr<ISettingsManager> s) : m(std::move(s)) {}
    using K = const std::string&;
    using V = const std::vector<unsigned char>&;
    void RegisterObserver(ISettingsManagerObserver* o) override { m->RegisterObserver(o); }
    void UnregisterObserver(ISettingsManagerObserver* o) override { m->UnregisterObserver(o); }
    void SetBool(K k, bool v) override { m->SetBool(k, v); }
    void SetInt(K k, int v) override { m->SetInt(k, v); }
    void SetString(K k, K v) override { m->SetString(k, v); }
    void SetByteArray(K k, V v) override { m->SetByteArray(k, v); }
    void SetInt64(K k, long long v) override { m->SetInt64(k, v); }
    void SetDouble(K k, double v) override { m->SetDouble(k, v); }
    bool GetBool(K k, bool v) const override { return m->GetBool(k, v); }
    int GetInt(K k, int v) const override { return m->GetInt(k, v); }
    std::string GetString(K k, K v) const override { return m->GetString(k, v); }
    std::vector<unsigned char> GetByteArray(K k, V v) const override
    {
        return m->GetByteArray(k, v);
    }
    long long GetInt64(K k, long long v) const override { return m->GetInt64(k, v); }
    double GetDouble(K k, double v) const override { return m->GetDouble(k, v); }
    bool Contains(K k) const override { return m->Contains(k); }
    void Remove(K k) override { m->Remove(k); }

private:
    std::shared_ptr<ISettingsManager> m;
};

class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        return qstrcmp(context, "Tavrix::App::ConfirmationAlertBox") == 0
                       && qstrcmp(source, "Don't show this again") == 0
                   ? QStringLiteral("Nicht mehr fragen")
                   : QString();
    }
};

} // namespace

class ConfirmationAlertBoxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void layout_data();
    void layout();
    void remembering_data();
    void remembering();
    void resetAsksAgainKeepingTheAnswer();
    void closedWithoutClickRemembersNothing();
    void rememberedAnswerThatIsNoNumber_data();
    void rememberedAnswerThatIsNoNumber();
    void resetAll();

private:
    // Shows a box for `id`; if it opens, ticks it when asked and clicks `click`. Returns Exec().
    int Ask(const QString& id, Buttons buttons, QMessageBox::StandardButton click, bool tick,
            bool* shown = nullptr, const std::function<void(ConfirmationAlertBox&)>& setUp = {});

    QTemporaryDir m_dir;
    std::shared_ptr<SettingsManager> m_store;
};

void ConfirmationAlertBoxTest::init()
{
    static int run = 0;
    m_store = std::make_shared<SettingsManager>(
        m_dir.filePath(QStringLiteral("store%1.ini").arg(++run)), QSettings::IniFormat);
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

void ConfirmationAlertBoxTest::layout_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<bool>("iconAfterwards");
    QTest::newRow("ok and cancel") << OK_CANCEL << false;
    QTest::newRow("neither ok nor cancel") << (QMessageBox::Retry | QMessageBox::Ignore) << false;
    QTest::newRow("layout rebuilt by a later icon") << OK_CANCEL << true;
}

void ConfirmationAlertBoxTest::layout()
{
    QFETCH(Buttons, buttons);
    QFETCH(bool, iconAfterwards);

    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    ConfirmationAlertBox box(m_store, AlertBox::Warning, QStringLiteral("Title"),
                             QStringLiteral("A question long enough to need room"), buttons);
    QCoreApplication::removeTranslator(&translator);
    if (iconAfterwards)
        box.setIconPixmap(QPixmap(32, 32));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    auto* check = box.findChild<QCheckBox*>(QStringLiteral("dontConfirmCheckBox"));
    auto* buttonBox = box.findChild<QDialogButtonBox*>();
    QVERIFY(check && buttonBox && check->isVisible());
    QCOMPARE(check->text(), QStringLiteral("Nicht mehr fragen"));
    // One line: the check box at the left of the buttons, their middles level.
    const QRect checkRect(check->mapTo(&box, QPoint()), check->size());
    const QRect buttonsRect(buttonBox->mapTo(&box, QPoint()), buttonBox->size());
    QVERIFY(checkRect.right() < buttonsRect.left());
    QVERIFY(qAbs(checkRect.center().y() - buttonsRect.center().y()) <= 2);

    for (QAbstractButton* button : buttonBox->buttons()) {
        const auto standard = buttonBox->standardButton(button);
        const QString expected = standard == QDialogButtonBox::Ok       ? "activeButton"
                                 : standard == QDialogButtonBox::Cancel ? "rejectButton"
                                                                        : QString();
        QCOMPARE(button->property("styleHint").toString(), expected);
    }
}

void ConfirmationAlertBoxTest::remembering_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<bool>("onReject");
    QTest::addColumn<Buttons>("only");
    QTest::addColumn<int>("forced"); // -1: none
    QTest::addColumn<bool>("tick");
    QTest::addColumn<int>("click");
    QTest::addColumn<int>("kept"); // what the next box answers without asking; -1: it asks

    const Buttons any;
    const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
    QTest::newRow("ticked yes") << "deleteFile" << YES_NO << false << any << -1 << true << yes
                                << yes;
    QTest::newRow("ticked no, not a reject")
        << "deleteFile" << YES_NO << false << any << -1 << true << no << no;
    QTest::newRow("no id") << "" << YES_NO << false << any << -1 << true << yes << yes;
    QTest::newRow("not ticked") << "deleteFile" << YES_NO << false << any << -1 << false << yes
                                << -1;
    QTest::newRow("ticked cancel")
        << "deleteFile" << OK_CANCEL << false << any << -1 << true << cancel << -1;
    QTest::newRow("ticked cancel, kept on reject")
        << "deleteFile" << OK_CANCEL << true << any << -1 << true << cancel << cancel;
    QTest::newRow("only yes kept, no answered")
        << "deleteFile" << YES_NO << false << Buttons(QMessageBox::Yes) << -1 << true << no << -1;
    QTest::newRow("only yes kept, yes answered")
        << "deleteFile" << YES_NO << false << Buttons(QMessageBox::Yes) << -1 << true << yes << yes;
    QTest::newRow("forced yes, no answered")
        << "deleteFile" << YES_NO << false << any << yes << true << no << yes;
}

void ConfirmationAlertBoxTest::remembering()
{
    QFETCH(QString, id);
    QFETCH(Buttons, buttons);
    QFETCH(bool, onReject);
    QFETCH(Buttons, only);
    QFETCH(int, forced);
    QFETCH(bool, tick);
    QFETCH(int, click);
    QFETCH(int, kept);

    SettingsRecorder recorder;
    m_store->RegisterObserver(&recorder);
    bool shown = false;
    // The button really clicked comes back, whatever is kept.
    QCOMPARE(Ask(id, buttons, QMessageBox::StandardButton(click), tick, &shown,
                 [&](ConfirmationAlertBox& box) {
                     box.SetRememberOnReject(onReject);
                     box.SetRememberOnly(only);
                     if (forced >= 0)
                         box.SetForceSaveAnswer(forced);
                 }),
             click);
    QVERIFY(shown);
    m_store->UnregisterObserver(&recorder);

    const QString prefix = QStringLiteral("confirm/") + id;
    const QStringList keys{prefix + "_dont_confirm", prefix + "_answer"};
    QCOMPARE(recorder.keys, kept < 0 ? QStringList() : keys);
    // The next box with the same id answers at once or asks again; another id asks.
    const auto other = buttons.testFlag(QMessageBox::Yes) ? QMessageBox::No : QMessageBox::Ok;
    QCOMPARE(Ask(id, buttons, other, false, &shown), kept < 0 ? int(other) : kept);
    QCOMPARE(shown, kept < 0);
    Ask(id + QStringLiteral("Other"), buttons, other, false, &shown);
    QVERIFY(shown);
}

void ConfirmationAlertBoxTest::resetAsksAgainKeepingTheAnswer()
{
    Ask(QStringLiteral("wipe"), YES_NO, QMessageBox::Yes, true);
    ConfirmationAlertBox box(m_store, AlertBox::Question, QString(), QString(), YES_NO);
    box.SetConfirmationId(QStringLiteral("wipe"));
    box.Reset();

    bool shown = false;
    QCOMPARE(Ask(QStringLiteral("wipe"), YES_NO, QMessageBox::No, false, &shown),
             int(QMessageBox::No));
    QVERIFY(shown);
    QCOMPARE(m_store->GetInt("confirm/wipe_answer", 0), int(QMessageBox::Yes));
}

void ConfirmationAlertBoxTest::closedWithoutClickRemembersNothing()
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
}

void ConfirmationAlertBoxTest::rememberedAnswerThatIsNoNumber_data()
{
    QTest::addColumn<QString>("answer"); // null: missing
    QTest::newRow("not a number") << QStringLiteral("yes please");
    QTest::newRow("missing") << QString();
}

void ConfirmationAlertBoxTest::rememberedAnswerThatIsNoNumber()
{
    QFETCH(QString, answer);
    m_store->SetBool("confirm/odd_dont_confirm", true);
    if (!answer.isNull())
        m_store->SetString("confirm/odd_answer", answer.toStdString());
    bool shown = true;
    QCOMPARE(Ask(QStringLiteral("odd"), YES_NO, QMessageBox::Yes, false, &shown),
             int(QMessageBox::NoButton));
    QVERIFY(!shown);
}

void ConfirmationAlertBoxTest::resetAll()
{
    QVERIFY(!ConfirmationAlertBox::HasRememberedAnswers(m_store));
    QVERIFY(!ConfirmationAlertBox::HasRememberedAnswers(nullptr));
    ConfirmationAlertBox::ResetAll(nullptr);

    Ask(QStringLiteral("first"), YES_NO, QMessageBox::Yes, true);
    Ask(QStringLiteral("nested/second"), YES_NO, QMessageBox::No, true);
    m_store->SetString("confirmations/elsewhere", "kept");
    QVERIFY(ConfirmationAlertBox::HasRememberedAnswers(m_store));
    // A store that cannot list its keys cannot rule anything out.
    const auto plain = std::make_shared<PlainStore>(m_store);
    QVERIFY(ConfirmationAlertBox::HasRememberedAnswers(plain));

    // Asking again for one id leaves the other remembered.
    ConfirmationAlertBox box(m_store, AlertBox::Question, QString(), QString(), YES_NO);
    box.SetConfirmationId(QStringLiteral("first"));
    box.Reset();
    QVERIFY(ConfirmationAlertBox::HasRememberedAnswers(m_store));

    ConfirmationAlertBox::ResetAll(plain);
    QVERIFY(!ConfirmationAlertBox::HasRememberedAnswers(m_store));
    QCOMPARE(m_store->GetString("confirmations/elsewhere", ""), std::string("kept"));
    bool shown = false;
    Ask(QStringLiteral("nested/second"), YES_NO, QMessageBox::Yes, false, &shown);
    QVERIFY(shown);
}

TAVRIX_TEST_MAIN(ConfirmationAlertBoxTest, QApplication)

#include "tst_confirmationalertbox.moc"
