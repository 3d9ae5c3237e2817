#pragma once

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Acts on the next modal dialog as a user would: a timer looks for
// QApplication::activeModalWidget() and, once one is shown, hands it to the action (which ticks,
// clicks or closes) and stops. Nothing happens to dialogs shown after that or after the driver
// goes, so a dialog that never opens leaves the driver unused: check Acted().
class ModalDialogDriver : public QObject
{
public:
    explicit ModalDialogDriver(std::function<void(QWidget*)> action) : m_action(std::move(action))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* const dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible())
                return;
            m_timer.stop();
            m_dialog = dialog;
            m_action(dialog);
        });
        m_timer.start(5);
    }

    bool Acted() const { return !m_timer.isActive(); }
    // The dialog acted on; null when none was shown or it has gone since.
    QWidget* Dialog() const { return m_dialog; }

private:
    std::function<void(QWidget*)> m_action;
    QTimer m_timer;
    QPointer<QWidget> m_dialog;
};
