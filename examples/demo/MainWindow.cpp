#include "MainWindow.h"

#include "CrashReportView.h"
#include "DemoApplication.h"
#include "DialogsPage.h"
#include "HelpMenu.h"
#include "HelperPage.h"
#include "TouchPage.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const char* const CLICK_COUNT_KEY = "Demo/ClickCount";

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

MainWindow::MainWindow(std::shared_ptr<Tavrix::App::ISettingsManager> productStore,
                       std::shared_ptr<Tavrix::App::ILookAndFeelManager> lookAndFeel)
    : m_productStore(std::move(productStore)), m_lookAndFeel(std::move(lookAndFeel))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(QIcon(QStringLiteral(":/demo/icon.png")));

    m_fileMenu = menuBar()->addMenu(QString());
    m_fileMenu->setObjectName(QStringLiteral("fileMenu"));
    m_restartAction = m_fileMenu->addAction(QString(), this, [] {
        if (auto* app = CoreApplication())
            app->TryToRestart(Tavrix::Enums::Interactive,
                              CommandLineText(QCoreApplication::arguments().mid(1)));
    });
    m_restartAction->setObjectName(QStringLiteral("restartAction"));
    m_quitAction = m_fileMenu->addAction(QString(), qApp, &QApplication::closeAllWindows,
                                         QKeySequence::Quit);
    AddLookAndFeelMenus();

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_startPage = new QWidget(m_pages);
    m_startPage->setObjectName(QStringLiteral("startPage"));
    m_panels = new QVBoxLayout(m_startPage);

    m_startupBox = new QGroupBox(m_startPage);
    auto* startupLayout = new QVBoxLayout(m_startupBox);
    m_startupFacts = new QLabel(m_startupBox);
    m_startupFacts->setObjectName(QStringLiteral("startupFacts"));
    m_startupFacts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    startupLayout->addWidget(m_startupFacts);
    m_panels->addWidget(m_startupBox);

    m_lookBox = new QGroupBox(m_startPage);
    m_lookBox->setObjectName(QStringLiteral("lookPanel"));
    auto* lookLayout = new QVBoxLayout(m_lookBox);
    m_lookFacts = new QLabel(m_lookBox);
    m_lookFacts->setObjectName(QStringLiteral("lookFacts"));
    lookLayout->addWidget(m_lookFacts);
    m_panels->addWidget(m_lookBox);

    m_settingsBox = new QGroupBox(m_startPage);
    auto* settingsLayout = new QHBoxLayout(m_settingsBox);
    m_counter = new QLabel(m_settingsBox);
    m_counter->setObjectName(QStringLiteral("clickCount"));
    m_countButton = new QPushButton(m_settingsBox);
    m_countButton->setObjectName(QStringLiteral("countButton"));
    settingsLayout->addWidget(m_counter, 1);
    settingsLayout->addWidget(m_countButton);
    m_panels->addWidget(m_settingsBox);
    AddLaunchPanel(m_startPage);
    connect(m_countButton, &QPushButton::clicked, this, [this] {
        m_productStore->SetInt(CLICK_COUNT_KEY, m_productStore->GetInt(CLICK_COUNT_KEY, 0) + 1);
    });

    m_events = new QListWidget(m_startPage);
    m_events->setObjectName(QStringLiteral("events"));
    m_panels->addWidget(m_events, 1);

    AddPage(m_startPage);
    setCentralWidget(m_pages);
    AddHelpMenu(this);
    AddPage(new DialogsPage(m_productStore, menuBar()));
    AddPage(new TouchPage(m_pages));
    auto* helperPage = new HelperPage(m_lookAndFeel, m_pages);
    AddPage(helperPage);
    m_fileMenu->insertAction(m_restartAction, helperPage->OpenAction());
    resize(640, 600);

    Retranslate();
    m_productStore->RegisterObserver(this);
    m_lookAndFeel->RegisterObserver(this);
}

MainWindow::~MainWindow()
{
    m_lookAndFeel->UnregisterObserver(this);
    m_productStore->UnregisterObserver(this);
}

void MainWindow::AddLookAndFeelMenus()
{
    m_localeMenu = menuBar()->addMenu(QString());
    m_localeMenu->setObjectName(QStringLiteral("localeMenu"));
    m_themeMenu = menuBar()->addMenu(QString());
    m_themeMenu->setObjectName(QStringLiteral("themeMenu"));
    auto* handler
        = new Tavrix::App::LookAndFeelHandler(m_lookAndFeel, m_localeMenu, m_themeMenu, this);
    handler->SetLocaleList(m_lookAndFeel->GetLocales());
    handler->SetThemeList(m_lookAndFeel->GetThemes());
    handler->SelectLocale(m_lookAndFeel->GetCurrentLocale());
    handler->SelectTheme(m_lookAndFeel->GetCurrentTheme());

    // A pick is kept for the next start. The theme is applied again after a language pick, since
    // its fonts may differ by language.
    connect(handler, &Tavrix::App::LookAndFeelHandler::LocaleChanged, this,
            [this](const std::string& locale) {
                m_productStore->SetString(Tavrix::App::LookAndFeelNames::LOCALE, locale);
                m_lookAndFeel->SetTheme(m_lookAndFeel->GetCurrentTheme());
            });
    connect(handler, &Tavrix::App::LookAndFeelHandler::ThemeChanged, this,
            [this](const std::string& theme) {
                m_productStore->SetString(Tavrix::App::LookAndFeelNames::THEME, theme);
            });
}

void MainWindow::AddPage(QWidget* page)
{
    m_pages->addTab(page, page->windowTitle());
    page->installEventFilter(this);
}

bool MainWindow::ShowPage(const QString& objectName)
{
    for (int i = 0; i < m_pages->count(); ++i) {
        if (m_pages->widget(i)->objectName() == objectName) {
            m_pages->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

// A page keeps its title in its window title, in the current language.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange) {
        auto* page = qobject_cast<QWidget*>(watched);
        const int index = page ? m_pages->indexOf(page) : -1;
        if (index >= 0)
            m_pages->setTabText(index, page->windowTitle());
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QMainWindow::changeEvent(event);
}

// Sets every text the window shows in the current language.
void MainWindow::Retranslate()
{
    setWindowTitle(tr("Tavrix Demo"));
    m_fileMenu->setTitle(tr("&File"));
    m_restartAction->setText(tr("&Restart"));
    m_quitAction->setText(tr("&Quit"));
    m_localeMenu->setTitle(tr("&Language"));
    m_themeMenu->setTitle(tr("&Theme"));
    m_startPage->setWindowTitle(tr("Start-up"));
    m_startupBox->setTitle(tr("Start-up"));
    m_lookBox->setTitle(tr("Look and feel"));
    m_settingsBox->setTitle(tr("Observed setting"));
    m_launchBox->setTitle(tr("Launch"));
    m_countButton->setText(tr("Count a click"));
    m_clearButton->setText(tr("Clear crashes"));
    ShowCounter();
    ShowLookAndFeel();
    if (m_started) {
        ShowStartupFacts();
        ShowLaunchFacts();
    }
}

void MainWindow::ShowCounter()
{
    m_counter->setText(tr("Clicks counted: %1").arg(m_productStore->GetInt(CLICK_COUNT_KEY, 0)));
}

void MainWindow::ShowLookAndFeel()
{
    m_lookFacts->setText(tr("Theme: %1")
                             .arg(QString::fromStdString(m_lookAndFeel->GetLocalizedThemeName(
                                 m_lookAndFeel->GetCurrentTheme())))
                         + QStringLiteral("<br>")
                         + tr("Language: %1")
                               .arg(QString::fromStdString(Tavrix::App::GetLanguageDisplayName(
                                   m_lookAndFeel->GetCurrentLocale()))));
}

void MainWindow::OnLocaleChanged(const std::string& locale)
{
    Log(tr("Language switched to %1").arg(QString::fromStdString(locale)));
}

// The product, not the core, decides where the theme's stylesheet applies: here, everywhere.
void MainWindow::OnThemeChanged(const std::string& theme)
{
    qApp->setStyleSheet(QString::fromStdString(m_lookAndFeel->GetUnitedStylesheet()));
    ShowLookAndFeel();
    Log(tr("Theme switched to %1").arg(QString::fromStdString(theme)));
}

void MainWindow::ShowStartupFacts()
{
    const auto text = [this](const char* key) {
        return QString::fromStdString(m_productStore->GetString(key, "")).toHtmlEscaped();
    };
    m_startupFacts->setText(
        tr("<b>%1</b> version %2<br>Preferred browser: %3<br>Architecture: %4<br>"
           "Installed in: %5")
            .arg(QApplication::applicationName().toHtmlEscaped(),
                 QApplication::applicationVersion(), text("PreferredBrowser"),
                 text("ArchitectBits"), text("Path")));
    if (!m_started)
        Log(tr("Application started"));
    m_started = true;
}

void MainWindow::Log(const QString& line)
{
    m_events->addItem(line);
    m_events->scrollToBottom();
}

void MainWindow::OnIntChanged(const std::string& key, int newValue,
                              const boost::optional<int>& oldValue)
{
    if (key == CLICK_COUNT_KEY)
        ShowCounter();
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

void MainWindow::OnInt64Changed(const std::string& key, long long newValue,
                                const boost::optional<long long>&)
{
    Log(tr("%1 set to %2").arg(QString::fromStdString(key)).arg(newValue));
}

void MainWindow::OnDoubleChanged(const std::string& key, double newValue,
                                 const boost::optional<double>&)
{
    Log(tr("%1 set to %2").arg(QString::fromStdString(key)).arg(newValue));
}

void MainWindow::OnByteArrayChanged(const std::string& key,
                                    const std::vector<unsigned char>& newValue,
                                    const boost::optional<std::vector<unsigned char>>&)
{
    Log(tr("%1 set to %2 bytes").arg(QString::fromStdString(key)).arg(newValue.size()));
}

void MainWindow::AddLaunchPanel(QWidget* parent)
{
    auto* launch = new QGroupBox(parent);
    m_launchBox = launch;
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
    auto* clear = new QPushButton(launch);
    m_clearButton = clear;
    clear->setObjectName(QStringLiteral("clearCrashesButton"));
    crashes->addWidget(m_crashedSessions, 1);
    crashes->addWidget(clear, 0, Qt::AlignTop);
    layout->addLayout(crashes);
    layout->addWidget(new CrashReportView(m_crashedSessions, launch));
    m_panels->addWidget(launch);
    connect(clear, &QPushButton::clicked, this, [this] {
        if (auto* app = CoreApplication()) {
            app->ClearCrashes();
            Log(tr("Crash history cleared"));
        }
        ShowCrashedSessions();
    });
}

void MainWindow::ShowLaunchFacts()
{
    auto* app = CoreApplication();
    if (!app)
        return;
    m_launchTypes->setText(
        tr("Launch type (product store): %1<br>Launch type (common store): %2<br>"
           "Days since the first start: %3<br>Session: %4")
            .arg(LaunchTypeText(app->GetProductLaunchType()), LaunchTypeText(app->GetLaunchType()))
            .arg(app->GetDaysPassed())
            .arg(QString::fromStdString(app->SessionId())));
    ShowCrashedSessions();
}

void MainWindow::ShowCrashedSessions()
{
    auto* app = CoreApplication();
    m_crashedSessions->clear();
    if (!app)
        return;
    for (const std::string& session : app->GetCrashedSessions()) {
        const QString id = QString::fromStdString(session);
        (new QListWidgetItem(tr("Crashed session %1").arg(id), m_crashedSessions))
            ->setData(Qt::UserRole, id);
    }
    if (m_crashedSessions->count() == 0)
        m_crashedSessions->addItem(tr("No crashed sessions"));
    else
        m_crashedSessions->setCurrentRow(0);
}
