// The informer's message box and its links: what opens, what lands on the clipboard with a
// tooltip, and boxes closed or orphaned from outside.
#include "ModalDialogDriver.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QToolTip>
#include <QUrl>

using namespace Tavrix::App;
using Tavrix::Util::AlertBox;

namespace {

const char* const TOOLTIP = "Email address has been copied to the clipboard";

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

QImage Image(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

void ClickOk(QWidget* dialog)
{
    QTest::mouseClick(static_cast<QMessageBox*>(dialog)->button(QMessageBox::Ok), Qt::LeftButton);
}

} // namespace

class InformerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void box_data();
    void box();
    void links_data();
    void links();
    void closeFromOutside();
    void destroyedWhileOpen_data();
    void destroyedWhileOpen();
    void twoInARow();

private:
    UrlCatcher m_catcher;
};

void InformerTest::initTestCase()
{
    QDesktopServices::setUrlHandler(QStringLiteral("tavrixtest"), &m_catcher, "open");
    // An e-mail link must never reach the desktop, even where it could open it.
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &m_catcher, "open");
}

void InformerTest::box_data()
{
    QTest::addColumn<QString>("iconPath");
    QTest::addColumn<QString>("expectedIcon"); // empty: no picture
    QTest::addColumn<QString>("learnMore");
    QTest::newRow("built-in icon, further reading") << QString() << ":/Icons/large_icon.png"
                                                    << "https://example.org/more";
    QTest::newRow("own icon, no further reading") << ":/Signature/sign.png"
                                                  << ":/Signature/sign.png" << QString();
    QTest::newRow("missing icon") << "/nowhere/icon.png" << QString() << QString();
}

void InformerTest::box()
{
    QFETCH(QString, iconPath);
    QFETCH(QString, expectedIcon);
    QFETCH(QString, learnMore);

    QWidget window;
    Informer informer([&window] { return &window; });
    QCOMPARE(informer.parent(), &window);
    QString name;
    QWidget* parent = nullptr;
    QImage icon;
    QStringList labelTexts;
    bool linksHandled = true;
    int width = 0;
    const ModalDialogDriver driver([&](QWidget* dialog) {
        name = dialog->objectName();
        parent = dialog->parentWidget();
        icon = Image(static_cast<QMessageBox*>(dialog)->iconPixmap());
        width = dialog->width();
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            labelTexts << label->text();
            linksHandled = linksHandled
                           && label->textInteractionFlags() == Qt::LinksAccessibleByMouse
                           && !label->openExternalLinks();
        }
        ClickOk(dialog);
    });
    QCOMPARE(
        informer.ExecDialog(QStringLiteral("Saved."), learnMore, iconPath, AlertBox::Information),
        QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(name, QStringLiteral("Informer_AlertBox"));
    QCOMPARE(parent, &window);
    QVERIFY(width >= 450);
    QVERIFY(linksHandled);
    QCOMPARE(icon.isNull(), expectedIcon.isEmpty());
    if (!expectedIcon.isEmpty())
        QCOMPARE(icon, Image(QPixmap(expectedIcon)));
    QCOMPARE(labelTexts.join(QLatin1Char(' ')).contains(QStringLiteral("Learn more")),
             !learnMore.isEmpty());
}

void InformerTest::links_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("fromLabel");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("copied");

    QTest::newRow("e-mail") << "mailto:help@example.org" << true << ""
                            << "help@example.org";
    QTest::newRow("e-mail in capitals") << "MAILTO:help@example.org" << true << ""
                                        << "help@example.org";
    QTest::newRow("e-mail inside the link")
        << "tavrixtest:write?mailto:a@example.org,MailTo:b@example.org" << true << ""
        << "tavrixtest:write?a@example.org,b@example.org";
    QTest::newRow("ordinary link") << "tavrixtest:page" << true << "tavrixtest:page"
                                   << "";
    QTest::newRow("link the desktop cannot open") << "http://example.org:99999/" << true << ""
                                                  << "http://example.org:99999/";
    QTest::newRow("e-mail not from a widget") << "mailto:help@example.org" << false << ""
                                              << "";
}

void InformerTest::links()
{
    QFETCH(QString, link);
    QFETCH(bool, fromLabel);
    QFETCH(QString, opened);
    QFETCH(QString, copied);

    QApplication::clipboard()->setText(QString());
    QToolTip::hideText();
    m_catcher.opened.clear();
    Informer informer({});
    QString clipboard;
    QString tooltip;
    const ModalDialogDriver driver([&](QWidget* dialog) {
        if (fromLabel) {
            // What a click on the link does.
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->text().contains(QStringLiteral("href")))
                    Q_EMIT label->linkActivated(link);
            }
        } else {
            QMetaObject::invokeMethod(&informer, "OnDialogLinkActivated", Q_ARG(QString, link));
        }
        clipboard = QApplication::clipboard()->text();
        tooltip = QToolTip::isVisible() ? QToolTip::text() : QString();
        ClickOk(dialog);
    });
    informer.ExecDialog(QStringLiteral("Write to <a href=\"%1\">us</a>.").arg(link), QString(),
                        QString(), AlertBox::Information);
    QVERIFY(driver.Acted());
    QCOMPARE(m_catcher.opened, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(opened)});
    QCOMPARE(clipboard, copied);
    QCOMPARE(tooltip, copied.isEmpty() ? QString() : QString::fromLatin1(TOOLTIP));
}

void InformerTest::closeFromOutside()
{
    Informer informer({});
    QVERIFY(informer.Close());
    bool closed = false;
    const ModalDialogDriver driver([&](QWidget*) { closed = informer.Close(); });
    informer.ExecDialog(QStringLiteral("Closing soon"), QString(), QString(), AlertBox::Warning);
    QVERIFY(closed);
    // The closed box is released; nothing is left to close.
    QTRY_VERIFY(!driver.Dialog());
    QVERIFY(informer.Close());
}

void InformerTest::destroyedWhileOpen_data()
{
    QTest::addColumn<bool>("withParent");
    QTest::newRow("with its parent widget") << true;
    QTest::newRow("on its own") << false;
}

void InformerTest::destroyedWhileOpen()
{
    QFETCH(bool, withParent);
    auto* window = new QWidget;
    QPointer<QWidget> windowGuard(window);
    auto* informer = new Informer([&] { return withParent ? windowGuard.data() : nullptr; });
    const QPointer<Informer> informerGuard(informer);
    const ModalDialogDriver driver([&](QWidget* dialog) {
        if (withParent) {
            delete window;
        } else {
            delete informer;
            ClickOk(dialog);
        }
    });
    informer->ExecDialog(QStringLiteral("Going"), QString(), QString(), AlertBox::Information);
    QVERIFY(driver.Acted());
    QVERIFY(!informerGuard);
    // The box goes too, with its parent or on its own.
    QTRY_VERIFY(!driver.Dialog());
    if (!withParent)
        delete window;
}

void InformerTest::twoInARow()
{
    QWidget window;
    Informer informer([&window] { return &window; });
    const ModalDialogDriver first(ClickOk);
    QCOMPARE(
        informer.ExecDialog(QStringLiteral("One"), QString(), QString(), AlertBox::Information),
        QMessageBox::StandardButtons(QMessageBox::Ok));
    QTRY_VERIFY(!first.Dialog());

    int boxes = 0;
    QString text;
    const ModalDialogDriver second([&](QWidget* dialog) {
        boxes = window.findChildren<AlertBox*>().size();
        text = static_cast<QMessageBox*>(dialog)->text();
        ClickOk(dialog);
    });
    informer.ExecDialog(QStringLiteral("Two"), QString(), QString(), AlertBox::Information);
    QVERIFY(second.Acted());
    QCOMPARE(boxes, 1);
    QCOMPARE(text, QStringLiteral("Two"));
}

TAVRIX_TEST_MAIN(InformerTest, QApplication)

#include "tst_informer.moc"
