#include <Tavrix/Browser/PreferredBrowser.h>

#include <QFileInfo>
#include <QStandardPaths>

namespace Tavrix {
namespace {

QString ExecutableOf(const QString& program)
{
    const QString trimmed = program.trimmed();
    if (trimmed.isEmpty())
        return QString();
    if (trimmed.contains(QLatin1Char('/'))) {
        const QFileInfo file(trimmed);
        return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(trimmed);
}

} // namespace

AbstractPreferredBrowser::AbstractPreferredBrowser() = default;
AbstractPreferredBrowser::~AbstractPreferredBrowser() = default;

void AbstractPreferredBrowser::SetContextCallback(ContextCallback callback)
{
    m_callback = std::move(callback);
}

AbstractPreferredBrowser::PreferredBrowserContext AbstractPreferredBrowser::Context() const
{
    return m_callback ? m_callback() : PreferredBrowserContext{};
}

PreferredBrowser::PreferredBrowser() = default;
PreferredBrowser::~PreferredBrowser() = default;

QString PreferredBrowser::Path() const
{
    const PreferredBrowserContext context = Context();
    for (const QString& candidate : {context.preferredBrowser, context.installerBrowser,
                                     QString::fromLocal8Bit(qgetenv("BROWSER"))}) {
        const QString executable = ExecutableOf(candidate);
        if (!executable.isEmpty())
            return executable;
    }
    return QStringLiteral("xdg-open");
}

QString PreferredBrowser::UserAgent() const
{
    const QString browser = QFileInfo(Path()).fileName();
    return QStringLiteral("Mozilla/5.0 (X11; Linux x86_64) %1").arg(browser);
}

} // namespace Tavrix
