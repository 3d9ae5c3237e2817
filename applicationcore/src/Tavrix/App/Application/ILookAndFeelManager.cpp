#include <Tavrix/App/Application/ILookAndFeelManager.h>

namespace Tavrix::App {

ILookAndFeelManager::~ILookAndFeelManager() = default;

} // namespace Tavrix::App
