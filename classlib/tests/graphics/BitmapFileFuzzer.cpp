// Any bytes, as a bitmap file, as a packed bitmap and as an icon file: the
// readers either refuse them or describe pixel data (the icon image) that
// lies wholly inside them.
#include "BitmapFile.h"
#include "Exceptions.h"
#include "IconFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    for (bool fileHeader : {true, false}) {
        try {
            const TBmpLayout b = ParseBmp(Data, Size, fileHeader);
            if (b.BitsOffset > Size || b.BitsSize > Size - b.BitsOffset || b.Width <= 0 || b.Height <= 0) std::abort();
        } catch (const EInvalidGraphic&) {
        }
    }
    for (int wanted : {16, 32, 256}) {
        try {
            const TIconImage image = ChooseIconImage(Data, Size, wanted);
            if (image.Offset > Size || image.Size > Size - image.Offset) std::abort();
        } catch (const EInvalidGraphic&) {
        }
    }
    return 0;
}
