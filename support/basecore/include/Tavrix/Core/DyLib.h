#pragma once

#include <Tavrix/ioPath.h>
#include <Tavrix/basecore_export.h>

#include <string>

namespace Tavrix::Core {

/// A dynamically loaded system library, unloaded when the object goes.
class BASECORE_EXPORT DyLib
{
public:
    DyLib() = default;
    ~DyLib();
    DyLib(const DyLib&) = delete;
    DyLib& operator=(const DyLib&) = delete;

    /// Loads `file` (a bare name is looked up the system's way); false when it cannot be loaded.
    bool Open(const ioPath& file);
    /// The address of the exported symbol `name`, or null (also when nothing is open).
    void* GetProc(const std::string& name) const;

private:
    void* m_handle = nullptr;
};

} // namespace Tavrix::Core
