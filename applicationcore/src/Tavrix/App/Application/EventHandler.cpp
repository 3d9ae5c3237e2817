#include <Tavrix/App/Application/EventHandler.h>

namespace Tavrix::App {

EventHandler::~EventHandler() = default;

} // namespace Tavrix::App
