#include <Tavrix/App/Application/ISettingsManagerObserver.h>

namespace Tavrix::App {

ISettingsManagerObserver::~ISettingsManagerObserver() = default;

} // namespace Tavrix::App
