#include "HelperPage.h"

#include "DemoApplication.h"
#include "HelperLink.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

HelperPage::HelperPage(std::shared_ptr<Tavrix::App::ILookAndFeelManager> lookAndFeel,
                       QWidget* parent)
    : QWidget(parent), m_lookAndFeel(std::move(lookAndFeel))
{
    setObjectName(QStringLiteral("helperPage"));
    auto* layout = new QVBoxLayout(this);
    m_box = new QGroupBox(this);
    auto* boxLayout = new QVBoxLayout(m_box);
    m_explanation = new QLabel(m_box);
    m_explanation->setWordWrap(true);
    boxLayout->addWidget(m_explanation);
    m_openButton = new QPushButton(m_box);
    m_openButton->setObjectName(QStringLiteral("openHelperButton"));
    boxLayout->addWidget(m_openButton, 0, Qt::AlignLeft);
    layout->addWidget(m_box);
    m_events = new QListWidget(this);
    m_events->setObjectName(QStringLiteral("helperEvents"));
    layout->addWidget(m_events, 1);
    m_openAction = new QAction(this);
    m_openAction->setObjectName(QStringLiteral("openHelperAction"));

    connect(m_openButton, &QPushButton::clicked, this, [this] { OpenHelper(); });
    connect(m_openAction, &QAction::triggered, this, [this] { OpenHelper(); });
    Retranslate();
}

HelperPage::~HelperPage() = default;

void HelperPage::OpenHelper(const QStringList& extraArguments)
{
    QStringList arguments{
        QStringLiteral("--locale"), QString::fromStdString(m_lookAndFeel->GetCurrentLocale()),
        QStringLiteral("--theme"), QString::fromStdString(m_lookAndFeel->GetCurrentTheme())};
    arguments += extraArguments;
    auto* link = new HelperLink(this, this);
    connect(link, &HelperLink::Answered, this, [this](qulonglong window) {
        Log(tr("The helper closed; the focus goes back to window %1").arg(window));
    });
    connect(link, &HelperLink::Finished, this, [this, link] {
        Log(tr("The helper has ended"));
        link->deleteLater();
    });
    if (!Tavrix::App::IPCManager::LaunchSlave(*link, QStringLiteral("tavrix-demo-helper"),
                                              CommandLineText(arguments), false)) {
        Log(tr("Could not start the helper"));
        link->deleteLater();
        return;
    }
    Log(tr("Helper started"));
}

void HelperPage::Log(const QString& line)
{
    m_events->addItem(line);
    m_events->scrollToBottom();
}

void HelperPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QWidget::changeEvent(event);
}

void HelperPage::Retranslate()
{
    setWindowTitle(tr("Helper window"));
    m_box->setTitle(tr("Helper program"));
    m_explanation->setText(
        tr("The helper is a second program of the product, started with its own window. When it "
           "closes, it asks this window for its id and hands the keyboard focus back to it."));
    m_openButton->setText(tr("Open helper window"));
    m_openAction->setText(tr("Open &helper window"));
}
