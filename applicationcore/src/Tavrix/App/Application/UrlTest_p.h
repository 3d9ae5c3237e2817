#pragma once

#include <Tavrix/ioPath.h>

#include <list>
#include <string>

namespace Tavrix::App {

/// Checks every product link in every locale under test: writes them to a dump file and, on
/// request, opens them one after another.
class UrlTest
{
public:
    /// The locales the next Run() goes through, in order.
    static void SetCustomLocales(std::list<std::string> locales);

    /// Writes "locale;key;URL;" lines to `dumpFile` and, with `openUrls`, schedules an opening of
    /// each URL, the first 10 s from now, each next one `delay` ms after the one before (also
    /// across runs). The locale in use before is restored afterwards. A dump file that cannot be
    /// written is reported in a message box and nothing else happens.
    static void Run(const Tavrix::ioPath& dumpFile, bool openUrls, int delay);
};

} // namespace Tavrix::App
