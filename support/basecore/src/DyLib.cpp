#include <Tavrix/Core/DyLib.h>

#include <dlfcn.h>

namespace Tavrix::Core {

DyLib::~DyLib()
{
    if (m_handle)
        dlclose(m_handle);
}

bool DyLib::Open(const ioPath& file)
{
    if (m_handle) {
        dlclose(m_handle);
        m_handle = nullptr;
    }
    m_handle = dlopen(file.utf8string().c_str(), RTLD_NOW | RTLD_LOCAL);
    return m_handle != nullptr;
}

void* DyLib::GetProc(const std::string& name) const
{
    return m_handle ? dlsym(m_handle, name.c_str()) : nullptr;
}

} // namespace Tavrix::Core
