#include "HelperWindow.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

HelperWindow::HelperWindow()
{
    setObjectName(QStringLiteral("helperWindow"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    m_note = new QLabel(central);
    m_note->setWordWrap(true);
    layout->addWidget(m_note, 1);
    m_closeButton = new QPushButton(central);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    layout->addWidget(m_closeButton, 0, Qt::AlignRight);
    setCentralWidget(central);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);
    resize(360, 160);
    Retranslate();
}

HelperWindow::~HelperWindow() = default;

void HelperWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QMainWindow::changeEvent(event);
}

void HelperWindow::Retranslate()
{
    setWindowTitle(tr("Tavrix Demo Helper"));
    m_note->setText(tr("Started by Tavrix Demo. Close this window and the keyboard focus goes back "
                       "to the demo's window."));
    m_closeButton->setText(tr("Close"));
}
