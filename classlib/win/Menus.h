#pragma once
// Menus on real HMENUs: a tree of TMenuItem components under a TMenu, shown
// as a form's menu bar (TMainMenu) or at a point (TPopupMenu). Every item has
// a command number unique in the process; command and owner-draw messages
// carry it, so DispatchMenuMessage finds the item from any window: a form
// passes its messages for its menu bar on, and the popups have a hidden
// window of their own that does the same.

#include "Canvas.h"
#include "Component.h"
#include "ControlTypes.h"
#include "GraphicsTypes.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TMenu;
class TMenuItem;
class TImageList;

// A key with modifiers: the virtual-key code in the low byte.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(std::uint16_t Key, TShiftState Shift);
// "Ctrl+S", "Shift+Ctrl+F5", "Alt+Enter", "Del"; empty for none or an unnamed key.
std::string ShortCutToText(TShortCut Value);

enum TMenuAutoFlag { maAutomatic, maManual, maParent };

// (Sender item, canvas, var width, var height)
using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas*, int&, int&>;
// (Sender item, canvas, item rectangle, selected)
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas*, TRect, bool>;
// (Sender, the item that changed or null for the whole menu, rebuild)
using TMenuChangeEvent = TEvent<TObject*, TMenuItem*, bool>;

class TMenuItem : public TComponent {
public:
    TMenuItem() = default;
    // Public so the class registry can make items; Free() still destroys them.
    ~TMenuItem() override;
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& Value);
    bool IsLine() const { return caption_ == "-"; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    bool Checked() const { return checked_; }
    void SetChecked(bool Value);
    // The menu's default item (drawn bold, run by a double click on a tray icon and the like).
    bool Default() const { return default_; }
    void SetDefault(bool Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut Value);

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EMenuError "Menu index out of range" for a bad index.
    TMenuItem* Items(int Index) const;
    int IndexOf(const TMenuItem* Item) const;
    // Adds Item at the end (Insert: before Index); it leaves any parent it had.
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes Item out of this item without freeing it.
    void Remove(TMenuItem* Item);
    // Frees every sub-item.
    void Clear();
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
    // The menu the item belongs to, or null.
    TMenu* GetParentMenu() const;

    // The number of WM_COMMAND and owner-draw messages for this item.
    UINT Command() const { return command_; }

    // In a description an item stands inside its menu or its parent item.
    void SetParentComponent(TComponent* Value) override;

    virtual void Click();
    // Whether any sub-item would show in a menu.
    bool HasVisibleItems() const;
    // Shows the visible sub-items as a popup menu whose top-left corner is at
    // the screen point (X, Y), kept off the screen rectangle Avoid (the tool
    // button it drops from). Answers the item the user chose, or null; its
    // Click is left to the caller, who may have to tidy up first.
    TMenuItem* PopupSubItems(int X, int Y, const TRect& Avoid);
    // Owner drawing: the events when assigned, else a plain drawing of the caption.
    virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
    virtual void DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected);

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

protected:
    void Init() override;
    void BeforeDestruction() override;
    // Tells the menu that this item (Rebuild: its list of items) changed.
    void MenuChanged(bool Rebuild);

private:
    friend class TMenu;
    void AppendTo(HMENU Menu, bool OwnerDraw) const;

    std::string caption_;
    bool enabled_ = true;
    bool checked_ = false;
    bool default_ = false;
    bool visible_ = true;
    int imageIndex_ = -1;
    TShortCut shortCut_ = 0;
    UINT command_ = 0;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root item only
    std::vector<TMenuItem*> items_;
};

class EMenuError : public Exception { using Exception::Exception; };

class TMenu : public TComponent {
public:
    ~TMenu() override;
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    // The root item; its sub-items are the menu's items.
    TMenuItem* Items() const { return items_; }
    // The menu's HMENU, made on first use and kept in step with the items.
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    virtual TImageList* Images() const { return images_; }
    virtual void SetImages(TImageList* Value);
    virtual bool OwnerDraw() const { return ownerDraw_; }
    virtual void SetOwnerDraw(bool Value);
    // Kept for descriptions; captions are used as they are.
    TMenuAutoFlag AutoHotkeys() const { return autoHotkeys_; }
    void SetAutoHotkeys(TMenuAutoFlag Value) { autoHotkeys_ = Value; }
    bool AutoLineReduction = true;
    bool AutoMerge = false;

    // The item with that command number in this menu, or null.
    TMenuItem* FindItem(UINT Command) const;
    // Runs the enabled, visible item with that shortcut (its parents enabled
    // and visible too); false when there is none.
    bool DispatchShortCut(TShortCut Key);
    // Tells the menu that Source (null: the whole menu) changed; the
    // default brings the HMENU up to date and fires OnChange.
    virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);

    TMenuChangeEvent OnChange;

    void Loaded() override;

protected:
    void Init() override;
    void BeforeDestruction() override;
    virtual HMENU CreateMenuHandle() = 0;
    // Re-fills the HMENU from the items.
    void RebuildHandle();
    // Called after the HMENU changed (a menu bar redraws itself).
    virtual void HandleChanged() {}

private:
    TMenuItem* items_ = nullptr;
    HMENU handle_ = nullptr;
    TImageList* images_ = nullptr;
    bool ownerDraw_ = false;
    TMenuAutoFlag autoHotkeys_ = maAutomatic;
};

class TMainMenu : public TMenu {
public:
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    // The window whose menu bar this menu is (set by the form); the bar is
    // redrawn when the items change.
    HWND WindowHandle() const { return window_; }
    void SetWindowHandle(HWND Value);
    // For a form's key handling: runs the item whose shortcut is this
    // key-down message's key with the keys held now; true when one ran.
    bool IsShortCut(WPARAM VirtualKey);

protected:
    HMENU CreateMenuHandle() override;
    void HandleChanged() override;

private:
    HWND window_ = nullptr;
};

class TPopupMenu : public TMenu {
public:
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    // Fires OnPopup, then shows the menu at the screen point (X, Y) and runs
    // the chosen item's Click once it has closed.
    virtual void Popup(int X, int Y);
    // The control that was right-clicked (set by the control before Popup).
    TComponent* PopupComponent = nullptr;
    bool AutoPopup = true;
    TNotifyEvent OnPopup;

protected:
    HMENU CreateMenuHandle() override;
    virtual void DoPopup(TObject* Sender) { OnPopup(Sender); }
};

// The item with that command number anywhere in the process, or null.
TMenuItem* FindMenuItem(UINT Command);
// Handles the menu messages a window receives (WM_COMMAND from a menu,
// WM_MEASUREITEM and WM_DRAWITEM of menu items): runs the item's Click or its
// owner drawing and answers true with Result set. Other messages: false.
// Menu may be null (any item) or the menu the window shows.
bool DispatchMenuMessage(TMenu* Menu, UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result);
// The hidden window that popups report to (made on first use).
HWND PopupListWindow();
