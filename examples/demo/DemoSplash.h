#pragma once

#include <Tavrix/App/ApplicationCore.h>

#include <QSplashScreen>

#include <memory>

/// A splash screen that shows while the product starts.
class DemoSplash : public Tavrix::App::ISplash
{
public:
    DemoSplash();
    ~DemoSplash() override;

    void Activate() override;
    /// Hides the splash once `window` is up.
    void FinishOn(QWidget* window);
    int ActivationCount() const { return m_activations; }

private:
    std::unique_ptr<QSplashScreen> m_screen;
    int m_activations = 0;
};
