#include "ThemeManager.h"

#include "FileTheme.h"
#include "Form.h"
#include "TypInfo.h"

const TClassInfo& TskThemeManager::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskThemeManager, TComponent>("TskThemeManager", [](auto& c) {
        c.template Enum<TskUIStyle>("UIStyle", &TskThemeManager::UIStyle, &TskThemeManager::SetUIStyle, UIStyleNames());
        c.template Reference<TskFileTheme>("FileTheme", &TskThemeManager::FileTheme, &TskThemeManager::SetFileTheme);
        c.Object("CompList", &TskThemeManager::CompList);
        c.Event("OnUIStyleChanged", &TskThemeManager::OnUIStyleChanged);
    });
    return info;
}

void TskThemeManager::SetUIStyle(TskUIStyle Value) {
    const TskUIStyle old = uiStyle_;
    uiStyle_ = Value;
    UpdateComponents();
    if (Value != old && OnUIStyleChanged) OnUIStyleChanged(this);
}

void TskThemeManager::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskThemeManager::SetCompList(TStrings* Value) { compList_.Assign(Value); }

void TskThemeManager::UpdateComponents() {
    TComponent* owner = Owner();
    if (!owner || !(owner->Is<TForm>() || owner->Is<TCustomFrame>())) return;
    for (int i = 0; i < compList_.Count(); ++i) {
        TComponent* c = owner->FindComponent(compList_.Strings(i));
        if (!c) continue;
        SetOrdProp(c, "UIStyle", static_cast<std::int64_t>(uiStyle_));
        SetObjectProp(c, "FileTheme", fileTheme_);
    }
}

void TskThemeManager::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent == this) return;
    // The name may be listed in another spelling of case; the form finds
    // components regardless of case, so the list is searched the same way.
    for (int i = compList_.Count() - 1; i >= 0; --i)
        if (!AComponent->Name().empty() && SameName(compList_.Strings(i), AComponent->Name())) compList_.Delete(i);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) uiStyle_ = TskUIStyle::DeepBlue;
}
