#pragma once

#include <Tavrix/App/ApplicationCore.h>

#include <QWidget>

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

/// Opens the product's helper program (tavrix-demo-helper) as a slave; when the helper closes,
/// the keyboard focus comes back to the main window. The page lists what happened.
class HelperPage : public QWidget
{
    Q_OBJECT

public:
    HelperPage(std::shared_ptr<Tavrix::App::ILookAndFeelManager> lookAndFeel, QWidget* parent);
    ~HelperPage() override;

    /// The "Open helper window" entry, for a menu.
    QAction* OpenAction() const { return m_openAction; }
    /// Starts a helper in the current language and theme, with `extraArguments` appended.
    void OpenHelper(const QStringList& extraArguments = {});

protected:
    void changeEvent(QEvent* event) override;

private:
    void Log(const QString& line);
    void Retranslate();

    std::shared_ptr<Tavrix::App::ILookAndFeelManager> m_lookAndFeel;
    QAction* m_openAction = nullptr;
    QGroupBox* m_box = nullptr;
    QLabel* m_explanation = nullptr;
    QPushButton* m_openButton = nullptr;
    QListWidget* m_events = nullptr;
};
