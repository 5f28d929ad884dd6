// Any bytes, as a bitmap file and as a packed bitmap: the parser either refuses
// them or describes pixel data that lies wholly inside them.
#include "BitmapFile.h"
#include "Exceptions.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    for (bool fileHeader : {true, false}) {
        try {
            const TBmpLayout b = ParseBmp(Data, Size, fileHeader);
            if (b.BitsOffset > Size || b.BitsSize > Size - b.BitsOffset || b.Width <= 0 || b.Height <= 0) std::abort();
        } catch (const EInvalidGraphic&) {
        }
    }
    return 0;
}
