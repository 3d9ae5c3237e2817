#pragma once

#include <Tavrix/App/Application/EventHandlerList.h>
#include <Tavrix/App/Application/ILookAndFeelObserver.h>
#include <Tavrix/App/Application/LookAndFeelManager.h>
#include <Tavrix/App/Application/SyncExecutePolicy.h>
#include <Tavrix/Core/Property.h>
#include <Tavrix/ioPath.h>

#include <QFileInfo>
#include <QList>
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
    explicit Private(const LookAndFeelManager* owner) : q(owner) {}

    /// The current theme's bundles: all of its folder, or the named ones in their order.
    QList<QFileInfo> GetFilteredResourceList() const;
    /// Unregisters the current theme's bundles and forgets the theme.
    void ClearCurrentTheme();
    /// The shipped locale that a request resolves to.
    std::string ValidateLocale(const std::string& locale) const;

    const LookAndFeelManager* const q;
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
