// The confirmation box driven as a user drives it: tick "Don't show this again", click a button;
// what it keeps in a real settings store, and when it asks again.
#include "ModalDialogDriver.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

using namespace Tavrix::App;
using Tavrix::Util::AlertBox;
using Buttons = QMessageBox::StandardButtons;

namespace {

struct RecordingObserver : ISettingsManagerObserver
{
    QStringList keys;
    void Record(const std::string& key) { keys << QString::fromStdString(key); }
    void OnBoolChanged(const std::string& key, bool, const boost::optional<bool>&) override
    {
        Record(key);
    }
    void OnIntChanged(const std::string& key, int, const boost::optional<int>&) override
    {
        Record(key);
    }
    void OnStringChanged(const std::string& key, const std::string&,
                         const boost::optional<std::string>&) override
    {
        Record(key);
    }
    void OnInt64Changed(const std::string& key, long long,
                        const boost::optional<long long>&) override
    {
        Record(key);
    }
    void OnDoubleChanged(const std::string& key, double, const boost::optional<double>&) override
    {
        Record(key);
    }
    void OnByteArrayChanged(const std::string& key, const std::vector<unsigned char>&,
                            const boost::optional<std::vector<unsigned char>>&) override
    {
        Record(key);
    }
};

// A store that offers only ISettingsManager, as a product's own store may.
class PlainStore : public ISettingsManager
{
public:
    explicit PlainStore(std::shared_ptr<ISettingsManager> s) : m(std::move(s)) {}
    void RegisterObserver(ISettingsManagerObserver* o) override { m->RegisterObserver(o); }
    void UnregisterObserver(ISettingsManagerObserver* o) override { m->UnregisterObserver(o); }
    void SetBool(const std::string& k, bool v) override { m->SetBool(k, v); }
    void SetInt(const std::string& k, int v) override { m->SetInt(k, v); }
    void SetString(const std::string& k, const std::string& v) override { m->SetString(k, v); }
    void SetByteArray(const std::string& k, const std::vector<unsigned char>& v) override
    {
        m->SetByteArray(k, v);
    }
    void SetInt64(const std::string& k, long long v) override { m->SetInt64(k, v); }
    void SetDouble(const std::string& k, double v) override { m->SetDouble(k, v); }
    bool GetBool(const std::string& k, bool v) const override { return m->GetBool(k, v); }
    int GetInt(const std::string& k, int v) const override { return m->GetInt(k, v); }
    std::string GetString(const std::string& k, const std::string& v) const override
    {
        return m->GetString(k, v);
    }
    std::vector<unsigned char> GetByteArray(const std::string& k,
                                            const std::vector<unsigned char>& v) const override
    {
        return m->GetByteArray(k, v);
    }
    long long GetInt64(const std::string& k, long long v) const override
    {
        return m->GetInt64(k, v);
    }
    double GetDouble(const std::string& k, double v) const override { return m->GetDouble(k, v); }
    bool Contains(const std::string& k) const override { return m->Contains(k); }
    void Remove(const std::string& k) override { m->Remove(k); }

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

// Ticks the box when asked, then clicks `button` with the mouse.
std::function<void(QWidget*)> Answer(QMessageBox::StandardButton button, bool tick)
{
    return [button, tick](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (tick)
            QTest::mouseClick(box->findChild<QCheckBox*>(QStringLiteral("dontConfirmCheckBox")),
                              Qt::LeftButton);
        QTest::mouseClick(box->button(button), Qt::LeftButton);
    };
}

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
    QMessageBox::StandardButton Exec(const QString& id, Buttons buttons,
                                     const std::function<void(ConfirmationAlertBox&)>& setUp,
                                     QMessageBox::StandardButton click, bool tick,
                                     bool* shown = nullptr);

    QTemporaryDir m_dir;
    std::shared_ptr<SettingsManager> m_store;
};

void ConfirmationAlertBoxTest::init()
{
    static int run = 0;
    m_store = std::make_shared<SettingsManager>(
        m_dir.filePath(QStringLiteral("store%1.ini").arg(++run)), QSettings::IniFormat);
}

QMessageBox::StandardButton
ConfirmationAlertBoxTest::Exec(const QString& id, Buttons buttons,
                               const std::function<void(ConfirmationAlertBox&)>& setUp,
                               QMessageBox::StandardButton click, bool tick, bool* shown)
{
    ConfirmationAlertBox box(m_store, AlertBox::Question, QStringLiteral("Delete"),
                             QStringLiteral("Delete the file?"), buttons);
    box.SetConfirmationId(id);
    if (setUp)
        setUp(box);
    const ModalDialogDriver driver(Answer(click, tick));
    const QMessageBox::StandardButton result = box.Exec();
    if (shown)
        *shown = driver.Acted();
    return result;
}

void ConfirmationAlertBoxTest::layout_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<bool>("iconAfterConstruction");
    QTest::newRow("ok and cancel") << Buttons(QMessageBox::Ok | QMessageBox::Cancel) << false;
    QTest::newRow("yes and no") << Buttons(QMessageBox::Yes | QMessageBox::No) << false;
    QTest::newRow("neither ok nor cancel")
        << Buttons(QMessageBox::Retry | QMessageBox::Ignore) << false;
    QTest::newRow("layout rebuilt by a later icon")
        << Buttons(QMessageBox::Ok | QMessageBox::Cancel) << true;
}

void ConfirmationAlertBoxTest::layout()
{
    QFETCH(Buttons, buttons);
    QFETCH(bool, iconAfterConstruction);

    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    ConfirmationAlertBox box(m_store, AlertBox::Warning, QStringLiteral("Title"),
                             QStringLiteral("A question that is long enough to need room"),
                             buttons);
    QCoreApplication::removeTranslator(&translator);
    if (iconAfterConstruction)
        box.setIconPixmap(QPixmap(32, 32));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    auto* check = box.findChild<QCheckBox*>(QStringLiteral("dontConfirmCheckBox"));
    auto* buttonBox = box.findChild<QDialogButtonBox*>();
    QVERIFY(check && buttonBox);
    QCOMPARE(check->text(), QStringLiteral("Nicht mehr fragen"));
    QVERIFY(check->isVisible());
    // One line: the check box at the left of the buttons, their middles level.
    const QRect checkRect(check->mapTo(&box, QPoint()), check->size());
    const QRect buttonsRect(buttonBox->mapTo(&box, QPoint()), buttonBox->size());
    QVERIFY(checkRect.right() < buttonsRect.left());
    QVERIFY(qAbs(checkRect.center().y() - buttonsRect.center().y()) <= 2);
    QCOMPARE(buttonBox->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);

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
    QTest::addColumn<bool>("rememberOnReject");
    QTest::addColumn<Buttons>("rememberOnly");
    QTest::addColumn<int>("forced"); // -1: none
    QTest::addColumn<bool>("tick");
    QTest::addColumn<int>("click");
    QTest::addColumn<int>("kept"); // what the next box answers without asking; -1: it asks

    const Buttons yesNo = QMessageBox::Yes | QMessageBox::No;
    const Buttons okCancel = QMessageBox::Ok | QMessageBox::Cancel;
    const Buttons any;
    QTest::newRow("ticked yes") << "deleteFile" << yesNo << false << any << -1 << true
                                << int(QMessageBox::Yes) << int(QMessageBox::Yes);
    QTest::newRow("ticked no, which is no reject")
        << "deleteFile" << yesNo << false << any << -1 << true << int(QMessageBox::No)
        << int(QMessageBox::No);
    QTest::newRow("no id shares the empty one") << "" << yesNo << false << any << -1 << true
                                                << int(QMessageBox::Yes) << int(QMessageBox::Yes);
    QTest::newRow("not ticked") << "deleteFile" << yesNo << false << any << -1 << false
                                << int(QMessageBox::Yes) << -1;
    QTest::newRow("ticked cancel")
        << "deleteFile" << okCancel << false << any << -1 << true << int(QMessageBox::Cancel) << -1;
    QTest::newRow("ticked cancel, remembered on reject")
        << "deleteFile" << okCancel << true << any << -1 << true << int(QMessageBox::Cancel)
        << int(QMessageBox::Cancel);
    QTest::newRow("only yes remembered, no answered")
        << "deleteFile" << yesNo << false << Buttons(QMessageBox::Yes) << -1 << true
        << int(QMessageBox::No) << -1;
    QTest::newRow("only yes remembered, yes answered")
        << "deleteFile" << yesNo << false << Buttons(QMessageBox::Yes) << -1 << true
        << int(QMessageBox::Yes) << int(QMessageBox::Yes);
    QTest::newRow("forced yes, no answered")
        << "deleteFile" << yesNo << false << any << int(QMessageBox::Yes) << true
        << int(QMessageBox::No) << int(QMessageBox::Yes);
}

void ConfirmationAlertBoxTest::remembering()
{
    QFETCH(QString, id);
    QFETCH(Buttons, buttons);
    QFETCH(bool, rememberOnReject);
    QFETCH(Buttons, rememberOnly);
    QFETCH(int, forced);
    QFETCH(bool, tick);
    QFETCH(int, click);
    QFETCH(int, kept);

    RecordingObserver observer;
    m_store->RegisterObserver(&observer);
    const auto setUp = [&](ConfirmationAlertBox& box) {
        box.SetRememberOnReject(rememberOnReject);
        box.SetRememberOnly(rememberOnly);
        if (forced >= 0)
            box.SetForceSaveAnswer(forced);
    };
    bool shown = false;
    // The button really clicked comes back, whatever is kept.
    QCOMPARE(int(Exec(id, buttons, setUp, QMessageBox::StandardButton(click), tick, &shown)),
             click);
    QVERIFY(shown);
    m_store->UnregisterObserver(&observer);

    const std::string prefix = "confirm/" + id.toStdString();
    if (kept < 0) {
        QCOMPARE(observer.keys, QStringList());
        QVERIFY(!m_store->Contains(prefix + "_dont_confirm"));
    } else {
        QCOMPARE(observer.keys, (QStringList{QString::fromStdString(prefix + "_dont_confirm"),
                                             QString::fromStdString(prefix + "_answer")}));
        QCOMPARE(m_store->GetInt(prefix + "_answer", 0), kept);
    }

    // The next box with the same id: answered at once, or asked again.
    const QMessageBox::StandardButton other
        = buttons.testFlag(QMessageBox::Yes) ? QMessageBox::No : QMessageBox::Ok;
    const int next = Exec(id, buttons, nullptr, other, false, &shown);
    QCOMPARE(shown, kept < 0);
    QCOMPARE(next, kept < 0 ? int(other) : kept);
    // Another id is not touched.
    Exec(id + QStringLiteral("Other"), buttons, nullptr, other, false, &shown);
    QVERIFY(shown);
}

void ConfirmationAlertBoxTest::resetAsksAgainKeepingTheAnswer()
{
    const Buttons yesNo = QMessageBox::Yes | QMessageBox::No;
    Exec(QStringLiteral("wipe"), yesNo, nullptr, QMessageBox::Yes, true);
    ConfirmationAlertBox box(m_store, AlertBox::Question, QString(), QString(), yesNo);
    box.SetConfirmationId(QStringLiteral("wipe"));
    box.Reset();

    bool shown = false;
    QCOMPARE(Exec(QStringLiteral("wipe"), yesNo, nullptr, QMessageBox::No, false, &shown),
             QMessageBox::No);
    QVERIFY(shown);
    QCOMPARE(m_store->GetInt("confirm/wipe_answer", 0), int(QMessageBox::Yes));
    QVERIFY(!m_store->GetBool("confirm/wipe_dont_confirm", true));
}

void ConfirmationAlertBoxTest::closedWithoutClickRemembersNothing()
{
    ConfirmationAlertBox box(m_store, AlertBox::Question, QString(), QStringLiteral("Go on?"),
                             QMessageBox::Yes | QMessageBox::No);
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
    QCOMPARE(Exec(QStringLiteral("odd"), QMessageBox::Yes | QMessageBox::No, nullptr,
                  QMessageBox::Yes, false, &shown),
             QMessageBox::NoButton);
    QVERIFY(!shown);
}

void ConfirmationAlertBoxTest::resetAll()
{
    const Buttons yesNo = QMessageBox::Yes | QMessageBox::No;
    QVERIFY(!ConfirmationAlertBox::HasRememberedAnswers(m_store));
    QVERIFY(!ConfirmationAlertBox::HasRememberedAnswers(nullptr));
    ConfirmationAlertBox::ResetAll(nullptr);

    Exec(QStringLiteral("first"), yesNo, nullptr, QMessageBox::Yes, true);
    Exec(QStringLiteral("nested/second"), yesNo, nullptr, QMessageBox::No, true);
    m_store->SetString("confirmations/elsewhere", "kept");
    QVERIFY(ConfirmationAlertBox::HasRememberedAnswers(m_store));
    // A store that cannot list its keys cannot rule anything out.
    QVERIFY(ConfirmationAlertBox::HasRememberedAnswers(std::make_shared<PlainStore>(m_store)));

    // Asking again for every id but one still leaves that one remembered.
    ConfirmationAlertBox box(m_store, AlertBox::Question, QString(), QString(), yesNo);
    box.SetConfirmationId(QStringLiteral("first"));
    box.Reset();
    QVERIFY(ConfirmationAlertBox::HasRememberedAnswers(m_store));

    ConfirmationAlertBox::ResetAll(std::make_shared<PlainStore>(m_store));
    QVERIFY(!ConfirmationAlertBox::HasRememberedAnswers(m_store));
    QCOMPARE(m_store->GetString("confirmations/elsewhere", ""), std::string("kept"));
    bool shown = false;
    Exec(QStringLiteral("nested/second"), yesNo, nullptr, QMessageBox::Yes, false, &shown);
    QVERIFY(shown);
}

TAVRIX_TEST_MAIN(ConfirmationAlertBoxTest, QApplication)

#include "tst_confirmationalertbox.moc"
