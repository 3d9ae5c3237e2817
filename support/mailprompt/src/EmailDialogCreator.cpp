#include <Tavrix/Mail/EmailDialogCreator.h>

#include "EmailDialog.h"

namespace Tavrix::Mail {

EmailDialogCreator::EmailDialogCreator() = default;
EmailDialogCreator::~EmailDialogCreator() = default;

std::unique_ptr<AbstractEmailDialog>
EmailDialogCreator::Create(std::shared_ptr<IEmailStore> store, std::shared_ptr<ILinksManager> links,
                           QWidget* parent) const
{
    if (!store)
        return nullptr;
    return std::make_unique<EmailDialog>(std::move(store), std::move(links), parent);
}

} // namespace Tavrix::Mail
