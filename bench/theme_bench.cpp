// A switch between two themes of 20 compiled bundles each (about 1 MB of stylesheets, 300 font
// placeholders) against reading the same stylesheets from disk and filling in the same fonts; and
// the resident memory that 50 switches between the sample product's themes, fonts included, add.
#include "BenchmarkMain.h"

#include <Tavrix/App/Application/LookAndFeelManager.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int BUNDLES = 20;
constexpr int FONTS = 300;
constexpr int STYLE_BYTES = 25 * 1024;
const QString THEMES[2] = {QStringLiteral("A"), QStringLiteral("B")};

QString Root()
{
    static QTemporaryDir dir;
    return dir.path();
}
QString ThemeDir(const QString& theme)
{
    return Root() + "/resources/themes/" + theme;
}
QString SourceDir(const QString& bundle)
{
    return Root() + "/src/" + bundle;
}
QString Number(int n, int width)
{
    return QStringLiteral("%1").arg(n, width, 10, QChar('0'));
}
QString Bundle(int theme, int i)
{
    return THEMES[theme].toLower() + Number(i, 2);
}
// Every name and family of the same length: none is the start of another.
QString FontKey(int font)
{
    return "font" + Number(font, 3);
}
QString Family(int theme, int font)
{
    return "Generated " + THEMES[theme] + " " + Number(font, 3);
}

bool Write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(content) == content.size();
}

// Rules of the kind a product ships, every font given by placeholder, all 300 of them used.
QByteArray StyleSheet(const QString& bundle, int& nextFont)
{
    QByteArray text;
    unsigned colour = qHash(bundle);
    auto font = [&]() -> QByteArray { return "@" + FontKey(nextFont++ % FONTS).toLatin1(); };
    auto hex = [&]() -> QByteArray {
        colour = colour * 1103515245u + 12345u;
        return QByteArray::number((colour >> 8) & 0xffffff, 16).rightJustified(6, '0');
    };
    for (int n = 0; text.size() < STYLE_BYTES; ++n) {
        const QByteArray id = bundle.toLatin1() + "_" + QByteArray::number(n);
        const QByteArray size = QByteArray::number(9 + n % 8);
        text += "QPushButton#" + id + " {\n    font-family: \"" + font()
                + "\";\n    font-size: " + size + "pt;\n    color: #" + hex()
                + ";\n    background-color: #" + hex() + ";\n    border: 1px solid #" + hex()
                + ";\n    border-radius: 3px;\n    padding: 4px 8px;\n}\n" + "QPushButton#" + id
                + ":hover { background-color: #" + hex() + "; }\n" + "QLabel#" + id
                + "Caption { font-family: \"" + font() + "\"; font-size: " + size + "pt; }\n"
                + "QToolTip#" + id + " { font: " + size + "pt \"" + font() + "\"; color: #" + hex()
                + "; }\n";
    }
    return text;
}

// Writes one bundle's sources and compiles them into the theme's folder; the first bundle also
// carries the theme's font table.
QString CompileBundle(int theme, int i, int& nextFont)
{
    const QString bundle = Bundle(theme, i);
    const QString src = SourceDir(bundle);
    QDir().mkpath(src);
    QByteArray qrc = "<RCC><qresource prefix=\"/" + bundle.toLatin1() + "\">\n";
    qrc += "<file>style.qss</file>\n";
    if (!Write(src + "/style.qss", StyleSheet(bundle, nextFont)))
        return "cannot write a stylesheet";
    if (i == 0) {
        QJsonObject table;
        for (int f = 0; f < FONTS; ++f)
            table.insert(FontKey(f), Family(theme, f));
        const QJsonObject all{{"all_platforms", QJsonObject{{"all_languages", table}}}};
        if (!Write(src + "/fonts.json", QJsonDocument(all).toJson()))
            return "cannot write the font table";
        qrc += "<file>fonts.json</file>\n";
    }
    if (!Write(src + "/" + bundle + ".qrc", qrc + "</qresource></RCC>\n"))
        return "cannot write a resource list";
    QProcess rcc;
    rcc.setWorkingDirectory(src);
    const QString out = ThemeDir(THEMES[theme]) + "/" + bundle + ".rcc";
    rcc.start(QStringLiteral(TAVRIX_RCC), {"-binary", bundle + ".qrc", "-o", out});
    if (!rcc.waitForFinished(-1) || rcc.exitStatus() != QProcess::NormalExit || rcc.exitCode() != 0)
        return "rcc failed: " + QString::fromLocal8Bit(rcc.readAllStandardError());
    return {};
}

QString Generate()
{
    QDir().mkpath(Root() + "/resources/locales/en_US");
    for (int t = 0; t < 2; ++t) {
        QDir().mkpath(ThemeDir(THEMES[t]));
        if (!Write(ThemeDir(THEMES[t]) + "/theme.json",
                   "{\"en_US\":\"Generated " + THEMES[t].toLatin1() + "\"}"))
            return "cannot write a theme description";
        int nextFont = 0;
        for (int i = 0; i < BUNDLES; ++i) {
            const QString error = CompileBundle(t, i, nextFont);
            if (!error.isEmpty())
                return error;
        }
    }
    return {};
}

const QString& GenerationError()
{
    static const QString error = Generate();
    return error;
}

// The theme's text must carry its own families, another theme's none, and no placeholder.
bool Filled(const QString& text, int theme)
{
    return text.contains(Family(theme, 0)) && text.contains(Family(theme, FONTS - 1))
           && !text.contains(Family(1 - theme, 0)) && !text.contains(QLatin1String("@font"))
           && text.contains(Bundle(theme, BUNDLES - 1) + "_0");
}

void BM_ThemeSwitch(benchmark::State& state)
{
    if (!GenerationError().isEmpty())
        return state.SkipWithError(GenerationError().toStdString().c_str());
    Tavrix::App::LookAndFeelManager manager(Root().toStdString(), "theme.json", {}, {});
    if (manager.GetThemes().size() != 2)
        return state.SkipWithError("the themes were not found");
    manager.SetTheme("A");
    int theme = 0;
    for (auto _ : state) {
        theme = 1 - theme;
        manager.SetTheme(THEMES[theme].toStdString());
    }
    if (!Filled(QString::fromStdString(manager.GetUnitedStylesheet()), theme))
        state.SkipWithError("the united stylesheet is not the theme's, filled in");
}
BENCHMARK(BM_ThemeSwitch)->Unit(benchmark::kMillisecond);

void BM_ThemeSwitch_Baseline(benchmark::State& state)
{
    if (!GenerationError().isEmpty())
        return state.SkipWithError(GenerationError().toStdString().c_str());
    int theme = 0;
    QString text;
    for (auto _ : state) {
        theme = 1 - theme;
        QFile table(SourceDir(Bundle(theme, 0)) + "/fonts.json");
        if (!table.open(QIODevice::ReadOnly))
            return state.SkipWithError("cannot read the font table");
        const QJsonObject fonts = QJsonDocument::fromJson(table.readAll())
                                      .object()["all_platforms"]
                                      .toObject()["all_languages"]
                                      .toObject();
        QMap<QString, QString> placeholders;
        for (auto it = fonts.begin(); it != fonts.end(); ++it)
            placeholders.insert("@" + it.key(), it.value().toString());
        text.clear();
        for (int i = 0; i < BUNDLES; ++i) {
            QFile file(SourceDir(Bundle(theme, i)) + "/style.qss");
            if (!file.open(QIODevice::ReadOnly))
                return state.SkipWithError("cannot read a stylesheet");
            text += QString::fromUtf8(file.readAll()) + "\n";
        }
        for (auto it = placeholders.cbegin(); it != placeholders.cend(); ++it)
            text.replace(it.key(), it.value());
    }
    if (!Filled(text, theme))
        state.SkipWithError("the stylesheet is not the theme's, filled in");
}
BENCHMARK(BM_ThemeSwitch_Baseline)->Unit(benchmark::kMillisecond);

// The resident set of this process in KiB, from the kernel's status file.
constexpr int SWITCHES = 50;
double ResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    }
    return -1;
}

void BM_ThemeSwitchMemory_Measure(benchmark::State& state)
{
    const QString root = QStringLiteral(TAVRIX_DEMO_RESOURCES "/..");
    Tavrix::App::LookAndFeelManager manager(root.toStdString(), "theme.json", {}, {});
    if (manager.GetThemes().size() != 2)
        return state.SkipWithError("the sample product's themes were not found");
    const std::string themes[2] = {"Light", "Dark"};
    manager.Initialize("en_US", themes[0]);
    double afterOne = 0;
    double afterFifty = 0;
    for (auto _ : state) {
        for (int i = 1; i <= SWITCHES; ++i) {
            manager.SetTheme(themes[i % 2]);
            if (i == 1)
                afterOne = ResidentKiB();
        }
        afterFifty = ResidentKiB();
    }
    state.counters["rss_after_1_KiB"] = afterOne;
    state.counters["rss_after_50_KiB"] = afterFifty;
    state.counters["growth_KiB"] = afterFifty - afterOne;
}
BENCHMARK(BM_ThemeSwitchMemory_Measure)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
