#include <Tavrix/Core/StringConversion.h>

#include <QString>

namespace Tavrix::Core {

std::wstring WstringFromUtf8(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size())).toStdWString();
}

std::string Utf8FromWstring(const std::wstring& wide)
{
    return QString::fromStdWString(wide).toStdString();
}

} // namespace Tavrix::Core
