#pragma once

#include <Tavrix/qtkit_export.h>

#include <QString>

namespace Tavrix::Util {

class QTKIT_EXPORT FontDatabase
{
public:
    /// Registers the font file `path` with the application; -1 when it is no font.
    static int addApplicationFont(const QString& path);
};

} // namespace Tavrix::Util
