#pragma once
// Small skinned components for the tests: they publish UIStyle and FileTheme
// as every skinned control does, apply a style the way the controls do, and
// record the property assignments they receive, in order.

#include "CustomControl.h"
#include "FileTheme.h"
#include "ThemeKeys.h"

#include <string>
#include <vector>

class TskTestControl : public TCustomControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskUIStyle UIStyle() const { return style_; }
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);

    // "UIStyle=WinXP", "FileTheme=Theme1", "FileTheme=nil", "Bounds=..." in order.
    std::vector<std::string> Log;
    // What the last application of the style resolved to.
    bool FromFile = false;
    TskUIStyle Effective = TskUIStyle::DeepBlue;
    std::int32_t RoundCorner = 0;  // key FormRoundCornerInt, from the file or the table

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Apply();
    TskUIStyle style_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
};

// Publishes UIStyle only.
class TskStyleOnlyControl : public TCustomControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
    TskUIStyle UIStyle() const { return style_; }
    void SetUIStyle(TskUIStyle Value) { style_ = Value; ++Sets; }
    int Sets = 0;

private:
    TskUIStyle style_ = TskUIStyle::DeepBlue;
};

// A stand-in for the form frame, registered as one.
class TskTestFormFrame : public TskTestControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// Publishes FileTheme but its class name does not start with "Tsk".
class TPlainThemedControl : public TskTestControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};
