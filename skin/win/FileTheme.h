#pragma once
// Theme sources for the skinned controls. TskFileTheme names a theme file,
// loads it and answers key lookups; TskBuiltInFileTheme carries its theme file
// inside the form description ("SkinData"); ResolveUIStyle decides whether a
// control reads its keys from the file or from the built-in tables, and
// TskResolvedTheme reads them from whichever it chose.

#include "ClassInfo.h"
#include "Component.h"
#include "ThemeFile.h"
#include "ThemeKeys.h"

#include <memory>
#include <string>

class TBitmap;
class TGraphic;
class TStream;

// Turns key numbers into key names and asks the current reader.
class TskFileThemeMgr : public TObject {
public:
    std::string ClassName() const override { return "TskFileThemeMgr"; }

    // False when no file of that name exists (the current reader stays). A
    // damaged file raises the stream error; the current reader then stays too,
    // so a failed reload never loses the theme that was showing.
    bool Load(const std::string& FileName);

    bool HasReader() const { return reader_ != nullptr; }
    // Graphic is left as it was when there is no reader or no such picture.
    void ReadBitmap(TskThemeKey Key, TGraphic* Graphic) const;
    bool ReadBool(TskThemeKey Key) const;
    // Colours and integers share the integer entries; 0 without a reader.
    std::int32_t ReadColor(TskThemeKey Key) const;
    std::int32_t ReadInt(TskThemeKey Key) const;

private:
    std::unique_ptr<TskThemeFileReader> reader_;
};

class TskFileTheme : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // The path of the file last loaded (the one found, which may differ from
    // what was assigned).
    const std::string& ThemeFile() const { return themeFile_; }
    // A bare name that does not exist as given is looked for in the program's
    // folder, the Windows folder and the system folder. A name found nowhere
    // (or empty) changes nothing; a file that is not a theme raises
    // Exception "Invalid skin file for VIVIvuz!" and changes nothing. After a
    // load, the skinned components of the owning form that use this theme
    // are given it again, so they re-read their keys.
    void SetThemeFile(const std::string& Value);

    bool IsLoaded() const { return loaded_; }
    void ReadBitmap(TskThemeKey Key, TGraphic* Graphic) const { manager_.ReadBitmap(Key, Graphic); }
    // Frame Index of Count of the key's picture; Graphic must be a bitmap to
    // take the frame, and is left unchanged when the theme lacks the picture.
    void ReadBitmapFrame(TskThemeKey Key, TGraphic* Graphic, int Count, int Index) const;
    bool ReadBool(TskThemeKey Key) const { return manager_.ReadBool(Key); }
    std::int32_t ReadColor(TskThemeKey Key) const { return manager_.ReadColor(Key); }
    std::int32_t ReadInt(TskThemeKey Key) const { return manager_.ReadInt(Key); }

protected:
    // Steps of SetThemeFile after the comparison with the current name: a
    // theme read again from the same (temporary) name must still load.
    void LoadThemeFile(const std::string& Value);

private:
    TskFileThemeMgr manager_;
    std::string themeFile_;
    bool loaded_ = false;
};

// A file theme whose theme file travels in the form description as the binary
// "SkinData". Its own ThemeFile names the file to embed and is only stored;
// the loaded theme's path is TskFileTheme::ThemeFile().
class TskBuiltInFileTheme : public TskFileTheme {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    const std::string& ThemeFile() const { return embedFile_; }
    void SetThemeFile(const std::string& Value) { embedFile_ = Value; }

    // Reads "SkinData": the bytes from the stream's position to its end are a
    // whole theme file. They go to a temporary "RAZIRAV.skn" (numbered when
    // that name is taken), are loaded from there, and the copy is deleted
    // again whatever happens, also when the data is no theme.
    void ReadSkinData(TStream& Data);

protected:
    // "SkinData", read through ReadSkinData while the form loads.
    void DefineProperties(TFiler* Filer) override;

private:
    std::string embedFile_;
};

// What every holder of a FileTheme reference does when it is given another
// theme: the theme it leaves no longer tells Holder of its removal, the one
// it takes will. Slot is Holder's reference. The holder then reacts in its
// own way (usually by applying its style again).
void LinkFileTheme(TComponent* Holder, TskFileTheme*& Slot, TskFileTheme* Value);

// For a holder's Notification: when the operation removes the theme in Slot,
// clears Slot and answers true, so that the holder can fall back to its own
// default look.
bool FileThemeRemoved(TskFileTheme*& Slot, const TComponent* AComponent, TOperation Operation);

// Whether a control with FileTheme and Style reads its keys from the file.
// Effective is the built-in style to use otherwise: Style itself, or DeepBlue
// for FromThemeFile without a loaded theme.
bool ResolveUIStyle(const TskFileTheme* FileTheme, TskUIStyle Style, TskUIStyle& Effective);

// The keys of one control as ResolveUIStyle decides: from the file theme when
// it applies, else from the built-in tables of the effective style. Made
// afresh each time a control reads its keys, so a reloaded theme is seen.
class TskResolvedTheme {
public:
    TskResolvedTheme(const TskFileTheme* FileTheme, TskUIStyle Style)
        : file_(FileTheme), fromFile_(ResolveUIStyle(FileTheme, Style, effective_)) {}

    bool FromFile() const { return fromFile_; }
    // The built-in style used when the keys do not come from the file.
    TskUIStyle Effective() const { return effective_; }
    // The style to hand on to attached or contained controls: FromThemeFile
    // when the file applies, else the effective built-in style.
    TskUIStyle Resolved() const { return fromFile_ ? TskUIStyle::FromThemeFile : effective_; }

    // Count 0 reads the whole picture, else frame Index of Count. Bitmap keeps
    // its picture when the theme has none; a null Bitmap reads nothing.
    void Bitmap(TskThemeKey Key, TBitmap* Bitmap, int Count = 0, int Index = 0) const;
    std::int32_t Int(TskThemeKey Key) const;
    std::int32_t Color(TskThemeKey Key) const;
    bool Bool(TskThemeKey Key) const;

private:
    const TskFileTheme* file_;
    TskUIStyle effective_ = TskUIStyle::DeepBlue;
    bool fromFile_;
};
