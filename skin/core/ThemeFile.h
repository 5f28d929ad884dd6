#pragma once
// Theme files (".skn"): a 24-byte header starting with the magic "VIVIvuz_TB",
// then a chain of 77-byte entry headers, each naming a theme key and pointing at
// its data (a bitmap file, a 32-bit integer, a boolean byte or text). The header
// whose next offset is 0 ends the chain and is no entry.

#include "Object.h"
#include "Streams.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ThemeFileLayout {
inline constexpr char Magic[] = "VIVIvuz_TB";
inline constexpr std::size_t MagicSize = 12;
inline constexpr std::size_t HeaderSize = 24;
inline constexpr std::size_t EntryHeaderSize = 77;
inline constexpr std::size_t NameSize = 64;
inline constexpr std::uint8_t TypeBitmap = 0;
inline constexpr std::uint8_t TypeInteger = 1;
inline constexpr std::uint8_t TypeBoolean = 2;
inline constexpr std::uint8_t TypeString = 3;
}  // namespace ThemeFileLayout

// True when the first 12 bytes, read as text up to the first NUL, are exactly
// the magic. A missing, unreadable or short file gives false.
bool IsValidThemeFile(const std::string& FileName);
bool IsThemeFileData(std::span<const std::uint8_t> Data);

// What one theme file held. The lists keep file order; names match without
// regard to case and the first entry of a name answers.
class TskThemeFileReader : public TObject {
public:
    struct TImage {
        std::string Name;
        // The entry's bytes, a whole bitmap file when the theme is sound;
        // entries that point at the same bytes share one stream.
        std::shared_ptr<TMemoryStream> Stream;
    };

    // Errors of the loading (a file that cannot be opened, a damaged file)
    // leave the constructor; no reader is made.
    explicit TskThemeFileReader(const std::string& FileName);
    explicit TskThemeFileReader(std::span<const std::uint8_t> Data);

    std::string ClassName() const override { return "TskThemeFileReader"; }

    // Replaces what the reader holds by the file's entries. A file that points
    // outside itself or chains its headers in a loop raises EReadError
    // ("Stream read error"); the reader then keeps what it held. A bitmap
    // entry is kept as written even when it is empty or no bitmap: only that
    // picture fails, where it is loaded. The file is opened for reading with
    // sharing allowed.
    void LoadFromFile(const std::string& FileName);
    void LoadFromBytes(std::span<const std::uint8_t> Data);

    // -1 when there is no such integer entry.
    std::int32_t ReadInt(std::string_view Name) const;
    // False when there is no such boolean entry; else whether its byte is not 0.
    bool ReadBool(std::string_view Name) const;
    // The stream of the bitmap entry, positioned at 0; nullptr when there is
    // none. The reader owns it; the same stream answers every time.
    TMemoryStream* ReadStream(std::string_view Name) const;

    const std::vector<TImage>& Images() const { return images_; }
    // Lines "Name=Value" in file order.
    const std::vector<std::string>& Integers() const { return integers_; }
    const std::vector<std::string>& Booleans() const { return booleans_; }
    const std::vector<std::string>& Strings() const { return strings_; }

private:
    std::vector<TImage> images_;
    std::vector<std::string> integers_;
    std::vector<std::string> booleans_;
    std::vector<std::string> strings_;
};
