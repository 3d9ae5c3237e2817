#include "DescendantWatch.h"
#include "TestMain.h"

#include <Tavrix/Platform/ProcessStart.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Tavrix::Platform::ProcessHandle;
using Tavrix::Platform::StartProcess;

namespace {

void WriteScript(const QString& path, const QByteArray& body)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(body);
    file.close();
    QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
}

QString ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class ProcessStartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void start_data();
    void start();

private:
    QTemporaryDir m_dir;
};

void ProcessStartTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString bin = m_dir.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    // The desktop's opener, standing in for xdg-open: notes what it was asked to open.
    WriteScript(bin + QStringLiteral("/xdg-open"), "#!/bin/sh\necho \"open $*\" > \"$OPENED\"\n");
    qputenv("PATH", QFile::encodeName(bin) + ':' + qgetenv("PATH"));
    qputenv("OPENED", QFile::encodeName(m_dir.filePath(QStringLiteral("opened.txt"))));
    WriteScript(m_dir.filePath(QStringLiteral("tool")),
                "#!/bin/sh\necho \"$PWD $*\" > \"$(dirname \"$0\")/ran.txt\"\n");
    WriteScript(m_dir.filePath(QStringLiteral("broken")), "#!/nonexistent/interpreter\n");
    QFile document(m_dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(document.open(QIODevice::WriteOnly));
}

void ProcessStartTest::start_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("workingFolder");
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("outputFile");
    QTest::addColumn<QString>("output");

    const auto row = [](const char* name, const QString& file, const QStringList& parameters,
                        const QString& directory, const QString& workingFolder, bool started,
                        const char* outputFile, const QString& output) {
        QTest::newRow(name) << file << parameters << directory << workingFolder << started
                            << QString(outputFile) << output;
    };
    const QString dir = m_dir.path();
    const QString root = QDir::rootPath();
    row("absolute", dir + "/tool", {"a b", "c"}, "", root, true, "ran.txt", "/ a b c\n");
    row("relativeToDirectory", "tool", {"x"}, dir, root, true, "ran.txt", dir + " x\n");
    row("document", "notes.txt", {"ignored"}, "", dir, true, "opened.txt",
        "open " + dir + "/notes.txt\n");
    row("empty", "", {}, "", dir, false, "opened.txt", "");
    row("execFails", "broken", {}, "", dir, false, "ran.txt", "");
}

void ProcessStartTest::start()
{
    QFETCH(QString, file);
    QFETCH(QStringList, parameters);
    QFETCH(QString, directory);
    QFETCH(QString, workingFolder);
    QFETCH(bool, started);
    QFETCH(QString, outputFile);
    QFETCH(QString, output);

    const QString outputPath = m_dir.filePath(outputFile);
    QFile::remove(outputPath);
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workingFolder));
    DescendantWatch watch;
    const ProcessHandle handle = StartProcess(file, parameters, directory);
    QDir::setCurrent(previous);
    QVERIFY(watch.WaitForAllEnded());

    QCOMPARE(handle.IsValid(), started);
    QVERIFY(started ? handle.Get() > 2 && handle.WaitForExit(10000) : handle.Get() == 0);
    QCOMPARE(ReadAll(outputPath), output);
}

TAVRIX_TEST_MAIN(ProcessStartTest, QCoreApplication)

#include "tst_processstart.moc"
