#include <Tavrix/App/Application/LookAndFeelHandler.h>

#include <Tavrix/App/Application/ILookAndFeelManager.h>
#include <Tavrix/App/Application/LanguageDisplayName.h>
#include <Tavrix/Util/Conversions.h>

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <functional>
#include <map>

namespace Tavrix::App {

namespace {

using Actions = std::map<std::string, QAction*>;
using Title = std::function<QString(const std::string&)>;

std::string ActionName(const QAction* action)
{
    return Util::QStringToUtf8(action->data().toString());
}

void FillMenu(QMenu* menu, const std::list<std::string>& names, QActionGroup* group,
              Actions& actions, const Title& title)
{
    if (!menu || !group)
        return;
    actions.clear();
    for (QAction* action : menu->actions())
        menu->removeAction(action);
    for (QAction* action : group->actions()) {
        group->removeAction(action);
        action->deleteLater();
    }
    for (const std::string& name : names) {
        auto* action = new QAction(group);
        action->setText(title(name));
        action->setData(Util::Utf8ToQString(name));
        action->setCheckable(true);
        group->addAction(action);
        menu->addAction(action);
        actions[name] = action;
    }
}

void CheckEntry(const std::string& name, const Actions& actions)
{
    const auto found = actions.find(name);
    if (found != actions.end() && !found->second->isChecked())
        found->second->setChecked(true);
}

} // namespace

class LookAndFeelHandler::Private
{
public:
    std::shared_ptr<ILookAndFeelManager> manager;
    QMenu* localeMenu = nullptr;
    QActionGroup* localeGroup = nullptr;
    std::list<std::string> localeList;
    Actions localeActions;
    std::string selectedLocale;
    QMenu* themeMenu = nullptr;
    QActionGroup* themeGroup = nullptr;
    std::list<std::string> themeList;
    Actions themeActions;
    std::string selectedTheme;

    QString LocaleTitle(const std::string& locale) const
    {
        return Util::Utf8ToQString(GetLanguageDisplayName(locale));
    }
    QString ThemeTitle(const std::string& theme) const
    {
        return Util::Utf8ToQString(manager->GetLocalizedThemeName(theme));
    }
    void FillLocaleMenu()
    {
        FillMenu(localeMenu, localeList, localeGroup, localeActions,
                 [this](const std::string& locale) { return LocaleTitle(locale); });
        if (localeMenu)
            localeMenu->addSeparator();
    }
    void FillThemeMenu()
    {
        FillMenu(themeMenu, themeList, themeGroup, themeActions,
                 [this](const std::string& theme) { return ThemeTitle(theme); });
    }
    void Retranslate()
    {
        for (const auto& entry : localeActions)
            entry.second->setText(LocaleTitle(ActionName(entry.second)));
        for (const auto& entry : themeActions)
            entry.second->setText(ThemeTitle(ActionName(entry.second)));
    }
};

LookAndFeelHandler::LookAndFeelHandler(std::shared_ptr<ILookAndFeelManager> manager,
                                       QMenu* localeMenu, QMenu* themeMenu, QObject* parent)
    : QObject(parent), d(std::make_unique<Private>())
{
    d->manager = std::move(manager);
    d->localeMenu = localeMenu;
    d->themeMenu = themeMenu;
    d->manager->RegisterObserver(this);
    d->localeGroup = new QActionGroup(this);
    d->themeGroup = new QActionGroup(this);
    // A picked locale first switches, then every entry is retitled in the new language.
    connect(d->localeGroup, &QActionGroup::triggered, this, [this](QAction* action) {
        const std::string code = ActionName(action);
        d->manager->SetLocale(code);
        SelectLocale(code);
        Q_EMIT LocaleChanged(code);
        d->Retranslate();
    });
    connect(d->themeGroup, &QActionGroup::triggered, this, [this](QAction* action) {
        const std::string theme = ActionName(action);
        d->manager->SetTheme(theme);
        SelectTheme(theme);
        Q_EMIT ThemeChanged(theme);
    });
    d->Retranslate();
}

LookAndFeelHandler::~LookAndFeelHandler()
{
    d->manager->UnregisterObserver(this);
}

void LookAndFeelHandler::SetLocaleList(const std::list<std::string>& locales)
{
    d->localeList = locales;
    if (d->localeMenu)
        d->FillLocaleMenu();
}

void LookAndFeelHandler::SetThemeList(const std::list<std::string>& themes)
{
    d->themeList = themes;
    if (d->themeMenu)
        d->FillThemeMenu();
}

void LookAndFeelHandler::SetLocaleMenu(QMenu* menu)
{
    if (d->localeMenu)
        d->localeMenu->clear();
    d->localeMenu = menu;
    Refresh();
}

void LookAndFeelHandler::SetThemeMenu(QMenu* menu)
{
    if (d->themeMenu)
        d->themeMenu->clear();
    d->themeMenu = menu;
    Refresh();
}

void LookAndFeelHandler::Refresh()
{
    if (d->localeMenu && !d->selectedLocale.empty()) {
        d->FillLocaleMenu();
        CheckEntry(d->selectedLocale, d->localeActions);
    }
    if (d->themeMenu && !d->selectedTheme.empty()) {
        d->FillThemeMenu();
        CheckEntry(d->selectedTheme, d->themeActions);
    }
}

void LookAndFeelHandler::SelectLocale(const std::string& locale)
{
    d->selectedLocale = locale;
    if (d->localeMenu)
        CheckEntry(d->selectedLocale, d->localeActions);
}

void LookAndFeelHandler::SelectTheme(const std::string& theme)
{
    d->selectedTheme = theme;
    if (d->themeMenu)
        CheckEntry(d->selectedTheme, d->themeActions);
}

void LookAndFeelHandler::OnLocaleChanged(const std::string& locale)
{
    SelectLocale(locale);
}

void LookAndFeelHandler::OnThemeChanged(const std::string& theme)
{
    SelectTheme(theme);
}

} // namespace Tavrix::App
