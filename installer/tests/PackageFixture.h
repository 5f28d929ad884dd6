#pragma once
// Installation packages made by the tests from the same classes the builder
// uses, with a way to spoil any part of them.

#include "CompileUnit.h"
#include "DecompileUnit.h"
#include "ProjectUnit.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace fixture {

inline std::string Bytes(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

inline std::unique_ptr<TMemoryStream> StreamOf(const std::string& Text) {
    auto s = std::make_unique<TMemoryStream>();
    s->WriteBuffer(Text.data(), static_cast<std::int64_t>(Text.size()));
    return s;
}

struct TPackedStream {
    std::string Bytes;
    bool Compress = true;
};

inline std::string Container(const std::vector<TPackedStream>& Streams) {
    TCompileStream writer;
    for (const auto& s : Streams) {
        auto source = StreamOf(s.Bytes);
        writer.AddStream(source.get(), s.Compress);
    }
    return Bytes(*writer.Compile());
}

// Some bytes that compress a little, like a real movie or picture.
inline std::string Blob(int Seed, std::size_t Size) {
    std::string s(Size, '\0');
    unsigned x = static_cast<unsigned>(Seed) * 2654435761u + 1;
    for (std::size_t i = 0; i < Size; ++i) {
        x = x * 1664525 + 1013904223;
        s[i] = (i / 512) % 2 ? static_cast<char>(x >> 24) : "FWS\x08movie"[i % 9];
    }
    return s;
}

inline void PutLe(std::string& S, std::size_t At, std::uint32_t Value, int Bytes) {
    for (int i = 0; i < Bytes; ++i) S[At + static_cast<std::size_t>(i)] = static_cast<char>(Value >> (8 * i));
}

// The headers of a windowed x64 program, as the system checks them before
// starting one (no sections: nothing here is ever run).
inline std::string ProgramHeaders(std::uint32_t Machine = 0x8664, std::uint32_t Characteristics = 0x0022,
                                  std::uint32_t Subsystem = 2) {
    std::string s(0x40 + 24 + 240, '\0');
    s[0] = 'M';
    s[1] = 'Z';
    PutLe(s, 0x3C, 0x40, 4);
    s.replace(0x40, 4, std::string("PE\0\0", 4));
    PutLe(s, 0x44, Machine, 2);
    PutLe(s, 0x44 + 16, 240, 2);
    PutLe(s, 0x44 + 18, Characteristics, 2);
    PutLe(s, 0x58, 0x20B, 2);
    PutLe(s, 0x58 + 68, Subsystem, 2);
    return s;
}

// A baseline JPEG file of 16 x 16 grey pixels that decodes: the frame header
// comes right after the JFIF segment (at offset 20, 13 bytes), then the
// tables, the scan header (at JpegScanHeader) and the scan.
constexpr std::size_t JpegScanHeader = 161;
inline std::string JpegLogo() {
    const unsigned char bytes[] = {
        // start, JFIF
        0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
        0x00, 0x01, 0x00, 0x00,
        // frame: 8 bits, 16 x 16, one component with quantization table 0
        0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x10, 0x00, 0x10, 0x01, 0x01, 0x11, 0x00,
        // quantization table 0
        0xFF, 0xDB, 0x00, 0x43, 0x00, 0x0D, 0x09, 0x0A, 0x0B, 0x0A, 0x08, 0x0D, 0x0B, 0x0A, 0x0B, 0x0E,
        0x0E, 0x0D, 0x0F, 0x13, 0x20, 0x15, 0x13, 0x12, 0x12, 0x13, 0x27, 0x1C, 0x1E, 0x17, 0x20, 0x2E,
        0x29, 0x31, 0x30, 0x2E, 0x29, 0x2D, 0x2C, 0x33, 0x3A, 0x4A, 0x3E, 0x33, 0x36, 0x46, 0x37, 0x2C,
        0x2D, 0x40, 0x57, 0x41, 0x46, 0x4C, 0x4E, 0x52, 0x53, 0x52, 0x32, 0x3E, 0x5A, 0x61, 0x5A, 0x50,
        0x60, 0x4A, 0x51, 0x52, 0x4F,
        // Huffman tables: DC 0, AC 0
        0xFF, 0xC4, 0x00, 0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x04, 0xFF, 0xC4, 0x00, 0x22, 0x10, 0x00, 0x02, 0x01, 0x03,
        0x03, 0x05, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04,
        0x11, 0x12, 0x00, 0x21, 0x31, 0x05, 0x13, 0x22, 0x23, 0x41, 0x14,
        // scan header: one component with Huffman tables 0 and 0
        0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00,
        // scan, end
        0x68, 0x2B, 0x63, 0x9A, 0x82, 0x34, 0xA7, 0x8E, 0x5A, 0x94, 0x90, 0x94, 0x6A, 0x74, 0x24, 0xAC,
        0x9E, 0x20, 0x64, 0xCC, 0x6E, 0x39, 0x5C, 0x77, 0x20, 0xFD, 0xFA, 0x01, 0x8E, 0xC0, 0x64, 0xCA,
        0x8E, 0xB0, 0x47, 0x08, 0x0A, 0x92, 0xD5, 0x09, 0x8C, 0xF7, 0x64, 0x00, 0x06, 0x3E, 0xB0, 0xBB,
        0x25, 0xEF, 0x71, 0x8F, 0x0B, 0xB5, 0xF4, 0xA9, 0x56, 0xF4, 0x34, 0x92, 0x55, 0x3B, 0x65, 0x23,
        0xB1, 0x42, 0xC1, 0xD9, 0xBB, 0x7C, 0x38, 0x62, 0xA0, 0x0F, 0x2F, 0x5D, 0x8F, 0x04, 0x15, 0x37,
        0x24, 0x62, 0x01, 0x46, 0xBD, 0x37, 0xF3, 0x48, 0x91, 0x41, 0x50, 0xD8, 0x15, 0x26, 0x01, 0x19,
        0x69, 0x09, 0xC9, 0x53, 0xB6, 0x54, 0xA9, 0x16, 0x0C, 0x05, 0xC1, 0xB8, 0x36, 0x55, 0x3B, 0x85,
        0x3A, 0xFF, 0xD9};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// The one image of IconLogo: 32 x 32 (the system's icon size), 32 bits per
// pixel, its colour rows and then its mask rows.
inline std::string IconImage() {
    constexpr std::uint32_t side = 32, header = 40, colour = side * side * 4, mask = side * 4;
    std::string image(header + colour + mask, '\0');
    PutLe(image, 0, header, 4);
    PutLe(image, 4, side, 4);
    PutLe(image, 8, side * 2, 4);
    PutLe(image, 12, 1, 2);
    PutLe(image, 14, 32, 2);
    for (std::uint32_t i = 0; i < side * side; ++i) PutLe(image, header + 4 * i, 0xFF2080C0 + i, 4);
    return image;
}

// An icon file whose directory names one 32 x 32 image of Image's size.
inline std::string IconLogo(const std::string& Image = IconImage()) {
    std::string icon(6 + 16, '\0');
    PutLe(icon, 2, 1, 2);
    PutLe(icon, 4, 1, 2);
    icon[6] = icon[7] = 32;
    PutLe(icon, 6 + 4, 1, 2);
    PutLe(icon, 6 + 6, 32, 2);
    PutLe(icon, 6 + 8, static_cast<std::uint32_t>(Image.size()), 4);
    PutLe(icon, 6 + 12, 6 + 16, 4);
    return icon + Image;
}

// Logos whose headers hold (every field lies within the data, as the
// portable check walks them) but which no decoder turns into a picture.
struct TUndecodableLogo {
    const char* Name;
    std::string LogoFile, Bytes;
    friend void PrintTo(const TUndecodableLogo& C, std::ostream* Os) { *Os << C.Name; }
};

inline std::vector<TUndecodableLogo> UndecodableLogos() {
    const std::string jpeg = JpegLogo();
    std::string undefinedTable = jpeg;
    undefinedTable[20 + 12] = 1;  // the frame's component asks for quantization table 1, never defined
    std::string oddDepth = IconImage();
    PutLe(oddDepth, 14, 7, 2);  // bits per pixel
    return {
        {"JpegCutInItsScan", "C:\\art\\logo.jpg", jpeg.substr(0, JpegScanHeader + 10 + 40)},
        {"JpegFrameWithAnUndefinedTable", "C:\\art\\logo.jpg", undefinedTable},
        {"IconBitmapOfAnUnknownDepth", "C:\\art\\logo.ico", IconLogo(oddDepth)},
        {"IconPngDamaged", "C:\\art\\logo.ico", IconLogo("\x89PNG\r\n\x1A\n" + Blob(6, 400))},
    };
}

struct TPackageParts {
    std::string Installer = "MZ installer stand-in";
    std::string Runtime = ProgramHeaders() + Blob(1, 3000);
    std::vector<std::string> Movies = {Blob(2, 5000), Blob(3, 700)};
    std::string Title = "Harbour Lights";
    bool ShowLicense = false;
    std::vector<std::string> Licence;
    std::string Logo = JpegLogo() + Blob(4, 900);
    std::string LogoFile = "C:\\art\\logo.jpg";
    std::string BuildId = "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";

    std::string ProjectText() const {
        TProject p;
        p.Title = Title;
        p.LogoFile = LogoFile;
        p.Publisher = "Nimbrel";
        p.Homepage = "www.example.com";
        p.Email = "saver@example.com";
        p.Copyright = "(c) the makers";
        for (std::size_t i = 0; i < Movies.size(); ++i) p.FlashList->Add("C:\\movies\\m" + std::to_string(i) + ".swf");
        p.ShowLicense = ShowLicense;
        for (const auto& l : Licence) p.LicenseText->Add(l);
        p.OutputFile = "C:\\out\\setup.exe";
        p.BuildId = BuildId;
        p.SaveToStream();
        return Bytes(*p.ProjectStream);
    }

    std::string MovieContainer() const {
        std::vector<TPackedStream> streams;
        for (const auto& m : Movies) streams.push_back({m, true});
        return Container(streams);
    }

    // The five streams in package order; a test may change any before packing.
    std::vector<TPackedStream> Streams() const {
        return {{Installer, false}, {Runtime, true}, {MovieContainer(), true}, {ProjectText(), true}, {Logo, true}};
    }

    std::string Package() const { return Container(Streams()); }

    // The screensaver file an installation of this package leaves.
    std::string InstalledFile() const {
        return Container({{Runtime, false}, {MovieContainer(), true}, {ProjectText(), true}, {Logo, true}});
    }
};

// Where each stream's stored bytes lie in a container.
struct TStreamExtent {
    std::size_t Offset, Size;
};

inline std::vector<TStreamExtent> Extents(const std::string& ContainerBytes) {
    TDecompileStream reader;
    auto s = StreamOf(ContainerBytes);
    reader.Decompile(s.get());
    std::vector<TStreamExtent> result;
    std::size_t offset = 0;
    for (auto size : reader.StoredSizes()) {
        result.push_back({offset, static_cast<std::size_t>(size)});
        offset += static_cast<std::size_t>(size);
    }
    return result;
}

}  // namespace fixture
