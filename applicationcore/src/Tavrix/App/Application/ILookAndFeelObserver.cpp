#include <Tavrix/App/Application/ILookAndFeelObserver.h>

namespace Tavrix::App {

ILookAndFeelObserver::~ILookAndFeelObserver() = default;

} // namespace Tavrix::App
