#include <Tavrix/Platform/Win32Gesture.h>

namespace Tavrix::Platform {
namespace {

Win32::BOOL KeepPoint(Win32::HWND, Win32::POINT*)
{
    return 1;
}

Win32::HWND NoParent(Win32::HWND)
{
    return nullptr;
}

Win32::LRESULT NoDefault(Win32::HWND, Win32::UINT, Win32::WPARAM, Win32::LPARAM)
{
    return 0;
}

GestureApi MakeDefaultApi()
{
    GestureApi api;
    api.ScreenToClient = &KeepPoint;
    api.GetParent = &NoParent;
    api.DefWindowProcW = &NoDefault;
    return api;
}

} // namespace

GestureApi& GestureFunctions()
{
    static GestureApi api = MakeDefaultApi();
    return api;
}

} // namespace Tavrix::Platform
