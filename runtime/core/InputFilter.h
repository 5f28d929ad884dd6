#pragma once
// The playback window's decision on each message taken from the queue: keys
// and buttons end the screensaver, the mouse only when it has moved away from
// where it was when the screensaver started.

#include <cstdint>

// Message numbers the filter looks at (the system's own values).
constexpr std::uint32_t msgKeyDown = 0x0100;
constexpr std::uint32_t msgKeyUp = 0x0101;
constexpr std::uint32_t msgSysKeyDown = 0x0104;
constexpr std::uint32_t msgSysKeyUp = 0x0105;
constexpr std::uint32_t msgMouseMove = 0x0200;
constexpr std::uint32_t msgLButtonDown = 0x0201;
constexpr std::uint32_t msgRButtonDown = 0x0204;
constexpr std::uint32_t msgMButtonDown = 0x0207;

// Movement up to this many pixels on each axis is taken for a shaky desk.
constexpr int kMouseThreshold = 10;

struct TScreenPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const TScreenPoint&) const = default;
};

// A mouse message's position relative to its window: the two signed 16-bit
// halves of its lParam, so positions left of or above the primary monitor
// stay negative.
TScreenPoint PointFromLParam(std::intptr_t LParam);

enum class TInputVerdict {
    Pass,            // the message goes on as usual
    Close,           // close the window, the message goes on
    SwallowAndClose  // close the window; the message must not reach its window
};

struct TInputFilter {
    TScreenPoint StartPoint;       // the reference position, in screen coordinates
    bool IgnoreMouse = false;      // the user's "ignore mouse movement" setting
    bool InPasswordCheck = false;  // the password dialog owns the input

    // Cursor is the message's position in screen coordinates (only looked at
    // for mouse moves).
    TInputVerdict Judge(std::uint32_t Message, TScreenPoint Cursor) const;
};
