#include "MainWindow.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const CLICK_COUNT_KEY = "Demo/ClickCount";

// The arguments again as one command-line text, quoted where the words need it.
QString ArgumentsText(const QStringList& arguments)
{
    QStringList words;
    for (QString word : arguments) {
        if (word.isEmpty() || word.contains(QLatin1Char(' ')) || word.contains(QLatin1Char('"')))
            word = QLatin1Char('"') + word.replace(QLatin1Char('"'), QStringLiteral("\"\"\"")) + QLatin1Char('"');
        words << word;
    }
    return words.join(QLatin1Char(' '));
}

QString LaunchTypeText(Tavrix::App::Application::LaunchType type)
{
    switch (type) {
    case Tavrix::App::Application::NewInstall:
        return MainWindow::tr("new installation");
    case Tavrix::App::Application::Reinstall:
        return MainWindow::tr("reinstallation");
    case Tavrix::App::Application::Update:
        return MainWindow::tr("update");
    case Tavrix::App::Application::Regular:
        return MainWindow::tr("regular start");
    case Tavrix::App::Application::NotSet:
        break;
    }
    return MainWindow::tr("not set");
}
} // namespace

MainWindow::MainWindow(std::shared_ptr<Tavrix::App::ISettingsManager> productStore)
    : m_productStore(std::move(productStore))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(tr("Tavrix Demo"));
    setWindowIcon(QIcon(QStringLiteral(":/demo/icon.png")));

    auto* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    auto* restart = fileMenu->addAction(tr("&Restart"), this, [] {
        if (auto* app = qobject_cast<Tavrix::App::Application*>(qApp))
            app->TryToRestart(Tavrix::Enums::Interactive, ArgumentsText(QCoreApplication::arguments().mid(1)));
    });
    restart->setObjectName(QStringLiteral("restartAction"));
    fileMenu->addAction(tr("&Quit"), qApp, &QApplication::closeAllWindows, QKeySequence::Quit);

    auto* central = new QWidget(this);
    m_panels = new QVBoxLayout(central);

    auto* startup = new QGroupBox(tr("Start-up"), central);
    auto* startupLayout = new QVBoxLayout(startup);
    m_startupFacts = new QLabel(startup);
    m_startupFacts->setObjectName(QStringLiteral("startupFacts"));
    m_startupFacts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    startupLayout->addWidget(m_startupFacts);
    m_panels->addWidget(startup);

    auto* settings = new QGroupBox(tr("Observed setting"), central);
    auto* settingsLayout = new QHBoxLayout(settings);
    m_counter = new QLabel(settings);
    m_counter->setObjectName(QStringLiteral("clickCount"));
    auto* increment = new QPushButton(tr("Count a click"), settings);
    increment->setObjectName(QStringLiteral("countButton"));
    settingsLayout->addWidget(m_counter, 1);
    settingsLayout->addWidget(increment);
    m_panels->addWidget(settings);
    AddLaunchPanel(central);
    connect(increment, &QPushButton::clicked, this, [this] {
        m_productStore->SetInt(CLICK_COUNT_KEY, m_productStore->GetInt(CLICK_COUNT_KEY, 0) + 1);
    });

    m_events = new QListWidget(central);
    m_events->setObjectName(QStringLiteral("events"));
    m_panels->addWidget(m_events, 1);

    setCentralWidget(central);
    resize(640, 480);

    m_counter->setText(tr("Clicks counted: %1").arg(m_productStore->GetInt(CLICK_COUNT_KEY, 0)));
    m_productStore->RegisterObserver(this);
}

MainWindow::~MainWindow()
{
    m_productStore->UnregisterObserver(this);
}

void MainWindow::ShowStartupFacts()
{
    const auto text = [this](const char* key) {
        return QString::fromStdString(m_productStore->GetString(key, "")).toHtmlEscaped();
    };
    m_startupFacts->setText(tr("<b>%1</b> version %2<br>Preferred browser: %3<br>Architecture: %4<br>"
                               "Installed in: %5")
                                .arg(QApplication::applicationName().toHtmlEscaped(),
                                     QApplication::applicationVersion(), text("PreferredBrowser"),
                                     text("ArchitectBits"), text("Path")));
    Log(tr("Application started"));
}

void MainWindow::Log(const QString& line)
{
    m_events->addItem(line);
    m_events->scrollToBottom();
}

void MainWindow::OnIntChanged(const std::string& key, int newValue, const boost::optional<int>& oldValue)
{
    if (key == CLICK_COUNT_KEY)
        m_counter->setText(tr("Clicks counted: %1").arg(newValue));
    Log(tr("%1 changed from %2 to %3")
            .arg(QString::fromStdString(key), oldValue ? QString::number(*oldValue) : tr("nothing"))
            .arg(newValue));
}

void MainWindow::OnStringChanged(const std::string& key, const std::string& newValue,
                                 const boost::optional<std::string>&)
{
    Log(tr("%1 set to %2").arg(QString::fromStdString(key), QString::fromStdString(newValue)));
}

void MainWindow::OnBoolChanged(const std::string& key, bool newValue, const boost::optional<bool>&)
{
    Log(tr("%1 set to %2").arg(QString::fromStdString(key), newValue ? tr("true") : tr("false")));
}

void MainWindow::OnInt64Changed(const std::string& key, long long newValue, const boost::optional<long long>&)
{
    Log(tr("%1 set to %2").arg(QString::fromStdString(key)).arg(newValue));
}

void MainWindow::OnDoubleChanged(const std::string& key, double newValue, const boost::optional<double>&)
{
    Log(tr("%1 set to %2").arg(QString::fromStdString(key)).arg(newValue));
}

void MainWindow::OnByteArrayChanged(const std::string& key, const std::vector<unsigned char>& newValue,
                                    const boost::optional<std::vector<unsigned char>>&)
{
    Log(tr("%1 set to %2 bytes").arg(QString::fromStdString(key)).arg(newValue.size()));
}

void MainWindow::AddLaunchPanel(QWidget* parent)
{
    auto* launch = new QGroupBox(tr("Launch"), parent);
    launch->setObjectName(QStringLiteral("launchPanel"));
    auto* layout = new QVBoxLayout(launch);
    m_launchTypes = new QLabel(launch);
    m_launchTypes->setObjectName(QStringLiteral("launchTypes"));
    m_launchTypes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_launchTypes);
    auto* crashes = new QHBoxLayout;
    m_crashedSessions = new QListWidget(launch);
    m_crashedSessions->setObjectName(QStringLiteral("crashedSessions"));
    m_crashedSessions->setMaximumHeight(80);
    auto* clear = new QPushButton(tr("Clear crashes"), launch);
    clear->setObjectName(QStringLiteral("clearCrashesButton"));
    crashes->addWidget(m_crashedSessions, 1);
    crashes->addWidget(clear, 0, Qt::AlignTop);
    layout->addLayout(crashes);
    m_panels->addWidget(launch);
    connect(clear, &QPushButton::clicked, this, [this] {
        if (auto* app = qobject_cast<Tavrix::App::Application*>(qApp)) {
            app->ClearCrashes();
            Log(tr("Crash history cleared"));
        }
        ShowCrashedSessions();
    });
}

void MainWindow::ShowLaunchFacts()
{
    auto* app = qobject_cast<Tavrix::App::Application*>(qApp);
    if (!app)
        return;
    m_launchTypes->setText(tr("Launch type (product store): %1<br>Launch type (common store): %2<br>"
                              "Days since the first start: %3<br>Session: %4")
                               .arg(LaunchTypeText(app->GetProductLaunchType()),
                                    LaunchTypeText(app->GetLaunchType()))
                               .arg(app->GetDaysPassed())
                               .arg(QString::fromStdString(app->SessionId())));
    ShowCrashedSessions();
}

void MainWindow::ShowCrashedSessions()
{
    auto* app = qobject_cast<Tavrix::App::Application*>(qApp);
    m_crashedSessions->clear();
    if (!app)
        return;
    for (const std::string& session : app->GetCrashedSessions())
        m_crashedSessions->addItem(tr("Crashed session %1").arg(QString::fromStdString(session)));
    if (m_crashedSessions->count() == 0)
        m_crashedSessions->addItem(tr("No crashed sessions"));
}
