#include <Tavrix/App/Application/Gesture.h>

namespace Tavrix::App {

const int Gesture::All = 1;
const int Gesture::None = 0;

} // namespace Tavrix::App
