// The installer's package reader on any bytes. Half the inputs are taken as a
// whole package file; the other half are cut into five parts and packed the
// way the builder packs them, so the fuzzer also reaches the project text and
// the writing of the installed file. Whatever Load accepts must turn into an
// installed file that reads back to the same contents, whose origin reads
// back as the project's. The checks of what the screensaver can use (program
// headers, picture headers) also see every input as it comes; pictures are
// judged by their headers only, as no system decoder runs here.

#include "CompileUnit.h"
#include "DecompileUnit.h"
#include "InstallPackage.h"
#include "LogoDecoderStandIns.h"
#include "PackageContents.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Bytes(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

std::unique_ptr<TMemoryStream> StreamOf(const std::string& Text) {
    auto s = std::make_unique<TMemoryStream>();
    s->WriteBuffer(Text.data(), static_cast<std::int64_t>(Text.size()));
    return s;
}

std::string PackedFromParts(const std::string& Input) {
    std::vector<std::string> parts(1);
    for (char c : Input) {
        if (c == '\x1F' && parts.size() < 5)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    parts.resize(5);
    parts[1] = "MZ" + parts[1];
    TCompileStream writer;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        auto s = StreamOf(parts[i]);
        writer.AddStream(s.get(), i != 0);
    }
    return Bytes(*writer.Compile());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size == 0) return 0;
    IsWindowsProgram(Data, Size);
    const fixture::THeadersOnlyLogos logos;
    for (const char* name : {"a.bmp", "a.jpg", "a.ico"}) IsLoadableLogo(name, Data, Size, logos);
    const std::string input(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    const std::string package = Data[0] & 1 ? PackedFromParts(input) : input;

    TInstallPackage reader;
    auto source = StreamOf(package);
    try {
        reader.Load(source.get());
    } catch (const EInstallError&) {
        return 0;
    }
    auto installed = reader.InstalledFile();
    TDecompileStream original, result;
    auto again = StreamOf(package);
    original.Decompile(again.get());
    result.Decompile(installed.get());
    if (result.Count() != 4) std::abort();
    if (Bytes(*result.GetStream(0, false)) != Bytes(*original.GetStream(1, true))) std::abort();
    for (int i = 1; i <= 3; ++i)
        if (Bytes(*result.GetStream(i, true)) != Bytes(*original.GetStream(i + 1, true))) std::abort();
    installed->SetPosition(0);
    const auto origin = ReadInstalledOrigin(installed.get());
    if (!origin || origin->Title != reader.Project().Title || origin->BuildId != reader.Project().BuildId) std::abort();
    try {
        reader.CheckUsable(logos);
    } catch (const EInstallError&) {
    }
    return 0;
}
