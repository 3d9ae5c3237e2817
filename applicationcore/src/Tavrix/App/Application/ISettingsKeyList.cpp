#include <Tavrix/App/Application/ISettingsKeyList.h>

namespace Tavrix::App {

ISettingsKeyList::~ISettingsKeyList() = default;

} // namespace Tavrix::App
