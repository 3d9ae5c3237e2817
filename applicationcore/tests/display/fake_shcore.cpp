#include <cstdio>

extern "C" __attribute__((visibility("default"))) long SetProcessDpiAwareness(int awareness)
{
    std::printf("SetProcessDpiAwareness %d\n", awareness);
    std::fflush(stdout);
    return 0;
}
