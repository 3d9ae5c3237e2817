#include <Tavrix/App/Application/ICustomizationManager.h>

namespace Tavrix::App {

ICustomizationManager::~ICustomizationManager() = default;

} // namespace Tavrix::App
