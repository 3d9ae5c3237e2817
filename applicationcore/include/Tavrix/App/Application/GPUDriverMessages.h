#pragma once

#include <Tavrix/App/applicationcore_export.h>
#include <Tavrix/Links/URLKeys.h>

#include <QString>

/// The rich-text message for graphics acceleration switched off in the driver's control panel,
/// ending with a link to the page of `key`. The link's address is the application's GetUrl(key),
/// its style attribute the application's "linkStyle" property (empty when unset). Translated under
/// the context "SharedMessages".
APPLICATIONCORE_EXPORT QString GetGPUNeedSetupDriverMessage(const Tavrix::URLKeys& key);
/// The rich-text message for a graphics driver without acceleration support, ending with a link
/// to the page of `key`, in the same way.
APPLICATIONCORE_EXPORT QString GetGPUUnsupportedDriverMessage(const Tavrix::URLKeys& key);
