#pragma once

#include <QMainWindow>

class QLabel;
class QPushButton;

/// The helper program's window: a note on where it came from and a Close button.
class HelperWindow : public QMainWindow
{
    Q_OBJECT

public:
    HelperWindow();
    ~HelperWindow() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();

    QLabel* m_note = nullptr;
    QPushButton* m_closeButton = nullptr;
};
