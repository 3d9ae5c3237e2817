// The same visible start as the core's start-up program, by hand with Qt alone: the theme's
// bundles registered, its fonts added, its stylesheets read and their font placeholders filled in,
// the translations installed, and the same window; it quits after the first pass of the event
// loop.
#include "StartupWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMainWindow>
#include <QMap>
#include <QResource>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <list>
#include <memory>

namespace {

const QString RESOURCES = QStringLiteral(TAVRIX_DEMO_RESOURCES);

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? file.readAll() : QByteArray();
}

QString ThemeStyleSheet(const QString& theme, const QString& locale)
{
    QString text;
    QMap<QString, QString> fonts;
    const QFileInfoList bundles = QDir(RESOURCES + QStringLiteral("/themes/") + theme)
                                      .entryInfoList({QStringLiteral("*.rcc")}, QDir::Files);
    for (const QFileInfo& bundle : bundles) {
        QResource::registerResource(bundle.absoluteFilePath());
        const QString prefix = QStringLiteral(":/") + bundle.baseName() + QLatin1Char('/');
        const QJsonObject table
            = QJsonDocument::fromJson(Read(prefix + QStringLiteral("fonts.json"))).object();
        for (const QString& platform : {QStringLiteral("all_platforms"), QStringLiteral("linux")}) {
            const QJsonObject languages = table.value(platform).toObject();
            for (const QString& language : {QStringLiteral("all_languages"), locale}) {
                const QJsonObject names = languages.value(language).toObject();
                for (auto name = names.begin(); name != names.end(); ++name)
                    fonts[QLatin1Char('@') + name.key()] = name.value().toString();
            }
        }
        QFile manifest(prefix + QStringLiteral("fonts.manifest"));
        if (manifest.open(QIODevice::ReadOnly | QIODevice::Text)) {
            QTextStream words(&manifest);
            while (!words.atEnd()) {
                QString word;
                words >> word;
                if (!word.isEmpty())
                    QFontDatabase::addApplicationFont(word);
            }
        }
        text += QString::fromUtf8(Read(prefix + QStringLiteral("style.qss"))) + QLatin1Char('\n');
        text += QString::fromUtf8(Read(prefix + QStringLiteral("fonts_linux.qss")))
                + QLatin1Char('\n');
    }
    text += QString::fromUtf8(Read(QStringLiteral(":/productStyle.qss"))) + QLatin1Char('\n');
    text += QString::fromUtf8(Read(QStringLiteral(":/productStyle_linux.qss"))) + QLatin1Char('\n');
    for (auto font = fonts.cbegin(); font != fonts.cend(); ++font)
        text.replace(font.key(), font.value());
    return text;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tavrix Demo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrix"));
    QCoreApplication::setApplicationVersion(QStringLiteral("4.1.0"));

    std::list<QTranslator> translators;
    const QFileInfoList files = QDir(RESOURCES + QStringLiteral("/locales/en_US"))
                                    .entryInfoList({QStringLiteral("*.qm")}, QDir::Files);
    for (const QFileInfo& file : files) {
        if (translators.emplace_back().load(file.absoluteFilePath()))
            QCoreApplication::installTranslator(&translators.back());
    }
    app.setStyleSheet(ThemeStyleSheet(QStringLiteral("Light"), QStringLiteral("en_US")));

    const std::unique_ptr<QMainWindow> window(CreateStartupWindow());
    window->show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
