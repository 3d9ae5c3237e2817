// The colour dialog's custom colours kept in the application's common store: saved by one
// process and loaded by another, and read back from stored tables good and bad.
#include "HelperProcess.h"
#include "SettingsRecorder.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QColorDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <iostream>

using namespace Tavrix::App;

namespace {

const QString GROUP = QStringLiteral("Tavrix::App::ColorDialogHelper/");
const QColor UNTOUCHED(1, 2, 3);

Application* App()
{
    return static_cast<Application*>(QCoreApplication::instance());
}

} // namespace

class ColorDialogHelperTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanupTestCase();
    void savedByOneProcessLoadedByAnother();
    void everySaveWritesEveryEntryAnew();
    void load_data();
    void load();
    void withoutCommonStoreNothingIsKept();

private:
    QTemporaryDir m_dir;
    std::shared_ptr<SettingsManager> m_store;
};

void ColorDialogHelperTest::init()
{
    static int run = 0;
    m_store = std::make_shared<SettingsManager>(
        m_dir.filePath(QStringLiteral("common%1.ini").arg(++run)), QSettings::IniFormat);
    App()->SetSettingsManager(m_store);
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, UNTOUCHED);
}

void ColorDialogHelperTest::cleanupTestCase()
{
    App()->SetSettingsManager(nullptr);
}

void ColorDialogHelperTest::savedByOneProcessLoadedByAnother()
{
    const QString file = m_dir.filePath(QStringLiteral("shared.ini"));
    HelperProcess save({QStringLiteral("save"), file});
    QVERIFY(save.Run());

    const QSettings stored(file, QSettings::IniFormat);
    QCOMPARE(stored.value(GROUP + QStringLiteral("Color3")).toString(), QStringLiteral("#ff0000"));
    QCOMPARE(stored.value(GROUP + QStringLiteral("Color5")).toString(), QStringLiteral("#0000ff"));
    QCOMPARE(stored.value(GROUP + QStringLiteral("ColorsCount")).toInt(),
             QColorDialog::customCount());

    HelperProcess load({QStringLiteral("load"), file});
    QVERIFY(load.Start());
    // Red again in slot 3; the half-transparent blue of slot 5 comes back opaque.
    QCOMPARE(load.ReadLine(), QByteArray("#ffff0000 #ff0000ff"));
    QVERIFY(load.Finish());
}

void ColorDialogHelperTest::everySaveWritesEveryEntryAnew()
{
    SettingsRecorder recorder;
    m_store->RegisterObserver(&recorder);
    {
        const ColorDialogHelper first;
    }
    QCOMPARE(recorder.keys.size(), QColorDialog::customCount() + 1);
    // Nothing changed, yet the group went first, so every entry is new again.
    {
        const ColorDialogHelper second;
    }
    m_store->UnregisterObserver(&recorder);
    QCOMPARE(recorder.keys.size(), 2 * (QColorDialog::customCount() + 1));
    QCOMPARE(recorder.withOldValue, 0);
}

void ColorDialogHelperTest::load_data()
{
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<QStringList>("expected"); // 0, 1, 2 and the last; "" where Qt decides
    const QString old = UNTOUCHED.name();

    QTest::newRow("no table") << QVariantMap() << QStringList{old, old, old, old};
    QTest::newRow("fewer entries than counted")
        << QVariantMap{{"ColorsCount", 3}, {"Color0", "#112233"}}
        << QStringList{"#112233", "#000000", "#000000", old};
    QTest::newRow("negative count") << QVariantMap{{"ColorsCount", -5}, {"Color0", "#112233"}}
                                    << QStringList{old, old, old, old};
    QTest::newRow("count that is no number")
        << QVariantMap{{"ColorsCount", "many"}, {"Color0", "#112233"}}
        << QStringList{old, old, old, old};
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
    QSettings file(m_dir.filePath(QStringLiteral("table%1.ini").arg(QTest::currentDataTag())),
                   QSettings::IniFormat);
    for (auto entry = stored.cbegin(); entry != stored.cend(); ++entry)
        file.setValue(GROUP + entry.key(), entry.value());
    file.sync();
    App()->SetSettingsManager(
        std::make_shared<SettingsManager>(file.fileName(), QSettings::IniFormat));

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

// The second process: an application whose common store is the file given, which either sets
// two custom colours and saves them, or loads them and prints slots 3 and 5.
int RunHelper(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    Application::AppContext context;
    context.createRunningMutex = false;
    Application app(argc, argv, context);
    app.SetSettingsManager(
        std::make_shared<SettingsManager>(QString::fromLocal8Bit(argv[2]), QSettings::IniFormat));
    if (qstrcmp(argv[1], "save") == 0) {
        const ColorDialogHelper helper;
        QColorDialog::setCustomColor(3, Qt::red);
        QColorDialog::setCustomColor(5, QColor(0, 0, 255, 100));
    } else {
        const ColorDialogHelper helper;
        std::cout << qPrintable(QColorDialog::customColor(3).name(QColor::HexArgb)) << ' '
                  << qPrintable(QColorDialog::customColor(5).name(QColor::HexArgb)) << std::endl;
    }
    return 0;
}

int main(int argc, char** argv)
{
    if (argc > 2 && (qstrcmp(argv[1], "save") == 0 || qstrcmp(argv[1], "load") == 0))
        return RunHelper(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    Application app(argc, argv);
    ColorDialogHelperTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_colordialoghelper.moc"
