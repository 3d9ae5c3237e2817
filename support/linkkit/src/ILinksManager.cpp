#include <Tavrix/Links/ILinksManager.h>

namespace Tavrix {

ILinksGenerator::~ILinksGenerator() = default;
ILinksOpener::~ILinksOpener() = default;
ILinksManager::~ILinksManager() = default;

} // namespace Tavrix
