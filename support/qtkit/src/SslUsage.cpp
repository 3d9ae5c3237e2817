#include <Tavrix/Util/SslUsage.h>

#include <atomic>

namespace Tavrix::Util {
namespace {
std::atomic<bool> useHttps{true};
}

void SetDefaultSslUsage(bool https)
{
    useHttps = https;
}

bool GetDefaultSslUsage()
{
    return useHttps;
}

} // namespace Tavrix::Util
