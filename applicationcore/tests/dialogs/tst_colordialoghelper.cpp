// The colour dialog's custom colours kept in the application's common store: saved when a
// helper goes, loaded when the next one comes, and read back from stored tables good and bad.
#include "AppInstance.h"
#include "SettingsRecorder.h"
#include "TemporaryStores.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QColorDialog>
#include <QSettings>

#include <climits>

using namespace Tavrix::App;

namespace {

const QString GROUP = QStringLiteral("Tavrix::App::ColorDialogHelper/");
const QColor UNTOUCHED(1, 2, 3);

std::string Key(const QString& name)
{
    return QString(GROUP + name).toStdString();
}

} // namespace

class ColorDialogHelperTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanupTestCase() { App()->SetSettingsManager(nullptr); }
    void savedAndLoaded();
    void load_data();
    void load();
    void withoutCommonStoreNothingIsKept();

private:
    QString m_file;
    TemporaryStores m_stores;
};

void ColorDialogHelperTest::init()
{
    m_file = m_stores.NewFile();
    App()->SetSettingsManager(std::make_shared<SettingsManager>(m_file, QSettings::IniFormat));
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, UNTOUCHED);
}

// Every save writes the whole table anew, so that no entry of an earlier, longer table
// survives; colours come back opaque.
void ColorDialogHelperTest::savedAndLoaded()
{
    const auto store = App()->GetSettingsManager();
    store->SetString(Key(QStringLiteral("Color99")), "#123456");
    store->SetString(Key(QStringLiteral("Color3")), "#654321");
    SettingsRecorder recorder;
    store->RegisterObserver(&recorder);
    {
        const ColorDialogHelper helper;
        QColorDialog::setCustomColor(3, Qt::red);
        QColorDialog::setCustomColor(5, QColor(0, 0, 255, 100));
    }
    store->UnregisterObserver(&recorder);
    QCOMPARE(recorder.keys.size(), QColorDialog::customCount() + 1);
    QCOMPARE(recorder.withOldValue, 0);
    App()->SetSettingsManager(nullptr);
    const QSettings stored(m_file, QSettings::IniFormat);
    QVERIFY(!stored.contains(GROUP + QStringLiteral("Color99")));
    QCOMPARE(stored.value(GROUP + QStringLiteral("Color3")).toString(), QStringLiteral("#ff0000"));
    QCOMPARE(stored.value(GROUP + QStringLiteral("ColorsCount")).toInt(),
             QColorDialog::customCount());

    QColorDialog::setCustomColor(3, UNTOUCHED);
    QColorDialog::setCustomColor(5, UNTOUCHED);
    App()->SetSettingsManager(std::make_shared<SettingsManager>(m_file, QSettings::IniFormat));
    const ColorDialogHelper next;
    QCOMPARE(QColorDialog::customColor(3), QColor(Qt::red));
    QCOMPARE(QColorDialog::customColor(5), QColor(Qt::blue));
}

void ColorDialogHelperTest::load_data()
{
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<QStringList>("expected"); // 0, 1, 2 and the last; "" where Qt decides
    const QString old = UNTOUCHED.name();
    QTest::newRow("fewer entries than counted")
        << QVariantMap{{"ColorsCount", 3}, {"Color0", "#112233"}}
        << QStringList{"#112233", "#000000", "#000000", old};
    QTest::newRow("huge count") << QVariantMap{{"ColorsCount", INT_MAX}, {"Color1", "#445566"}}
                                << QStringList{"#000000", "#445566", "#000000", "#000000"};
    QTest::newRow("entry that is no colour")
        << QVariantMap{{"ColorsCount", 2}, {"Color0", "not a colour"}, {"Color1", "#abcdef"}}
        << QStringList{"", "#abcdef", old, old};
}

void ColorDialogHelperTest::load()
{
    QFETCH(QVariantMap, stored);
    QFETCH(QStringList, expected);
    const auto store = App()->GetSettingsManager();
    for (auto entry = stored.cbegin(); entry != stored.cend(); ++entry)
        store->SetString(Key(entry.key()), entry.value().toString().toStdString());
    const ColorDialogHelper helper;
    const QList<int> indexes{0, 1, 2, QColorDialog::customCount() - 1};
    for (int i = 0; i < indexes.size(); ++i) {
        if (!expected.at(i).isEmpty())
            QCOMPARE(QColorDialog::customColor(indexes.at(i)).name(), expected.at(i));
    }
}

void ColorDialogHelperTest::withoutCommonStoreNothingIsKept()
{
    App()->SetSettingsManager(nullptr);
    QColorDialog::setCustomColor(0, Qt::green);
    {
        const ColorDialogHelper helper;
    }
    QCOMPARE(QColorDialog::customColor(0), QColor(Qt::green));
}

TAVRIX_TEST_MAIN(ColorDialogHelperTest, Application)

#include "tst_colordialoghelper.moc"
