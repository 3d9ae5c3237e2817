#include <Tavrix/App/Application/ISettingsManager.h>

namespace Tavrix::App {

ISettingsManager::~ISettingsManager() = default;

} // namespace Tavrix::App
