#include <Tavrix/Util/Conversions.h>

#include <QStringList>

namespace Tavrix::Util {

std::string QStringToUtf8(const QString& text)
{
    return text.toStdString();
}

QString Utf8ToQString(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size()));
}

QByteArray VectorByteToQByteArray(const std::vector<unsigned char>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
}

std::vector<unsigned char> QByteArrayToVectorByte(const QByteArray& bytes)
{
    return std::vector<unsigned char>(bytes.cbegin(), bytes.cend());
}

QString VersionToString(const Tavrix::Core::Version& version, VersionToStringDetail detail,
                        const QString& separator)
{
    QStringList parts{QString::number(version.Major()), QString::number(version.Minor())};
    if (detail != MajorMinor)
        parts << QString::number(version.Patch());
    if (detail == MajorMinorPatchBuild)
        parts << QString::number(version.Build());
    return parts.join(separator);
}

QString VersionToString(const Tavrix::Core::Version& version, int detail, const QString& separator)
{
    const bool known = detail >= MajorMinorPatch && detail <= MajorMinor;
    return VersionToString(
        version, known ? static_cast<VersionToStringDetail>(detail) : MajorMinorPatch, separator);
}

std::string AppBits()
{
    return std::to_string(sizeof(void*) * 8);
}

} // namespace Tavrix::Util
