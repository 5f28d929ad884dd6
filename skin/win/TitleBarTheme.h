#pragma once
// Where a title bar and its buttons read their theme keys: the file theme
// when ResolveUIStyle says so, else the built-in tables of the style it gives.

#include "FileTheme.h"
#include "ThemeKeys.h"

class TBitmap;

class TskTitleBarTheme {
public:
    TskTitleBarTheme(const TskFileTheme* FileTheme, TskUIStyle Style)
        : file_(FileTheme), fromFile_(ResolveUIStyle(FileTheme, Style, effective_)) {}

    bool FromFile() const { return fromFile_; }
    // The built-in style used when the keys do not come from the file.
    TskUIStyle Effective() const { return effective_; }
    // The style handed on to the buttons and the menu: FromThemeFile for a file.
    TskUIStyle Resolved() const { return fromFile_ ? TskUIStyle::FromThemeFile : effective_; }

    // Count 0 reads the whole picture. Bitmap keeps its picture when the theme has none.
    void Bitmap(TskThemeKey Key, TBitmap* Bitmap, int Count = 0, int Index = 0) const;
    std::int32_t Int(TskThemeKey Key) const;
    bool Bool(TskThemeKey Key) const;

private:
    const TskFileTheme* file_;
    TskUIStyle effective_ = TskUIStyle::DeepBlue;
    bool fromFile_;
};
