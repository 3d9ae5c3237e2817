#include <Tavrix/Platform/ProcessStart.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
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
    QStandardPaths::setTestModeEnabled(true);
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

    const QString dir = m_dir.path();
    QTest::newRow("absolute") << dir + "/tool" << QStringList{"a b", "c"} << QString()
                              << QDir::rootPath() << true << "ran.txt"
                              << "/ a b c\n";
    QTest::newRow("relativeToWorkingFolder")
        << "tool" << QStringList() << QString() << dir << true << "ran.txt" << dir + " \n";
    QTest::newRow("relativeToDirectory") << "tool" << QStringList{"x"} << dir << QDir::rootPath()
                                         << true << "ran.txt" << dir + " x\n";
    QTest::newRow("document") << "notes.txt" << QStringList{"ignored"} << QString() << dir << true
                              << "opened.txt"
                              << "open " + dir + "/notes.txt\n";
    QTest::newRow("url") << "https://example.com/a?b=c" << QStringList() << QString() << dir << true
                         << "opened.txt"
                         << "open https://example.com/a?b=c\n";
    QTest::newRow("missing") << "InstallerMessage.vbs" << QStringList() << QString() << dir << false
                             << "opened.txt" << QString();
    QTest::newRow("empty") << "" << QStringList() << QString() << dir << false << "opened.txt"
                           << QString();
    QTest::newRow("execFails") << "broken" << QStringList() << QString() << dir << false
                               << "ran.txt" << QString();
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
    const ProcessHandle handle = StartProcess(file, parameters, directory);
    QDir::setCurrent(previous);

    QCOMPARE(handle.IsValid(), started);
    if (!started) {
        QCOMPARE(handle.Get(), 0);
        QTest::qWait(200);
        QVERIFY(!QFile::exists(outputPath));
        return;
    }
    QVERIFY(handle.Get() > 2);
    QVERIFY(handle.WaitForExit(10000));
    QTRY_COMPARE_WITH_TIMEOUT(ReadAll(outputPath), output, 10000);
}

QTEST_GUILESS_MAIN(ProcessStartTest)

#include "tst_processstart.moc"
