#include "FileTheme.h"

#include "Bitmap.h"
#include "Exceptions.h"
#include "FileStream.h"
#include "Filer.h"
#include "Form.h"
#include "SkinPublic.h"
#include "SkinThemes.h"
#include "Streams.h"
#include "SysUtils.h"
#include "TypInfo.h"

#include <windows.h>

#include <vector>

namespace {

bool FileExistsA(const std::string& Name) {
    if (Name.empty()) return false;
    const DWORD attributes = GetFileAttributesA(Name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return ExtractFilePath(std::string(path, n));
}

std::string WindowsFolder() {
    char path[MAX_PATH + 1] = {};
    return std::string(path, GetWindowsDirectoryA(path, MAX_PATH));
}

std::string SystemFolder() {
    char path[MAX_PATH + 1] = {};
    return std::string(path, GetSystemDirectoryA(path, MAX_PATH));
}

std::string TempFolder() {
    char path[MAX_PATH + 1] = {};
    return IncludeTrailingPathDelimiter(std::string(path, GetTempPathA(MAX_PATH, path)));
}

// The file Value names, as given or by its file-name part in the program's,
// the Windows and the system folder; empty when there is none.
std::string FindThemeFile(const std::string& Value) {
    if (FileExistsA(Value)) return Value;
    const std::string bare = ExtractFileName(Value);
    if (bare.empty()) return {};
    for (const std::string& folder : {ProgramFolder(), WindowsFolder(), SystemFolder()}) {
        if (folder.empty()) continue;
        const std::string candidate = IncludeTrailingPathDelimiter(folder) + bare;
        if (FileExistsA(candidate)) return candidate;
    }
    return {};
}

// Deletes the named file when it goes out of scope.
class TTemporaryFile {
public:
    explicit TTemporaryFile(std::string Name) : name_(std::move(Name)) {}
    ~TTemporaryFile() { DeleteFileA(name_.c_str()); }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

}  // namespace

bool TskFileThemeMgr::Load(const std::string& FileName) {
    if (!FileExistsA(FileName)) return false;
    auto reader = std::make_unique<TskThemeFileReader>(FileName);
    reader_ = std::move(reader);
    return true;
}

void TskFileThemeMgr::ReadBitmap(TskThemeKey Key, TGraphic* Graphic) const {
    if (!reader_ || !Graphic) return;
    TMemoryStream* stream = reader_->ReadStream(ThemeKeyName(Key));
    if (!stream) return;
    try {
        Graphic->LoadFromStream(stream);
    } catch (const EInvalidGraphic&) {
        // A damaged picture in a user's theme: the control keeps the picture
        // it had (the graphic is only changed by a load that succeeds).
    }
}

bool TskFileThemeMgr::ReadBool(TskThemeKey Key) const { return reader_ && reader_->ReadBool(ThemeKeyName(Key)); }

std::int32_t TskFileThemeMgr::ReadColor(TskThemeKey Key) const {
    return reader_ ? reader_->ReadInt(ThemeKeyName(Key)) : 0;
}

std::int32_t TskFileThemeMgr::ReadInt(TskThemeKey Key) const {
    return reader_ ? reader_->ReadInt(ThemeKeyName(Key)) : 0;
}

const TClassInfo& TskFileTheme::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskFileTheme, TComponent>("TskFileTheme", [](auto& c) {
        c.String("ThemeFile", &TskFileTheme::ThemeFile,
                 static_cast<void (TskFileTheme::*)(const std::string&)>(&TskFileTheme::SetThemeFile));
    });
    return info;
}

void TskFileTheme::SetThemeFile(const std::string& Value) {
    if (Value == themeFile_) return;
    LoadThemeFile(Value);
}

void TskFileTheme::LoadThemeFile(const std::string& Value) {
    const std::string name = FindThemeFile(Value);
    if (name.empty()) return;
    if (!IsValidThemeFile(name)) throw Exception("Invalid skin file for VIVIvuz!");
    const bool loaded = manager_.Load(name);
    if (!loaded) return;
    themeFile_ = name;
    loaded_ = true;

    auto* form = dynamic_cast<TForm*>(Owner());
    if (!form) return;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        if (c->ClassName().rfind("Tsk", 0) != 0 || !HasPublishedProperty(c, "FileTheme")) continue;
        if (GetObjectProp(c, "FileTheme") == this) SetObjectProp(c, "FileTheme", this);
    }
}

void TskFileTheme::ReadBitmapFrame(TskThemeKey Key, TGraphic* Graphic, int Count, int Index) const {
    auto* dest = dynamic_cast<TBitmap*>(Graphic);
    if (!dest) return;
    TBitmap whole;
    ReadBitmap(Key, &whole);
    if (whole.Empty()) return;
    ExtractBitmapFrame(&whole, dest, Count, Index);
}

const TClassInfo& TskBuiltInFileTheme::StaticClassInfo() {
    static const TClassInfo info =
        DescribeClass<TskBuiltInFileTheme, TskFileTheme>("TskBuiltInFileTheme", [](auto& c) {
            c.String("ThemeFile", &TskBuiltInFileTheme::ThemeFile, &TskBuiltInFileTheme::SetThemeFile);
        });
    return info;
}

void TskBuiltInFileTheme::DefineProperties(TFiler* Filer) {
    TskFileTheme::DefineProperties(Filer);
    Filer->DefineBinaryProperty("SkinData", [this](TStream& Data) { ReadSkinData(Data); });
}

void TskBuiltInFileTheme::ReadSkinData(TStream& Data) {
    const std::string bytes = ReadRestOfStream(&Data);
    const std::string folder = TempFolder();
    std::string name = folder + "RAZIRAV.skn";
    for (int n = 1; FileExistsA(name); ++n) name = folder + "RAZIRAV" + std::to_string(n) + ".skn";
    TTemporaryFile copy(name);
    {
        TFileStream file(copy.Name(), fmCreate);
        file.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    }
    LoadThemeFile(copy.Name());
}

void LinkFileTheme(TComponent* Holder, TskFileTheme*& Slot, TskFileTheme* Value) {
    if (Slot && Slot != Value) Slot->RemoveFreeNotification(Holder);
    Slot = Value;
    if (Value) Value->FreeNotification(Holder);
}

bool FileThemeRemoved(TskFileTheme*& Slot, const TComponent* AComponent, TOperation Operation) {
    if (Operation != opRemove || !AComponent || AComponent != Slot) return false;
    Slot = nullptr;
    return true;
}

bool ResolveUIStyle(const TskFileTheme* FileTheme, TskUIStyle Style, TskUIStyle& Effective) {
    Effective = Style;
    if (Style != TskUIStyle::FromThemeFile) return false;
    if (FileTheme && FileTheme->IsLoaded()) return true;
    Effective = TskUIStyle::DeepBlue;
    return false;
}

void TskResolvedTheme::Bitmap(TskThemeKey Key, TBitmap* Target, int Count, int Index) const {
    if (!Target) return;
    if (!fromFile_)
        LoadBuiltInThemeBitmapFrame(effective_, Key, Target, Count, Index);
    else if (Count == 0)
        file_->ReadBitmap(Key, Target);
    else
        file_->ReadBitmapFrame(Key, Target, Count, Index);
}

std::int32_t TskResolvedTheme::Int(TskThemeKey Key) const {
    return fromFile_ ? file_->ReadInt(Key) : BuiltInThemeInt(effective_, Key);
}

std::int32_t TskResolvedTheme::Color(TskThemeKey Key) const {
    return fromFile_ ? file_->ReadColor(Key) : BuiltInThemeColor(effective_, Key);
}

bool TskResolvedTheme::Bool(TskThemeKey Key) const {
    return fromFile_ ? file_->ReadBool(Key) : BuiltInThemeBool(effective_, Key);
}
