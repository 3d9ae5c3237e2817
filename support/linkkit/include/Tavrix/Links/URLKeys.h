#pragma once

#include <Tavrix/linkkit_export.h>

#include <optional>
#include <string>
#include <vector>

namespace Tavrix {

/// The product's web links. The link table (links.json) names each key as it is spelled here.
enum URLKeys {
    HOMEPAGE_URL_menu = 15,
    HOMEPAGE_URL_menuabout = 16,
    HOMEPAGE_URL_socialtab = 17,
    HOMEPAGE_URL = 18,
    DOWNLOAD_URL_checkupdatest = 19,
    UPGRADE_URL_checkupdatest = 20,
    HELP_URL_menu = 21,
    LIVECHAT_URL_menu = 22,
    LIVECHAT_URL_other = 23,
    CONTACT_SUPPORT_menu = 24,
    CUSTOM_ABOUT_URL = 25,
    THANK_FOR_INSTALL_URL = 26,
    THANK_FOR_REINSTALL_URL = 27,
    PRIVACY_POLICY_URL = 28,
    CHECK_FOR_UPDATES_URL = 29,
    CHANGELOG_URL = 30,
};

/// Every key, in ascending order.
LINKKIT_EXPORT const std::vector<URLKeys>& AllURLKeys();
/// The key's name ("HELP_URL_menu"); empty for a value that is no key.
LINKKIT_EXPORT std::string URLKeyName(URLKeys key);
/// The key with this name (case-sensitive); none for any other text.
LINKKIT_EXPORT std::optional<URLKeys> URLKeyFromName(const std::string& name);

} // namespace Tavrix
