#include "ThemeFile.h"

#include "ByteReader.h"
#include "Exceptions.h"
#include "FileStream.h"

#include <charconv>
#include <map>
#include <unordered_set>
#include <utility>

using namespace ThemeFileLayout;

namespace {

[[noreturn]] void ReadFailure() { throw EReadError("Stream read error"); }

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The value part of the first line whose name part equals Name.
const std::string* FindValue(const std::vector<std::string>& Lines, std::string_view Name, std::string_view& Value) {
    for (const std::string& line : Lines) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (SameText(std::string_view(line).substr(0, eq), Name)) {
            Value = std::string_view(line).substr(eq + 1);
            return &line;
        }
    }
    return nullptr;
}

bool ParseDecimal(std::string_view Text, std::int32_t& Out) {
    if (Text.empty()) return false;
    const char* first = Text.data();
    const char* last = first + Text.size();
    if (*first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, Out);
    return ec == std::errc() && end == last;
}

bool InFile(std::uint64_t Offset, std::uint64_t Size, std::size_t FileSize) {
    return Offset <= FileSize && Size <= FileSize - Offset;
}

}  // namespace

bool IsThemeFileData(std::span<const std::uint8_t> Data) {
    if (Data.size() < MagicSize) return false;
    std::string_view text(reinterpret_cast<const char*>(Data.data()), MagicSize);
    text = text.substr(0, text.find('\0'));
    return text == Magic;
}

bool IsValidThemeFile(const std::string& FileName) {
    try {
        TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
        std::uint8_t head[MagicSize];
        return file.Read(head, MagicSize) == MagicSize && IsThemeFileData(head);
    } catch (const std::exception&) {
        return false;
    }
}

TskThemeFileReader::TskThemeFileReader(const std::string& FileName) { LoadFromFile(FileName); }

TskThemeFileReader::TskThemeFileReader(std::span<const std::uint8_t> Data) { LoadFromBytes(Data); }

void TskThemeFileReader::LoadFromFile(const std::string& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    LoadFromBytes(bytes);
}

void TskThemeFileReader::LoadFromBytes(std::span<const std::uint8_t> Data) {
    std::vector<TImage> images;
    std::vector<std::string> integers, booleans, strings;
    const std::size_t size = Data.size();

    if (size < 16) ReadFailure();
    const std::uint32_t headerSize = ReadU32LE(Data, 12);
    if (headerSize < HeaderSize || headerSize > size) ReadFailure();
    std::uint64_t offset = ReadU32LE(Data, 20);

    // Honest files place each header after the previous one's data, so a chain
    // can never hold more headers than fit into the file side by side, and the
    // data copied out of it never adds up to more than the file itself. Entries
    // that point at the same bytes share one copy of them.
    const std::size_t maxHeaders = size / EntryHeaderSize + 1;
    std::unordered_set<std::uint64_t> visited;
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::shared_ptr<TMemoryStream>> copies;
    std::uint64_t copied = 0;

    for (;;) {
        if (!InFile(offset, EntryHeaderSize, size)) ReadFailure();
        if (!visited.insert(offset).second || visited.size() > maxHeaders) ReadFailure();
        const std::uint8_t* header = Data.data() + offset;
        const std::uint32_t next = ReadU32LE(Data, offset + 73);
        if (next == 0) break;

        const char* rawName = reinterpret_cast<const char*>(header);
        std::string name(rawName, NameSize);
        name.resize(name.find('\0') == std::string::npos ? NameSize : name.find('\0'));
        const std::uint8_t type = header[64];
        const std::uint32_t dataOffset = ReadU32LE(Data, offset + 65);
        const std::uint32_t dataSize = ReadU32LE(Data, offset + 69);

        switch (type) {
        case TypeBitmap: {
            if (!InFile(dataOffset, dataSize, size)) ReadFailure();
            // The bytes are kept as written, a damaged picture too: it fails
            // only where it is drawn, and the rest of the theme still holds.
            std::shared_ptr<TMemoryStream>& stream = copies[{dataOffset, dataSize}];
            if (!stream) {
                copied += dataSize;
                if (copied > size) ReadFailure();
                stream = std::make_shared<TMemoryStream>();
                stream->WriteBuffer(Data.data() + dataOffset, static_cast<std::int64_t>(dataSize));
                stream->SetPosition(0);
            }
            images.push_back({std::move(name), stream});
            break;
        }
        case TypeInteger:
            if (!InFile(dataOffset, 4, size)) ReadFailure();
            integers.push_back(name + "=" + std::to_string(static_cast<std::int32_t>(ReadU32LE(Data, dataOffset))));
            break;
        case TypeBoolean:
            if (!InFile(dataOffset, 1, size)) ReadFailure();
            booleans.push_back(name + "=" + std::to_string(Data[dataOffset]));
            break;
        case TypeString: {
            if (!InFile(dataOffset, dataSize, size)) ReadFailure();
            copied += dataSize;
            if (copied > size) ReadFailure();
            const char* text = reinterpret_cast<const char*>(Data.data() + dataOffset);
            strings.push_back(name + "=" + std::string(text, dataSize));
            break;
        }
        default:
            break;
        }
        offset = next;
    }

    images_ = std::move(images);
    integers_ = std::move(integers);
    booleans_ = std::move(booleans);
    strings_ = std::move(strings);
}

std::int32_t TskThemeFileReader::ReadInt(std::string_view Name) const {
    std::string_view text;
    std::int32_t value = -1;
    if (!FindValue(integers_, Name, text) || !ParseDecimal(text, value)) return -1;
    return value;
}

bool TskThemeFileReader::ReadBool(std::string_view Name) const {
    std::string_view text;
    std::int32_t value = 0;
    if (!FindValue(booleans_, Name, text) || !ParseDecimal(text, value)) return false;
    return (value & 0xFF) != 0;
}

TMemoryStream* TskThemeFileReader::ReadStream(std::string_view Name) const {
    for (const TImage& image : images_)
        if (SameText(image.Name, Name)) {
            image.Stream->SetPosition(0);
            return image.Stream.get();
        }
    return nullptr;
}
