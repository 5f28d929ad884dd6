#include "SwfButton.h"

#include "SwfBitReader.h"
#include "SwfMovie.h"

namespace {

// Skips a filter list; false when a filter of unknown kind leaves its size unknown.
bool SkipFilters(TSwfBitReader& r) {
    uint8_t count = r.U8();
    for (uint8_t i = 0; i < count && !r.Overrun(); ++i) {
        switch (r.U8()) {
        case 0: r.Take(23); break;  // drop shadow
        case 1: r.Take(9); break;   // blur
        case 2: r.Take(15); break;  // glow
        case 3: r.Take(27); break;  // bevel
        case 4:
        case 7: {                   // gradient glow and bevel
            uint8_t colors = r.U8();
            r.Take(colors * 5u + 19);
            break;
        }
        case 5: {                   // convolution
            uint8_t w = r.U8(), h = r.U8();
            r.Take(8 + 4u * w * h + 5);
            break;
        }
        case 6: r.Take(80); break;  // colour matrix
        default: return false;
        }
    }
    return !r.Overrun();
}

}  // namespace

bool ReadButton(std::span<const uint8_t> Body, int Version, TSwfButton& Button) {
    Button.UpState.assign(1, TSwfFrameDef{});
    TSwfFrameDef& up = Button.UpState[0];
    TSwfBitReader r(Body);
    if (Version == 2) {
        r.U8();   // menu tracking
        r.U16();  // where the condition actions start
    }
    while (!r.Overrun()) {
        uint8_t flags = r.U8();
        if (r.Overrun()) return false;
        if (flags == 0) return true;  // end of the records
        TSwfPlacement p;
        p.HasCharacter = true;
        p.CharacterId = r.U16();
        p.Depth = r.U16();
        p.HasMatrix = true;
        p.Matrix = r.Matrix();
        if (Version == 2) {
            p.HasColorTransform = true;
            p.ColorTransform = r.ColorTransform(true);
            if ((flags & 0x10) && !SkipFilters(r)) return false;
            if (flags & 0x20) r.U8();  // blend mode
        }
        if (r.Overrun()) return false;
        if (flags & 0x01) up.Changes.push_back(p);
    }
    return false;
}
