#include "MDIForm.h"

#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "FormFrame.h"
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

TColor ThemedColor(TskFileTheme* Theme, TskUIStyle Style, TskThemeKey Key) {
    TskUIStyle effective = Style;
    if (ResolveUIStyle(Theme, Style, effective)) return Theme->ReadColor(Key);
    return BuiltInThemeColor(effective, Key);
}

// One line, centred both ways, transparent; Font null keeps the DC's own.
void DrawBarCaption(HDC DC, HFONT Font, TColor Color, const std::string& Caption, TRect R) {
    TMenuFontSelection font(DC, Font ? Font : static_cast<HFONT>(GetCurrentObject(DC, OBJ_FONT)));
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(Color)));
    DrawTextA(DC, Caption.c_str(), static_cast<int>(Caption.size()), AsRECT(R), DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

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

    if (!Application->OnMessage) {
        Application->OnMessage = TMessageEvent::Bind<&TskMDIForm::AppMessage>(this);
        ownsAppHook_ = true;
    }
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
    if (form_->HandleAllocated()) {
        HWND wnd = form_->Handle();
        SetWindowLongPtrA(wnd, GWL_STYLE, GetWindowLongPtrA(wnd, GWL_STYLE) | WS_CAPTION);
    }
    if (form_->WindowProc == ownWindowProc_) form_->WindowProc = savedWindowProc_;
    if (form_->ClientWindowProc == ownClientProc_) form_->ClientWindowProc = savedClientProc_;
    if (form_->HandleAllocated()) SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
    if (ownsAppHook_ && Application) {
        if (Application->OnMessage == TMessageEvent::Bind<&TskMDIForm::AppMessage>(this)) Application->OnMessage = {};
        ownsAppHook_ = false;
    }
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
    if (AComponent == fileTheme_) {
        fileTheme_ = nullptr;
        SetUIStyle(TskUIStyle::DeepBlue);
    }
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
    if (fileTheme_) fileTheme_->RemoveFreeNotification(this);
    fileTheme_ = Value;
    if (Value) Value->FreeNotification(this);
    SetUIStyle(uiStyle_);
}

void TskMDIForm::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    TskUIStyle effective = Value;
    if (ResolveUIStyle(fileTheme_, Value, effective)) {
        SetBorderColor(fileTheme_->ReadColor(TskThemeKey::FormBorderColor));
        SetMenuBarColor(fileTheme_->ReadColor(TskThemeKey::FormBackgroundColor));
        borderWidth_ = fileTheme_->ReadInt(TskThemeKey::FormBorderWidthInt);
        // Two theme files of the set mark a dark bar by their control font colour.
        const TColor marker = fileTheme_->ReadColor(TskThemeKey::ControlFontColor);
        if (marker == 0x00020000)
            SetMenuBarColor(0x00AC5B3B);
        else if (marker == 0x00030000)
            SetMenuBarColor(0x00996733);
        SetRoundCorner(fileTheme_->ReadInt(TskThemeKey::FormRoundCornerInt));
    } else {
        SetBorderColor(BuiltInThemeColor(effective, TskThemeKey::FormBorderColor));
        SetMenuBarColor(BuiltInThemeColor(effective, TskThemeKey::FormBackgroundColor));
        borderWidth_ = BuiltInThemeInt(effective, TskThemeKey::FormBorderWidthInt);
        SetRoundCorner(BuiltInThemeInt(effective, TskThemeKey::FormRoundCornerInt));
    }
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
    const TskUIStyle style = uiStyle_;
    TskFileTheme* theme = fileTheme_;
    const HFONT font = SkinMenu() ? MenuItemFont(SkinMenu()->Look(), false) : nullptr;
    TCanvas* canvas = Sender->Canvas();
    TRect r = Button->BoundsRect();
    const bool hot = State.Contains(cdsHot), selected = State.Contains(cdsSelected);
    const std::string caption = Button->Caption();
    if ((hot || selected) && style == TskUIStyle::MacOS) {
        TBitmap face;
        face.SetSize(Button->Width(), Button->Height());
        DrawMacOSMenuBarButton(face.Canvas(), Rect(0, 0, Button->Width(), Button->Height()));
        DrawBarCaption(face.Canvas()->Handle(),
                       font ? font : static_cast<HFONT>(GetCurrentObject(canvas->Handle(), OBJ_FONT)),
                       ThemedColor(theme, style, TskThemeKey::MenuSelectedFontColor), caption,
                       Rect(0, 0, Button->Width(), Button->Height() + 2));
        canvas->Draw(Button->Left(), Button->Top(), &face);
        return;
    }
    if (hot || selected) {
        if (selected) r.Right -= 2;
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(ThemedColor(theme, style, TskThemeKey::MenuSelectedBackgroundColor));
        canvas->FillRect(r);
        canvas->Brush()->SetColor(ThemedColor(theme, style, TskThemeKey::MenuSelectedBorderColor));
        canvas->FrameRect(r);
        if (selected) r.Left += 2;
        r.Top += 2;
        DrawBarCaption(canvas->Handle(), font, ThemedColor(theme, style, TskThemeKey::MenuSelectedFontColor), caption, r);
        return;
    }
    r.Top += 2;
    TskUIStyle effective = style;
    TColor color;
    if (ResolveUIStyle(theme, style, effective))
        color = theme->ReadColor(TskThemeKey::ControlFontColor) == 0x00030000 ? 0x00FFFFFF
                                                                              : theme->ReadColor(TskThemeKey::MenuFontColor);
    else
        color = BuiltInThemeColor(effective, TskThemeKey::MenuFontColor);
    // Unlike the form frame's bar, a disabled item keeps the normal colour.
    DrawBarCaption(canvas->Handle(), font, color, caption, r);
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
    HWND wnd = form_->Handle();
    if (IsIconic(wnd) && !InDesign(this)) return;
    RECT wr{};
    GetWindowRect(wnd, &wr);
    const int W = wr.right - wr.left, H = wr.bottom - wr.top;
    const int bw = borderWidth_;
    // The side bands start under the bar's place even while it is hidden.
    const int tbh = titleBar_ ? titleBar_->Height() : 0;
    TWindowDC dc(wnd, true);
    if (!dc.Get()) return;
    auto fill = [&](TColor Color, int L, int T, int R, int B) {
        if (R <= L || B <= T) return;
        TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color)));
        const RECT r{L, T, R, B};
        FillRect(dc.Get(), &r, brush.Get());
    };
    fill(borderColor_, 0, 0, bw, H);
    fill(borderColor_, 0, H - bw, W, H);
    fill(borderColor_, W - bw, 0, W, H);
    if (bw < 4) {
        fill(menuBarColor_, bw, tbh, 3, H - bw);
        fill(menuBarColor_, bw, H - 3, W - bw, H - bw);
        fill(menuBarColor_, W - 3, tbh, W - bw, H - bw);
    }
    if (TitleBarVisible() && titleBar_->HasThreeSectionPictures() && bw < 4) {
        ContinueTitleBarPictures(dc.Get(), W, bw);
    } else if (!TitleBarVisible()) {
        fill(borderColor_, 0, 0, W, 1);
        fill(menuBarColor_, bw, 1, W - bw, 3);
    }
}

// The caption pictures reach into the native frame beside and above the
// title bar, so the frame looks as one piece with it.
void TskMDIForm::ContinueTitleBarPictures(HDC DC, int W, int bw) {
    TBitmap* left = nullptr;
    TBitmap* right = nullptr;
    TBitmap* client = nullptr;
    titleBar_->LeftSectionGraphic(left);
    titleBar_->RightSectionGraphic(right);
    titleBar_->ClientSectionGraphic(client);
    if (!left || !right || !client) return;
    TCanvas window;
    window.SetHandle(DC);
    TBitmap b;
    b.SetSize(3 - bw, left->Height());
    b.Canvas()->Draw(0, 0, left);
    window.Draw(bw, 0, &b);
    if (right->Width() < 3)
        b.Canvas()->StretchDraw(Rect(0, 0, b.Width(), b.Height()), right);
    else
        b.Canvas()->Draw(2 - right->Width(), 0, right);
    window.Draw(W - 3, 0, &b);
    b.SetSize(W - 5, 3);
    b.Canvas()->Draw(-2, 0, left);
    const int x1 = left->Width() - 2;
    const int x2 = (W - 5) - right->Width() + 3;
    b.Canvas()->Draw(x2, 0, right);
    b.Canvas()->StretchDraw(Rect(x1, 0, x2, client->Height()), client);
    window.Draw(2, 0, &b);
    if (bw == 1 && roundCorner_ == 11 && !InDesign(this)) {
        const int r = roundCorner_;
        window.Pen()->SetColor(borderColor_);
        window.Arc(W - 2 * r + 1, -1, W + 1, 2 * r - 1, W + 1, r - 1, W - r + 1, -1);
        window.Arc(-1, -1, 2 * r - 1, 2 * r - 1, r - 1, -1, -1, r - 1);
    }
    window.SetHandle(nullptr);
}

void TskMDIForm::UpdateFormRegion() {
    if (InDesign(this) || !form_ || !form_->HandleAllocated()) return;
    HWND wnd = form_->Handle();
    RECT wr{};
    GetWindowRect(wnd, &wr);
    const int W = wr.right - wr.left, H = wr.bottom - wr.top;
    const int r = roundCorner_;
    TGdiObject<HRGN> region(CreateRoundRectRgn(0, 0, W + 1, H + 1, r, r));
    TGdiObject<HRGN> left(CreateRectRgn(0, H - 2 * r, 2 * r, H));
    TGdiObject<HRGN> right(CreateRectRgn(W - 2 * r, H - 2 * r, W, H));
    CombineRgn(region.Get(), region.Get(), left.Get(), RGN_OR);
    CombineRgn(region.Get(), region.Get(), right.Get(), RGN_OR);
    // The window owns the region from here on.
    if (SetWindowRgn(wnd, region.Get(), TRUE)) region.Release();
}
