#pragma once

#include <Tavrix/qtkit_export.h>

#include <QString>

namespace Tavrix::Util {

class QTKIT_EXPORT FontDatabase
{
public:
    /// Registers the font file `path` with the application and returns its id; -1 when it is no
    /// font. A font already registered, from this path or another, is not added again: its
    /// earlier id comes back.
    static int addApplicationFont(const QString& path);
};

} // namespace Tavrix::Util
