#include <Tavrix/App/Application/IFocusTransferer.h>

namespace Tavrix::App {

IFocusTransferer::~IFocusTransferer() = default;

} // namespace Tavrix::App
