#include "lockhelper.h"
#include "TestMain.h"

#include <Tavrix/Util/FontDatabase.h>
#include <Tavrix/Util/ProcessInfo.h>
#include <Tavrix/Util/RemoveDir.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>

#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

using namespace Tavrix::Util;

class tst_QtKit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void isProcessRunning_data();
    void isProcessRunning();
    void removeDir_data();
    void removeDir();
    void fontRegisteredOnce();
};

namespace {

// A child that has ended but is not reaped yet; -1 when it could not be made.
pid_t StartZombie()
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    siginfo_t info{};
    return pid > 0 && ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) == 0 ? pid
                                                                                             : -1;
}

void Touch(const QString& path, int daysOld)
{
    QFile file(path);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const time_t when = std::time(nullptr) - time_t(daysOld) * 24 * 3600;
    const utimbuf times{when, when};
    QCOMPARE(::utime(QFile::encodeName(path).constData(), &times), 0);
}

QStringList Tree(const QString& root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(root).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

} // namespace

void tst_QtKit::isProcessRunning_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("running");

    QTest::newRow("live child through a link") << "link" << true;
    QTest::newRow("other executable") << "other" << false;
    QTest::newRow("zombie") << "zombie" << false;
    QTest::newRow("id zero") << "zero" << false;
    QTest::newRow("id out of range") << "huge" << false;
}

void tst_QtKit::isProcessRunning()
{
    QFETCH(QString, kind);
    QFETCH(bool, running);
    const QString helper = QStringLiteral(TAVRIX_MUTEX_HELPER);
    QTemporaryDir dir;
    std::unique_ptr<HelperProcess> child;
    if (QStringList{"link", "other"}.contains(kind)) {
        child = StartReadyHelper({QStringLiteral("sleep")});
        QVERIFY(child);
    }
    auto pid = static_cast<unsigned long>(child ? child->Process().processId()
                                                : QCoreApplication::applicationPid());
    QString path = QCoreApplication::applicationFilePath();
    pid_t zombie = -1;
    if (kind == QLatin1String("link")) {
        path = dir.filePath(QStringLiteral("link to helper"));
        QVERIFY(QFile::link(helper, path));
    } else if (kind == QLatin1String("zombie")) {
        zombie = StartZombie();
        QVERIFY(zombie > 0);
        pid = static_cast<unsigned long>(zombie);
    } else if (kind == QLatin1String("zero")) {
        pid = 0;
    } else if (kind == QLatin1String("huge")) {
        pid += 1UL << 40; // this process's id in the low bits
    }
    QCOMPARE(IsProcessRunning(pid, path), running);
    if (kind == QLatin1String("zombie"))
        ::waitpid(zombie, nullptr, 0);
}

void tst_QtKit::removeDir_data()
{
    QTest::addColumn<bool>("removeEmptyFolders");
    QTest::addColumn<QStringList>("left");

    const QStringList kept{"limit.txt", "new.txt", "recent", "recent/new.txt"};
    QTest::newRow("folders kept") << false
                                  << (kept
                                      + QStringList{"empty", "nested", "nested/deeper", "old"});
    QTest::newRow("empty folders removed") << true << kept;
}

// Files older than the limit go wherever they are, a link's target outside stays, and with the
// flag set the folders left empty go too; the folder itself always stays.
void tst_QtKit::removeDir()
{
    QFETCH(bool, removeEmptyFolders);
    QFETCH(QStringList, left);
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("root"));
    const QString outside = dir.filePath(QStringLiteral("outside"));
    Touch(root + "/new.txt", 0);
    Touch(root + "/limit.txt", 6);
    Touch(root + "/old.txt", 10);
    Touch(root + "/.hidden-old", 10);
    Touch(root + "/old/old.txt", 30);
    Touch(root + "/recent/new.txt", 1);
    Touch(root + "/nested/deeper/old.txt", 8);
    QVERIFY(QDir().mkpath(root + "/empty"));
    Touch(outside + "/old.txt", 100);
    QVERIFY(QFile::link(outside, root + "/link-to-outside"));
    QVERIFY(QFile::link(outside + "/old.txt", root + "/link-to-old-file"));

    RemoveDir(root, 7, removeEmptyFolders);

    QStringList tree = Tree(root);
    tree.removeAll(QStringLiteral("link-to-outside"));
    tree.removeAll(QStringLiteral("link-to-old-file"));
    left.sort();
    QCOMPARE(tree, left);
    QVERIFY(QFile::exists(outside + "/old.txt")); // links are not followed
    QVERIFY(QFileInfo(root).isDir());
    RemoveDir(root + "/missing", 7, removeEmptyFolders); // nothing to do, no crash
    RemoveDir(QString(), 7, removeEmptyFolders);
}

// Themes hand their fonts over on every switch: the same font, under any name, is added once and
// keeps its id; another font, even of the same size, gets another; a file that is no font, or
// none, gets -1.
void tst_QtKit::fontRegisteredOnce()
{
    const QString sans = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    const QString serif = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf");
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("copy.ttf"));
    QVERIFY(QFile::copy(sans, copy));
    const QString text = dir.filePath(QStringLiteral("text.ttf"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("no font") > 0);
    file.close();

    const int id = FontDatabase::addApplicationFont(sans);
    QVERIFY(id >= 0);
    QCOMPARE(FontDatabase::addApplicationFont(sans), id);
    QCOMPARE(FontDatabase::addApplicationFont(copy), id);
    // The same size with other bytes is another font, never the one added before.
    QFile original(sans);
    QVERIFY(original.open(QIODevice::ReadOnly));
    QByteArray changedBytes = original.readAll();
    changedBytes[changedBytes.size() - 1] = char(changedBytes.at(changedBytes.size() - 1) ^ 1);
    const QString changed = dir.filePath(QStringLiteral("changed.ttf"));
    QFile changedFile(changed);
    QVERIFY(changedFile.open(QIODevice::WriteOnly) && changedFile.write(changedBytes) > 0);
    changedFile.close();
    QVERIFY(FontDatabase::addApplicationFont(changed) != id);
    const int other = FontDatabase::addApplicationFont(serif);
    QVERIFY(other >= 0 && other != id);
    QCOMPARE(FontDatabase::addApplicationFont(text), -1);
    QCOMPARE(FontDatabase::addApplicationFont(dir.filePath(QStringLiteral("missing.ttf"))), -1);
}

TAVRIX_TEST_MAIN(tst_QtKit, QApplication)
#include "tst_qtkit.moc"
