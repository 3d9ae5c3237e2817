#pragma once

#include <Tavrix/Core/Version.h>
#include <Tavrix/qtkit_export.h>

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace Tavrix::Util {

QTKIT_EXPORT std::string QStringToUtf8(const QString& text);
/// Invalid UTF-8 sequences become U+FFFD.
QTKIT_EXPORT QString Utf8ToQString(const std::string& utf8);

QTKIT_EXPORT QByteArray VectorByteToQByteArray(const std::vector<unsigned char>& bytes);
QTKIT_EXPORT std::vector<unsigned char> QByteArrayToVectorByte(const QByteArray& bytes);

enum VersionToStringDetail {
    MajorMinorPatch = 0,      ///< "4.1.0"
    MajorMinorPatchBuild = 1, ///< "4.1.0.17"
    MajorMinor = 2            ///< "4.1"
};

/// The version's components joined by `separator`.
QTKIT_EXPORT QString VersionToString(const Tavrix::Core::Version& version,
                                     VersionToStringDetail detail, const QString& separator);
/// Convenience for the integer detail the callers pass; an unknown detail gives MajorMinorPatch.
QTKIT_EXPORT QString VersionToString(const Tavrix::Core::Version& version, int detail,
                                     const QString& separator);

/// The bitness of the running build: "64" or "32".
QTKIT_EXPORT std::string AppBits();

} // namespace Tavrix::Util
