#include <Tavrix/Platform/Environment.h>

#include <QByteArray>

namespace Tavrix::Platform {

bool PutEnvironment(const std::wstring& assignment)
{
    const QString text = QString::fromStdWString(assignment);
    const int equals = text.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return false;
    const QByteArray name = text.left(equals).toLocal8Bit();
    const QByteArray value = text.mid(equals + 1).toLocal8Bit();
    return value.isEmpty() ? qunsetenv(name.constData()) : qputenv(name.constData(), value);
}

QString GetEnvironment(const char* name)
{
    return QString::fromLocal8Bit(qgetenv(name));
}

} // namespace Tavrix::Platform
