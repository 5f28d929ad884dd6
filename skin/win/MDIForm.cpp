#include "MDIForm.h"

#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "FormFrame.h"
#include "FrameDrawing.h"
#include "FrameHooks.h"
#include "GraphicsHandles.h"
#include "MDIArrangement.h"
#include "MainMenu.h"
#include "MenuDrawing.h"
#include "Menus.h"
#include "Panel.h"
#include "SkinPublic.h"
#include "SkinThemes.h"
#include "ThemeKeys.h"

#include <vector>

namespace {

constexpr UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
constexpr const char* kNotOnForm = "Sorry, TskMDIForm must be placed on a form";
constexpr const char* kChildButtonArt = "MDI_CONTROL_BUTTON";
constexpr int kCloseTag = -1381;
constexpr int kRestoreTag = -1382;
constexpr int kMinimizeTag = -1383;

bool InDesign(const TComponent* C) { return C->ComponentState().Contains(csDesigning); }

}  // namespace

const TClassInfo& TskMDIForm::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskMDIForm, TComponent>("TskMDIForm", [](auto& c) {
        c.template Enum<TskUIStyle>("UIStyle", &TskMDIForm::UIStyle, &TskMDIForm::SetUIStyle, UIStyleNames());
        c.template Reference<TskFileTheme>("FileTheme", &TskMDIForm::FileTheme, &TskMDIForm::SetFileTheme);
        c.template Reference<TMainMenu>("Menu", &TskMDIForm::Menu, &TskMDIForm::SetMenu);
        c.template Color<TColor>("MenuBarColor", &TskMDIForm::MenuBarColor, &TskMDIForm::SetMenuBarColor);
        c.template Color<TColor>("BorderColor", &TskMDIForm::BorderColor, &TskMDIForm::SetBorderColor);
        c.String("Caption", &TskMDIForm::Caption, &TskMDIForm::SetCaption);
        c.Bool("TitleBarDrawAppIcon", &TskMDIForm::TitleBarDrawAppIcon, &TskMDIForm::SetTitleBarDrawAppIcon);
        c.Bool("TitleBarCustom", &TskMDIForm::TitleBarCustom, &TskMDIForm::SetTitleBarCustom);
        c.Bool("TitleBarVisible", &TskMDIForm::TitleBarVisible, &TskMDIForm::SetTitleBarVisible);
        c.Object("TitleBarButtons", &TskMDIForm::TitleBarButtons, &TskTitleBarButton::StaticClassInfo);
        c.Object("TitleBarSections", &TskMDIForm::TitleBarSections, &TskTitleBarSection::StaticClassInfo);
        c.Bool("TitleBarDrawChildCaptions", &TskMDIForm::TitleBarDrawChildCaptions,
               &TskMDIForm::SetTitleBarDrawChildCaptions);
        c.Bool("TitleBarDrawChildMenus", &TskMDIForm::TitleBarDrawChildMenus, &TskMDIForm::SetTitleBarDrawChildMenus);
        c.Int("RoundCorner", &TskMDIForm::RoundCorner, &TskMDIForm::SetRoundCorner);
    });
    return info;
}

void TskMDIForm::Init() {
    TComponent::Init();
    auto* form = dynamic_cast<TForm*>(Owner());
    if (!form) throw Exception(kNotOnForm);
    form_ = form;
    ownsAppHook_ = false;
    shownMenu_ = nullptr;
    releasing_ = false;

    form->Constraints()->SetMinHeight(50);
    form->Constraints()->SetMinWidth(125);
    form->SetMenu(nullptr);
    const TFormBorderStyle border = form->BorderStyle();
    if (border == bsNone || border == bsSingle || border == bsToolWindow) form->SetBorderStyle(bsDialog);
    form->SetBorderWidth(0);

    titleBar_ = Create<TskTitleBar>(this);
    titleBar_->SetParent(form);
    titleBar_->SetTop(0);
    titleBar_->SetLeft(0);
    titleBar_->SetCaption(form->Caption());

    drawChildCaptions_ = true;
    drawChildMenus_ = true;

    CreateMenuBar();
    RefreshMenuBar();
    SetUIStyle(TskUIStyle::DeepBlue);
    form->AutoScroll = false;
    ClearFormCaption();

    savedWindowProc_ = form->WindowProc;
    ownWindowProc_ = TWndMethod::Bind<&TskMDIForm::FormWindowProc>(this);
    form->WindowProc = ownWindowProc_;
    savedClientProc_ = form->ClientWindowProc;
    ownClientProc_ = TWndMethod::Bind<&TskMDIForm::ClientWindowProc>(this);
    form->ClientWindowProc = ownClientProc_;
    hooked_ = true;
    ownsAppHook_ = TakeAppMessageHook<&TskMDIForm::AppMessage>(this);
    SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
}

void TskMDIForm::ClearFormCaption() {
    HWND wnd = form_->Handle();
    const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
    if (style & WS_CAPTION) SetWindowLongPtrA(wnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
}

void TskMDIForm::BeforeDestruction() {
    releasing_ = true;
    DestroyMenuBar();
    if (titleBar_) {
        TskTitleBar* bar = titleBar_;
        titleBar_ = nullptr;
        bar->Free();
    }
    if (!InDesign(this)) Release();
    TComponent::BeforeDestruction();
}

// Gives the form back its caption, its window procedure, its client's
// procedure and the application hook, each only while it is still ours:
// whoever hooked after us keeps their hook, and ours never runs again.
void TskMDIForm::Release() {
    releasing_ = true;
    if (!hooked_ || !form_) return;
    hooked_ = false;
    if (form_->WindowProc == ownWindowProc_) form_->WindowProc = savedWindowProc_;
    if (form_->ClientWindowProc == ownClientProc_) form_->ClientWindowProc = savedClientProc_;
    RestoreFormCaption(form_);
    ReleaseAppMessageHook<&TskMDIForm::AppMessage>(this, ownsAppHook_);
}

void TskMDIForm::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (!AComponent) return;
    if (Operation == opInsert) {
        // Whatever joins the form, the bars stay at its top, title bar first.
        // The bar sits in its panel, so the panel is put at the top as well.
        if (menuBar_) menuBar_->SetTop(0);
        if (menuPanel_) menuPanel_->SetTop(0);
        if (titleBar_) titleBar_->SetTop(0);
        return;
    }
    if (AComponent == menu_) {
        menu_ = nullptr;
        RefreshMenuBar();
    }
    if (AComponent == shownMenu_) shownMenu_ = nullptr;
    if (AComponent == menuBar_) menuBar_ = nullptr;
    if (AComponent == menuPanel_) menuPanel_ = nullptr;
    if (AComponent == titleBar_) titleBar_ = nullptr;
    for (auto*& button : childButtons_)
        if (AComponent == button) button = nullptr;
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
    if (AComponent == this) {
        if (TskMainMenu* menu = SkinMenu(); menu && menu->LinkedForm()) menu->SetLinkedForm(nullptr);
        Release();
    }
}

TskMainMenu* TskMDIForm::SkinMenu() const { return dynamic_cast<TskMainMenu*>(menu_); }

TskToolBarSpeedButton* TskMDIForm::ChildButton(int Index) const {
    return Index >= 0 && Index < 3 ? childButtons_[Index] : nullptr;
}

// ---- properties

std::string TskMDIForm::Caption() const { return form_ ? form_->Caption() : std::string(); }

void TskMDIForm::SetCaption(const std::string& Value) {
    if (form_) form_->SetCaption(Value);
    if (titleBar_) titleBar_->SetCaption(Value);
}

void TskMDIForm::SetTitleBarDrawAppIcon(bool Value) {
    if (titleBar_) titleBar_->SetDrawAppIcon(Value);
}

void TskMDIForm::SetTitleBarCustom(bool Value) {
    if (titleBar_) titleBar_->SetCustom(Value);
}

void TskMDIForm::SetTitleBarVisible(bool Value) {
    if (!titleBar_ || Value == titleBar_->Visible()) return;
    titleBar_->SetVisible(Value);
    titleBar_->SetTop(0);
}

void TskMDIForm::SetMenu(TMainMenu* Value) {
    if (TskMainMenu* old = SkinMenu(); old && old->LinkedForm()) old->SetLinkedForm(nullptr);
    if (menu_ && menu_ != Value) menu_->RemoveFreeNotification(this);
    menu_ = Value;
    if (menu_) menu_->FreeNotification(this);
    RefreshMenuBar();
}

void TskMDIForm::SetMenuBarColor(TColor Value) {
    menuBarColor_ = Value;
    if (menuBar_) menuBar_->SetColor(Value);
}

void TskMDIForm::SetBorderColor(TColor Value) {
    borderColor_ = Value;
    if (!InDesign(this)) PaintFormBorder();
}

void TskMDIForm::SetRoundCorner(int Value) {
    roundCorner_ = Value;
    UpdateFormRegion();
}

void TskMDIForm::SetFileTheme(TskFileTheme* Value) {
    if (Value == fileTheme_) return;
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskMDIForm::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    const TskResolvedTheme theme(fileTheme_, Value);
    SetBorderColor(theme.Color(TskThemeKey::FormBorderColor));
    SetMenuBarColor(theme.Color(TskThemeKey::FormBackgroundColor));
    borderWidth_ = theme.Int(TskThemeKey::FormBorderWidthInt);
    if (const auto dark = ThemeDarkMenuBarColor(theme)) SetMenuBarColor(*dark);
    SetRoundCorner(theme.Int(TskThemeKey::FormRoundCornerInt));
    if (TskMainMenu* menu = SkinMenu()) {
        menu->SetUIStyle(uiStyle_);
        menu->SetFileTheme(fileTheme_);
    }
    if (!titleBar_) return;
    titleBar_->SetFileTheme(fileTheme_);
    titleBar_->SetUIStyle(uiStyle_);
    if (!InDesign(this))
        for (auto* button : childButtons_)
            if (button) button->SetColor(menuBarColor_);
    // The frame's region rounds the corners; the bar itself stays square.
    titleBar_->SetRoundCorner(0);
    PaintFormBorder();
}

// ---- menu bar

void TskMDIForm::CreateMenuBar() {
    if (menuBar_ || !form_) return;
    menuPanel_ = Create<TPanel>(this);
    menuPanel_->SetBevelOuter(bvNone);
    menuPanel_->SetBevelInner(bvNone);
    menuPanel_->SetAlign(alTop);
    menuPanel_->SetParent(form_);
    // Not auto-sized: the class library would size a top-aligned panel's
    // width to its contents too, and the child buttons anchored to its right
    // edge would pull it ever narrower. The bar's height is given to the
    // panel whenever the bar is refreshed instead.
    menuPanel_->SetVisible(false);

    menuBar_ = Create<TToolBar>(this);
    menuBar_->SetParent(menuPanel_);
    menuBar_->SetFlat(true);
    menuBar_->SetEdgeBorders({});
    menuBar_->SetShowCaptions(true);
    menuBar_->SetAutoSize(true);
    menuBar_->SetColor(menuBarColor_);
    menuBar_->OnCustomDrawButton = TToolBarCustomDrawButtonEvent::Bind<&TskMDIForm::DrawMenuBarButton>(this);
    menuBar_->OnCustomDraw = TToolBarCustomDrawEvent::Bind<&TskMDIForm::DrawMenuBarBackground>(this);
    if (titleBar_) titleBar_->SetTop(0);

    if (InDesign(this)) return;
    TBitmap art;
    art.LoadFromResourceName(nullptr, kChildButtonArt);
    int x = menuPanel_->Width() - 20;
    for (int i = 1; i <= 3; ++i) {
        auto* button = Create<TskToolBarSpeedButton>(this);
        button->SetVisible(false);
        button->SetParent(menuPanel_);
        button->SetAnchors({akTop, akRight});
        TBitmap glyph;
        ExtractBitmapFrame(&art, &glyph, 3, 4 - i);
        glyph.SetTransparent(true);
        button->SetGlyph(&glyph);
        button->SetLeft(x);
        button->SetTop(1);
        button->Tag = -1380 - i;
        button->OnClick = TNotifyEvent::Bind<&TskMDIForm::ChildButtonClick>(this);
        button->SetColor(menuBar_->Color());
        button->BringToFront();
        childButtons_[i - 1] = button;
        x -= 18;
    }
}

void TskMDIForm::DestroyMenuBar() {
    if (menuBar_) {
        if (!InDesign(this))
            for (auto*& button : childButtons_)
                if (button) {
                    TskToolBarSpeedButton* b = button;
                    button = nullptr;
                    b->Free();
                }
        TToolBar* bar = menuBar_;
        menuBar_ = nullptr;
        bar->Free();
        if (menuPanel_) {
            TPanel* panel = menuPanel_;
            menuPanel_ = nullptr;
            panel->Free();
        }
    }
    if (menu_) menu_->RemoveFreeNotification(this);
    menu_ = nullptr;
    shownMenu_ = nullptr;
}

TMainMenu* TskMDIForm::EffectiveMenu() const {
    if (!drawChildMenus_ || !titleBar_ || !form_) return menu_;
    TCustomForm* child = form_->ActiveMDIChild();
    // A child on its way out still is the active one while it goes.
    if (!child || child->ComponentState().Contains(csDestroying)) return menu_;
    if (child->Menu()) return child->Menu();
    for (int i = 0; i < child->ControlCount(); ++i)
        if (auto* frame = dynamic_cast<TskForm*>(child->Controls(i))) {
            if (frame->Menu()) return frame->Menu();
            break;
        }
    return menu_;
}

void TskMDIForm::RefreshMenuBar() {
    TMainMenu* menu = EffectiveMenu();
    if (shownMenu_ && shownMenu_ != menu && shownMenu_ != menu_) shownMenu_->RemoveFreeNotification(this);
    shownMenu_ = menu;
    if (menu && menu != menu_) menu->FreeNotification(this);
    if (!menu) {
        if (menuPanel_) menuPanel_->SetVisible(false);
        return;
    }
    if (!menuBar_ || !menuPanel_) return;
    if (titleBar_) titleBar_->SetTop(0);
    menuPanel_->Constraints()->SetMinHeight(menuBar_->Height());
    TMenuItem* items = menu->Items();
    const int n = items->Count();
    while (menuBar_->ButtonCount() > n) menuBar_->Buttons(0)->Free();
    while (menuBar_->ButtonCount() < n) {
        auto* button = Create<TToolButton>(this);
        button->SetGrouped(true);
        button->SetButtonAutoSize(true);
        button->SetParent(menuBar_);
    }
    // The class library's tool button takes nothing from its menu item:
    // caption and state are copied with it.
    for (int i = n - 1; i >= 0; --i) {
        TToolButton* button = menuBar_->Buttons(i);
        TMenuItem* item = items->Items(i);
        button->SetMenuItem(item);
        button->SetCaption(item->Caption());
        button->SetEnabled(item->Enabled());
    }
    menuPanel_->SetVisible(true);
    menuPanel_->Constraints()->SetMinHeight(menuBar_->Height());
    menuPanel_->SetHeight(menuBar_->Height());
}

void TskMDIForm::DrawMenuBarButton(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw) {
    DefaultDraw = false;
    // Unlike the form frame's bar: always the frame's own style and theme (the
    // font still from a skinned menu), and a disabled item keeps the normal
    // colour.
    const HFONT font = SkinMenu() ? MenuItemFont(SkinMenu()->Look(), false) : nullptr;
    DrawFrameMenuBarButton(Sender, Button, State, uiStyle_, TskResolvedTheme(fileTheme_, uiStyle_), font, false);
}

void TskMDIForm::DrawMenuBarBackground(TToolBar* Sender, const TRect& ARect, bool&) {
    if (uiStyle_ == TskUIStyle::MacOS) DrawMacOSMenuBarBackground(Sender->Canvas(), ARect);
}

void TskMDIForm::CheckMenuShortCut(TMessage& Message) {
    if (releasing_) return;
    TMainMenu* menu = EffectiveMenu();
    Message.Result = (menu && menu->IsShortCut(Message.WParam)) ? 1 : 0;
}

// ---- MDI children

TskForm* TskMDIForm::ActiveChildFrame() const {
    TCustomForm* child = form_ ? form_->ActiveMDIChild() : nullptr;
    if (!child) return nullptr;
    for (int i = 0; i < child->ControlCount(); ++i)
        if (auto* frame = dynamic_cast<TskForm*>(child->Controls(i))) return frame;
    return nullptr;
}

void TskMDIForm::ShowChildButtons() {
    TskForm* frame = ActiveChildFrame();
    if (!frame || !frame->TitleBarButtons()) return;
    TskTitleBarButtons* buttons = frame->TitleBarButtons();
    for (int i = 0; i < buttons->Count(); ++i) {
        int index = -1;
        switch (buttons->Items(i)->ButtonType()) {
            case TskTitleBarBtnType::skClose: index = 0; break;
            case TskTitleBarBtnType::skMax: index = 1; break;
            case TskTitleBarBtnType::skMin: index = 2; break;
            default: break;
        }
        if (index < 0 || !childButtons_[index]) continue;
        childButtons_[index]->SetVisible(true);
        // Above the bar, whose window may have been made after the button's.
        childButtons_[index]->BringToFront();
    }
}

void TskMDIForm::HideChildButtons() {
    for (auto* button : childButtons_)
        if (button) button->SetVisible(false);
}

void TskMDIForm::ChildButtonClick(TObject* Sender) {
    auto* button = dynamic_cast<TskToolBarSpeedButton*>(Sender);
    if (!button || !form_) return;
    TCustomForm* child = form_->ActiveMDIChild();
    if (!child) return;
    switch (button->Tag) {
        case kMinimizeTag: ShowWindow(child->Handle(), SW_SHOWMINIMIZED); break;
        case kRestoreTag: child->SetWindowState(wsNormal); break;
        case kCloseTag: child->Close(); break;
        default: return;
    }
    Application->ProcessMessages();
}

int TskMDIForm::AlignedHeight() const {
    int s = 0;
    for (int i = 0; i < form_->ControlCount(); ++i) {
        TControl* c = form_->Controls(i);
        // A hidden bar (the menu panel without a menu) takes no room.
        if (c->Visible() && (c->Align() == alTop || c->Align() == alBottom)) s += c->Height();
    }
    return s;
}

void TskMDIForm::TileChildren() {
    if (!form_) return;
    const int count = form_->MDIChildCount();
    std::vector<bool> minimized;
    for (int i = 0; i < count; ++i) minimized.push_back(IsIconic(form_->MDIChildren(i)->Handle()) != FALSE);
    const auto places = TileMDIChildren(form_->ClientWidth(), form_->ClientHeight(), AlignedHeight(), minimized,
                                        form_->TileMode == tbVertical);
    // Looked up once: placing a child must not change which one is which.
    std::vector<TCustomForm*> children;
    for (int i = 0; i < count; ++i) children.push_back(form_->MDIChildren(i));
    for (const TMDIChildPlace& p : places)
        children[static_cast<size_t>(p.Child)]->SetBounds(p.Left, p.Top, p.Width, p.Height);
}

void TskMDIForm::CascadeChildren() {
    if (!form_) return;
    const int count = form_->MDIChildCount();
    std::vector<bool> minimized;
    std::vector<TCustomForm*> children;
    for (int i = 0; i < count; ++i) {
        children.push_back(form_->MDIChildren(i));
        minimized.push_back(IsIconic(children.back()->Handle()) != FALSE);
    }
    for (const TMDIChildPlace& p : CascadeMDIChildren(form_->ClientWidth(), form_->ClientHeight(), minimized))
        children[static_cast<size_t>(p.Child)]->SetBounds(p.Left, p.Top, p.Width, p.Height);
}

// ---- hooks

void TskMDIForm::ClientWindowProc(TMessage& Message) {
    savedClientProc_(Message);
    if (releasing_) return;
    switch (Message.Msg) {
        case WM_MDIREFRESHMENU:
            RefreshMenuBar();
            SetCaption(Caption());
            break;
        case WM_MDIMAXIMIZE:
            ShowChildButtons();
            SetCaption(Caption());
            break;
        case WM_MDIRESTORE:
            HideChildButtons();
            SetCaption(Caption());
            break;
        case WM_MDITILE: TileChildren(); break;
        case WM_MDICASCADE: CascadeChildren(); break;
        default: break;
    }
}

void TskMDIForm::FormWindowProc(TMessage& Message) {
    if (releasing_) {
        savedWindowProc_(Message);
        return;
    }
    if (Message.Msg != WM_NCPAINT) savedWindowProc_(Message);
    if (releasing_ || !form_) return;
    switch (Message.Msg) {
        case WM_KEYDOWN: CheckMenuShortCut(Message); break;
        case WM_NCPAINT: PaintFormBorder(); break;
        case CM_RECREATEWND:
            if (form_->HandleAllocated() && (GetWindowLongPtrA(form_->Handle(), GWL_STYLE) & WS_CAPTION)) {
                ClearFormCaption();
                SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
            }
            break;
        case WM_ACTIVATE:
            if (titleBar_) titleBar_->SetFormActive(LOWORD(Message.WParam) != WA_INACTIVE);
            break;
        case WM_SIZE: HandleFormSize(); break;
        default: break;
    }
}

void TskMDIForm::HandleFormSize() {
    const bool maximized = form_->WindowState() == wsMaximized;
    if (maximized && InDesign(this)) return;
    if (maximized && form_->FormStyle() != fsMDIChild) {
        TRect area = GetDesktopWorkArea();
        area.Bottom -= 1;
        // Placing sends WM_SIZE again, which must find nothing left to do.
        if (form_->BoundsRect() != area) PlaceControl(form_, area);
    }
    PaintFormBorder();
    UpdateFormRegion();
}

void TskMDIForm::AppMessage(MSG& Msg, bool& Handled) {
    if (Msg.message != WM_KEYDOWN) return;
    TMessage m{Msg.message, Msg.wParam, Msg.lParam, 0};
    CheckMenuShortCut(m);
    Handled = m.Result == 1;
}

// ---- border and region

void TskMDIForm::PaintFormBorder() {
    if (releasing_ || !form_ || !form_->HandleAllocated()) return;
    if (form_->BorderWidth() != 0) form_->SetBorderWidth(0);
    TskFrameBorderLook look;
    look.BorderWidth = borderWidth_;
    look.BorderColor = borderColor_;
    look.InnerColor = menuBarColor_;
    // The side bands start under the bar's place even while it is hidden.
    look.SideBandTop = titleBar_ ? titleBar_->Height() : 0;
    look.RoundCorner = roundCorner_;
    look.Designing = InDesign(this);
    PaintFrameBorder(form_->Handle(), look, titleBar_);
}

void TskMDIForm::UpdateFormRegion() {
    if (InDesign(this) || !form_ || !form_->HandleAllocated()) return;
    SetFrameRegion(form_->Handle(), roundCorner_);
}
