#pragma once

#include <Tavrix/Mail/AbstractEmailDialog.h>
#include <Tavrix/mailprompt_export.h>

#include <memory>

class QWidget;

namespace Tavrix {
class ILinksManager;
}

namespace Tavrix::Mail {

class IEmailStore;

/// Makes the e-mail dialog.
class MAILPROMPT_EXPORT EmailDialogCreator
{
public:
    EmailDialogCreator();
    ~EmailDialogCreator();
    EmailDialogCreator(const EmailDialogCreator&) = delete;
    EmailDialogCreator& operator=(const EmailDialogCreator&) = delete;

    /// A dialog that keeps the address in `store` and offers the privacy policy of `links` (no
    /// link without a links manager). Null without a store.
    std::unique_ptr<AbstractEmailDialog> Create(std::shared_ptr<IEmailStore> store,
                                                std::shared_ptr<ILinksManager> links,
                                                QWidget* parent) const;
};

} // namespace Tavrix::Mail
