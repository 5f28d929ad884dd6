// Feeds arbitrary bytes to the theme file reader: it must either load them or
// raise its read error, never read outside the buffer or run without end.
#include "Exceptions.h"
#include "ThemeFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::span<const std::uint8_t> bytes(Data, Size);
    IsThemeFileData(bytes);
    try {
        TskThemeFileReader reader(bytes);
        for (const auto& image : reader.Images()) reader.ReadStream(image.Name);
        reader.ReadInt("FormRoundCornerInt");
        reader.ReadBool("ButtonTransparentBool");
    } catch (const EReadError&) {
    }
    return 0;
}
