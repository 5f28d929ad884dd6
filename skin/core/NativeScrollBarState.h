#pragma once
// Whether a native scroll bar can be used, from the first state word that
// GetScrollBarInfo reports for it. A bar is unusable when the word has the
// invisible or the unavailable bit, whatever else it carries (an absent bar
// may also report itself off-screen).

#include <cstdint>

inline constexpr std::uint32_t kScrollStateUnavailable = 0x0001;  // STATE_SYSTEM_UNAVAILABLE
inline constexpr std::uint32_t kScrollStateOffscreen = 0x10000;   // STATE_SYSTEM_OFFSCREEN
inline constexpr std::uint32_t kScrollStateInvisible = 0x8000;    // STATE_SYSTEM_INVISIBLE

constexpr bool NativeScrollBarUsable(std::uint32_t State) {
    return (State & (kScrollStateInvisible | kScrollStateUnavailable)) == 0;
}
