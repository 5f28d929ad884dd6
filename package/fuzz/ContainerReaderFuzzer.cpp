// Any bytes as a container: reading may fail with the library's errors, never
// crash, read outside the data or allocate by a size field alone.

#include "DecompileUnit.h"
#include "Exceptions.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TMemoryStream source;
    source.WriteBuffer(Data, static_cast<std::int64_t>(Size));
    TDecompileStream reader;
    try {
        reader.Decompile(&source);
    } catch (const EReadError&) {
        return 0;
    }
    std::int64_t stored = 0;
    for (int i = 0; i < reader.Count() && i < 8; ++i) {
        stored += reader.StoredSizes()[static_cast<std::size_t>(i)];
        if (stored > static_cast<std::int64_t>(Size)) std::abort();  // the table was not checked
        for (bool decompress : {false, true}) {
            try {
                auto s = reader.GetStream(i, decompress);
                if (s->Size() != reader.UnpackedSizes()[static_cast<std::size_t>(i)]) std::abort();
            } catch (const EReadError&) {
            } catch (const EDecompressionError&) {
            }
        }
    }
    if (reader.GetStream(reader.Count(), true)->Size() != 0) std::abort();
    return 0;
}
