#pragma once
// Installed screensaver files for the tests, made the way a user's machine
// gets them: a package written with the builder's container classes, turned
// into the installed file by the installer's own class.

#include "CompileUnit.h"
#include "FileStream.h"
#include "InstallPackage.h"
#include "ProjectUnit.h"
#include "Registry.h"
#include "SaverTestPaths.h"
#include "Settings.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace saver {

inline std::string TestFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path, n);
    return p.substr(0, p.find_last_of('\\') + 1);
}

inline std::string ReadWhole(const std::string& Path) {
    HANDLE h = CreateFileA(Path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot read " + Path);
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD n = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
    return bytes;
}

inline void WriteWhole(const std::string& Path, const std::string& Bytes) {
    HANDLE h = CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + Path);
    DWORD n = 0;
    WriteFile(h, Bytes.data(), static_cast<DWORD>(Bytes.size()), &n, nullptr);
    CloseHandle(h);
}

inline bool Exists(const std::string& Path) { return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A sample movie of the build ("orbits", "equalizer", "blossom", "tide", "daybreak").
inline std::string SamplePath(const std::string& Name) { return TestFolder() + SamplesFromTests + "\\" + Name + ".swf"; }
inline std::string Sample(const std::string& Name) { return ReadWhole(SamplePath(Name)); }
// The screensaver program as the builder ships it.
inline std::string RuntimeProgram() { return ReadWhole(TestFolder() + ScreensaverDatFromTests); }
// The installer program as the builder ships it.
inline std::string InstallerProgram() { return ReadWhole(TestFolder() + InstallerDatFromTests); }

inline std::string TempFolder() {
    char path[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof path, path);
    return std::string(path, n);
}

// A 2x2 bitmap file, the logo of the test screensavers.
inline std::string BitmapLogo() {
    const unsigned char bytes[] = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                                     // file header
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0,         // info header
        0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                          //
        0xFF, 0, 0, 0, 0xFF, 0, 0, 0,                                                       // blue, green
        0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};                                                // red, white
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

struct TMovie {
    std::string BuiltFrom;  // the path the movie had on the builder's machine
    std::string Bytes;
};

struct TSaverParts {
    std::string Runtime = "MZ stand-in for the program";
    std::vector<TMovie> Movies;
    std::string Title = "Harbour Lights";
    std::string BuildId = "{5A1E0C3B-7D29-4E61-9F08-B2C4D6E8F001}";
    bool RandomPlay = false;
};

inline std::unique_ptr<TMemoryStream> StreamOf(const std::string& Bytes) {
    auto s = std::make_unique<TMemoryStream>();
    s->WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
    return s;
}

inline std::string Bytes(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

// The installation package the builder would write for these parts.
inline std::string Package(const TSaverParts& Parts, const std::string& Installer = "MZ installer stand-in") {
    TCompileStream movies;
    for (const auto& m : Parts.Movies) movies.AddStream(StreamOf(m.Bytes).get(), true);
    auto movieBytes = movies.Compile();

    TProject project;
    project.Title = Parts.Title;
    project.LogoFile = "C:\\art\\logo.bmp";
    project.Publisher = "Nimbrel";
    for (const auto& m : Parts.Movies) project.FlashList->Add(m.BuiltFrom);
    project.RandomPlay = Parts.RandomPlay;
    project.OutputFile = "C:\\out\\setup.exe";
    project.BuildId = Parts.BuildId;
    project.SaveToStream();

    TCompileStream package;
    package.AddStream(StreamOf(Installer).get(), false);
    package.AddStream(StreamOf(Parts.Runtime).get(), true);
    package.AddStream(movieBytes, true);
    package.AddStream(project.ProjectStream.get(), true);
    package.AddStream(StreamOf(BitmapLogo()).get(), true);
    return Bytes(*package.Compile());
}

// The installed file's bytes, as the installer makes them from the package.
inline std::string InstalledFile(const TSaverParts& Parts) {
    auto package = StreamOf(Package(Parts));
    TInstallPackage installer;
    installer.Load(package.get());
    return Bytes(*installer.InstalledFile());
}

// The screensaver's settings key, removed before and after the test.
class TSettingsKey {
public:
    explicit TSettingsKey(std::string BuildId) : key_(ScreensaverKeyName(BuildId)) { Remove(); }
    TSettingsKey(const TSettingsKey&) = delete;
    TSettingsKey& operator=(const TSettingsKey&) = delete;
    ~TSettingsKey() { Remove(); }
    void Set(const char* Name, bool Value) const {
        TRegistry r;
        if (!r.OpenKey(key_, true)) throw std::runtime_error("cannot open " + key_);
        r.WriteBool(Name, Value);
    }

private:
    void Remove() const {
        std::string k = key_;
        while (!k.empty() && k.back() == '\\') k.pop_back();
        RegDeleteKeyA(HKEY_CURRENT_USER, k.c_str());
    }
    std::string key_;
};

}  // namespace saver
