#pragma once
// TskPopupMenu: a popup menu whose items are measured and painted by the
// menu in the colours of its style or theme file. The title bar's system
// menu derives from it.

#include "ClassInfo.h"
#include "MenuSkin.h"
#include "Menus.h"

class TskPopupMenu : public TPopupMenu, public TskMenuSkin {
public:
    TskPopupMenu() : TskMenuSkin(this) {}
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // Always owner-drawn: reads True, writes are ignored.
    bool OwnerDraw() const override { return true; }
    void SetOwnerDraw(bool) override {}

    // Puts the menu's item handlers on every item, at any depth.
    void HookItems();

    void Loaded() override;

protected:
    void Init() override;
    void BeforeDestruction() override;
    // A removed theme leaves DeepBlue; every menu item that joins the owner
    // is hooked to this menu, whatever menu it belongs to.
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TImageList* UserImages() const override { return Images(); }
    TImageList* ItemCheckImages() const override { return MenuCheckImages(); }
};
