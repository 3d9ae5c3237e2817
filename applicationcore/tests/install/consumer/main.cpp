// A product outside the repository, built against an installed copy of the library.
#include <Tavrix/App/ApplicationCore.h>

#include <QTemporaryDir>

#include <iostream>

int main(int argc, char* argv[])
{
    Tavrix::App::Application::AppContext context;
    context.createRunningMutex = false;
    Tavrix::App::Application app(argc, argv, context);

    QTemporaryDir folder;
    const auto store = std::make_shared<Tavrix::App::SettingsManager>(
        folder.filePath(QStringLiteral("consumer.ini")), QSettings::IniFormat);
    store->SetInt("answer", 42);
    app.SetSettingsManager(store);
    if (app.GetProductSettingsManager()->GetInt("answer", 0) != 42)
        return 1;
    std::cout << "consumer ok" << std::endl;
    return 0;
}
