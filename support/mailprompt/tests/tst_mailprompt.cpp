#include "ModalDialogDriver.h"
#include "TestMain.h"

#include <Tavrix/Links/ILinksManager.h>
#include <Tavrix/Mail/EmailDialogCreator.h>
#include <Tavrix/Mail/IEmailStore.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Tavrix::Mail;

namespace {

struct FakeStore : IEmailStore
{
    std::string address;
    int writes = 0;
    std::string GetEmail() const override { return address; }
    void SetEmail(const std::string& value) override
    {
        address = value;
        ++writes;
    }
};

struct FakeLinks : Tavrix::ILinksManager
{
    QString privacy;
    QStringList opened;
    QString GetUrl(Tavrix::URLKeys key) const override
    {
        return key == Tavrix::PRIVACY_POLICY_URL ? privacy : QString();
    }
    bool OpenUrl(const QString& url) override
    {
        opened << url;
        return true;
    }
};

void Click(QWidget* dialog, const char* button)
{
    QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

class MailPromptTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void noStoreNoDialog();
    void addressForm_data();
    void addressForm();
    void privacyLink();
};

void MailPromptTest::noStoreNoDialog()
{
    const EmailDialogCreator creator;
    QVERIFY(!creator.Create(nullptr, std::make_shared<FakeLinks>(), nullptr));
    QVERIFY(creator.Create(std::make_shared<FakeStore>(), nullptr, nullptr));
}

void MailPromptTest::addressForm_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("plain") << "name@example.com"
                           << "name@example.com";
    QTest::newRow("dots, plus, sub-domains") << "first.last+news@mail.example.co.uk"
                                             << "first.last+news@mail.example.co.uk";
    QTest::newRow("blanks around") << "  name@example.com\t"
                                   << "name@example.com";
    QTest::newRow("empty") << "" << QString();
    QTest::newRow("no at") << "name.example.com" << QString();
    QTest::newRow("two at") << "a@b@example.com" << QString();
    QTest::newRow("single-label domain") << "name@localhost" << QString();
    QTest::newRow("blank inside") << "na me@example.com" << QString();
    QTest::newRow("double dot") << "first..last@example.com" << QString();
    QTest::newRow("non-ASCII") << QString::fromUtf8("jörg@example.com") << QString();
    QTest::newRow("local part too long")
        << QString(65, QLatin1Char('a')) + "@example.com" << QString();
}

// The stored address is offered; a well-formed one replaces it and closes the dialog, anything
// else shows the hint and keeps the dialog open until the user declines, with nothing stored.
void MailPromptTest::addressForm()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);

    const auto store = std::make_shared<FakeStore>();
    store->address = "old@example.com";
    auto dialog = EmailDialogCreator().Create(store, nullptr, nullptr);
    QString offered;
    bool hintShown = false;
    ModalDialogDriver driver([&](QWidget* shown) {
        auto* edit = shown->findChild<QLineEdit*>(QStringLiteral("emailEdit"));
        auto* hint = shown->findChild<QLabel*>(QStringLiteral("emailError"));
        offered = edit->text();
        edit->setText(typed);
        Click(shown, "subscribeButton");
        hintShown = hint->isVisible();
        if (shown->isVisible())
            Click(shown, "notNowButton");
    });
    QCOMPARE(dialog->Exec(), !stored.isEmpty());
    QVERIFY(driver.Acted());
    QCOMPARE(offered, QStringLiteral("old@example.com"));
    QCOMPARE(QString::fromStdString(store->address),
             stored.isEmpty() ? QStringLiteral("old@example.com") : stored);
    QCOMPARE(store->writes, stored.isEmpty() ? 0 : 1);
    QCOMPARE(hintShown, stored.isEmpty());
}

void MailPromptTest::privacyLink()
{
    const auto links = std::make_shared<FakeLinks>();
    QWidget parent;
    for (const QString& url : {QString(), QStringLiteral("https://example.com/privacy?a=1&b=2")}) {
        links->privacy = url;
        auto dialog = EmailDialogCreator().Create(std::make_shared<FakeStore>(), links, &parent);
        QLabel* link = nullptr;
        QWidget* shownParent = nullptr;
        ModalDialogDriver driver([&](QWidget* shown) {
            shownParent = shown->parentWidget();
            link = shown->findChild<QLabel*>(QStringLiteral("privacyLink"));
            if (link)
                Q_EMIT link->linkActivated(url);
            shown->close();
        });
        QVERIFY(!dialog->Exec());
        QVERIFY(driver.Acted());
        QCOMPARE(shownParent, &parent);
        QCOMPARE(link != nullptr, !url.isEmpty());
    }
    QCOMPARE(links->opened, QStringList{QStringLiteral("https://example.com/privacy?a=1&b=2")});

    // The parent may go first; the dialog object then has nothing left to show.
    auto* owner = new QWidget;
    auto orphan = EmailDialogCreator().Create(std::make_shared<FakeStore>(), links, owner);
    delete owner;
    QVERIFY(!orphan->Exec());
}

TAVRIX_TEST_MAIN(MailPromptTest, QApplication)

#include "tst_mailprompt.moc"
