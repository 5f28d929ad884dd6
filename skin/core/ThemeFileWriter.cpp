#include "ThemeFileWriter.h"

#include "ThemeFile.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

using namespace ThemeFileLayout;

namespace {

void PutU32(std::vector<std::uint8_t>& Out, std::uint32_t Value) {
    for (int i = 0; i < 4; ++i) Out.push_back(static_cast<std::uint8_t>(Value >> (8 * i)));
}

void PutEntryHeader(std::vector<std::uint8_t>& Out, std::span<const char> Name, std::uint8_t Type,
                    std::uint32_t DataOffset, std::uint32_t DataSize, std::uint32_t Next) {
    std::uint8_t name[NameSize] = {};
    if (!Name.empty()) std::memcpy(name, Name.data(), Name.size());
    Out.insert(Out.end(), name, name + NameSize);
    Out.push_back(Type);
    PutU32(Out, DataOffset);
    PutU32(Out, DataSize);
    PutU32(Out, Next);
}

}  // namespace

void TskThemeFileWriter::Add(std::string_view Name, std::uint8_t Type, std::vector<std::uint8_t> Data) {
    if (Name.size() >= NameSize) throw std::invalid_argument("theme entry name too long: " + std::string(Name));
    entries_.push_back({std::vector<char>(Name.begin(), Name.end()), Type, std::move(Data)});
}

void TskThemeFileWriter::AddBitmap(std::string_view Name, std::span<const std::uint8_t> BitmapFile) {
    Add(Name, TypeBitmap, std::vector<std::uint8_t>(BitmapFile.begin(), BitmapFile.end()));
}

void TskThemeFileWriter::AddInteger(std::string_view Name, std::int32_t Value) {
    std::vector<std::uint8_t> data;
    PutU32(data, static_cast<std::uint32_t>(Value));
    Add(Name, TypeInteger, std::move(data));
}

void TskThemeFileWriter::AddBoolean(std::string_view Name, bool Value) {
    Add(Name, TypeBoolean, {static_cast<std::uint8_t>(Value ? 1 : 0)});
}

void TskThemeFileWriter::AddString(std::string_view Name, std::string_view Text) {
    Add(Name, TypeString, std::vector<std::uint8_t>(Text.begin(), Text.end()));
}

std::vector<std::uint8_t> TskThemeFileWriter::Bytes() const {
    std::vector<std::uint8_t> out(MagicSize, 0);
    const std::string_view magic = Magic;
    std::copy(magic.begin(), magic.end(), out.begin());
    PutU32(out, HeaderSize);
    PutU32(out, 1);
    PutU32(out, HeaderSize);
    for (const Entry& e : entries_) {
        const std::uint64_t dataOffset = out.size() + EntryHeaderSize;
        const std::uint64_t next = dataOffset + e.Data.size();
        if (next > UINT32_MAX) throw std::length_error("theme file too large");
        PutEntryHeader(out, e.Name, e.Type, static_cast<std::uint32_t>(dataOffset),
                       static_cast<std::uint32_t>(e.Data.size()), static_cast<std::uint32_t>(next));
        out.insert(out.end(), e.Data.begin(), e.Data.end());
    }
    PutEntryHeader(out, {}, TypeBoolean, 0, 0, 0);
    return out;
}
