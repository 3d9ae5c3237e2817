#pragma once

#include <Tavrix/platform_export.h>

#include <cstdint>

// The touch-gesture structures, constants and calls of the Windows API, with the platform's own
// names and values, so that native gesture messages can be decoded the same way everywhere.
namespace Tavrix::Platform::Win32 {

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONGLONG = std::uint64_t;
using HWND = void*;
using HGESTUREINFO = void*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct POINT
{
    LONG x;
    LONG y;
};

struct POINTS
{
    short x;
    short y;
};

struct MSG
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
    DWORD lPrivate;
};

struct GESTUREINFO
{
    UINT cbSize;
    DWORD dwFlags;
    DWORD dwID;
    HWND hwndTarget;
    POINTS ptsLocation;
    DWORD dwInstanceID;
    DWORD dwSequenceID;
    ULONGLONG ullArguments;
    UINT cbExtraArgs;
};

struct GESTURENOTIFYSTRUCT
{
    UINT cbSize;
    DWORD dwFlags;
    HWND hwndTarget;
    POINTS ptsLocation;
    DWORD dwInstanceID;
};

struct GESTURECONFIG
{
    DWORD dwID;
    DWORD dwWant;
    DWORD dwBlock;
};

constexpr UINT WM_GESTURE = 0x0119;
constexpr UINT WM_GESTURENOTIFY = 0x011A;

constexpr DWORD GID_BEGIN = 1;
constexpr DWORD GID_END = 2;
constexpr DWORD GID_ZOOM = 3;
constexpr DWORD GID_PAN = 4;
constexpr DWORD GID_ROTATE = 5;
constexpr DWORD GID_TWOFINGERTAP = 6;
constexpr DWORD GID_PRESSANDTAP = 7;

constexpr DWORD GF_BEGIN = 0x00000001;
constexpr DWORD GF_INERTIA = 0x00000002;
constexpr DWORD GF_END = 0x00000004;

constexpr DWORD GC_ALLGESTURES = 0x00000001;
constexpr DWORD GC_ZOOM = 0x00000001;
constexpr DWORD GC_PAN = 0x00000001;
constexpr DWORD GC_PAN_WITH_SINGLE_FINGER_VERTICALLY = 0x00000002;
constexpr DWORD GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY = 0x00000004;
constexpr DWORD GC_PAN_WITH_GUTTER = 0x00000008;
constexpr DWORD GC_PAN_WITH_INERTIA = 0x00000010;
constexpr DWORD GC_ROTATE = 0x00000001;
constexpr DWORD GC_TWOFINGERTAP = 0x00000001;
constexpr DWORD GC_PRESSANDTAP = 0x00000001;

} // namespace Tavrix::Platform::Win32

namespace Tavrix::Platform {

/// The gesture calls of the windowing system. The first three stay null on a system without
/// touch gesture support, until a touch back end (or a test) installs them.
struct GestureApi
{
    Win32::BOOL (*GetGestureInfo)(Win32::HGESTUREINFO, Win32::GESTUREINFO*) = nullptr;
    Win32::BOOL (*CloseGestureInfoHandle)(Win32::HGESTUREINFO) = nullptr;
    Win32::BOOL (*SetGestureConfig)(Win32::HWND, Win32::DWORD, Win32::UINT, Win32::GESTURECONFIG*,
                                    Win32::UINT)
        = nullptr;
    Win32::BOOL (*ScreenToClient)(Win32::HWND, Win32::POINT*) = nullptr;
    Win32::HWND (*GetParent)(Win32::HWND) = nullptr;
    Win32::LRESULT (*DefWindowProcW)(Win32::HWND, Win32::UINT, Win32::WPARAM, Win32::LPARAM)
        = nullptr;
};

/// The process-wide table. Without a touch back end, ScreenToClient leaves the point as it is,
/// GetParent answers null (every window is a top-level one) and DefWindowProcW answers 0.
PLATFORM_EXPORT GestureApi& GestureFunctions();

} // namespace Tavrix::Platform
