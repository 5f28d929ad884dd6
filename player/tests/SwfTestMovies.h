#pragma once
// Small movies the reader and scene tests share.

#include "SwfWriter.h"

#include <cstdint>
#include <vector>

inline constexpr TSwfRgba TestBackground{10, 20, 30, 255};
inline constexpr TSwfRgba TestRed{220, 30, 40, 255};

// A 100 x 80 pixel stage at 24 frames per second. Frame 0: a red 40 x 20 pixel
// rectangle at (10, 10); frame 1: moved to (50, 40); frame 2: removed.
inline std::vector<uint8_t> ThreeFrameMovie(bool Compressed = false) {
    TSwfWriter w(100, 80, 24, 9);
    w.SetBackground(TestBackground);
    TSwfShapeBuilder s;
    s.Rectangle(0, 0, 40 * TwipsPerPixel, 20 * TwipsPerPixel, s.SolidFill(TestRed), 0);
    uint16_t id = w.DefineShape(s);
    w.Main.Place(1, id, TSwfMatrix::Translate(10 * TwipsPerPixel, 10 * TwipsPerPixel));
    w.Main.ShowFrame();
    w.Main.Move(1, TSwfMatrix::Translate(50 * TwipsPerPixel, 40 * TwipsPerPixel));
    w.Main.ShowFrame();
    w.Main.Remove(1);
    w.Main.ShowFrame();
    return w.Finish(Compressed);
}
