#pragma once

#include <Tavrix/App/Application/ICustomizationManager.h>

#include <string>

// A product identity for tests: every name starts as the one given, each field can be changed.
class TestCustomization : public Tavrix::App::ICustomizationManager
{
public:
    explicit TestCustomization(const std::string& name)
        : productId(name), folder(name), application(name), module(name)
    {
    }

    void ApplyLocale(const std::string&) override {}
    std::string GetOrganizationName() const override { return organization; }
    Tavrix::Core::Version GetVersion() const override { return version; }
    std::string GetProductFolderName() const override { return folder; }
    std::string GetApplicationName() const override { return application; }
    std::string GetProductNameAbout() const override { return application; }
    std::string GetApplicationIconPath() const override { return iconPath; }
    std::string GetModuleName() const override { return module; }
    std::string GetProductId() const override { return productId; }
    bool IsPromptSuppressed() const override { return promptSuppressed; }
    int GetDistributionKind() const override { return distributionKind; }
    std::string GetAfterInstallPage() const override { return afterInstallPage; }
    bool IsEmailDialogEnabled() const override { return emailDialogEnabled; }

    std::string organization = "Tavrix";
    std::string productId;
    std::string folder;
    std::string application;
    std::string module;
    std::string iconPath;
    Tavrix::Core::Version version{4, 1, 0};
    bool promptSuppressed = true;
    // The start-up prompts run only for distribution kind 0 without prompt suppression.
    int distributionKind = 1;
    std::string afterInstallPage;
    bool emailDialogEnabled = false;
};
