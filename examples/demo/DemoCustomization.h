#pragma once

#include <Tavrix/App/ApplicationCore.h>

/// The sample product's identity.
class DemoCustomization : public Tavrix::App::ICustomizationManager
{
public:
    static const char* const PRODUCT_ID;

    void ApplyLocale(const std::string& locale) override;
    std::string GetOrganizationName() const override;
    Tavrix::Core::Version GetVersion() const override;
    std::string GetProductFolderName() const override;
    std::string GetApplicationName() const override;
    std::string GetProductNameAbout() const override;
    std::string GetApplicationIconPath() const override;
    std::string GetModuleName() const override;
    std::string GetProductId() const override;
    bool IsPromptSuppressed() const override;
    int GetDistributionKind() const override;
    std::string GetAfterInstallPage() const override;
    bool IsEmailDialogEnabled() const override;

    /// Skips the start-up prompts (the e-mail dialog and the thank-you page).
    void SetPromptSuppressed(bool suppressed);

private:
    bool m_promptSuppressed = false;
};
