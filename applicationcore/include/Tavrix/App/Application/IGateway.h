#pragma once

#include <functional>
#include <string>

namespace Tavrix::ExternalStimulus {

/// An action that the product's gateway may run when it sees fit.
struct Stimulus
{
    std::string name;
    std::function<void()> action;
};

class IGateway
{
public:
    virtual ~IGateway() = default;
    virtual void Post(const Stimulus& stimulus) = 0;
};

} // namespace Tavrix::ExternalStimulus
