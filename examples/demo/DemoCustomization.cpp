#include "DemoCustomization.h"

#include <QByteArray>

const char* const DemoCustomization::PRODUCT_ID = "TavrixDemo";

void DemoCustomization::ApplyLocale(const std::string&) {}

std::string DemoCustomization::GetOrganizationName() const
{
    return "Tavrix";
}

Tavrix::Core::Version DemoCustomization::GetVersion() const
{
    // A tester can pretend to be another version to see an update.
    const QByteArray forced = qgetenv("TAVRIX_DEMO_VERSION");
    const QList<QByteArray> parts = forced.split('.');
    if (parts.size() == 3) {
        bool ok[3] = {};
        const unsigned int major = parts[0].toUInt(&ok[0]);
        const unsigned int minor = parts[1].toUInt(&ok[1]);
        const unsigned int patch = parts[2].toUInt(&ok[2]);
        if (ok[0] && ok[1] && ok[2])
            return Tavrix::Core::Version(major, minor, patch);
    }
    return Tavrix::Core::Version(4, 1, 0);
}

std::string DemoCustomization::GetProductFolderName() const
{
    return "TavrixDemo";
}

std::string DemoCustomization::GetApplicationName() const
{
    return "Tavrix Demo";
}

std::string DemoCustomization::GetProductNameAbout() const
{
    return "Tavrix Demo";
}

std::string DemoCustomization::GetApplicationIconPath() const
{
    return ":/demo/icon.png";
}

std::string DemoCustomization::GetModuleName() const
{
    return "demo";
}

std::string DemoCustomization::GetProductId() const
{
    return PRODUCT_ID;
}

bool DemoCustomization::IsPromptSuppressed() const
{
    return m_promptSuppressed;
}

void DemoCustomization::SetPromptSuppressed(bool suppressed)
{
    m_promptSuppressed = suppressed;
}

int DemoCustomization::GetDistributionKind() const
{
    return 0;
}

std::string DemoCustomization::GetAfterInstallPage() const
{
    return "thankyou";
}

bool DemoCustomization::IsEmailDialogEnabled() const
{
    return true;
}
