#pragma once

namespace Tavrix::Enums {

enum WorkingMode { Interactive = 0, Unattended = 1 };

} // namespace Tavrix::Enums
