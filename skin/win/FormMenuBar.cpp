// The frame's menu bar: a flat tool bar below the title bar with one button
// per top-level item of the frame's Menu, drawn by the frame in the colours
// of the menu's style, and the route of the menu's shortcuts, which the form
// no longer sees once its own Menu is gone.
#include "FormFrame.h"

#include "Application.h"
#include "Bitmap.h"
#include "MainMenu.h"
#include "MenuDrawing.h"
#include "Form.h"
#include "FrameDrawing.h"
#include "Menus.h"
#include "SkinPublic.h"
#include "ThemeKeys.h"

#include <windows.h>

TskUIStyle TskForm::MenuStyle() const { return SkinMenu() ? SkinMenu()->UIStyle() : uiStyle_; }

TskFileTheme* TskForm::MenuTheme() const { return SkinMenu() ? SkinMenu()->FileTheme() : fileTheme_; }

void TskForm::CreateMenuBar() {
    if (menuBar_ || !form_ || form_->FormStyle() == fsMDIChild) return;
    menuBar_ = Create<TToolBar>(this);
    menuBar_->SetParent(this);
    menuBar_->SetFlat(true);
    menuBar_->SetEdgeBorders({});
    menuBar_->SetShowCaptions(true);
    menuBar_->SetHeight(menuBarHeight_);
    menuBar_->SetColor(menuBarColor_);
    if (!ComponentState().Contains(csDesigning)) menuBar_->OnCustomDrawButton = TToolBarCustomDrawButtonEvent::Bind<&TskForm::DrawMenuBarButton>(this);
    menuBar_->OnCustomDraw = TToolBarCustomDrawEvent::Bind<&TskForm::DrawMenuBarBackground>(this);
    menuBar_->SetWrapable(true);
    menuBar_->SetAutoSize(true);
    if (titleBar_) titleBar_->SetTop(0);
}

void TskForm::DestroyMenuBar() {
    if (menuBar_ && !(form_ && form_->FormStyle() == fsMDIChild)) {
        TToolBar* bar = menuBar_;
        menuBar_ = nullptr;
        bar->Free();
    }
    if (menu_) {
        menu_->RemoveFreeNotification(this);
        menu_ = nullptr;
    }
}

void TskForm::SetMenu(TMainMenu* Value) {
    if (TskMainMenu* old = SkinMenu(); old && old->LinkedForm() == this) old->SetLinkedForm(nullptr);
    if (menu_ && menu_ != Value) menu_->RemoveFreeNotification(this);
    menu_ = Value;
    if (TskMainMenu* menu = SkinMenu()) menu->SetLinkedForm(this);
    if (menu_) {
        menu_->FreeNotification(this);
        if (!menuBar_) CreateMenuBar();
        RebuildMenuBar();
    } else {
        DestroyMenuBar();
    }
    // An MDI child's menu shows on the parent's bar while the child is the
    // active one; activation alone would not bring a menu given later there.
    if (form_ && form_->FormStyle() == fsMDIChild && form_->HandleAllocated() && Application) {
        TCustomForm* main = Application->MainForm();
        if (main && main->ClientHandle() && main->ActiveMDIChild() == form_)
            SendMessageA(main->ClientHandle(), WM_MDIREFRESHMENU, 0, 0);
    }
}

void TskForm::RebuildMenuBar() {
    if (!menuBar_) return;
    if (!menu_) {
        DestroyMenuBar();
        return;
    }
    menuBar_->SetAutoSize(false);
    while (menuBar_->ButtonCount() > 0) menuBar_->Buttons(menuBar_->ButtonCount() - 1)->Free();
    TMenuItem* items = menu_->Items();
    // Each new button enters the bar at its front: made last to first, they
    // stand in menu order.
    for (int i = items->Count() - 1; i >= 0; --i) {
        TMenuItem* item = items->Items(i);
        auto* button = Create<TToolButton>(this);
        // Made whole before it joins the bar, so that the bar lays its
        // buttons out once with their own widths. The class library's tool
        // button takes nothing from its menu item: caption and state are
        // copied here.
        button->SetCaption(item->Caption());
        button->SetEnabled(item->Enabled());
        button->SetGrouped(true);
        button->SetMenuItem(item);
        button->SetButtonAutoSize(true);
        button->SetParent(menuBar_);
    }
    menuBar_->SetAutoSize(true);
}

void TskForm::RefreshMenuBarButtons() {
    if (!menuBar_) return;
    for (int i = 0; i < menuBar_->ButtonCount(); ++i) {
        TToolButton* button = menuBar_->Buttons(i);
        if (TMenuItem* item = button->MenuItem()) {
            button->SetCaption(item->Caption());
            button->SetEnabled(item->Enabled());
        }
    }
}

void TskForm::UpdateMenuBarFont() {
    if (!menuBar_ || !menu_) return;
    if (TskMainMenu* menu = SkinMenu()) {
        TFont* font = menuBar_->Font();
        if (menu->UseSystemFont()) {
            LOGFONTA lf{};
            if (GetObjectA(MenuItemFont(menu->Look(), false), sizeof lf, &lf) == sizeof lf) {
                font->SetName(lf.lfFaceName);
                font->SetHeight(lf.lfHeight);
                font->SetCharset(lf.lfCharSet);
            }
        } else {
            font->SetName(menu->FontName());
            font->SetSize(menu->FontSize());
            font->SetCharset(menu->FontCharset());
        }
    }
    menuBar_->Invalidate();
}

void TskForm::SetMenuBarColor(TColor Value) {
    menuBarColor_ = Value;
    if (menuBar_) menuBar_->SetColor(Value);
}

void TskForm::SetMenuBarHeight(int Value) {
    menuBarHeight_ = Value;
    if (!menuBar_) return;
    menuBar_->SetHeight(Value);
    for (int i = 0; i < menuBar_->ButtonCount(); ++i) menuBar_->Buttons(i)->SetHeight(Value);
}

void TskForm::DrawMenuBarButton(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw) {
    DefaultDraw = false;
    const TskUIStyle style = MenuStyle();
    // The skinned menu's kept font; a plain menu leaves the bar's own.
    const HFONT font = SkinMenu() ? MenuItemFont(SkinMenu()->Look(), false) : nullptr;
    DrawFrameMenuBarButton(Sender, Button, State, style, TskResolvedTheme(MenuTheme(), style), font, true);
}

void TskForm::DrawMenuBarBackground(TToolBar* Sender, const TRect& ARect, bool&) {
    if (MenuStyle() == TskUIStyle::MacOS) DrawMacOSMenuBarBackground(Sender->Canvas(), ARect);
}

void TskForm::CheckMenuShortCut(TMessage& Message) {
    if (releasing_) return;
    // Only the active form's keys reach its menu; the key runs the item.
    Message.Result = (form_ && IsFormActive(form_) && form_->Active() && menu_ && menu_->IsShortCut(Message.WParam)) ? 1 : 0;
}
