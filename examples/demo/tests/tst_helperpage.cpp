// The sample product's side of the focus hand-over, against its real helper program.
#include "DemoLookAndFeel.h"
#include "HelperPage.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QListWidget>
#include <QTest>

namespace {

QStringList Events(const HelperPage& page)
{
    QStringList lines;
    const auto* events = page.findChild<QListWidget*>(QStringLiteral("helperEvents"));
    for (int i = 0; events && i < events->count(); ++i)
        lines << events->item(i)->text();
    return lines;
}

} // namespace

class HelperPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void helperAnsweredWithMainWindow();
};

void HelperPageTest::helperAnsweredWithMainWindow()
{
    const auto lookAndFeel = StartDemoLookAndFeel(TAVRIX_DEMO_RESOURCES, "de_DE", "Dark");
    QWidget window;
    auto* page = new HelperPage(lookAndFeel, &window);
    window.show();

    page->OpenHelper({QStringLiteral("--close-after-show")});
    QCOMPARE(Events(*page).value(0), HelperPage::tr("Helper started"));
    QTRY_VERIFY_WITH_TIMEOUT(Events(*page).contains(HelperPage::tr("The helper has ended")), 30000);
    const QString answered
        = HelperPage::tr("The helper closed; the focus goes back to window %1").arg(window.winId());
    QVERIFY2(Events(*page).contains(answered), qPrintable(Events(*page).join('\n')));
}

TAVRIX_TEST_MAIN(HelperPageTest, QApplication)

#include "tst_helperpage.moc"
