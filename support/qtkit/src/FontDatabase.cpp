#include <Tavrix/Util/FontDatabase.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>

#include <mutex>

namespace Tavrix::Util {

namespace {

// Qt keeps a copy of every font it is given, and themes hand over their fonts again on each
// switch: the same font, under whatever name, is registered once per process. A file seen before
// with the same size and time is not even read again.
struct RegisteredFonts
{
    struct Font
    {
        QByteArray data; // shares its bytes with Qt's own copy
        int id;
    };
    std::mutex mutex;
    QHash<QString, int> byFile;
    // Keyed by size, and the bytes decide: fonts of one size are rare, and a digest of every
    // font cost milliseconds of each start.
    QMultiHash<int, Font> byContent;
};

RegisteredFonts& Registered()
{
    static RegisteredFonts fonts;
    return fonts;
}

QString FileKey(const QString& path)
{
    const QFileInfo info(path);
    return info.absoluteFilePath() + QLatin1Char('\n') + QString::number(info.size())
           + QLatin1Char('\n') + QString::number(info.lastModified().toMSecsSinceEpoch());
}

} // namespace

int FontDatabase::addApplicationFont(const QString& path)
{
    RegisteredFonts& fonts = Registered();
    const QString fileKey = FileKey(path);
    const std::lock_guard<std::mutex> lock(fonts.mutex);
    if (const auto found = fonts.byFile.constFind(fileKey); found != fonts.byFile.constEnd())
        return *found;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = file.readAll();
    const int contentKey = data.size();
    int id = -1;
    for (auto font = fonts.byContent.constFind(contentKey);
         font != fonts.byContent.constEnd() && font.key() == contentKey; ++font) {
        if (font->data == data) {
            id = font->id;
            break;
        }
    }
    if (id < 0) {
        id = QFontDatabase::addApplicationFontFromData(data);
        if (id < 0)
            return -1;
        fonts.byContent.insert(contentKey, {data, id});
    }
    fonts.byFile.insert(fileKey, id);
    return id;
}

} // namespace Tavrix::Util
