#pragma once

#include <Tavrix/mailprompt_export.h>

#include <string>

namespace Tavrix::Mail {

/// Where the product keeps the user's e-mail address (UTF-8).
class MAILPROMPT_EXPORT IEmailStore
{
public:
    virtual ~IEmailStore();
    /// Empty when none was stored.
    virtual std::string GetEmail() const = 0;
    virtual void SetEmail(const std::string& address) = 0;
};

} // namespace Tavrix::Mail
