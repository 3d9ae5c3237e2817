#include <Tavrix/Util/FontDatabase.h>

#include <QFontDatabase>

namespace Tavrix::Util {

int FontDatabase::addApplicationFont(const QString& path)
{
    return QFontDatabase::addApplicationFont(path);
}

} // namespace Tavrix::Util
