#include <Tavrix/App/Application/GestureProducer.h>

#include "GestureConsumerGuard_p.h"
#include "GestureRecord_p.h"

#include <Tavrix/App/Application/GestureConsumer.h>
#include <Tavrix/Platform/Win32Gesture.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>

namespace Tavrix::App {

namespace Win32 = Platform::Win32;

namespace {

// Nothing is wanted and everything blocked until a consumer asks.
constexpr std::array<Win32::GESTURECONFIG, 5> INITIAL_CONFIGURATIONS{{
    {Win32::GID_ZOOM, 0, Win32::GC_ZOOM},
    {Win32::GID_PAN, 0,
     Win32::GC_PAN_WITH_SINGLE_FINGER_VERTICALLY | Win32::GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY
         | Win32::GC_PAN_WITH_GUTTER | Win32::GC_PAN_WITH_INERTIA},
    {Win32::GID_ROTATE, 0, Win32::GC_ROTATE},
    {Win32::GID_TWOFINGERTAP, 0, Win32::GC_TWOFINGERTAP},
    {Win32::GID_PRESSANDTAP, 0, Win32::GC_PRESSANDTAP},
}};

// A structure handed over by the system is trusted only as far as its size field says it
// reaches: the fields read here must lie inside it.
constexpr Win32::UINT NOTIFICATION_SIZE_NEEDED
    = offsetof(Win32::GESTURENOTIFYSTRUCT, ptsLocation) + sizeof(Win32::POINTS);
constexpr Win32::UINT INFO_SIZE_NEEDED
    = offsetof(Win32::GESTUREINFO, ullArguments) + sizeof(Win32::ULONGLONG);

std::int32_t Saturated(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t SignExtended16(std::uint32_t bits)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bits & 0xFFFFu));
}

// The common record of a point given in screen coordinates, with the client coordinates of
// `window` beside them.
Gesture Locate(const Platform::GestureApi& api, Win32::HWND window, Win32::POINTS location)
{
    Gesture gesture;
    gesture.screenX = location.x;
    gesture.screenY = location.y;
    Win32::POINT client{location.x, location.y};
    if (api.ScreenToClient)
        api.ScreenToClient(window, &client);
    gesture.clientX = client.x;
    gesture.clientY = client.y;
    return gesture;
}

void WantOrBlock(Win32::GESTURECONFIG& entry, bool wanted, Win32::DWORD flag)
{
    (wanted ? entry.dwWant : entry.dwBlock) |= flag;
}

void AllOrNothing(Win32::GESTURECONFIG& entry, int answer)
{
    entry.dwWant = 0;
    entry.dwBlock = 0;
    WantOrBlock(entry, answer == Gesture::All, 1);
}

} // namespace

class Gesture::Producer::Private
{
public:
    std::array<Win32::GESTURECONFIG, 5> configurations = INITIAL_CONFIGURATIONS;
    Win32::GESTURECONFIG& zoom = configurations[0];
    Win32::GESTURECONFIG& pan = configurations[1];
    Win32::GESTURECONFIG& rotate = configurations[2];
    Win32::GESTURECONFIG& tap = configurations[3];
    Win32::GESTURECONFIG& pressAndTap = configurations[4];
    // Written on begin messages only, so a sequence whose begin went elsewhere reports the start
    // of an earlier one.
    double zoomStartDistance = 0.0;
    double rotateStartAngle = 0.0;
    std::int32_t panStartX = 0;
    std::int32_t panStartY = 0;
    GestureConsumerGuard consumer;
};

Gesture::Producer::Producer() : d(std::make_unique<Private>()) {}

Gesture::Producer::~Producer() = default;

Gesture::Consumer* Gesture::Producer::Route(const Gesture&)
{
    return nullptr;
}

bool Gesture::Producer::OnGestureNotify(void* window, void*, void* lParam)
{
    const auto& api = Platform::GestureFunctions();
    const auto setGestureConfig = api.SetGestureConfig;
    const auto* notification = static_cast<const Win32::GESTURENOTIFYSTRUCT*>(lParam);
    if (!setGestureConfig || !notification)
        return false;
    if (notification->cbSize < NOTIFICATION_SIZE_NEEDED) {
        d->consumer.Set(nullptr);
        return false;
    }

    const Gesture common = Locate(api, window, notification->ptsLocation);
    d->consumer.Set(Route(common));
    // A consumer that goes away while it answers is asked nothing more.
    const auto ask = [this](const auto& record) {
        Consumer* const consumer = d->consumer.Get();
        return consumer ? consumer->WantGesture(record) : Gesture::None;
    };
    const int zoom = ask(Extended<Zoom>(common));
    const int pan = ask(Extended<Pan>(common));
    const int rotate = ask(Extended<Rotate>(common));
    const int tap = ask(Extended<Tap>(common));
    const int pressAndTap = ask(Extended<PressAndTap>(common));

    if (!d->consumer.Get()) {
        Win32::GESTURECONFIG blockEverything{0, 0, Win32::GC_ALLGESTURES};
        setGestureConfig(window, 0, 1, &blockEverything, sizeof(Win32::GESTURECONFIG));
        return false;
    }
    AllOrNothing(d->zoom, zoom);
    d->pan.dwWant = 0;
    d->pan.dwBlock = 0;
    WantOrBlock(d->pan, pan != 0, Win32::GC_PAN);
    WantOrBlock(d->pan, pan & (Pan::Everything | Pan::SingleFingerVertical),
                Win32::GC_PAN_WITH_SINGLE_FINGER_VERTICALLY);
    WantOrBlock(d->pan, pan & (Pan::Everything | Pan::SingleFingerHorizontal),
                Win32::GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY);
    WantOrBlock(d->pan, pan & (Pan::Everything | Pan::Inertia), Win32::GC_PAN_WITH_INERTIA);
    WantOrBlock(d->pan, pan & (Pan::Everything | Pan::Gutter), Win32::GC_PAN_WITH_GUTTER);
    AllOrNothing(d->rotate, rotate);
    AllOrNothing(d->tap, tap);
    AllOrNothing(d->pressAndTap, pressAndTap);
    setGestureConfig(window, 0, static_cast<Win32::UINT>(d->configurations.size()),
                     d->configurations.data(), sizeof(Win32::GESTURECONFIG));
    return false;
}

bool Gesture::Producer::OnGesture(void* window, void*, void* lParam)
{
    Consumer* const consumer = d->consumer.Get();
    const auto& api = Platform::GestureFunctions();
    if (!consumer || !api.GetGestureInfo || !api.CloseGestureInfoHandle)
        return false;
    // The size the system of this build expects; anything else it refuses.
    Win32::GESTUREINFO info{};
    info.cbSize = sizeof(info);
    if (!api.GetGestureInfo(lParam, &info) || info.cbSize < INFO_SIZE_NEEDED)
        return false;

    Gesture common = Locate(api, window, info.ptsLocation);
    common.begin = (info.dwFlags & Win32::GF_BEGIN) != 0;
    common.end = (info.dwFlags & Win32::GF_END) != 0;
    const auto low = static_cast<std::uint32_t>(info.ullArguments);
    const auto high = static_cast<std::uint32_t>(info.ullArguments >> 32);

    switch (info.dwID) {
    case Win32::GID_ZOOM: {
        if (common.begin)
            d->zoomStartDistance = low;
        auto zoom = Extended<Zoom>(common);
        zoom.startDistance = d->zoomStartDistance;
        zoom.distance = low;
        consumer->OnGesture(zoom);
        break;
    }
    case Win32::GID_PAN: {
        if (common.begin) {
            d->panStartX = common.clientX;
            d->panStartY = common.clientY;
        }
        auto pan = Extended<Pan>(common);
        pan.startX = d->panStartX;
        pan.startY = d->panStartY;
        pan.inertiaX = SignExtended16(high);
        pan.inertiaY = SignExtended16(high >> 16);
        pan.inertia = (info.dwFlags & Win32::GF_INERTIA) != 0;
        pan.distance = low;
        consumer->OnGesture(pan);
        break;
    }
    case Win32::GID_ROTATE: {
        // The platform's own formula for the angle argument, constants included.
        const double angle
            = static_cast<double>(info.ullArguments) / 65535.0 * 4.0 * 3.14159265 - 6.2831853;
        if (common.begin)
            d->rotateStartAngle = angle;
        auto rotate = Extended<Rotate>(common);
        rotate.startAngle = d->rotateStartAngle;
        rotate.angle = angle;
        consumer->OnGesture(rotate);
        break;
    }
    case Win32::GID_TWOFINGERTAP: {
        auto tap = Extended<Tap>(common);
        tap.distance = low;
        consumer->OnGesture(tap);
        break;
    }
    case Win32::GID_PRESSANDTAP: {
        auto pressAndTap = Extended<PressAndTap>(common);
        pressAndTap.tapX = Saturated(std::int64_t{common.clientX} + SignExtended16(low));
        pressAndTap.tapY = Saturated(std::int64_t{common.clientY} + SignExtended16(low >> 16));
        consumer->OnGesture(pressAndTap);
        break;
    }
    default:
        // Begin, end and unknown ids stay with the default processing, which closes the handle.
        return false;
    }
    api.CloseGestureInfoHandle(lParam);
    return true;
}

} // namespace Tavrix::App
