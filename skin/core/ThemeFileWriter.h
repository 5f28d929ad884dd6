#pragma once
// Builds a theme file: the header, one entry per value in the order added, each
// entry's data right after its header, and the terminator header at the end.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

class TskThemeFileWriter {
public:
    // Names longer than 63 characters do not fit the entry header and are refused
    // with std::invalid_argument.
    void AddBitmap(std::string_view Name, std::span<const std::uint8_t> BitmapFile);
    void AddInteger(std::string_view Name, std::int32_t Value);
    void AddBoolean(std::string_view Name, bool Value);
    void AddString(std::string_view Name, std::string_view Text);

    std::vector<std::uint8_t> Bytes() const;

private:
    struct Entry {
        std::vector<char> Name;
        std::uint8_t Type;
        std::vector<std::uint8_t> Data;
    };
    void Add(std::string_view Name, std::uint8_t Type, std::vector<std::uint8_t> Data);
    std::vector<Entry> entries_;
};
