#include "PackageContents.h"

#include "BitmapFile.h"
#include "Exceptions.h"
#include "SysUtils.h"

#include <cstdint>

namespace {

std::uint32_t U16(const unsigned char* P) { return P[0] | (P[1] << 8); }
std::uint32_t U32(const unsigned char* P) { return U16(P) | (U16(P + 2) << 16); }
std::uint32_t BigU16(const unsigned char* P) { return (P[0] << 8) | P[1]; }

constexpr std::uint32_t ExecutableImage = 0x0002, Library = 0x2000;
constexpr std::uint32_t MachineX86 = 0x014C, MachineX64 = 0x8664, MachineArm64 = 0xAA64;
constexpr std::uint32_t Pe32 = 0x10B, Pe32Plus = 0x20B;
constexpr std::uint32_t WindowsGui = 2, WindowsConsole = 3;
// In the optional header of both kinds, the subsystem sits at this offset.
constexpr std::size_t SubsystemOffset = 68;

bool BitmapLoads(const unsigned char* Data, std::size_t Size) {
    try {
        ParseBmp(Data, Size, true);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

// Start of image, then segments up to the start of scan; a frame header with
// a height and a width must come before the scan.
bool JpegLoads(const unsigned char* Data, std::size_t Size) {
    if (Size < 4 || Data[0] != 0xFF || Data[1] != 0xD8) return false;
    bool frame = false;
    std::size_t p = 2;
    while (p + 4 <= Size) {
        if (Data[p] != 0xFF) return false;
        const unsigned marker = Data[p + 1];
        if (marker == 0xFF) {  // fill byte
            ++p;
            continue;
        }
        const std::size_t length = BigU16(Data + p + 2);
        if (length < 2 || p + 2 + length > Size) return false;
        const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof) {
            if (length < 8) return false;
            const unsigned char* h = Data + p + 4;
            if (BigU16(h + 1) == 0 || BigU16(h + 3) == 0 || h[5] == 0) return false;
            frame = true;
        }
        if (marker == 0xDA) return frame && p + 2 + length < Size;
        if (marker == 0xD9) return false;
        p += 2 + length;
    }
    return false;
}

// An icon directory with at least one image, each lying within the data.
bool IconLoads(const unsigned char* Data, std::size_t Size) {
    if (Size < 6 || U16(Data) != 0 || U16(Data + 2) != 1) return false;
    const std::size_t count = U16(Data + 4);
    if (count == 0 || 6 + 16 * count > Size) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* e = Data + 6 + 16 * i;
        const std::uint64_t bytes = U32(e + 8), offset = U32(e + 12);
        if (bytes == 0 || offset + bytes > Size) return false;
    }
    return true;
}

}  // namespace

bool IsWindowsProgram(const void* Data, std::size_t Size) {
    const auto* d = static_cast<const unsigned char*>(Data);
    if (Size < 0x40 || d[0] != 'M' || d[1] != 'Z') return false;
    const std::uint64_t pe = U32(d + 0x3C);
    if (pe + 24 > Size || d[pe] != 'P' || d[pe + 1] != 'E' || d[pe + 2] != 0 || d[pe + 3] != 0) return false;
    const unsigned char* header = d + pe + 4;
    const std::uint32_t machine = U16(header), optionalSize = U16(header + 16), characteristics = U16(header + 18);
    if (machine != MachineX86 && machine != MachineX64 && machine != MachineArm64) return false;
    if (!(characteristics & ExecutableImage) || (characteristics & Library)) return false;
    if (optionalSize < SubsystemOffset + 2 || pe + 24 + optionalSize > Size) return false;
    const unsigned char* optional = header + 20;
    const std::uint32_t magic = U16(optional), subsystem = U16(optional + SubsystemOffset);
    return (magic == Pe32 || magic == Pe32Plus) && (subsystem == WindowsGui || subsystem == WindowsConsole);
}

bool IsLoadableLogo(const std::string& LogoFile, const void* Data, std::size_t Size, const TLogoDecoder& Decoder) {
    const auto* d = static_cast<const unsigned char*>(Data);
    const std::string ext = LowerCase(ExtractFileExt(LogoFile));
    if (ext == ".bmp") return BitmapLoads(d, Size);
    if (ext == ".jpg" || ext == ".jpeg") return JpegLoads(d, Size) && Decoder.JpegDecodes(Data, Size);
    if (ext == ".ico") return IconLoads(d, Size) && Decoder.IconDecodes(Data, Size);
    return false;
}
