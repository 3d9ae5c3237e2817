#include "AppTest_p.h"

#include <Tavrix/App/Application/Application.h>
#include <Tavrix/Exception.h>
#include <Tavrix/Util/SslUsage.h>

#include <QCommandLineParser>
#include <QCoreApplication>

namespace Tavrix::App {

void AppTest::HandleGlobalTestOptions()
{
    const QCommandLineOption sslDisable(QStringLiteral("ssl-disable"));
    const QCommandLineOption sslEnable(QStringLiteral("ssl-enable"));
    QCommandLineParser parser;
    parser.addOption(sslDisable);
    parser.addOption(sslEnable);
    parser.parse(QCoreApplication::arguments());

    const bool disable = parser.isSet(sslDisable);
    const bool enable = parser.isSet(sslEnable);
    if (disable && enable)
        TAVRIX_THROW(Tavrix::Exception, "Invalid options combination.");
    if (disable)
        Util::SetDefaultSslUsage(false);
    else if (enable)
        Util::SetDefaultSslUsage(true);
}

void AppTest::HandleTestOptions(const QList<QCommandLineOption>&, Application&)
{
    // The testers' link, crash and URL-log options come with the links manager.
}

} // namespace Tavrix::App
