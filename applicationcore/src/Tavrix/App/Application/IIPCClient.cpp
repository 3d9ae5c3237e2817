#include <Tavrix/App/Application/IIPCClient.h>

namespace Tavrix::App {

IIPCClient::~IIPCClient() = default;

} // namespace Tavrix::App
