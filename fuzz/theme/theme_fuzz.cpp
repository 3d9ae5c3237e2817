// A theme folder built from the input: the description file, "%%", then the files of the theme's
// one bundle: "fonts.json", "fonts.manifest", "style.qss" and the platform's stylesheet, separated
// by "%%". The manager finds it, titles it and applies it through its public calls.
#include "FuzzSupport.h"

#include <Tavrix/App/Application/ILookAndFeelObserver.h>
#include <Tavrix/App/Application/LookAndFeelManager.h>
#include <Tavrix/Core/DataInputString.h>
#include <Tavrix/Core/PropertySerializer.h>
#include <Tavrix/Util/Conversions.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QtEndian>

#include <algorithm>

using Tavrix::App::LookAndFeelManager;

namespace {

const char* const THEME = "Fuzzed";
const char* const LOCALE = "en_US";

class Observer : public Tavrix::App::ILookAndFeelObserver
{
public:
    int locales = 0;
    int themes = 0;
    void OnLocaleChanged(const std::string&) override { ++locales; }
    void OnThemeChanged(const std::string&) override { ++themes; }
};

template <class T>
void Append(QByteArray& bytes, T value)
{
    const T bigEndian = qToBigEndian(value);
    bytes.append(reinterpret_cast<const char*>(&bigEndian), sizeof bigEndian);
}

// A compiled resource bundle (rcc format 1) with `files` under ":/<folder>/", as rcc writes it:
// a folder's children sorted by the hash that Qt looks them up with.
QByteArray Bundle(const QString& folder, std::vector<std::pair<QString, std::string>> files)
{
    std::sort(files.begin(), files.end(),
              [](const auto& a, const auto& b) { return qt_hash(a.first) < qt_hash(b.first); });
    QByteArray names;
    QByteArray payloads;
    QByteArray tree;
    const auto name = [&names](const QString& text) {
        const auto offset = static_cast<quint32>(names.size());
        Append<quint16>(names, static_cast<quint16>(text.size()));
        Append<quint32>(names, qt_hash(text));
        for (const QChar c : text)
            Append<quint16>(names, c.unicode());
        return offset;
    };
    const auto folderNode = [&tree](quint32 nameOffset, quint32 children, quint32 firstChild) {
        Append<quint32>(tree, nameOffset);
        Append<quint16>(tree, 2); // a folder
        Append<quint32>(tree, children);
        Append<quint32>(tree, firstChild);
    };
    // The root (its name is never looked at), the folder, then the folder's files.
    folderNode(0, 1, 1);
    folderNode(name(folder), static_cast<quint32>(files.size()), 2);
    for (const auto& [fileName, content] : files) {
        Append<quint32>(tree, name(fileName));
        Append<quint16>(tree, 0);
        Append<quint16>(tree, 0); // any country
        Append<quint16>(tree, 1); // the C locale: the file for every locale
        Append<quint32>(tree, static_cast<quint32>(payloads.size()));
        Append<quint32>(payloads, static_cast<quint32>(content.size()));
        payloads.append(content.data(), static_cast<int>(content.size()));
    }
    QByteArray bundle("qres");
    const quint32 header = 20;
    Append<quint32>(bundle, 1);
    Append<quint32>(bundle, header + names.size() + payloads.size());
    Append<quint32>(bundle, header + names.size());
    Append<quint32>(bundle, header);
    return bundle + names + payloads + tree;
}

// The description's title for the locale, read as the manager reads it: in text mode.
std::string ExpectedTitle(const QString& descriptionFile)
{
    QFile file(descriptionFile);
    TAVRIX_FUZZ_CHECK(file.open(QIODevice::ReadOnly | QIODevice::Text));
    Tavrix::Core::Property parsed("");
    if (Tavrix::Core::PropertySerializer::Deserialize(
            parsed, Tavrix::Core::DataInputString::Create(file.readAll().toStdString()), true)
        && parsed.ChildExists(LOCALE))
        return parsed[LOCALE].GetString();
    return THEME;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Tavrix::Fuzz::StartApplication<QGuiApplication>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parts = Tavrix::Fuzz::SplitInput(data, size, 5);
    const QString root = Tavrix::Fuzz::FreshFolder();
    const QString themeFolder = root + QStringLiteral("/resources/themes/") + QLatin1String(THEME);
    const QString description = themeFolder + QStringLiteral("/theme.json");
    TAVRIX_FUZZ_CHECK(Tavrix::Fuzz::WriteFile(description, parts[0]));
    const QByteArray bundle
        = Bundle(QStringLiteral("b"), {{QStringLiteral("fonts.json"), parts[1]},
                                       {QStringLiteral("fonts.manifest"), parts[2]},
                                       {QStringLiteral("style.qss"), parts[3]},
                                       {QStringLiteral("fonts_linux.qss"), parts[4]}});
    TAVRIX_FUZZ_CHECK(
        Tavrix::Fuzz::WriteFile(themeFolder + QStringLiteral("/b.rcc"), bundle.toStdString()));
    TAVRIX_FUZZ_CHECK(
        QDir().mkpath(root + QStringLiteral("/resources/locales/") + QLatin1String(LOCALE)));

    LookAndFeelManager manager(Tavrix::ioPath(root.toStdString()), "theme.json", {}, {});
    TAVRIX_FUZZ_CHECK(manager.GetThemes() == std::list<std::string>{THEME});
    Observer observer;
    manager.RegisterObserver(&observer);
    manager.Initialize(LOCALE, THEME);
    TAVRIX_FUZZ_CHECK(manager.GetCurrentLocale() == LOCALE && manager.GetCurrentTheme() == THEME);
    TAVRIX_FUZZ_CHECK(observer.locales == 1 && observer.themes == 1);
    TAVRIX_FUZZ_CHECK(manager.GetLocalizedThemeName(THEME) == ExpectedTitle(description));
    TAVRIX_FUZZ_CHECK(QFile::exists(QStringLiteral(":/b/style.qss")));

    // Without placeholders the stylesheets come through as written, the product's (missing here)
    // as one line break each. Text mode drops carriage returns.
    const std::string united = manager.GetUnitedStylesheet();
    const std::string& style = parts[3];
    const std::string& platformStyle = parts[4];
    if ((style + platformStyle).find_first_of("@\r") == std::string::npos)
        TAVRIX_FUZZ_CHECK(united
                          == Tavrix::Util::QStringToUtf8(
                              QString::fromUtf8(style.data(), int(style.size())) + QLatin1Char('\n')
                              + QString::fromUtf8(platformStyle.data(), int(platformStyle.size()))
                              + QStringLiteral("\n\n\n")));

    // The same theme again: its bundle is registered once, so the result is the same.
    manager.SetTheme(THEME);
    TAVRIX_FUZZ_CHECK(manager.GetUnitedStylesheet() == united && observer.themes == 2);
    manager.SetTheme("");
    TAVRIX_FUZZ_CHECK(manager.GetCurrentTheme().empty() && observer.themes == 2);
    TAVRIX_FUZZ_CHECK(!QFile::exists(QStringLiteral(":/b/style.qss")));
    manager.UnregisterObserver(&observer);
    return 0;
}
