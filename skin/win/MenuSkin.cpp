#include "MenuSkin.h"

#include "Component.h"
#include "Menus.h"

void TskMenuSkin::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(self_, look_.FileTheme, Value);
    SetUIStyle(look_.UIStyle);
}

void TskMenuSkin::SetUIStyle(TskUIStyle Value) { ApplyMenuStyle(look_, Value); }

void TskMenuSkin::SetMenuItemHeight(int Value) {
    if (look_.UIStyle != TskUIStyle::MacOS) look_.MenuItemHeight = Value;
}

void TskMenuSkin::SetSeparatorHeight(int Value) {
    if (look_.UIStyle != TskUIStyle::MacOS) look_.SeparatorHeight = Value;
}

void TskMenuSkin::SetUseSystemFont(bool Value) {
    look_.UseSystemFont = Value;
    UseSystemFontChanged();
}

void TskMenuSkin::MeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
    if (auto* item = dynamic_cast<TMenuItem*>(Sender)) MeasureSkinMenuItem(look_, item, ACanvas, Width, Height);
}

void TskMenuSkin::DrawItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected) {
    if (auto* item = dynamic_cast<TMenuItem*>(Sender))
        DrawSkinMenuItem(look_, item, ACanvas, ARect, Selected, UserImages(), ItemCheckImages());
}

void TskMenuSkin::HookItem(TMenuItem* Item) {
    HookMenuItemDrawing(Item, TMenuMeasureItemEvent::Bind<&TskMenuSkin::MeasureItem>(this),
                        TMenuDrawItemEvent::Bind<&TskMenuSkin::DrawItem>(this));
}

void TskMenuSkin::ThemeRemoved(TComponent* AComponent) {
    if (FileThemeRemoved(look_.FileTheme, AComponent, opRemove)) SetUIStyle(TskUIStyle::DeepBlue);
}

namespace {

void Unhook(TMenuItem* Item, const void* Skin) {
    if (Item->OnDrawItem.Target() == Skin) Item->OnDrawItem = {};
    if (Item->OnMeasureItem.Target() == Skin) Item->OnMeasureItem = {};
    for (int i = 0; i < Item->Count(); ++i) Unhook(Item->Items(i), Skin);
}

}  // namespace

void TskMenuSkin::UnhookOwnerItems() {
    if (auto* menu = dynamic_cast<TMenu*>(self_); menu && menu->Items()) Unhook(menu->Items(), this);
    TComponent* owner = self_->Owner();
    if (!owner) return;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* item = dynamic_cast<TMenuItem*>(owner->Components(i))) Unhook(item, this);
}
