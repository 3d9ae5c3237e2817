#include "TouchPage.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
constexpr int ROWS = 300;
}

TouchPage::TouchPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("touchPage"));
    auto* layout = new QVBoxLayout(this);
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("touchHint"));
    m_hint->setWordWrap(true);
    layout->addWidget(m_hint);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("touchList"));
    for (int row = 0; row < ROWS; ++row)
        m_list->addItem(QString());
    layout->addWidget(m_list, 1);
    Retranslate();
}

TouchPage::~TouchPage() = default;

void TouchPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QWidget::changeEvent(event);
}

void TouchPage::Retranslate()
{
    setWindowTitle(tr("Touch"));
    m_hint->setText(tr("Drag the list with one finger on a touch screen: it follows the finger. "
                       "Every list, tree, table and scroll view of the product scrolls this way, "
                       "without any code of the product's own."));
    for (int row = 0; row < m_list->count(); ++row)
        m_list->item(row)->setText(tr("Row %1 of %2").arg(row + 1).arg(ROWS));
}
