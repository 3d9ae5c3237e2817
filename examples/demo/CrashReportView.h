#pragma once

#include <QPlainTextEdit>

class QListWidget;
class QListWidgetItem;

/// The crash report of the session picked in a list of crashed sessions, read-only, in a
/// fixed-width font. Each item of the list carries its session id as Qt::UserRole data; an item
/// without one clears the view.
class CrashReportView : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CrashReportView(QListWidget* sessions, QWidget* parent = nullptr);
    ~CrashReportView() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void ShowReport(const QListWidgetItem* item);
    void Retranslate();
};
