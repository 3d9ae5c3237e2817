#include "AppInstance.h"
#include "TestCustomization.h"
#include "CapturingLogSink.h"
#include "TestMain.h"

#include <Tavrix/App/ApplicationCore.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

using namespace Tavrix::App;

namespace {

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

// The product's temporary folder is made when missing. Files older than the limit go, in
// subfolders and hidden ones too; the folders stay.
void TemporaryFilesTest::clearing()
{
    const QString folder = App()->GetApplicationTemporaryFilesDir();
    QCOMPARE(folder,
             QDir::toNativeSeparators(QDir::tempPath() + QStringLiteral("/TempTest/temp/")));
    QVERIFY(QFileInfo(folder).isDir());
    const QMap<QString, int> ages{
        {"nine.tmp", 9}, {"eleven.tmp", 11}, {"sub/old.tmp", 30}, {".hidden", 30}};
    for (auto it = ages.cbegin(); it != ages.cend(); ++it)
        QVERIFY(MakeFile(folder + it.key(), it.value()));
    m_sink.TakeLines();
    App()->ClearApplicationTemporaryFiles(Application::DAYS_TO_FILE_EXPIRE);
    for (auto it = ages.cbegin(); it != ages.cend(); ++it)
        QVERIFY2(QFile::exists(folder + it.key()) == (it.value() < 10), qPrintable(it.key()));
    QVERIFY(QFileInfo(folder + QStringLiteral("sub")).isDir());
    QCOMPARE(m_sink.TakeLines(),
             QStringList{QStringLiteral("Removing all temporary files from directory ")
                         + QDir(folder).absolutePath()});
}

void TemporaryFilesTest::clearingStaysInTemporaryFolder_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("parentFolder") << "../outside" << false;
    QTest::newRow("plantedLink") << "Linked" << true;
}

// A folder name that leads out of the temporary folder, or a link planted there, never gets
// anything outside removed.
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
