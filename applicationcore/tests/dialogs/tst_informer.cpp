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
    void endedFromOutside_data();
    void endedFromOutside();

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
    QTest::addColumn<QString>("expectedIcon");
    QTest::addColumn<QString>("learnMore");
    QTest::newRow("built-in icon, further reading") << QString() << ":/Icons/large_icon.png"
                                                    << "https://example.org/more";
    QTest::newRow("own icon, no further reading") << ":/Signature/sign.png"
                                                  << ":/Signature/sign.png" << QString();
}

// The box is a child of the informer's window with its fixed name, its icon (the built-in one by
// default) and the link to further reading; its links come to the informer.
void InformerTest::box()
{
    QFETCH(QString, iconPath);
    QFETCH(QString, expectedIcon);
    QFETCH(QString, learnMore);

    QWidget window;
    Informer informer([&window] { return &window; });
    QString name;
    QWidget* parent = nullptr;
    QImage icon;
    QStringList labelTexts;
    bool linksHandled = true;
    const ModalDialogDriver driver([&](QWidget* dialog) {
        name = dialog->objectName();
        parent = dialog->parentWidget();
        icon = Image(static_cast<QMessageBox*>(dialog)->iconPixmap());
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
    QVERIFY(linksHandled);
    QCOMPARE(icon, Image(QPixmap(expectedIcon)));
    QCOMPARE(labelTexts.join(QLatin1Char(' ')).contains(QStringLiteral("Learn more")),
             !learnMore.isEmpty());
    // Each box is released once closed, so that boxes do not gather under the window.
    QTRY_VERIFY(window.findChildren<AlertBox*>().isEmpty());
}

void InformerTest::links_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("fromLabel");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("copied");

    QTest::newRow("e-mail") << "mailto:help@example.org" << true << ""
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

// An e-mail address, in any case and inside any link, is copied with a tooltip, never opened;
// other links open, and one the desktop cannot open is copied. A call from no widget does
// nothing.
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

void InformerTest::endedFromOutside_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("closed") << "closed";
    QTest::newRow("window destroyed") << "window";
    QTest::newRow("informer without window destroyed") << "informer";
}

// The box may be closed from outside, or the informer or the window of its box may go while it
// is open: the box ends and is released. With no box there is nothing to close.
void InformerTest::endedFromOutside()
{
    QFETCH(QString, how);
    const QPointer<QWidget> window(new QWidget);
    const QPointer<Informer> informer(
        new Informer([&] { return how == QLatin1String("informer") ? nullptr : window.data(); }));
    QVERIFY(informer->Close());
    bool closed = false;
    const ModalDialogDriver driver([&](QWidget* dialog) {
        if (how == QLatin1String("closed"))
            closed = informer->Close();
        else if (how == QLatin1String("window"))
            delete window;
        else {
            delete informer;
            ClickOk(dialog);
        }
    });
    informer->ExecDialog(QStringLiteral("Going"), QString(), QString(), AlertBox::Information);
    QVERIFY(driver.Acted());
    QTRY_VERIFY(!driver.Dialog());
    QCOMPARE(closed, how == QLatin1String("closed"));
    QCOMPARE(informer.isNull(), !closed);
    delete window;
}

TAVRIX_TEST_MAIN(InformerTest, QApplication)

#include "tst_informer.moc"
