#pragma once

#include <QWidget>

class QLabel;
class QListWidget;

/// A long list that scrolls under one finger. The page has no touch code of its own: the
/// application core gives every scroll area its touch scroller when it is first shown.
class TouchPage : public QWidget
{
    Q_OBJECT

public:
    explicit TouchPage(QWidget* parent = nullptr);
    ~TouchPage() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();

    QLabel* m_hint = nullptr;
    QListWidget* m_list = nullptr;
};
