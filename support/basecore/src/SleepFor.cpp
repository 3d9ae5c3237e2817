#include <Tavrix/Core/SleepFor.h>

#include <chrono>
#include <thread>

namespace Tavrix::Core {

void SleepFor(unsigned int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace Tavrix::Core
