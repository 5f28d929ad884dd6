#include "PopupMenu.h"

#include "SkinThemes.h"
#include "TypInfo.h"

const TClassInfo& TskPopupMenu::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskPopupMenu, TPopupMenu>("TskPopupMenu", [](auto& c) {
        c.Bool("OwnerDraw", &TskPopupMenu::OwnerDraw, &TskPopupMenu::SetOwnerDraw);
        PublishMenuLook<TskPopupMenu>(c);
    });
    return info;
}

void TskPopupMenu::Init() {
    TPopupMenu::Init();
    TPopupMenu::SetOwnerDraw(true);
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
}

void TskPopupMenu::BeforeDestruction() {
    UnhookOwnerItems();
    TPopupMenu::BeforeDestruction();
}

void TskPopupMenu::HookItems() {
    for (int i = 0; i < Items()->Count(); ++i) HookItem(Items()->Items(i));
}

void TskPopupMenu::Loaded() {
    TPopupMenu::Loaded();
    HookItems();
}

void TskPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TPopupMenu::Notification(AComponent, Operation);
    if (Operation == opRemove) ThemeRemoved(AComponent);
    if (Operation == opInsert)
        if (auto* item = dynamic_cast<TMenuItem*>(AComponent)) HookItem(item);
}
