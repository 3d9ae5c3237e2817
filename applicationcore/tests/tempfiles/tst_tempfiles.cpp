#include "TestCustomization.h"
#include "CapturingLogSink.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

using namespace Tavrix::App;

namespace {

Application* App()
{
    return static_cast<Application*>(QCoreApplication::instance());
}

bool MakeFile(const QString& path, int ageDays)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("scratch");
    file.flush();
    const QDateTime time = QDateTime::currentDateTime().addDays(-ageDays);
    return file.setFileTime(time, QFileDevice::FileModificationTime);
}

} // namespace

class TemporaryFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void folder_data();
    void folder();
    void clearing_data();
    void clearing();
    void clearingStaysInTemporaryFolder_data();
    void clearingStaysInTemporaryFolder();

private:
    std::shared_ptr<TestCustomization> m_customization
        = std::make_shared<TestCustomization>("TempTest");
    CapturingLogSink m_sink;
};

void TemporaryFilesTest::initTestCase()
{
    App()->SetCustomizationManager(m_customization, false);
}

void TemporaryFilesTest::init()
{
    m_customization->folder = "TempTest";
}

void TemporaryFilesTest::folder_data()
{
    QTest::addColumn<bool>("clear");
    QTest::newRow("asked for") << false;
    QTest::newRow("cleared") << true;
}

// The product's temporary folder is made when missing, whether it is asked for or cleared.
void TemporaryFilesTest::folder()
{
    QFETCH(bool, clear);
    const QString expected = QDir::tempPath() + QStringLiteral("/TempTest/temp/");
    QDir(QDir::tempPath() + QStringLiteral("/TempTest")).removeRecursively();
    if (clear)
        App()->ClearApplicationTemporaryFiles(Application::DAYS_TO_FILE_EXPIRE);
    else
        QCOMPARE(App()->GetApplicationTemporaryFilesDir(), QDir::toNativeSeparators(expected));
    QVERIFY(QFileInfo(expected).isDir());
}

void TemporaryFilesTest::clearing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("ageDays");
    QTest::addColumn<bool>("kept");
    QTest::newRow("new") << "new.tmp" << 0 << true;
    QTest::newRow("nineDays") << "nine.tmp" << 9 << true;
    QTest::newRow("elevenDays") << "eleven.tmp" << 11 << false;
    QTest::newRow("yearOld") << "old.tmp" << 365 << false;
    QTest::newRow("oldInSubfolder") << "sub/old.tmp" << 30 << false;
    QTest::newRow("newInSubfolder") << "sub/new.tmp" << 1 << true;
    QTest::newRow("hiddenOld") << ".hidden" << 30 << false;
}

void TemporaryFilesTest::clearing()
{
    QFETCH(QString, file);
    QFETCH(int, ageDays);
    QFETCH(bool, kept);
    const QString folder = App()->GetApplicationTemporaryFilesDir();
    const QString path = folder + file;
    QVERIFY(MakeFile(path, ageDays));
    QVERIFY(MakeFile(folder + QStringLiteral("witness.tmp"), 0));
    m_sink.TakeLines();

    App()->ClearApplicationTemporaryFiles(Application::DAYS_TO_FILE_EXPIRE);

    QCOMPARE(QFile::exists(path), kept);
    QVERIFY(QFile::exists(folder + QStringLiteral("witness.tmp")));
    QVERIFY(QFileInfo(QFileInfo(path).path()).isDir());
    QCOMPARE(m_sink.TakeLines(),
             QStringList{QStringLiteral("Removing all temporary files from directory ")
                         + QDir(folder).absolutePath()});
}

void TemporaryFilesTest::clearingStaysInTemporaryFolder_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("parentFolder") << "../outside" << false;
    QTest::newRow("deepParent") << "a/../../outside" << false;
    QTest::newRow("plantedLink") << "Linked" << true;
}

void TemporaryFilesTest::clearingStaysInTemporaryFolder()
{
    QFETCH(QString, folderName);
    QFETCH(bool, throughLink);
    const QString outside = QDir::cleanPath(QDir::tempPath() + QStringLiteral("/../outside/temp"));
    QVERIFY(MakeFile(outside + QStringLiteral("/precious.txt"), 100));
    if (throughLink) {
        QDir().mkpath(QDir::tempPath() + QLatin1Char('/') + folderName);
        QVERIFY(QFile::link(outside, QDir::tempPath() + QLatin1Char('/') + folderName
                                         + QStringLiteral("/temp")));
    }
    m_customization->folder = folderName.toStdString();
    App()->ClearApplicationTemporaryFiles(Application::DAYS_TO_FILE_EXPIRE);
    QVERIFY(QFile::exists(outside + QStringLiteral("/precious.txt")));
    QDir(QDir::cleanPath(outside + QStringLiteral("/.."))).removeRecursively();
}

TAVRIX_TEST_MAIN(TemporaryFilesTest, Application)

#include "tst_tempfiles.moc"
