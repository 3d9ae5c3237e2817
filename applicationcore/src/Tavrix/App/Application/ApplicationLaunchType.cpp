#include <Tavrix/App/Application/Application.h>

#include "Application_p.h"

#include <Tavrix/App/Application/ICustomizationManager.h>
#include <Tavrix/App/Application/ISettingsManager.h>
#include <Tavrix/App/Application/SettingsManager.h>
#include <Tavrix/Core/SleepFor.h>
#include <Tavrix/Platform/ProcessStart.h>
#include <Tavrix/Util/AppMutexLocker.h>
#include <Tavrix/Util/Conversions.h>

#include <QDateTime>

#include <glog/logging.h>

#include <chrono>

namespace Tavrix::App {

namespace {

// A store keeps a string value up to its first NUL; values read for comparison with a stored copy
// are taken in that form, or they would never match it again.
std::string AsStored(const std::string& value)
{
    return value.substr(0, value.find('\0'));
}

std::string CurrentVersionKey()
{
    return AsStored(Util::QStringToUtf8(
        QCoreApplication::applicationVersion().replace(QLatin1Char('.'), QLatin1Char('-'))));
}

} // namespace

Application::LaunchType
Application::CheckFirstLaunch(const std::shared_ptr<ISettingsManager>& store) const
{
    const auto product = GetProductSettingsManager();
    if (!store || !product) {
        LOG(WARNING) << "The launch type needs the settings stores";
        return NotSet;
    }
    const std::string current = CurrentVersionKey();
    const std::string last = store->GetString("Version", "");
    const std::string installDateTime = AsStored(product->GetString("DateTime", ""));
    const int storedType = product->GetInt("ProductInstallType", NotSet);
    // Against another store the product's recorded decision stands; a value that is no launch
    // type counts as none recorded.
    const bool takeProductType = store != product && storedType > NotSet && storedType <= Regular;

    if (last == current) {
        if (store->GetString("InstallDateTime", "") == installDateTime)
            return Regular;
        store->SetString("InstallDateTime", installDateTime);
        if (takeProductType)
            return static_cast<LaunchType>(storedType);
        product->SetInt("ProductInstallType", Reinstall);
        return Reinstall;
    }

    store->SetString("Version", current);
    const bool startedBefore = !store->GetString("DateOfFirstStart", "").empty();
    store->SetString("IsRun", "1");
    store->SetString("DateOfFirstStart",
                     Util::QStringToUtf8(QDateTime::currentDateTime().toString(Qt::TextDate)));
    store->SetString("InstallDateTime", installDateTime);
    if (takeProductType)
        return static_cast<LaunchType>(storedType);
    const LaunchType type = startedBefore ? Update : NewInstall;
    product->SetInt("ProductInstallType", type);
    return type;
}

Application::LaunchType Application::GetProductLaunchType() const
{
    const auto product = GetProductSettingsManager();
    if (!product)
        return NotSet;
    if (!d->productLaunchType)
        d->productLaunchType = CheckFirstLaunch(product);
    if (product == d->settingsManager)
        d->launchType = d->productLaunchType;
    return *d->productLaunchType;
}

Application::LaunchType Application::GetLaunchType() const
{
    GetProductLaunchType();
    if (!d->settingsManager)
        return d->launchType.value_or(NotSet);
    if (!d->launchType)
        d->launchType = CheckFirstLaunch(d->settingsManager);
    return *d->launchType;
}

bool Application::IsFirstProductLaunch() const
{
    const LaunchType type = GetProductLaunchType();
    return type == NewInstall || type == Update;
}

bool Application::IsFirstLaunch() const
{
    const LaunchType type = GetLaunchType();
    return type == NewInstall || type == Update;
}

int Application::GetDaysPassed() const
{
    const auto product = GetProductSettingsManager();
    if (!product)
        return 0;
    const QDateTime now = QDateTime::currentDateTime();
    const std::string firstStart
        = product->GetString("DateOfFirstStart", Util::QStringToUtf8(now.toString(Qt::TextDate)));
    return static_cast<int>(
        QDateTime::fromString(Util::Utf8ToQString(firstStart), Qt::TextDate).daysTo(now));
}

std::shared_ptr<ISettingsManager>
Application::GetInstallerSettings(const std::string& product) const
{
    std::string name = product;
    if (name.empty()) {
        if (!d->customizationManager) {
            LOG(WARNING)
                << "The installer's settings need a product name or the customization manager";
            return nullptr;
        }
        name = d->customizationManager->GetProductId();
    }
    return std::make_shared<SettingsManager>(Util::Utf8ToQString(name), QStringLiteral("Tavrix"));
}

bool Application::CheckRunnedInstaller()
{
    Util::AppMutexLocker locker({INSTALLER_MUTEX_NAME});
    if (locker.TryLockAppMutex())
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (std::chrono::steady_clock::now() <= deadline) {
        if (locker.TryLockAppMutex())
            return false;
        Core::SleepFor(1);
    }
    Platform::StartProcess(QStringLiteral("InstallerMessage.vbs"));
    return true;
}

} // namespace Tavrix::App
