#pragma once
// TskThemeManager hands one style and one file theme to the components of its
// form that it names in CompList, by property name ("UIStyle", then
// "FileTheme").

#include "ClassInfo.h"
#include "Component.h"
#include "Strings.h"
#include "UIStyle.h"

class TskFileTheme;

class TskThemeMgrCompList : public TStringList {
public:
    std::string ClassName() const override { return "TskThemeMgrCompList"; }
};

class TskThemeManager : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskUIStyle UIStyle() const { return uiStyle_; }
    // Pushes to the listed components every time, also when the style is the
    // one already set; OnUIStyleChanged fires only when it differs.
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    TskThemeMgrCompList* CompList() { return &compList_; }
    void SetCompList(TStrings* Value);

    // Sets "UIStyle" and "FileTheme" on each component of the owning form (or
    // frame) named in CompList, in list order; names that match nothing are
    // skipped. A named component without those properties raises the
    // library's property error.
    void UpdateComponents();

    TNotifyEvent OnUIStyleChanged;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    TskThemeMgrCompList compList_;
};
