#include <Tavrix/Mail/AbstractEmailDialog.h>

namespace Tavrix::Mail {

AbstractEmailDialog::~AbstractEmailDialog() = default;

} // namespace Tavrix::Mail
