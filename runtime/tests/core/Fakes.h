#pragma once
// Stand-ins for the system behind the runtime's logic: files in memory, a
// registry key in memory, and a recording wave device and window.

#include "CompileUnit.h"
#include "Exceptions.h"
#include "FileSystem.h"
#include "Playback.h"
#include "Settings.h"
#include "SystemServices.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

inline std::string BytesOf(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

inline std::unique_ptr<TMemoryStream> StreamOf(const std::string& Text) {
    auto s = std::make_unique<TMemoryStream>();
    s->WriteBuffer(Text.data(), static_cast<std::int64_t>(Text.size()));
    return s;
}

class TMemoryFileSystem : public TFileSystem {
public:
    std::map<std::string, std::string> Files;
    std::set<std::string> Unwritable;  // paths whose creation fails
    std::vector<std::string> Log;      // "write P", "delete P"
    std::vector<std::string>* Journal = nullptr;  // shared with the other fakes, in call order
    void Note(const std::string& Entry) {
        Log.push_back(Entry);
        if (Journal) Journal->push_back(Entry);
    }

    bool FileExists(const std::string& Path) override { return Files.count(Path) != 0; }
    void WriteFile(const std::string& Path, TMemoryStream& Data) override {
        if (Unwritable.count(Path)) throw EFCreateError("Cannot create file " + Path);
        Files[Path] = BytesOf(Data);
        Note("write " + Path);
    }
    bool RemoveFile(const std::string& Path) override {
        Note("delete " + Path);
        return Files.erase(Path) != 0;
    }
};

class TMemorySettings : public TSettingsStore {
public:
    std::map<std::string, std::map<std::string, bool>> Keys;
    bool Openable = true;
    std::string Open;
    std::vector<std::string> Log;
    std::vector<std::string>* Journal = nullptr;  // shared with the other fakes, in call order
    void Note(const std::string& Entry) {
        Log.push_back(Entry);
        if (Journal) Journal->push_back(Entry);
    }

    bool OpenKey(const std::string& Key, bool CanCreate) override {
        if (!Openable || (!CanCreate && !Keys.count(Key))) return false;
        Keys[Key];
        Open = Key;
        Note("open " + Key);
        return true;
    }
    void CloseKey() override {
        Note("close");
        Open.clear();
    }
    bool ValueExists(const std::string& Name) override { return Keys[Open].count(Name) != 0; }
    bool ReadBool(const std::string& Name) override { return Keys[Open].at(Name); }
    void WriteBool(const std::string& Name, bool Value) override {
        Keys[Open][Name] = Value;
        Note("write " + Name);
    }
};

class TRecordingVolume : public TWaveVolume {
public:
    bool HasDevice = true;
    std::uint32_t Volume = 0x80004000;
    std::vector<std::string> Log;
    std::vector<std::string>* Journal = nullptr;  // shared with the other fakes, in call order
    void Note(const std::string& Entry) {
        Log.push_back(Entry);
        if (Journal) Journal->push_back(Entry);
    }
    bool GetVolume(std::uint32_t& V) override {
        Note("get");
        if (!HasDevice) return false;
        V = Volume;
        return true;
    }
    bool SetVolume(std::uint32_t V) override {
        Note("set " + std::to_string(V));
        if (!HasDevice) return false;
        Volume = V;
        return true;
    }
};

class TRecordingWindow : public TPlaybackWindow {
public:
    TScreenPoint Cursor{100, 200};
    int CursorCount = 0;  // as the system counts ShowCursor calls
    std::vector<std::string> Log;
    std::vector<std::string>* Journal = nullptr;  // shared with the other fakes, in call order
    void Note(const std::string& Entry) {
        Log.push_back(Entry);
        if (Journal) Journal->push_back(Entry);
    }
    std::string Movie;
    bool Loop = false;
    bool Timer = false;

    TScreenPoint CursorPos() override { return Cursor; }
    void ShowCursor(bool Show) override {
        CursorCount += Show ? 1 : -1;
        Note(Show ? "show cursor" : "hide cursor");
    }
    void CoverScreen() override { Note("cover screen"); }
    void PlayMovie(const std::string& Path, bool L) override {
        Movie = Path;
        Loop = L;
        Note("play " + Path + (L ? " loop" : ""));
    }
    void EnableTimer(bool Enabled) override {
        Timer = Enabled;
        Note(Enabled ? "timer on" : "timer off");
    }
    void Invalidate() override { Note("invalidate"); }
};

class TFixedPlatform : public TPlatformFamily {
public:
    bool Win9x = false;
    bool IsWin9x() override { return Win9x; }
};

class TScriptedPassword : public TPasswordCheck {
public:
    bool Set = true;
    std::optional<bool> Answer = false;
    int Asked = 0;
    std::function<void()> WhileAsking;
    bool PasswordSet() override { return Set; }
    std::optional<bool> Verify() override {
        ++Asked;
        if (WhileAsking) WhileAsking();
        return Answer;
    }
};

inline const char* kBuildId = "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}";

// An installed screensaver file: a stand-in program, the movie container, the
// project text and the logo.
inline std::string InstalledFile(TProject& Project, const std::vector<std::string>& Movies,
                                 const std::string& Logo = "LOGO") {
    TCompileStream movies;
    for (const std::string& m : Movies) {
        auto s = StreamOf(m);
        movies.AddStream(s.get(), true);
    }
    TCompileStream file;
    auto program = StreamOf("MZ program");
    file.AddStream(program.get(), false);
    file.AddStream(movies.Compile(), true);
    Project.ProjectStream->Clear();
    Project.SaveToStream();
    file.AddStream(Project.ProjectStream.get(), true);
    auto logo = StreamOf(Logo);
    file.AddStream(logo.get(), true);
    return BytesOf(*file.Compile());
}
