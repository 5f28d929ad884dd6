#include "TestSkinControls.h"

#include "SkinThemes.h"

const TClassInfo& TskTestControl::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskTestControl, TCustomControl>("TskTestControl", [](auto& c) {
        c.template Enum<TskUIStyle>("UIStyle", &TskTestControl::UIStyle, &TskTestControl::SetUIStyle, UIStyleNames());
        c.template Reference<TskFileTheme>("FileTheme", &TskTestControl::FileTheme, &TskTestControl::SetFileTheme);
    });
    return info;
}

void TskTestControl::SetUIStyle(TskUIStyle Value) {
    style_ = Value;
    Log.push_back("UIStyle=" + std::string(UIStyleName(Value)));
    Apply();
}

void TskTestControl::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    Log.push_back("FileTheme=" + (Value ? Value->Name() : std::string("nil")));
    Apply();
}

void TskTestControl::Apply() {
    const TskResolvedTheme theme(fileTheme_, style_);
    FromFile = theme.FromFile();
    Effective = theme.Effective();
    RoundCorner = theme.Int(TskThemeKey::FormRoundCornerInt);
}

void TskTestControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    Log.push_back("Bounds=" + std::to_string(ALeft) + "," + std::to_string(ATop) + "," + std::to_string(AWidth) + "," +
                  std::to_string(AHeight));
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TskTestControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
}

const TClassInfo& TskStyleOnlyControl::StaticClassInfo() {
    static const TClassInfo info =
        DescribeClass<TskStyleOnlyControl, TCustomControl>("TskStyleOnlyControl", [](auto& c) {
            c.template Enum<TskUIStyle>("UIStyle", &TskStyleOnlyControl::UIStyle, &TskStyleOnlyControl::SetUIStyle,
                                        UIStyleNames());
        });
    return info;
}

const TClassInfo& TskTestFormFrame::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskTestFormFrame, TskTestControl>("TskTestFormFrame", [](auto&) {});
    static const bool registered = (RegisterSkinFormFrame(info), true);
    (void)registered;
    return info;
}

const TClassInfo& TPlainThemedControl::StaticClassInfo() {
    static const TClassInfo info =
        DescribeClass<TPlainThemedControl, TskTestControl>("TPlainThemedControl", [](auto&) {});
    return info;
}
