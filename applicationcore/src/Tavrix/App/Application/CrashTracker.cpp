#include <Tavrix/App/Application/CrashTracker.h>

#include <Tavrix/Platform/RunningProcesses.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/ProcessInfo.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>

#include <glog/logging.h>

#include <algorithm>

namespace Tavrix::App {
namespace {

// The build's product key and version, which name the folder of the session file.
const char* const PRODUCT_KEY = "vellumix";
const char* const VERSION_MAJOR = "2";
const char* const VERSION_MINOR = "4.1";

QString SessionFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::DataLocation) + QDir::separator()
           + QStringLiteral("Tavrix") + QDir::separator() + QLatin1String(PRODUCT_KEY)
           + QLatin1Char(' ') + QLatin1String(VERSION_MAJOR) + QLatin1Char('.')
           + QLatin1String(VERSION_MINOR) + QDir::separator()
           + QFileInfo(QCoreApplication::applicationFilePath()).baseName() + QStringLiteral(".ini");
}

std::string NewSessionId()
{
    const int number = QRandomGenerator::global()->bounded(100000, 1000000);
    return Util::QStringToUtf8(
        QDateTime::currentDateTime().toString(QStringLiteral("yyMMdd-HHmmss")) + QLatin1Char('-')
        + QString::number(number));
}

QString OwnKey()
{
    return QString::number(QCoreApplication::applicationPid());
}

} // namespace

class CrashTracker::Private
{
public:
    /// Reports and removes the entries of dead processes and records this one.
    void StartSession();

    QSettings store{SessionFilePath(), QSettings::IniFormat};
    std::string sessionId = NewSessionId();
    std::deque<std::string> badSessions;
};

CrashTracker::CrashTracker() : d(std::make_unique<Private>())
{
    d->StartSession();
}

CrashTracker::~CrashTracker()
{
    StopSession();
    d->badSessions.clear();
}

std::string CrashTracker::SessionId() const
{
    return d->sessionId;
}

std::deque<std::string> CrashTracker::BadSessionsList() const
{
    return d->badSessions;
}

bool CrashTracker::HasUnreportedCrash() const
{
    return !d->badSessions.empty();
}

void CrashTracker::ClearHistory()
{
    d->badSessions.clear();
    d->store.clear();
    d->store.sync();
}

void CrashTracker::StopSession()
{
    d->store.remove(OwnKey());
    d->store.sync();
}

QString CrashTracker::FileName() const
{
    return d->store.fileName();
}

void CrashTracker::Private::StartSession()
{
    const QString ownKey = OwnKey();
    if (store.status() == QSettings::FormatError) {
        // Whatever could be read out of a damaged file is no session record.
        LOG(WARNING) << "The session file " << Util::QStringToUtf8(store.fileName())
                     << " is damaged; it is started afresh";
        store.clear();
    } else {
        const QString executable = QCoreApplication::applicationFilePath();
        const QStringList keys = store.allKeys();
        // One listing spares a system call per entry for the processes that are long gone.
        const std::vector<long> running = Platform::RunningProcessIds();
        const auto listed = [&running](unsigned long id) {
            return running.empty()
                   || std::binary_search(running.cbegin(), running.cend(), static_cast<long>(id));
        };
        QStringList ended;
        for (const QString& key : keys) {
            const unsigned long id = key.toULong(nullptr, 10);
            // An entry under this process's own id predates it: an earlier run with the same id
            // that crashed.
            if (key != ownKey && listed(id) && Util::IsProcessRunning(id, executable))
                continue;
            const std::string session = Util::QStringToUtf8(store.value(key).toString());
            if (!session.empty())
                badSessions.push_back(session);
            ended << key;
        }
        // Removing keys one by one costs a map insertion each; after a run of crashes usually
        // every entry goes.
        if (ended.size() == keys.size()) {
            store.clear();
        } else {
            for (const QString& key : qAsConst(ended))
                store.remove(key);
        }
    }
    store.setValue(ownKey, Util::Utf8ToQString(sessionId));
    store.sync();
}

} // namespace Tavrix::App
