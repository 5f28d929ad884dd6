#pragma once
// Installation packages made by the tests from the same classes the builder
// uses, with a way to spoil any part of them.

#include "CompileUnit.h"
#include "DecompileUnit.h"
#include "ProjectUnit.h"

#include <cstdint>
#include <functional>
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

// The segments of a baseline JPEG file of 1 x 1 pixel up to its scan, with
// scan bytes and the end marker after it.
inline std::string JpegLogo() {
    const unsigned char bytes[] = {0xFF, 0xD8,                                                      // start
                                   0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0,  // JFIF
                                   0xFF, 0xC0, 0, 11, 8, 0, 1, 0, 1, 1, 1, 0x11, 0,                  // frame 1 x 1
                                   0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0,                             // scan
                                   0x12, 0x34, 0xFF, 0xD9};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
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
