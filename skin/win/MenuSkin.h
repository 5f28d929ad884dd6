#pragma once
// The part that the skinned popup menu and the skinned main menu share: the
// published look (style, theme, sizes, colours, font), applying a style, and
// the item handlers they put on their items. Each menu class derives from its
// class-library menu and from this.

#include "ClassInfo.h"
#include "FileTheme.h"
#include "MenuDrawing.h"
#include "UIStyle.h"

class TComponent;
class TImageList;

class TskMenuSkin {
public:
    const TskMenuLook& Look() const { return look_; }

    TskFileTheme* FileTheme() const { return look_.FileTheme; }
    // Stores the theme, then applies the current style again.
    void SetFileTheme(TskFileTheme* Value);
    TskUIStyle UIStyle() const { return look_.UIStyle; }
    void SetUIStyle(TskUIStyle Value);
    // Both heights stay fixed in MacOS: writes are dropped there.
    int MenuItemHeight() const { return look_.MenuItemHeight; }
    void SetMenuItemHeight(int Value);
    int SeparatorHeight() const { return look_.SeparatorHeight; }
    void SetSeparatorHeight(int Value);
    int BarWidth() const { return look_.BarWidth; }
    void SetBarWidth(int Value) { look_.BarWidth = Value; }
    TColor BarColor() const { return look_.BarColor; }
    void SetBarColor(TColor Value) { look_.BarColor = Value; }
    TColor Color() const { return look_.Color; }
    void SetColor(TColor Value) { look_.Color = Value; }
    TColor SeparatorColor() const { return look_.SeparatorColor; }
    void SetSeparatorColor(TColor Value) { look_.SeparatorColor = Value; }
    TColor SelectedBorderColor() const { return look_.SelectedBorderColor; }
    void SetSelectedBorderColor(TColor Value) { look_.SelectedBorderColor = Value; }
    TColor SelectedColor() const { return look_.SelectedColor; }
    void SetSelectedColor(TColor Value) { look_.SelectedColor = Value; }
    TColor SelectedFontColor() const { return look_.SelectedFontColor; }
    void SetSelectedFontColor(TColor Value) { look_.SelectedFontColor = Value; }
    TColor FontColor() const { return look_.FontColor; }
    void SetFontColor(TColor Value) { look_.FontColor = Value; }
    // Stored only: painting does not use it.
    TColor BorderColor() const { return look_.BorderColor; }
    void SetBorderColor(TColor Value) { look_.BorderColor = Value; }
    bool FlatMenu() const { return look_.FlatMenu; }
    void SetFlatMenu(bool Value) { look_.FlatMenu = Value; }
    const std::string& FontName() const { return look_.FontName; }
    void SetFontName(const std::string& Value) { look_.FontName = Value; }
    int FontSize() const { return look_.FontSize; }
    void SetFontSize(int Value) { look_.FontSize = Value; }
    TFontCharset FontCharset() const { return look_.FontCharset; }
    void SetFontCharset(TFontCharset Value) { look_.FontCharset = Value; }
    bool UseSystemFont() const { return look_.UseSystemFont; }
    void SetUseSystemFont(bool Value);

    // The handlers put on the items (Sender is the item).
    void MeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
    void DrawItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected);
    // Puts both handlers on Item and its sub-items.
    void HookItem(TMenuItem* Item);

protected:
    explicit TskMenuSkin(TComponent* Self) : self_(Self) {}
    virtual ~TskMenuSkin() = default;

    // The image list a user gave the menu (null for none) and the one holding
    // the check mark.
    virtual TImageList* UserImages() const = 0;
    virtual TImageList* ItemCheckImages() const = 0;
    virtual void UseSystemFontChanged() {}

    // For the menu's Notification: a removed theme leaves the menu in DeepBlue.
    void ThemeRemoved(TComponent* AComponent);
    // For the menu's BeforeDestruction: items of the owner that still call
    // this menu's handlers lose them, so none calls into a freed menu.
    void UnhookOwnerItems();

private:
    TComponent* self_;
    TskMenuLook look_;
};

// Publishes the look's properties, FileTheme to UseSystemFont in stored order.
template <class C, class B>
void PublishMenuLook(B& c) {
    c.template Reference<TskFileTheme>("FileTheme", &C::FileTheme, &C::SetFileTheme);
    c.template Enum<TskUIStyle>("UIStyle", &C::UIStyle, &C::SetUIStyle, UIStyleNames());
    c.Int("MenuItemHeight", &C::MenuItemHeight, &C::SetMenuItemHeight);
    c.Int("SeparatorHeight", &C::SeparatorHeight, &C::SetSeparatorHeight);
    c.Int("BarWidth", &C::BarWidth, &C::SetBarWidth);
    c.template Color<TColor>("BarColor", &C::BarColor, &C::SetBarColor);
    c.template Color<TColor>("Color", &C::Color, &C::SetColor);
    c.template Color<TColor>("SeparatorColor", &C::SeparatorColor, &C::SetSeparatorColor);
    c.template Color<TColor>("SelectedBorderColor", &C::SelectedBorderColor, &C::SetSelectedBorderColor);
    c.template Color<TColor>("SelectedColor", &C::SelectedColor, &C::SetSelectedColor);
    c.template Color<TColor>("SelectedFontColor", &C::SelectedFontColor, &C::SetSelectedFontColor);
    c.template Color<TColor>("FontColor", &C::FontColor, &C::SetFontColor);
    c.template Color<TColor>("BorderColor", &C::BorderColor, &C::SetBorderColor);
    c.Bool("FlatMenu", &C::FlatMenu, &C::SetFlatMenu);
    c.String("FontName", &C::FontName, &C::SetFontName);
    c.Int("FontSize", &C::FontSize, &C::SetFontSize);
    c.template Property<TFontCharset>("FontCharset", &C::FontCharset, &C::SetFontCharset);
    c.Bool("UseSystemFont", &C::UseSystemFont, &C::SetUseSystemFont);
}
