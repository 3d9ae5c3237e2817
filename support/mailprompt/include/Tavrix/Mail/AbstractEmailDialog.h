#pragma once

#include <Tavrix/mailprompt_export.h>

namespace Tavrix::Mail {

/// The dialog that asks the user for an e-mail address.
class MAILPROMPT_EXPORT AbstractEmailDialog
{
public:
    virtual ~AbstractEmailDialog();
    /// Shows the dialog modally until the user gives a well-formed address, which is then stored,
    /// or declines. True when an address was stored.
    virtual bool Exec() = 0;
};

} // namespace Tavrix::Mail
