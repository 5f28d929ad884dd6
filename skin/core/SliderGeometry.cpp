#include "SliderGeometry.h"

#include <algorithm>
#include <limits>

namespace {

// Products of two 33-bit differences need 66 bits; both compilers the
// project builds with (GCC and Clang on x86-64) have a 128-bit integer.
using TWide = __int128;

int Saturate(TWide Value) {
    constexpr TWide low = std::numeric_limits<int>::min();
    constexpr TWide high = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(Value, low, high));
}

// A x B div C truncated toward zero (C != 0).
TWide MulDiv(TWide A, TWide B, TWide C) { return A * B / C; }

}  // namespace

int SliderOffset(int Position, int Min, int Max, int Length, int SliderLength) {
    if (Min == Max) return 0;
    return Saturate(MulDiv(TWide{Position} - Min, TWide{Length} - SliderLength, TWide{Max} - Min));
}

int SliderCrossOffset(int CrossLength, int SliderCrossLength) {
    return static_cast<int>(std::max<TWide>(0, TWide{CrossLength} - SliderCrossLength) / 2);
}

int PositionFromCoordinate(int Coordinate, int Min, int Max, int Length, int SliderLength) {
    const TWide span = TWide{Length} - SliderLength;
    if (span == 0) return 0;
    // Exact rational n / span, rounded half to even without floating point,
    // so wide ranges lose no precision.
    const TWide n = (TWide{Coordinate} - SliderLength / 2) * (TWide{Max} - Min);
    TWide q = n / span;
    const TWide r = n % span;
    const TWide twiceRest = (r < 0 ? -r : r) * 2;
    const TWide absSpan = span < 0 ? -span : span;
    if (twiceRest > absSpan || (twiceRest == absSpan && q % 2 != 0)) q += ((n < 0) != (span < 0)) ? -1 : 1;
    return Saturate(TWide{Min} + q);
}

std::vector<int> TickOffsets(int Min, int Max, int Frequency, int Length, int SliderLength) {
    std::vector<int> out;
    if (Min >= Max) return out;
    const TWide range = TWide{Max} - Min;
    const TWide span = TWide{Length} - SliderLength;
    const TWide absSpan = span < 0 ? -span : span;
    const int half = SliderLength / 2;
    auto pixelOf = [&](TWide delta) { return MulDiv(delta, span, range); };
    auto add = [&](TWide delta) {
        const int pixel = Saturate(pixelOf(delta) + half);
        if (out.empty() || out.back() != pixel) out.push_back(pixel);
    };
    if (Frequency > 0) {
        TWide delta = 0;
        while (delta < range) {
            add(delta);
            const TWide pixel = pixelOf(delta);
            // The first position past this pixel: |pixel| + 1 = delta' x |span| div range.
            if (absSpan == 0) break;
            const TWide absPixel = pixel < 0 ? -pixel : pixel;
            const TWide nextDelta = ((absPixel + 1) * range + absSpan - 1) / absSpan;
            // The first tick at or after it.
            const TWide nextTick = (std::max(nextDelta, delta + 1) + Frequency - 1) / Frequency * Frequency;
            delta = nextTick;
        }
    } else {
        add(0);
    }
    add(range);
    return out;
}

int ThumbLength(int TrackLength, int PageSize, int LineButton) {
    if (LineButton > 0) return std::max(LineButton, 18);
    const int percent = (PageSize < 10 || PageSize > 100) ? 10 : PageSize;
    return Saturate(std::max<TWide>(0, TWide{TrackLength} * percent / 100));
}
