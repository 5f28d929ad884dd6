#include "FormFrame.h"

#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "FrameDrawing.h"
#include "FrameHooks.h"
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
    ownsAppHook_ = TakeAppMessageHook<&TskForm::AppMessage>(this);
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
    if (form_->WindowProc == ownWindowProc_) form_->WindowProc = savedWindowProc_;
    RestoreFormCaption(form_);
    ReleaseAppMessageHook<&TskForm::AppMessage>(this, ownsAppHook_);
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
        // A theme's dark bar takes its own colour, not the frame's.
        if (const auto dark = ThemeDarkMenuBarColor(theme))
            menuBar_->SetColor(*dark);
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
    TskFrameBorderLook look;
    look.BorderWidth = borderWidth_;
    look.BorderColor = borderColor_;
    look.InnerColor = Color();
    look.SideBandTop = GetTitleBarHeight();
    if (menuBar_ && menuBar_->Visible()) {
        look.MenuBandTop = look.SideBandTop + 3;
        look.MenuBandHeight = menuBar_->Height();
        look.MenuBandColor = menuBar_->Color();
    }
    look.RoundCorner = RoundCorner();
    look.Designing = InDesign(this);
    PaintFrameBorder(form_->Handle(), look, titleBar_);
}

void TskForm::UpdateFormRegion() {
    if (InDesign(this) || !form_ || !form_->HandleAllocated()) return;
    SetFrameRegion(form_->Handle(), RoundCorner());
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
