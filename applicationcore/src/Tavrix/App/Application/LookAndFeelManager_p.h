#pragma once

#include <Tavrix/App/Application/EventHandlerList.h>
#include <Tavrix/App/Application/ILookAndFeelObserver.h>
#include <Tavrix/App/Application/LookAndFeelManager.h>
#include <Tavrix/App/Application/SyncExecutePolicy.h>
#include <Tavrix/Core/Property.h>
#include <Tavrix/ioPath.h>

#include <QString>
#include <QTranslator>

#include <list>
#include <map>
#include <memory>
#include <string>

namespace Tavrix::App {

class LookAndFeelManager::Private
{
public:
    Tavrix::ioPath rootPath;
    std::list<std::string> resourceNames;
    std::list<std::string> locales;
    std::string currentLocale;
    std::list<std::string> themes;
    std::string currentTheme;
    std::map<std::string, Tavrix::Core::Property> themeDescriptions;
    QString unitedStylesheet;
    std::list<std::shared_ptr<QTranslator>> translators;
    Tavrix::Core::EventHandlerList<ILookAndFeelObserver, Tavrix::Core::SyncExecutePolicy>
        handlerList;
};

namespace LookAndFeelPaths {

/// `<root>/resources/<kind>[/<name>]` as a QString.
QString ResourcesFolder(const Tavrix::ioPath& root, const char* kind, const std::string& name = {});

} // namespace LookAndFeelPaths

} // namespace Tavrix::App
