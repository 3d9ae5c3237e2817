// The launch-type records on arbitrary INI bytes. Input: the product store's file, "%%", the
// common store's file, "%%", the application version. One start decides and records; the next
// start of the same version finds a regular start and writes nothing.
#include "FuzzSupport.h"

#include <Tavrix/App/Application/Application.h>
#include <Tavrix/App/Application/SettingsManager.h>

#include <QFile>
#include <QSettings>

using Tavrix::App::Application;
using Tavrix::App::SettingsManager;

namespace {

Application* g_application = nullptr;

struct Start
{
    Application::LaunchType product;
    Application::LaunchType common;
};

// One start of the product on the two files, each store written back when it goes.
Start StartOn(const QString& productFile, const QString& commonFile)
{
    const auto product = std::make_shared<SettingsManager>(productFile, QSettings::IniFormat);
    const auto common = std::make_shared<SettingsManager>(commonFile, QSettings::IniFormat);
    g_application->SetProductSettingsManager(product);
    g_application->SetSettingsManager(common);
    const Start start{g_application->CheckFirstLaunch(product),
                      g_application->CheckFirstLaunch(common)};
    g_application->SetProductSettingsManager(nullptr);
    g_application->SetSettingsManager(nullptr);
    return start;
}

// The next start reads the files from disk, as another process would, not from Qt's cache.
QString Copy(const QString& file, const QString& name)
{
    const QString copy = file.section(QLatin1Char('/'), 0, -2) + QLatin1Char('/') + name;
    TAVRIX_FUZZ_CHECK(QFile::copy(file, copy));
    return copy;
}

// A text as the stores keep it: UTF-8, up to its first NUL.
QByteArray Stored(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const int nul = utf8.indexOf('\0');
    return nul < 0 ? utf8 : utf8.left(nul);
}

bool IsDecision(Application::LaunchType type)
{
    return type >= Application::NewInstall && type <= Application::Regular;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Tavrix::Fuzz::PrepareProcess();
    Application::AppContext context;
    context.createRunningMutex = false;
    g_application
        = new Application(Tavrix::Fuzz::ArgumentCount(), Tavrix::Fuzz::Arguments(), context);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parts = Tavrix::Fuzz::SplitInput(data, size, 3);
    const QString folder = Tavrix::Fuzz::FreshFolder();
    const QString productFile = folder + QStringLiteral("/product.ini");
    const QString commonFile = folder + QStringLiteral("/common.ini");
    TAVRIX_FUZZ_CHECK(
        Tavrix::Fuzz::WriteFile(productFile, Tavrix::Fuzz::WithoutBinaryValues(parts[0])));
    TAVRIX_FUZZ_CHECK(
        Tavrix::Fuzz::WriteFile(commonFile, Tavrix::Fuzz::WithoutBinaryValues(parts[1])));
    const QString version = QString::fromUtf8(parts[2].data(), static_cast<int>(parts[2].size()));
    QCoreApplication::setApplicationVersion(version.isEmpty() ? QStringLiteral("4.1.0") : version);

    // Qt gives keys under a malformed section another meaning once it writes the file, and the
    // next start then sees other records: the checks below need files that Qt reads consistently.
    const bool normalForm = !Tavrix::Fuzz::HasKeysOutsideNormalForm(productFile)
                            && !Tavrix::Fuzz::HasKeysOutsideNormalForm(commonFile);
    const Start first = StartOn(productFile, commonFile);
    TAVRIX_FUZZ_CHECK(IsDecision(first.product) && IsDecision(first.common));
    if (!normalForm)
        return 0;
    const QByteArray current = Stored(
        QCoreApplication::applicationVersion().replace(QLatin1Char('.'), QLatin1Char('-')));
    const QString productCopy = Copy(productFile, QStringLiteral("product-next.ini"));
    const QString commonCopy = Copy(commonFile, QStringLiteral("common-next.ini"));
    {
        const QSettings product(productCopy, QSettings::IniFormat);
        const QSettings common(commonCopy, QSettings::IniFormat);
        const QByteArray installed = Stored(product.value(QStringLiteral("DateTime")).toString());
        for (const QSettings* store : {&product, &common}) {
            TAVRIX_FUZZ_CHECK(store->value(QStringLiteral("Version")).toString().toUtf8()
                              == current);
            TAVRIX_FUZZ_CHECK(store->value(QStringLiteral("InstallDateTime")).toString().toUtf8()
                              == installed);
        }
        if (first.product != Application::Regular)
            TAVRIX_FUZZ_CHECK(product.value(QStringLiteral("ProductInstallType")).toInt()
                              == first.product);
    }

    const QByteArray productBefore = Tavrix::Fuzz::ReadFile(productCopy);
    const QByteArray commonBefore = Tavrix::Fuzz::ReadFile(commonCopy);
    const Start next = StartOn(productCopy, commonCopy);
    TAVRIX_FUZZ_CHECK(next.product == Application::Regular && next.common == Application::Regular);
    TAVRIX_FUZZ_CHECK(Tavrix::Fuzz::ReadFile(productCopy) == productBefore);
    TAVRIX_FUZZ_CHECK(Tavrix::Fuzz::ReadFile(commonCopy) == commonBefore);
    return 0;
}
