#include "UrlTest_p.h"

#include <Tavrix/App/Application/Application.h>
#include <Tavrix/App/Application/ICustomizationManager.h>
#include <Tavrix/App/Application/ILookAndFeelManager.h>
#include <Tavrix/Links/ILinksManager.h>
#include <Tavrix/Util/AlertBox.h>
#include <Tavrix/Util/Conversions.h>

#include <QFile>
#include <QScopeGuard>
#include <QTimer>

#include <glog/logging.h>

#include <limits>
#include <map>
#include <utility>
#include <vector>

namespace Tavrix::App {

namespace {

const std::map<int, std::string> KEY_NAMES = [] {
    std::map<int, std::string> names;
    for (const URLKeys key : AllURLKeys())
        names.emplace(key, URLKeyName(key));
    return names;
}();

std::list<std::string> customLocales;
// When the next opening is due, in ms from its scheduling; it only grows, across runs too.
int openTime = 10000;

} // namespace

void UrlTest::SetCustomLocales(std::list<std::string> locales)
{
    customLocales = std::move(locales);
}

void UrlTest::Run(const Tavrix::ioPath& dumpFile, bool openUrls, int delay)
{
    auto* application = qobject_cast<Application*>(QCoreApplication::instance());
    const auto lookAndFeel = application ? application->GetLookAndFeel() : nullptr;
    const auto customization = application ? application->GetCustomizationManager() : nullptr;
    if (!lookAndFeel || !customization) {
        LOG(ERROR) << "The URL test needs the look-and-feel and customization managers";
        return;
    }
    std::shared_ptr<ILinksManager> links;
    try {
        links = application->GetLinksManager();
    } catch (const std::logic_error& error) {
        LOG(ERROR) << "The URL test needs the links manager: " << error.what();
        return;
    }

    if (!dumpFile.parent_path().exists())
        Tavrix::ioPath::create_directories(dumpFile.parent_path());
    const QString path = Util::Utf8ToQString(dumpFile.utf8string());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        LOG(WARNING) << "Can't open file to dump: " << dumpFile.utf8string();
        Util::AlertBox(Util::AlertBox::Warning, QStringLiteral("Config test error"),
                       QStringLiteral("Can't open file to dump: ") + path, QMessageBox::Ok, nullptr,
                       Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
            .Exec();
        return;
    }

    const std::string savedLocale = lookAndFeel->GetCurrentLocale();
    const auto restoreLocale = qScopeGuard([&] {
        lookAndFeel->SetLocale(savedLocale);
        customization->ApplyLocale(savedLocale);
    });

    std::vector<std::pair<std::string, std::string>> entries;
    for (const std::string& locale : customLocales) {
        lookAndFeel->SetLocale(locale);
        customization->ApplyLocale(locale);
        const std::size_t firstOfLocale = entries.size();
        for (const auto& [key, name] : KEY_NAMES) {
            const std::string url = Util::QStringToUtf8(links->GetUrl(static_cast<URLKeys>(key)));
            if (url.empty())
                LOG(WARNING) << "Cannot find url " << name << "for module "
                             << customization->GetModuleName();
            else
                entries.emplace_back(name, url);
        }
        for (std::size_t i = firstOfLocale; i < entries.size(); ++i)
            file.write(QByteArray::fromStdString(locale + ';' + entries[i].first + ';'
                                                 + entries[i].second + ";\n"));
    }
    LOG(INFO) << "URL test: " << entries.size() << " links written to " << dumpFile.utf8string();

    if (openUrls) {
        for (const auto& entry : entries) {
            QTimer::singleShot(
                openTime, application,
                [links, url = Util::Utf8ToQString(entry.second)] { links->OpenUrl(url); });
            openTime = delay > std::numeric_limits<int>::max() - openTime
                           ? std::numeric_limits<int>::max()
                           : openTime + delay;
        }
    }
}

} // namespace Tavrix::App
