#include <Tavrix/App/Application/ISplash.h>

namespace Tavrix::App {

ISplash::~ISplash() = default;

} // namespace Tavrix::App
