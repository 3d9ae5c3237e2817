#include <Tavrix/Mail/IEmailStore.h>

namespace Tavrix::Mail {

IEmailStore::~IEmailStore() = default;

} // namespace Tavrix::Mail
