#include "TestMain.h"

#include <Tavrix/Core/CommunicationChannel.h>
#include <Tavrix/Core/DataInputPipe.h>
#include <Tavrix/Core/DataInputString.h>
#include <Tavrix/Core/DataOutputPipe.h>
#include <Tavrix/Core/IOException.h>
#include <Tavrix/Core/PipeName.h>
#include <Tavrix/Platform/RuntimeFolder.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <future>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace Tavrix::Core;

Q_DECLARE_METATYPE(std::string)

namespace {

std::string Pipe(const std::string& entry)
{
    return "\\\\.\\pipe\\" + entry;
}

// Both sides of one link, as a master and a slave make them.
struct Link
{
    explicit Link(const std::string& id)
    {
        masterIn = DataInputPipe::Create(Pipe("up" + id), true);
        masterOut = DataOutputPipe::Create(Pipe("down" + id), true);
        slaveIn = DataInputPipe::Create(Pipe("down" + id), false);
        slaveOut = DataOutputPipe::Create(Pipe("up" + id), false);
        master = CommunicationChannel::Create(masterIn, masterOut, false);
        slave = CommunicationChannel::Create(slaveIn, slaveOut, true);
    }
    boost::intrusive_ptr<IByteDataInputEx> masterIn, slaveIn;
    boost::intrusive_ptr<IByteDataOutputEx> masterOut, slaveOut;
    boost::intrusive_ptr<IDataChannel> master, slave;
};

QByteArray ReadAvailable(IDataChannel& channel)
{
    QByteArray bytes(static_cast<int>(channel.GetSize()), '\0');
    bytes.truncate(
        static_cast<int>(channel.Read(bytes.data(), static_cast<std::size_t>(bytes.size()))));
    return bytes;
}

} // namespace

class PipeIoTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void names_data();
    void names();
    void createOpenAndRemove();
    void foreignEntriesRefused_data();
    void foreignEntriesRefused();
    void conversation();
    void peerGone();
    void fullPipeWithPeerGone();
};

void PipeIoTest::names_data()
{
    QTest::addColumn<std::string>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << Pipe("TavrixIPCInput42") << true;
    QTest::newRow("dotsInside") << Pipe("a.b") << true;
    QTest::newRow("noPrefix") << std::string("TavrixIPCInput42") << false;
    QTest::newRow("empty") << Pipe("") << false;
    QTest::newRow("slash") << Pipe("x/../../etc/passwd") << false;
    QTest::newRow("backslash") << Pipe("a\\b") << false;
    QTest::newRow("dotDot") << Pipe("..") << false;
    QTest::newRow("dotDotInside") << Pipe("a..b") << false;
    QTest::newRow("nul") << Pipe(std::string("a\0b", 3)) << false;
}

void PipeIoTest::names()
{
    QFETCH(std::string, name);
    QFETCH(bool, valid);
    const std::string path = PipePath(name);
    QCOMPARE(!path.empty(), valid);
    if (valid) {
        QCOMPARE(QFileInfo(QFile::decodeName(path.c_str())).absolutePath(),
                 QFileInfo(Tavrix::Platform::RuntimeFolder()).absoluteFilePath());
        return;
    }
    QVERIFY_EXCEPTION_THROWN(DataInputPipe::Create(name, true), IOException);
    QVERIFY_EXCEPTION_THROWN(DataOutputPipe::Create(name, false), IOException);
    QVERIFY(!PipeExists(name));
}

void PipeIoTest::createOpenAndRemove()
{
    const std::string name = Pipe("created");
    QVERIFY(!PipeExists(name));
    // Nothing to open yet.
    QVERIFY_EXCEPTION_THROWN(DataInputPipe::Create(name, false), IOException);
    {
        const auto owner = DataOutputPipe::Create(name, true);
        QVERIFY(PipeExists(name));
        struct stat status
        {};
        QCOMPARE(::stat(PipePath(name).c_str(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
        QCOMPARE(status.st_mode & 0777, 0600u);
        QVERIFY_EXCEPTION_THROWN(DataInputPipe::Create(name, true), IOException);
        // Written before anybody reads: it waits in the pipe.
        owner->Write("early", 5);
        const auto reader = DataInputPipe::Create(name, false);
        char buffer[5];
        QCOMPARE(reader->GetSize(), 5u);
        QCOMPARE(reader->Read(buffer, 5), 5u);
        QCOMPARE(QByteArray(buffer, 5), QByteArray("early"));
    }
    QVERIFY(!PipeExists(name));

    // A reader end made first lets a writer open at once; a writer without a reader is refused.
    QVERIFY(::mkfifo(PipePath(Pipe("unread")).c_str(), 0600) == 0);
    QVERIFY_EXCEPTION_THROWN(DataOutputPipe::Create(Pipe("unread"), false), IOException);
}

void PipeIoTest::foreignEntriesRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("regularFile") << "file";
    QTest::newRow("openToOthers") << "fifo0644";
    QTest::newRow("symlink") << "symlink";
}

void PipeIoTest::foreignEntriesRefused()
{
    QFETCH(QString, kind);
    const std::string name = Pipe("foreign" + kind.toStdString());
    const std::string path = PipePath(name);
    if (kind == "file") {
        QFile file(QFile::decodeName(path.c_str()));
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (kind == "fifo0644") {
        QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
        QCOMPARE(::chmod(path.c_str(), 0644), 0);
    } else {
        const auto target = DataInputPipe::Create(Pipe("target"), true);
        QCOMPARE(::symlink(PipePath(Pipe("target")).c_str(), path.c_str()), 0);
        QVERIFY_EXCEPTION_THROWN(DataOutputPipe::Create(name, false), IOException);
    }
    QVERIFY_EXCEPTION_THROWN(DataInputPipe::Create(name, false), IOException);
    ::unlink(path.c_str());
}

void PipeIoTest::conversation()
{
    Link link("talk");
    QVERIFY(link.master->InputHandle() > 0);
    QVERIFY_EXCEPTION_THROWN(CommunicationChannel::Create(nullptr, link.masterOut, false),
                             IOException);

    // A size query already waiting is woken by the data.
    auto size = std::async(std::launch::async, [&] { return link.master->GetSize(); });
    link.slave->Write("applicationClosed", 17);
    QCOMPARE(size.get(), 17u);
    QCOMPARE(ReadAvailable(*link.master), QByteArray("applicationClosed"));

    link.master->Write("yes=", 4);
    link.master->Write("1234", 4);
    QByteArray answer(8, '\0');
    QCOMPARE(link.slave->Read(answer.data(), 8), 8u);
    QCOMPARE(answer, QByteArray("yes=1234"));

    // Strings and pipes mix.
    const auto mixed
        = CommunicationChannel::Create(DataInputString::Create("text"), link.masterOut, false);
    QCOMPARE(ReadAvailable(*mixed), QByteArray("text"));
    QCOMPARE(mixed->InputHandle(), -1);
}

void PipeIoTest::peerGone()
{
    Link link("gone");
    const std::string up = Pipe("upgone");
    link.master->Write("bye", 3);
    link.master.reset();
    link.masterIn.reset();
    link.masterOut.reset();
    QVERIFY(!PipeExists(up));
    // What was written before the close is still read, then the end shows as 0.
    QCOMPARE(ReadAvailable(*link.slave), QByteArray("bye"));
    QCOMPARE(link.slave->GetSize(), 0u);
    char byte;
    QCOMPARE(link.slave->Read(&byte, 1), 0u);
    // Writing to a reader that has gone fails instead of ending the process.
    QVERIFY_EXCEPTION_THROWN(link.slave->Write("x", 1), IOException);
}

void PipeIoTest::fullPipeWithPeerGone()
{
    Link link("full");
    link.slave.reset();
    link.slaveIn.reset();
    link.slaveOut.reset();
    // The owner's pipe accepts what fits even without a reader; a write that has to wait for
    // room gives up once the other side has closed.
    const std::vector<char> block(4 * 1024 * 1024, 'x');
    QVERIFY_EXCEPTION_THROWN(link.master->Write(block.data(), block.size()), IOException);
}

TAVRIX_TEST_MAIN(PipeIoTest, QCoreApplication)

#include "tst_pipeio.moc"
