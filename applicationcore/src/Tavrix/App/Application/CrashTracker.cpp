#include <Tavrix/App/Application/CrashTracker.h>

#include "CrashHandler_p.h"
#include "CrashReport_p.h"

#include <Tavrix/Platform/RunningProcesses.h>
#include <Tavrix/Util/Conversions.h>
#include <Tavrix/Util/ProcessInfo.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
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
// How many crash reports of an executable stay on disk.
constexpr int KEPT_REPORTS = 10;

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
    // The system generator: seeding the global one costs more than this one number.
    const int number = QRandomGenerator::system()->bounded(100000, 1000000);
    // The C locale's digits, whatever the user's locale: only ASCII digits make a session id.
    return Util::QStringToUtf8(
        QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("yyMMdd-HHmmss"))
        + QLatin1Char('-') + QString::number(number));
}

QString OwnKey()
{
    return QString::number(QCoreApplication::applicationPid());
}

// The form NewSessionId() gives: "yyMMdd-HHmmss-NNNNNN". Only such an id names a report file, so
// that nothing read from the session file can lead anywhere else.
bool IsSessionId(const QStringRef& id)
{
    if (id.size() != 20)
        return false;
    for (int i = 0; i < id.size(); ++i) {
        const bool separator = i == 6 || i == 13;
        if (separator ? id.at(i) != QLatin1Char('-')
                      : (id.at(i) < QLatin1Char('0') || id.at(i) > QLatin1Char('9')))
            return false;
    }
    return true;
}

} // namespace

class CrashTracker::Private
{
public:
    /// Reports and removes the entries of dead processes and records this one.
    void StartSession();
    /// This executable's crash reports, newest first.
    QFileInfoList Reports() const;
    QString ReportFileName(const QString& sessionId) const;

    QSettings store{SessionFilePath(), QSettings::IniFormat};
    std::string sessionId = NewSessionId();
    std::deque<std::string> badSessions;
    const QString reportPrefix
        = QFileInfo(QCoreApplication::applicationFilePath()).baseName() + QLatin1Char('.');
    std::unique_ptr<CrashHandler> crashHandler;
};

CrashTracker::CrashTracker() : d(std::make_unique<Private>())
{
    d->StartSession();
    const QFileInfoList reports = d->Reports();
    for (int i = KEPT_REPORTS; i < reports.size(); ++i)
        QFile::remove(reports.at(i).filePath());
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
    if (d->crashHandler)
        d->crashHandler->SetArmed(false);
    d->badSessions.clear();
    d->store.clear();
    d->store.sync();
    for (const QFileInfo& report : d->Reports())
        QFile::remove(report.filePath());
}

void CrashTracker::StopSession()
{
    if (d->crashHandler)
        d->crashHandler->SetArmed(false);
    d->store.remove(OwnKey());
    d->store.sync();
}

QString CrashTracker::FileName() const
{
    return d->store.fileName();
}

bool CrashTracker::InstallCrashHandlers()
{
    if (!d->crashHandler) {
        auto handler
            = std::make_unique<CrashHandler>(d->ReportFileName(Util::Utf8ToQString(d->sessionId)));
        if (!handler->IsInstalled())
            return false;
        d->crashHandler = std::move(handler);
    }
    return true;
}

std::string CrashTracker::GetCrashReport(const std::string& sessionId) const
{
    const QString file = CrashReportFileName(sessionId);
    if (file.isEmpty())
        return "Crash report of session " + sessionId
               + "\nNo call stack was recorded for this session: its id was not made by this "
                 "program.\n";
    return CrashReport::Build(sessionId, file);
}

QString CrashTracker::CrashReportFileName(const std::string& sessionId) const
{
    return d->ReportFileName(Util::Utf8ToQString(sessionId));
}

QString CrashTracker::Private::ReportFileName(const QString& id) const
{
    if (!IsSessionId(QStringRef(&id)))
        return {};
    return QFileInfo(store.fileName()).path() + QLatin1Char('/') + reportPrefix + id
           + QStringLiteral(".crash");
}

QFileInfoList CrashTracker::Private::Reports() const
{
    const QString suffix = QStringLiteral(".crash");
    // Names are matched by hand and sorted only when there is something to sort: a wildcard
    // filter and a sorted listing cost a tenth of a millisecond of every start.
    QFileInfoList reports
        = QDir(QFileInfo(store.fileName()).path()).entryInfoList(QDir::Files, QDir::NoSort);
    // Another executable's reports lie in the same folder; they are its own business.
    const auto foreign = [&](const QFileInfo& file) {
        const QString name = file.fileName();
        return !name.startsWith(reportPrefix) || !name.endsWith(suffix)
               || !IsSessionId(name.midRef(reportPrefix.size(),
                                           name.size() - reportPrefix.size() - suffix.size()));
    };
    reports.erase(std::remove_if(reports.begin(), reports.end(), foreign), reports.end());
    if (reports.size() > 1) {
        std::sort(reports.begin(), reports.end(), [](const QFileInfo& a, const QFileInfo& b) {
            return a.lastModified() > b.lastModified();
        });
    }
    return reports;
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
        // One listing spares a system call per entry for the processes that are long gone; with
        // no entry there is nothing to look up.
        const std::vector<long> running
            = keys.isEmpty() ? std::vector<long>() : Platform::RunningProcessIds();
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
