#include "DemoLookAndFeel.h"

#include <QApplication>

std::shared_ptr<Tavrix::App::LookAndFeelManager>
StartDemoLookAndFeel(const Tavrix::ioPath& resources, const std::string& locale,
                     const std::string& theme)
{
    // The manager looks for the "resources" folder inside the folder it is given.
    auto lookAndFeel = std::make_shared<Tavrix::App::LookAndFeelManager>(
        resources.parent_path(), "theme.json", std::list<std::string>{}, std::list<std::string>{});
    lookAndFeel->Initialize(locale, theme);
    qApp->setStyleSheet(QString::fromStdString(lookAndFeel->GetUnitedStylesheet()));
    return lookAndFeel;
}
