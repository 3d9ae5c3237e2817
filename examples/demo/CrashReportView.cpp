#include "CrashReportView.h"

#include "DemoApplication.h"

#include <Tavrix/Util/Conversions.h>

#include <QEvent>
#include <QFontDatabase>
#include <QListWidget>

CrashReportView::CrashReportView(QListWidget* sessions, QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("crashReport"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setMinimumHeight(150);
    connect(sessions, &QListWidget::currentItemChanged, this, &CrashReportView::ShowReport);
    Retranslate();
}

CrashReportView::~CrashReportView() = default;

void CrashReportView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QPlainTextEdit::changeEvent(event);
}

void CrashReportView::ShowReport(const QListWidgetItem* item)
{
    const auto* app = CoreApplication();
    const QString session = item ? item->data(Qt::UserRole).toString() : QString();
    if (!app || session.isEmpty()) {
        clear();
        return;
    }
    // The report is for the product's developers, so it stays in English.
    setPlainText(
        Tavrix::Util::Utf8ToQString(app->GetCrashReport(Tavrix::Util::QStringToUtf8(session))));
}

void CrashReportView::Retranslate()
{
    setPlaceholderText(tr("Pick a crashed session to see its report: the signal or the uncaught "
                          "exception, and the call stack."));
}
