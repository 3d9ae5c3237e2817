// A second process for the application tests; the first word selects what it does:
//   hold [nomutex] [test options...]  constructs the application, prints "ready", waits to be
//   killed trylock NAME                        exit 0 when the named mutex could be taken, 1 when
//   it is held release-order                       prints the order in which the application lets
//   go of things
#include "TestCustomization.h"
#include <Tavrix/App/ApplicationCore.h>
#include <Tavrix/Exception.h>
#include <Tavrix/Util/AppMutexLocker.h>
#include <Tavrix/Util/SslUsage.h>

#include <QDir>
#include <QThread>

#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

using namespace Tavrix::App;

void Say(const char* line)
{
    std::cout << line << std::endl;
}

class RecordedStore : public SettingsManager
{
public:
    RecordedStore(const QString& file, const char* name)
        : SettingsManager(file, QSettings::IniFormat), m_name(name)
    {
    }
    ~RecordedStore() override { Say(m_name); }

private:
    const char* m_name;
};

struct RecordedSplash : ISplash
{
    ~RecordedSplash() override { Say("splash"); }
    void Activate() override {}
};

struct RecordedGateway : Tavrix::ExternalStimulus::IGateway
{
    ~RecordedGateway() override { Say("gateway"); }
    void Post(const Tavrix::ExternalStimulus::Stimulus&) override {}
};

struct RecordedLookAndFeel : ILookAndFeelManager
{
    ~RecordedLookAndFeel() override { Say("look and feel"); }
    void Initialize(const std::string&, const std::string&) override {}
    const std::string& GetCurrentLocale() const override { return text; }
    const std::list<std::string>& GetLocales() const override { return names; }
    const std::list<std::string>& GetThemes() const override { return names; }
    void SetLocale(const std::string&) override {}
    void SetTheme(const std::string&) override {}
    const std::string& GetCurrentTheme() const override { return text; }
    std::string GetLocalizedThemeName(const std::string&) const override { return {}; }
    void ApplyTheme(const ThemeDescription&) override {}
    std::string GetUnitedStylesheet() override { return {}; }
    std::string GetDefaultLocale() const override { return "en_US"; }
    void RegisterObserver(ILookAndFeelObserver*) override {}
    void UnregisterObserver(ILookAndFeelObserver*) override {}
    std::string text;
    std::list<std::string> names;
};

struct RecordedCustomization : TestCustomization
{
    RecordedCustomization() : TestCustomization("Helper") { version = {1, 2, 3}; }
    ~RecordedCustomization() override { Say("customization"); }
};

int Hold(int argc, char** argv)
{
    Application::AppContext context;
    context.createRunningMutex = !(argc > 2 && std::strcmp(argv[2], "nomutex") == 0);
    try {
        Application app(argc, argv, context);
        std::cout << "ready https=" << Tavrix::Util::GetDefaultSslUsage() << std::endl;
        for (;;)
            QThread::sleep(1);
    } catch (const Tavrix::Exception& error) {
        std::cout << "exception: " << error.what() << std::endl;
        return 3;
    }
}

int ReleaseOrder(int argc, char** argv, const QString& folder)
{
    {
        Application app(argc, argv);
        app.SetSettingsManager(
            std::make_shared<RecordedStore>(folder + QStringLiteral("/common.ini"), "settings"));
        app.SetProductSettingsManager(std::make_shared<RecordedStore>(
            folder + QStringLiteral("/product.ini"), "product settings"));
        app.SetSplash(std::make_shared<RecordedSplash>());
        app.SetLookAndFeel(std::make_shared<RecordedLookAndFeel>());
        app.SetCustomizationManager(std::make_shared<RecordedCustomization>(), false);
        app.SetExternalStimulusGateway(std::make_shared<RecordedGateway>());
        Say("destroying");
    }
    Say("destroyed");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::string mode = argv[1];
    if (mode == "hold")
        return Hold(argc, argv);
    if (mode == "trylock" && argc > 2)
        return Tavrix::Util::AppMutexLocker({argv[2]}).TryLockAppMutex() ? 0 : 1;
    if (mode == "release-order")
        return ReleaseOrder(argc, argv, QDir::tempPath());
    return 2;
}
