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
}

MainWindow::MainWindow(std::shared_ptr<Tavrix::App::ISettingsManager> productStore)
    : m_productStore(std::move(productStore))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(tr("Tavrix Demo"));
    setWindowIcon(QIcon(QStringLiteral(":/demo/icon.png")));

    auto* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
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
