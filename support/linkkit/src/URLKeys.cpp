#include <Tavrix/Links/URLKeys.h>

#include <algorithm>
#include <utility>

namespace Tavrix {
namespace {

#define TAVRIX_URL_KEY(name) std::pair<URLKeys, const char*>(name, #name)

const std::pair<URLKeys, const char*> KEYS[] = {
    TAVRIX_URL_KEY(HOMEPAGE_URL_menu),
    TAVRIX_URL_KEY(HOMEPAGE_URL_menuabout),
    TAVRIX_URL_KEY(HOMEPAGE_URL_socialtab),
    TAVRIX_URL_KEY(HOMEPAGE_URL),
    TAVRIX_URL_KEY(DOWNLOAD_URL_checkupdatest),
    TAVRIX_URL_KEY(UPGRADE_URL_checkupdatest),
    TAVRIX_URL_KEY(HELP_URL_menu),
    TAVRIX_URL_KEY(LIVECHAT_URL_menu),
    TAVRIX_URL_KEY(LIVECHAT_URL_other),
    TAVRIX_URL_KEY(CONTACT_SUPPORT_menu),
    TAVRIX_URL_KEY(CUSTOM_ABOUT_URL),
    TAVRIX_URL_KEY(THANK_FOR_INSTALL_URL),
    TAVRIX_URL_KEY(THANK_FOR_REINSTALL_URL),
    TAVRIX_URL_KEY(PRIVACY_POLICY_URL),
    TAVRIX_URL_KEY(CHECK_FOR_UPDATES_URL),
    TAVRIX_URL_KEY(CHANGELOG_URL),
};

#undef TAVRIX_URL_KEY

} // namespace

const std::vector<URLKeys>& AllURLKeys()
{
    static const std::vector<URLKeys> keys = [] {
        std::vector<URLKeys> all;
        for (const auto& key : KEYS)
            all.push_back(key.first);
        return all;
    }();
    return keys;
}

std::string URLKeyName(URLKeys key)
{
    const auto found = std::find_if(std::begin(KEYS), std::end(KEYS),
                                    [key](const auto& entry) { return entry.first == key; });
    return found == std::end(KEYS) ? std::string() : std::string(found->second);
}

std::optional<URLKeys> URLKeyFromName(const std::string& name)
{
    const auto found = std::find_if(std::begin(KEYS), std::end(KEYS),
                                    [&name](const auto& entry) { return name == entry.second; });
    return found == std::end(KEYS) ? std::nullopt : std::optional<URLKeys>(found->first);
}

} // namespace Tavrix
