#pragma once

#include <Tavrix/App/applicationcore_export.h>
#include <Tavrix/Core/Version.h>

#include <string>

namespace Tavrix::App {

/// The product's identity and options, implemented by each product.
class APPLICATIONCORE_EXPORT ICustomizationManager
{
public:
    virtual ~ICustomizationManager();
    virtual void ApplyLocale(const std::string& locale) = 0;
    virtual std::string GetOrganizationName() const = 0;
    virtual Tavrix::Core::Version GetVersion() const = 0;
    virtual std::string GetProductFolderName() const = 0;
    virtual std::string GetApplicationName() const = 0;
    virtual std::string GetProductNameAbout() const = 0;
    virtual std::string GetApplicationIconPath() const = 0;
    virtual std::string GetModuleName() const = 0;
    virtual std::string GetProductId() const = 0;
    virtual bool IsPromptSuppressed() const = 0;
    virtual int GetDistributionKind() const = 0;
    virtual std::string GetAfterInstallPage() const = 0;
    virtual bool IsEmailDialogEnabled() const = 0;
};

} // namespace Tavrix::App
