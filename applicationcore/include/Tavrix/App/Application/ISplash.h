#pragma once

#include <Tavrix/App/applicationcore_export.h>

namespace Tavrix::App {

/// The product's splash screen.
class APPLICATIONCORE_EXPORT ISplash
{
public:
    virtual ~ISplash();
    virtual void Activate() = 0;
};

} // namespace Tavrix::App
