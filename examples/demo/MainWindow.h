#pragma once

#include <Tavrix/App/ApplicationCore.h>

#include <QMainWindow>

#include <memory>

class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

/// The sample product's window: what the application core did at start-up, a setting that the
/// window observes, and the language and theme menus. Every text follows the current language.
class MainWindow : public QMainWindow,
                   private Tavrix::App::ISettingsManagerObserver,
                   private Tavrix::App::ILookAndFeelObserver
{
    Q_OBJECT

public:
    MainWindow(std::shared_ptr<Tavrix::App::ISettingsManager> productStore,
               std::shared_ptr<Tavrix::App::ILookAndFeelManager> lookAndFeel);
    ~MainWindow() override;

    /// Fills the start-up facts; called once the application has started. The picks of the
    /// language and theme menus are kept in the product store under "locale" and "theme".
    void ShowStartupFacts();
    /// Fills the launch panel: the launch types, the days since the first start, the crashed runs.
    void ShowLaunchFacts();
    /// Adds a page of the window, titled by its window title (kept in step when it changes).
    void AddPage(QWidget* page);
    /// Brings the page with this object name to the front; false when there is none.
    bool ShowPage(const QString& objectName);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnLocaleChanged(const std::string& locale) override;
    void OnThemeChanged(const std::string& theme) override;
    void OnBoolChanged(const std::string& key, bool newValue,
                       const boost::optional<bool>& oldValue) override;
    void OnIntChanged(const std::string& key, int newValue,
                      const boost::optional<int>& oldValue) override;
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
    void AddLookAndFeelMenus();
    void ShowCrashedSessions();
    void ShowCounter();
    void ShowLookAndFeel();
    void Retranslate();

    std::shared_ptr<Tavrix::App::ISettingsManager> m_productStore;
    std::shared_ptr<Tavrix::App::ILookAndFeelManager> m_lookAndFeel;
    bool m_started = false;
    QMenu* m_fileMenu = nullptr;
    QAction* m_restartAction = nullptr;
    QAction* m_quitAction = nullptr;
    QMenu* m_localeMenu = nullptr;
    QMenu* m_themeMenu = nullptr;
    QGroupBox* m_startupBox = nullptr;
    QGroupBox* m_settingsBox = nullptr;
    QGroupBox* m_launchBox = nullptr;
    QGroupBox* m_lookBox = nullptr;
    QPushButton* m_countButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QLabel* m_lookFacts = nullptr;
    QTabWidget* m_pages = nullptr;
    QWidget* m_startPage = nullptr;
    QVBoxLayout* m_panels = nullptr;
    QLabel* m_startupFacts = nullptr;
    QLabel* m_counter = nullptr;
    QListWidget* m_events = nullptr;
    QLabel* m_launchTypes = nullptr;
    QListWidget* m_crashedSessions = nullptr;
};
