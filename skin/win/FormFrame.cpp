#include "FormFrame.h"

#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "GraphicsHandles.h"
#include "Menus.h"
#include "SkinPublic.h"
#include "SkinThemes.h"
#include "ThemeKeys.h"
#include "TitleBarPopupMenu.h"
#include "TypInfo.h"

#include <windows.h>

namespace {

constexpr UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
constexpr const char* kSecondFrame = "Sorry, You can create only one TskForm component in one form!";
constexpr const char* kFormAsPanel = "Sorry, you can't select the Form assign to FormPanel property";

bool InDesign(const TComponent* C) { return C->ComponentState().Contains(csDesigning); }

// The MDI client window of the application's main form, or null.
HWND MainFormClient() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    return main ? main->ClientHandle() : nullptr;
}

// The last MDI child going: the parent's bar takes its own menu back, and a
// maximised child is restored first so that the parent's child buttons go.
void LeaveMDIClient(TCustomForm* Form) {
    if (Form->FormStyle() != fsMDIChild || !Application || !Form->HandleAllocated()) return;
    TCustomForm* main = Application->MainForm();
    HWND client = MainFormClient();
    if (!main || !client || main->MDIChildCount() != 1) return;
    SendMessageA(client, WM_MDIREFRESHMENU, 0, 0);
    if (Form->WindowState() == wsMaximized)
        SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(Form->Handle()), 0);
}

}  // namespace

const TClassInfo& TskForm::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskForm, TCustomPanel>("TskForm", [](auto& c) {
        c.Bool("TitleBarCustom", &TskForm::TitleBarCustom, &TskForm::SetTitleBarCustom);
        c.template Reference<TskFileTheme>("FileTheme", &TskForm::FileTheme, &TskForm::SetFileTheme);
        c.template Enum<TskUIStyle>("UIStyle", &TskForm::UIStyle, &TskForm::SetUIStyle, UIStyleNames());
        c.Bool("UIStyleAutoUpdateSub", &TskForm::UIStyleAutoUpdateSub, &TskForm::SetUIStyleAutoUpdateSub);
        c.template Color<TColor>("BorderColor", &TskForm::BorderColor, &TskForm::SetBorderColor);
        c.Int("BorderWidth", &TskForm::BorderWidth, &TskForm::SetBorderWidth);
        c.Bool("TitleBarVisible", &TskForm::TitleBarVisible, &TskForm::SetTitleBarVisible);
        c.String("Caption", &TskForm::FrameCaption, &TskForm::SetFrameCaption);
        c.template Reference<TCustomPanel>("FormPanel", &TskForm::FormPanel, &TskForm::SetFormPanel);
        c.Object("TitleBarButtons", &TskForm::TitleBarButtons, &TskTitleBarButton::StaticClassInfo);
        c.Object("TitleBarSections", &TskForm::TitleBarSections, &TskTitleBarSection::StaticClassInfo);
        c.Bool("TitleBarDrawAppIcon", &TskForm::TitleBarDrawAppIcon, &TskForm::SetTitleBarDrawAppIcon);
        c.Object("Font", &TskForm::TitleBarFont);
        c.template Reference<TMainMenu>("Menu", &TskForm::Menu, &TskForm::SetMenu);
        c.template Color<TColor>("MenuBarColor", &TskForm::MenuBarColor, &TskForm::SetMenuBarColor);
        c.Int("MenuBarHeight", &TskForm::MenuBarHeight, &TskForm::SetMenuBarHeight);
        c.Int("RoundCorner", &TskForm::RoundCorner, &TskForm::SetRoundCorner);
        c.String("Version", &TskForm::Version, &TskForm::SetVersion);
        c.Event("OnTitleBarCustomBtnsClick", &TskForm::OnTitleBarCustomBtnsClick);
        c.Event("OnTitleBarHelpBtnClick", &TskForm::OnTitleBarHelpBtnClick);
    });
    static const bool registered = (RegisterSkinFormFrame(info), true);
    (void)registered;
    return info;
}

void TskForm::Init() {
    TCustomPanel::Init();
    // The class must be known as a frame before the check below can see one.
    StaticClassInfo();
    auto* form = dynamic_cast<TForm*>(Owner());
    if (!form) return;
    form_ = form;
    for (int i = 0; i < form->ControlCount(); ++i)
        if (IsSkinFormFrame(form->Controls(i))) throw Exception(kSecondFrame);

    releasing_ = false;
    form->Constraints()->SetMinHeight(50);
    form->Constraints()->SetMinWidth(125);
    Constraints()->SetMinHeight(50);
    Constraints()->SetMinWidth(125);
    form->SetBorderWidth(0);

    creationBounds_ = Rect(form->Left(), form->Top(), form->Left() + form->Width(), form->Top() + form->Height());
    startedMaximized_ = form->WindowState() == wsMaximized;

    titleBar_ = Create<TskTitleBar>(this);
    titleBar_->SetParent(this);
    titleBar_->OnCustomBtnsClick = TskTitleBarButtonClickEvent::Bind<&TskForm::TitleBarCustomClick>(this);
    titleBar_->OnHelpBtnClick = TskTitleBarButtonClickEvent::Bind<&TskForm::TitleBarHelpClick>(this);

    menuBarColor_ = Color();
    menuBarHeight_ = 22;
    SetUIStyle(TskUIStyle::DeepBlue);
    uiStyleAutoUpdateSub_ = false;

    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetBorderStyle(bsNone);
    SetAlign(alClient);

    SetFrameCaption(form->Caption());
    SetTitleBarVisible(true);
    SetText(" ");
    ownsAppHook_ = false;

    form->Scaled = false;
    const TFormBorderStyle border = form->BorderStyle();
    if (border == bsNone || border == bsSingle || border == bsToolWindow) form->SetBorderStyle(bsDialog);

    // The stored client size was applied while the form still had its
    // caption; without it the same window would show a taller client area.
    const int clientWidth = form->ClientWidth(), clientHeight = form->ClientHeight();
    ClearFormCaption();
    if (form->WindowState() == wsNormal) {
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
    }
    form->AutoScroll = false;

    savedWindowProc_ = form->WindowProc;
    ownWindowProc_ = TWndMethod::Bind<&TskForm::FormWindowProc>(this);
    form->WindowProc = ownWindowProc_;
    hooked_ = true;
    if (!Application->OnMessage) {
        Application->OnMessage = TMessageEvent::Bind<&TskForm::AppMessage>(this);
        ownsAppHook_ = true;
    }
    SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
}

void TskForm::ClearFormCaption() {
    HWND wnd = form_->Handle();
    const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
    SetWindowLongPtrA(wnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kFrameChanged);
}

void TskForm::RemoveFormCaption() {
    if (!form_) return;
    HWND wnd = form_->Handle();
    const LONG style = GetWindowLongA(wnd, GWL_STYLE);
    if ((style & WS_CAPTION) == 0) return;
    SetWindowLongA(wnd, GWL_STYLE, style & ~static_cast<LONG>(WS_CAPTION));
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kFrameChanged);
}

void TskForm::BeforeDestruction() {
    // A form frees its controls before its window, so the frame of a child
    // being freed never sees the window's WM_DESTROY: it leaves now.
    if (form_ && form_->ComponentState().Contains(csDestroying) && !releasing_) LeaveMDIClient(form_);
    releasing_ = true;
    if (menuBar_) {
        TToolBar* bar = menuBar_;
        menuBar_ = nullptr;
        bar->Free();
    }
    if (titleBar_) {
        TskTitleBar* bar = titleBar_;
        titleBar_ = nullptr;
        bar->Free();
    }
    TCustomPanel::BeforeDestruction();
}

// Gives the form back what construction took: its caption, its window
// procedure and the application hook, each only while it is still ours.
void TskForm::RestoreForm() {
    releasing_ = true;
    if (!hooked_ || !form_) return;
    hooked_ = false;
    if (form_->HandleAllocated()) {
        HWND wnd = form_->Handle();
        SetWindowLongPtrA(wnd, GWL_STYLE, GetWindowLongPtrA(wnd, GWL_STYLE) | WS_CAPTION);
    }
    if (form_->WindowProc == ownWindowProc_) form_->WindowProc = savedWindowProc_;
    if (form_->HandleAllocated()) SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
    if (ownsAppHook_ && Application) {
        if (Application->OnMessage == TMessageEvent::Bind<&TskForm::AppMessage>(this)) Application->OnMessage = {};
        ownsAppHook_ = false;
    }
}

void TskForm::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (!AComponent) return;
    // Advice for a designer placing a plain main menu; there is no designer
    // in these programs, so the state never holds.
    if (Operation == opInsert && InDesign(this) && !ComponentState().Contains(csLoading) &&
        dynamic_cast<TMainMenu*>(AComponent) && AComponent->ClassName() != "TskMainMenu") {
        const std::string text = std::string("Strongly recommend you to use \"TskMainMenu\" instead of \"TMainMenu\".") +
                                 "\r\n\r\nIf you still want to use TMainForm, \r\n\r\nset " +
                                 (form_ ? form_->Name() : std::string()) + "'s MENU property to NIL please.\r\n\r\nAnd set " +
                                 Name() + "'s MENU property to this Menu when you finished designing the menu.";
        MessageBoxA(nullptr, text.c_str(), "Information", MB_OK | MB_ICONINFORMATION);
    }
    if (Operation != opRemove) return;
    if (AComponent == formPanel_) formPanel_ = nullptr;
    if (AComponent == menu_) DestroyMenuBar();
    if (AComponent == this) {
        if (TskMainMenu* menu = SkinMenu(); menu && menu->LinkedForm() == this) menu->SetLinkedForm(nullptr);
        RestoreForm();
    }
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) {
        ApplyStyleToChildren(this, TskUIStyle::DeepBlue, nullptr);
        SetUIStyle(TskUIStyle::DeepBlue);
    }
}

void TskForm::FormWindowProc(TMessage& Message) {
    // A frame on its way out must not take sizing, focus or destruction
    // from the form it leaves.
    if (releasing_) {
        savedWindowProc_(Message);
        return;
    }
    if (Message.Msg != WM_NCPAINT) savedWindowProc_(Message);
    if (releasing_ || !form_) return;
    switch (Message.Msg) {
        case WM_MDIACTIVATE:
            if (reinterpret_cast<HWND>(Message.LParam) == form_->Handle()) {
                // The parent's bar shows the menu of the child now on top.
                if (HWND client = MainFormClient()) SendMessageA(client, WM_MDIREFRESHMENU, 0, 0);
                if (titleBar_) titleBar_->SetFormActive(true);
            } else if (titleBar_) {
                titleBar_->SetFormActive(false);
            }
            break;
        case WM_KEYDOWN: CheckMenuShortCut(Message); break;
        case WM_SHOWWINDOW: form_->SetMenu(nullptr); break;
        case WM_DESTROY: LeaveMDIClient(form_); break;
        case WM_ACTIVATE:
            if (titleBar_) titleBar_->SetFormActive(LOWORD(Message.WParam) != WA_INACTIVE);
            break;
        case WM_NCPAINT:
            if (IsIconic(form_->Handle()))
                savedWindowProc_(Message);
            else
                PaintFormBorder();
            break;
        case CM_RECREATEWND:
        case CM_STYLECHANGED:
        case CM_BORDERCHANGED:
            if (form_->HandleAllocated() && (GetWindowLongPtrA(form_->Handle(), GWL_STYLE) & WS_CAPTION))
                ClearFormCaption();
            break;
        case WM_SIZE: HandleFormSize(); break;
        default: break;
    }
}

void TskForm::HandleFormSize() {
    const bool maximized = form_->WindowState() == wsMaximized;
    if (maximized && InDesign(this)) return;
    // Before it is first shown the window is sized as it is made, and is
    // neither maximised nor restored from it yet.
    const bool shown = IsWindowVisible(form_->Handle()) != FALSE;
    if (startedMaximized_ && shown && !maximized) {
        startedMaximized_ = false;
        PlaceControl(form_, creationBounds_);
    }
    if (maximized && shown && form_->FormStyle() != fsMDIChild && !placing_) {
        TRect area = GetDesktopWorkArea();
        area.Bottom -= 1;
        // Placing sends WM_SIZE again; it must find nothing left to do, or a
        // window manager that keeps its own idea of the size would loop us.
        if (form_->BoundsRect() != area) {
            placing_ = true;
            try {
                PlaceControl(form_, area);
            } catch (...) {
                placing_ = false;
                throw;
            }
            placing_ = false;
        }
    }
    PaintFormBorder();
    if (titleBar_) titleBar_->UpdateMaxButtons();
    if (form_->FormStyle() == fsMDIChild && titleBar_) {
        // A maximised child shows its caption and buttons on the parent's
        // bars, so its own bar goes and the frame scrolls up over its place.
        // Whether this frame is scrolled is its own: the system passes the
        // maximised state from child to child, and one value shared by all
        // children would leave the next one unscrolled and scroll the last
        // one back without its having scrolled.
        HWND client = MainFormClient();
        if (maximized) {
            SetTitleBarVisible(false);
            if (!mdiScrolled_) {
                // Only the placed controls move: the aligned ones take their
                // places again around the hidden bar.
                ScrollBy(0, 3 - titleBar_->Height());
                Realign();
                mdiScrolled_ = true;
                if (client) SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(form_->Handle()), 0);
            }
        } else {
            SetTitleBarVisible(true);
            if (mdiScrolled_) {
                ScrollBy(0, titleBar_->Height() - 3);
                Realign();
                mdiScrolled_ = false;
                titleBar_->UpdateMaxButtons();
                if (client) SendMessageA(client, WM_MDIRESTORE, 0, 0);
            }
        }
    }
    UpdateFormRegion();
}

void TskForm::AppMessage(MSG& Msg, bool& Handled) {
    if (releasing_) return;
    if (Msg.message == WM_SYSCHAR && LOWORD(Msg.wParam) == 32) {
        if (titleBar_ && titleBar_->SystemMenu()) {
            TCustomForm* main = Application->MainForm() ? Application->MainForm() : form_;
            titleBar_->SystemMenu()->Popup(main->Left(), main->Top() + GetTitleBarHeight());
        }
        Handled = true;
        return;
    }
    if (Msg.message == WM_KEYDOWN) {
        TMessage m{Msg.message, Msg.wParam, Msg.lParam, 0};
        CheckMenuShortCut(m);
        Handled = m.Result == 1;
    }
}

void TskForm::Dispatch(TMessage& Message) {
    // The frame paints every pixel of itself; erasing first would flicker.
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    TCustomPanel::Dispatch(Message);
}

void TskForm::Resize() {
    TCustomPanel::Resize();
    if (titleBar_) titleBar_->SetAlign(alTop);
}

int TskForm::GetTitleBarHeight() const { return titleBar_ && titleBar_->Visible() ? titleBar_->Height() : 0; }

bool TskForm::TitleBarVisible() const { return titleBar_ && titleBar_->Visible(); }

void TskForm::SetTitleBarVisible(bool Value) {
    if (!titleBar_ || Value == titleBar_->Visible()) return;
    titleBar_->SetVisible(Value);
    titleBar_->SetTop(0);
    PaintFormBorder();
}

void TskForm::SetTitleBarCustom(bool Value) {
    if (titleBar_) titleBar_->SetCustom(Value);
}

void TskForm::SetTitleBarDrawAppIcon(bool Value) {
    if (titleBar_) titleBar_->SetDrawAppIcon(Value);
}

std::string TskForm::FrameCaption() const { return titleBar_ ? titleBar_->Caption() : std::string(); }

void TskForm::SetFrameCaption(const std::string& Value) {
    if (titleBar_) titleBar_->SetCaption(Value);
    if (form_) form_->SetCaption(Value);
}

int TskForm::RoundCorner() const { return titleBar_ && titleBar_->Visible() ? titleBar_->RoundCorner() : 0; }

void TskForm::SetRoundCorner(int Value) {
    if (titleBar_) titleBar_->SetRoundCorner(Value);
    UpdateFormRegion();
}

void TskForm::SetBorderColor(TColor Value) {
    borderColor_ = Value;
    PaintFormBorder();
}

void TskForm::SetBorderWidth(int Value) {
    borderWidth_ = Value;
    PaintFormBorder();
}

void TskForm::SetFileTheme(TskFileTheme* Value) {
    if (Value == fileTheme_) return;
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskForm::SetUIStyle(TskUIStyle Value) {
    const TRect bounds = form_ ? form_->BoundsRect() : TRect{};
    uiStyle_ = Value;
    const TskResolvedTheme theme(fileTheme_, Value);
    borderColor_ = theme.Color(TskThemeKey::FormBorderColor);
    borderWidth_ = theme.Int(TskThemeKey::FormBorderWidthInt);
    SetColor(theme.Color(TskThemeKey::FormBackgroundColor));
    if (!theme.FromFile()) {
        SetMenuBarColor(Color());
    } else if (menuBar_) {
        // Two theme files of the set mark a dark bar by their control
        // font colour; the bar then takes its own colour, not the frame's.
        const TColor marker = theme.Color(TskThemeKey::ControlFontColor);
        if (marker == 0x00020000)
            menuBar_->SetColor(0x00AC5B3B);
        else if (marker == 0x00030000)
            menuBar_->SetColor(0x00996733);
        else
            SetMenuBarColor(Color());
    }
    SetRoundCorner(theme.Int(TskThemeKey::FormRoundCornerInt));
    if (titleBar_) {
        titleBar_->SetFileTheme(fileTheme_);
        titleBar_->SetUIStyle(uiStyle_);
    }
    if (TskMainMenu* menu = SkinMenu()) {
        menu->SetUIStyle(uiStyle_);
        menu->SetFileTheme(fileTheme_);
    }
    if (uiStyleAutoUpdateSub_) ApplyStyleToChildren(this, uiStyle_, fileTheme_);
    if (form_ && form_->FormStyle() == fsMDIChild) form_->SetBoundsRect(bounds);
    Repaint();
    PaintFormBorder();
}

void TskForm::SetFormPanel(TCustomPanel* Value) {
    if (Value == this) {
        MessageBoxA(form_ && form_->HandleAllocated() ? form_->Handle() : nullptr, kFormAsPanel, "Error",
                    MB_OK | MB_ICONERROR);
        return;
    }
    if (formPanel_ && formPanel_ != Value) formPanel_->RemoveFreeNotification(this);
    formPanel_ = Value;
    if (!Value) return;
    Value->FreeNotification(this);
    Value->SetAlign(alClient);
    if (dynamic_cast<TPanel*>(Value)) {
        Value->SetBevelOuter(bvNone);
        Value->SetBevelInner(bvNone);
        Value->SetBorderStyle(bsNone);
        Value->SetCaption("");
    } else if (Value->ClassName() == "TskImagePanel") {
        Value->SetCaption("");
    }
}

void TskForm::PaintFormBorder() {
    if (releasing_ || !form_ || !form_->HandleAllocated()) return;
    HWND wnd = form_->Handle();
    if (IsIconic(wnd) && !InDesign(this)) return;
    RECT wr{};
    GetWindowRect(wnd, &wr);
    const int W = wr.right - wr.left, H = wr.bottom - wr.top;
    const int bw = borderWidth_;
    const int tbh = GetTitleBarHeight();
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
        fill(Color(), bw, tbh, 3, H - bw);
        fill(Color(), bw, H - 3, W - bw, H - bw);
        fill(Color(), W - 3, tbh, W - bw, H - bw);
        if (menuBar_ && menuBar_->Visible()) {
            const int t = tbh + 3;
            fill(menuBar_->Color(), bw, t, 3, t + menuBar_->Height());
            fill(menuBar_->Color(), W - 3, t, W - bw, t + menuBar_->Height());
        }
    }
    if (TitleBarVisible() && titleBar_->HasThreeSectionPictures() && bw < 4) {
        ContinueTitleBarPictures(dc.Get(), W, bw);
    } else if (!TitleBarVisible()) {
        fill(borderColor_, 0, 0, W, 1);
        fill(Color(), bw, 1, W - bw, 3);
    }
}

// The caption pictures reach into the native frame beside and above the
// title bar, so the frame looks as one piece with it.
void TskForm::ContinueTitleBarPictures(HDC DC, int W, int bw) {
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
    if (bw == 1 && RoundCorner() == 11 && !InDesign(this)) {
        const int r = RoundCorner();
        window.Pen()->SetColor(borderColor_);
        window.Arc(W - 2 * r + 1, -1, W + 1, 2 * r - 1, W + 1, r - 1, W - r + 1, -1);
        window.Arc(-1, -1, 2 * r - 1, 2 * r - 1, r - 1, -1, -1, r - 1);
    }
    window.SetHandle(nullptr);
}

void TskForm::UpdateFormRegion() {
    if (InDesign(this) || !form_ || !form_->HandleAllocated()) return;
    HWND wnd = form_->Handle();
    RECT wr{};
    GetWindowRect(wnd, &wr);
    const int W = wr.right - wr.left, H = wr.bottom - wr.top;
    const int r = RoundCorner();
    TGdiObject<HRGN> region(CreateRoundRectRgn(0, 0, W + 1, H + 1, r, r));
    TGdiObject<HRGN> left(CreateRectRgn(0, H - 2 * r, 2 * r, H));
    TGdiObject<HRGN> right(CreateRectRgn(W - 2 * r, H - 2 * r, W, H));
    CombineRgn(region.Get(), region.Get(), left.Get(), RGN_OR);
    CombineRgn(region.Get(), region.Get(), right.Get(), RGN_OR);
    // The window owns the region from here on.
    if (SetWindowRgn(wnd, region.Get(), TRUE)) region.Release();
}

void TskForm::Paint() {
    if (releasing_) return;
    const TRect client = ClientRect();
    const char* pattern = uiStyle_ == TskUIStyle::MacOS     ? "MACOS_FORM_BACKGROUND"
                          : uiStyle_ == TskUIStyle::Protein ? "PROTEIN_FORM_BACKGROUND"
                                                            : nullptr;
    if (pattern) {
        TBitmap tile;
        TBitmap buffer;
        buffer.SetSize(Width(), Height());
        try {
            tile.LoadFromResourceName(nullptr, pattern);
            buffer.Canvas()->Brush()->SetBitmap(&tile);
        } catch (const EInvalidGraphic&) {
            buffer.Canvas()->Brush()->SetColor(Color());
        }
        buffer.Canvas()->FillRect(client);
        buffer.Canvas()->Brush()->SetBitmap(nullptr);
        Canvas()->CopyRect(Rect(0, 0, Width(), Height()), buffer.Canvas(), Rect(0, 0, Width(), Height()));
    } else {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(client);
    }
    PaintFormBorder();
}
