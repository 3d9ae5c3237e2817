#pragma once

namespace Tavrix::App {

/// The product's splash screen.
class ISplash
{
public:
    virtual ~ISplash() = default;
    virtual void Activate() = 0;
};

} // namespace Tavrix::App
