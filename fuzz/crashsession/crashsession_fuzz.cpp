// The crash tracker on an arbitrary session file: what it reports as crashed came from the file,
// and afterwards the file holds this run and the live instances only.
#include "FuzzSupport.h"

#include <Tavrix/App/Application/CrashTracker.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/ProcessInfo.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include <deque>

using Tavrix::App::CrashTracker;

namespace {

// The session file below the data folder; the data folder changes with each input, so that Qt
// never serves an earlier input's contents from its cache.
QString g_sessionFile;

QString DataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DataLocation);
}

// The file as any other reader sees it, through a copy that shares nothing with the tracker's.
std::unique_ptr<QSettings> Reader(const QString& file, const QString& folder)
{
    const QString copy = folder + QStringLiteral("/reader%1.ini").arg(QDir(folder).count());
    TAVRIX_FUZZ_CHECK(QFile::copy(file, copy));
    return std::make_unique<QSettings>(copy, QSettings::IniFormat);
}

bool Alive(const QString& key)
{
    return key != QString::number(QCoreApplication::applicationPid())
           && Tavrix::Util::IsProcessRunning(key.toULong(nullptr, 10),
                                             QCoreApplication::applicationFilePath());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Tavrix::Fuzz::StartApplication<QCoreApplication>();
    const CrashTracker probe;
    g_sessionFile = QDir(DataFolder()).relativeFilePath(probe.FileName());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString folder = Tavrix::Fuzz::FreshFolder();
    QCoreApplication::setApplicationName(QStringLiteral("crash-") + QDir(folder).dirName());
    const QString file = DataFolder() + QLatin1Char('/') + g_sessionFile;
    TAVRIX_FUZZ_CHECK(Tavrix::Fuzz::WriteFile(
        file,
        Tavrix::Fuzz::WithoutBinaryValues(std::string(reinterpret_cast<const char*>(data), size))));

    std::deque<std::string> crashed;
    QStringList alive;
    {
        const auto before = Reader(file, folder);
        if (before->status() != QSettings::FormatError) {
            for (const QString& key : before->allKeys()) {
                if (Alive(key)) {
                    alive << key;
                    continue;
                }
                const std::string session
                    = Tavrix::Util::QStringToUtf8(before->value(key).toString());
                if (!session.empty())
                    crashed.push_back(session);
            }
        }
    }

    {
        CrashTracker tracker;
        TAVRIX_FUZZ_CHECK(tracker.FileName() == file);
        TAVRIX_FUZZ_CHECK(tracker.BadSessionsList() == crashed);
        TAVRIX_FUZZ_CHECK(tracker.HasUnreportedCrash() == !crashed.empty());
        const QString session = QString::fromStdString(tracker.SessionId());
        static const QRegularExpression sessionForm(QStringLiteral("^\\d{6}-\\d{6}-\\d{6}$"));
        TAVRIX_FUZZ_CHECK(sessionForm.match(session).hasMatch());

        const QString own = QString::number(QCoreApplication::applicationPid());
        const auto after = Reader(file, folder);
        TAVRIX_FUZZ_CHECK(after->value(own).toString() == session);
        for (const QString& key : after->allKeys())
            TAVRIX_FUZZ_CHECK(key == own || alive.contains(key));

        tracker.StopSession();
        TAVRIX_FUZZ_CHECK(!Reader(file, folder)->contains(own));
        tracker.ClearHistory();
        TAVRIX_FUZZ_CHECK(!tracker.HasUnreportedCrash() && tracker.BadSessionsList().empty());
        TAVRIX_FUZZ_CHECK(Reader(file, folder)->allKeys().isEmpty());
    }
    QDir(DataFolder()).removeRecursively();
    return 0;
}
