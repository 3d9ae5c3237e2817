#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStringList>

// Writes product resources folders the way a build would: bundles compiled by rcc, translations
// compiled by lrelease.
class ResourceBuilder
{
public:
    using Files = QMap<QString, QByteArray>;

    explicit ResourceBuilder(const QString& root) : m_root(root) {}

    QString Resources() const { return m_root + QStringLiteral("/resources"); }
    QString ThemeFolder(const QString& theme) const
    {
        return Resources() + QStringLiteral("/themes/") + theme;
    }
    QString LocaleFolder(const QString& locale) const
    {
        return Resources() + QStringLiteral("/locales/") + locale;
    }

    static bool Write(const QString& path, const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
               && file.write(content) == content.size();
    }

    // A theme folder with its description (none when `description` is null).
    bool Theme(const QString& theme, const QByteArray& description = "{}") const
    {
        if (description.isNull())
            return QDir().mkpath(ThemeFolder(theme));
        return Write(ThemeFolder(theme) + QStringLiteral("/theme.json"), description);
    }

    // `<theme>/<bundle>.rcc` holding `files` under ":/<bundle>/".
    bool Bundle(const QString& theme, const QString& bundle, const Files& files) const
    {
        const QString sources = m_root + QStringLiteral("/sources/") + theme;
        QByteArray qrc = "<RCC><qresource prefix=\"/\">\n";
        for (auto file = files.cbegin(); file != files.cend(); ++file) {
            const QString name = bundle + QLatin1Char('/') + file.key();
            if (!Write(sources + QLatin1Char('/') + name, file.value()))
                return false;
            qrc += "<file>" + name.toUtf8() + "</file>\n";
        }
        qrc += "</qresource></RCC>\n";
        const QString qrcPath = sources + QLatin1Char('/') + bundle + QStringLiteral(".qrc");
        QDir().mkpath(ThemeFolder(theme));
        return Write(qrcPath, qrc)
               && Run(QStringLiteral(TAVRIX_RCC),
                      {QStringLiteral("-binary"), qrcPath, QStringLiteral("-o"),
                       ThemeFolder(theme) + QLatin1Char('/') + bundle + QStringLiteral(".rcc")});
    }

    // `<locale>/<file>` compiled from messages of the context "Test": source to translation.
    bool Translation(const QString& locale, const QString& file,
                     const QMap<QString, QString>& messages) const
    {
        QByteArray ts = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                        "<TS version=\"2.1\"><context><name>Test</name>\n";
        for (auto message = messages.cbegin(); message != messages.cend(); ++message)
            ts += "<message><source>" + message.key().toHtmlEscaped().toUtf8()
                  + "</source><translation>" + message.value().toHtmlEscaped().toUtf8()
                  + "</translation></message>\n";
        ts += "</context></TS>\n";
        const QString tsPath = m_root + QStringLiteral("/sources/") + locale + QLatin1Char('/')
                               + QFileInfo(file).completeBaseName() + QStringLiteral(".ts");
        QDir().mkpath(LocaleFolder(locale));
        return Write(tsPath, ts)
               && Run(QStringLiteral(TAVRIX_LRELEASE),
                      {QStringLiteral("-silent"), tsPath, QStringLiteral("-qm"),
                       LocaleFolder(locale) + QLatin1Char('/') + file});
    }

private:
    static bool Run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
               && process.exitCode() == 0;
    }

    QString m_root;
};
