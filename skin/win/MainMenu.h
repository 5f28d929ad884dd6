#pragma once
// TskMainMenu: a form's main menu whose items, at any depth, are measured and
// painted by the menu in the colours of its style or theme file. It is not
// the window's native menu bar: on creation it takes itself off the form and
// gives itself to the form's frame, whose menu bar shows the top-level items
// as buttons and drops their sub-menus.

#include "ClassInfo.h"
#include "ImageList.h"
#include "MenuSkin.h"
#include "Menus.h"

#include <memory>

// The frame that shows a main menu as its menu bar. The frame sets itself as
// the menu's LinkedForm when the menu becomes its Menu, and clears it again.
class TskMenuBarHost {
public:
    // The menu's items were hooked anew: make the bar's buttons again.
    virtual void RebuildMenuBar() = 0;
    // Captions or enabled states may have changed: copy them to the buttons.
    virtual void RefreshMenuBarButtons() = 0;
    // The menu's font choice changed: give the bar the menu's font.
    virtual void UpdateMenuBarFont() = 0;

protected:
    ~TskMenuBarHost() = default;
};

class TskMainMenu : public TMainMenu, public TskMenuSkin {
public:
    TskMainMenu() : TskMenuSkin(this) {}
    ~TskMainMenu() override;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // The user's image list: null while the menu's own check-mark list is the
    // one in use. Null puts the check-mark list back.
    TImageList* Images() const override;
    void SetImages(TImageList* Value) override;
    // Always owner-drawn: reads True, writes are ignored.
    bool OwnerDraw() const override { return true; }
    void SetOwnerDraw(bool) override {}

    TskMenuBarHost* LinkedForm() const { return linkedForm_; }
    void SetLinkedForm(TskMenuBarHost* Value) { linkedForm_ = Value; }

    // Puts the item handlers on every item at any depth, then has the linked
    // frame rebuild its bar.
    void HookAllItems();

    void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override;
    void Loaded() override;
    // Takes the menu off its form's own Menu and gives it, by the property
    // "Menu", to the first form frame among the form's child controls.
    void AfterConstruction() override;

protected:
    void Init() override;
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TImageList* UserImages() const override { return Images(); }
    TImageList* ItemCheckImages() const override;
    void UseSystemFontChanged() override;

private:
    TOwned<TImageList> checkImages_;
    TskMenuBarHost* linkedForm_ = nullptr;
};
