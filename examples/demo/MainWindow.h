#pragma once

#include <Tavrix/App/ApplicationCore.h>

#include <QMainWindow>

#include <memory>

class QLabel;
class QListWidget;
class QVBoxLayout;

/// The sample product's window: what the application core did at start-up, and a setting that
/// the window observes.
class MainWindow : public QMainWindow, private Tavrix::App::ISettingsManagerObserver
{
    Q_OBJECT

public:
    explicit MainWindow(std::shared_ptr<Tavrix::App::ISettingsManager> productStore);
    ~MainWindow() override;

    /// Fills the start-up facts; called once the application has started.
    void ShowStartupFacts();
    /// Fills the launch panel: the launch types, the days since the first start, the crashed runs.
    void ShowLaunchFacts();

private:
    void OnBoolChanged(const std::string& key, bool newValue, const boost::optional<bool>& oldValue) override;
    void OnIntChanged(const std::string& key, int newValue, const boost::optional<int>& oldValue) override;
    void OnStringChanged(const std::string& key, const std::string& newValue,
                         const boost::optional<std::string>& oldValue) override;
    void OnInt64Changed(const std::string& key, long long newValue,
                        const boost::optional<long long>& oldValue) override;
    void OnDoubleChanged(const std::string& key, double newValue,
                         const boost::optional<double>& oldValue) override;
    void OnByteArrayChanged(const std::string& key, const std::vector<unsigned char>& newValue,
                            const boost::optional<std::vector<unsigned char>>& oldValue) override;

    void Log(const QString& line);
    void AddLaunchPanel(QWidget* parent);
    void ShowCrashedSessions();

    std::shared_ptr<Tavrix::App::ISettingsManager> m_productStore;
    QVBoxLayout* m_panels = nullptr;
    QLabel* m_startupFacts = nullptr;
    QLabel* m_counter = nullptr;
    QListWidget* m_events = nullptr;
    QLabel* m_launchTypes = nullptr;
    QListWidget* m_crashedSessions = nullptr;
};
