#pragma once

#include <Tavrix/App/applicationcore_export.h>

#include <cstdint>

namespace Tavrix::App {

/// A touch gesture record: the common part of every kind and the scope of the gesture types.
struct APPLICATIONCORE_EXPORT Gesture
{
    /// Consumer answers for zoom, rotate, tap and press-and-tap.
    static const int All;
    static const int None;

    std::int32_t clientX = 0;
    std::int32_t clientY = 0;
    std::int32_t screenX = 0;
    std::int32_t screenY = 0;
    bool begin = false;
    bool end = false;

    struct Zoom;
    struct Pan;
    struct Rotate;
    struct Tap;
    struct PressAndTap;

    class Consumer;
    class Producer;
    class Router;
    class Emitter;
    class Scroller;
};

struct Gesture::Zoom : Gesture
{
    double startDistance = 0.0;
    double distance = 0.0;
};

struct Gesture::Pan : Gesture
{
    /// The bits of a consumer's answer for a pan; 0 refuses it.
    enum Options : int {
        Everything = 1,
        SingleFingerVertical = 2,
        SingleFingerHorizontal = 4,
        Inertia = 8,
        Gutter = 16
    };

    std::int32_t startX = 0;
    std::int32_t startY = 0;
    std::int32_t inertiaX = 0;
    std::int32_t inertiaY = 0;
    bool inertia = false;
    std::uint32_t distance = 0;
};

struct Gesture::Rotate : Gesture
{
    double startAngle = 0.0;
    double angle = 0.0;
};

struct Gesture::Tap : Gesture
{
    std::uint32_t distance = 0;
};

struct Gesture::PressAndTap : Gesture
{
    std::int32_t tapX = 0;
    std::int32_t tapY = 0;
};

} // namespace Tavrix::App
