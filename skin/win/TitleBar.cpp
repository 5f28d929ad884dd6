#include "TitleBar.h"

#include "Application.h"
#include "Bitmap.h"
#include "FileTheme.h"
#include "Form.h"
#include "MDIForm.h"
#include "Messages.h"
#include "SkinPublic.h"
#include "SkinThemes.h"
#include "TitleBarLayout.h"
#include "TitleBarPopupMenu.h"

#include <memory>

namespace {

constexpr int AppIconSize = 16;

struct TIconDeleter {
    void operator()(HICON Icon) const { DestroyIcon(Icon); }
};
using TIconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, TIconDeleter>;

// A file theme's control font colours that ask for black caption text.
bool DarkCaptionColor(std::int32_t Value) {
    return Value == 0x10000 || Value == 0x30000 || Value == 0x40000 || Value == 0x50000;
}

TPicture* FacePicture(TskTitleBarButton* Button, TskTitleBarButtonFace Face) {
    switch (Face) {
        case TskTitleBarButtonFace::MouseOn: return Button->PicMouseOn();
        case TskTitleBarButtonFace::MouseDown: return Button->PicMouseDown();
        case TskTitleBarButtonFace::Normal: break;
    }
    return Button->PicNormal();
}

// A picture goes through a bitmap of the button's size, so that a larger
// hover or pressed picture never spills over its neighbours and the
// button's Transparent decides whether fuchsia shows.
void DrawButtonPicture(TCanvas* Canvas, TskTitleBarButton* Button, TPicture* Picture, TPoint At) {
    TBitmap work;
    work.SetSize(Button->PicNormal()->Width(), Button->PicNormal()->Height());
    if (work.Empty()) return;
    if (Picture->Graphic()) work.Canvas()->Draw(0, 0, Picture->Graphic());
    work.SetTransparentColor(clFuchsia);
    work.SetTransparent(Button->Transparent());
    Canvas->Draw(At.X, At.Y, &work);
}

void DrawApplicationIcon(TCanvas* Canvas, TPoint At) {
    // The application object always exists here, so its icon is the one shown.
    const TIconHandle icon(static_cast<HICON>(
        CopyImage(Application->Icon()->Handle(), IMAGE_ICON, AppIconSize, AppIconSize, LR_COPYFROMRESOURCE)));
    if (icon) DrawIconEx(Canvas->Handle(), At.X, At.Y, icon.get(), AppIconSize, AppIconSize, 0, nullptr, DI_NORMAL);
}

}  // namespace

const TClassInfo& TskTitleBar::StaticClassInfo() {
    using T = TskTitleBar;
    static const TClassInfo info = DescribeClass<T, TCustomPanel>("TskTitleBar", [](auto& c) {
        c.Bool("Custom", &T::Custom, &T::SetCustom);
        c.template Reference<TskFileTheme>("FileTheme", &T::FileTheme, &T::SetFileTheme);
        c.template Enum<TskUIStyle>("UIStyle", &T::UIStyle, &T::SetUIStyle, UIStyleNames());
        c.Bool("AutoSize", &T::AutoSize, &T::SetAutoSize);
        c.Int("Height", &T::Height, &T::SetHeight);
        c.Object("Sections", &T::Sections, &TskTitleBarSection::StaticClassInfo);
        c.Object("Buttons", &T::Buttons, &TskTitleBarButton::StaticClassInfo);
        c.Int("ButtonInterval", &T::ButtonInterval, &T::SetButtonInterval);
        c.String("Caption", &T::Caption, &T::SetCaption);
        c.Object("Font", &T::Font);
        c.Bool("FormActive", &T::FormActive, &T::SetFormActive);
        c.Int("LeftBtnXOffset", &T::LeftBtnXOffset, &T::SetLeftBtnXOffset);
        c.Int("RightBtnXOffset", &T::RightBtnXOffset, &T::SetRightBtnXOffset);
        c.Bool("DrawAppIcon", &T::DrawAppIcon, &T::SetDrawAppIcon);
        c.Int("RoundCorner", &T::RoundCorner, &T::SetRoundCorner);
        c.Event("OnCustomBtnsClick", &T::OnCustomBtnsClick);
        c.Event("OnHelpBtnClick", &T::OnHelpBtnClick);
        c.Event("OnResize", &T::OnResize);
    });
    return info;
}

void TskTitleBar::Init() {
    TCustomPanel::Init();
    ControlStyle.Exclude(csAcceptsControls);
    sections_ = std::make_unique<TskTitleBarSections>(this);
    buttons_ = std::make_unique<TskTitleBarButtons>(this);
    systemMenu_ = Create<TskTitleBarPopupMenu>(this);
    systemMenu_->TitleBar = this;
    for (auto type : {TskTitleBarBtnType::skControlBox, TskTitleBarBtnType::skClose, TskTitleBarBtnType::skMax,
                      TskTitleBarBtnType::skMin})
        buttons_->Add()->SetButtonType(type);
    SetAlign(alTop);
    SetParentFont(false);
    Font()->SetColor(clWhite);
    Font()->SetName("Tahoma");
    Font()->SetStyle({fsBold});
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
}

void TskTitleBar::BeforeDestruction() {
    // Buttons and sections must not repaint a bar that is going away.
    buttons_->BeginUpdate();
    sections_->BeginUpdate();
    TCustomPanel::BeforeDestruction();
}

void TskTitleBar::CreateParams(TCreateParams& Params) {
    TCustomPanel::CreateParams(Params);
    if (ControlStyle.Contains(csDoubleClicks)) Params.WindowClass.style |= CS_DBLCLKS;
}

bool TskTitleBar::InSkinnedForm() const {
    // The MDI frame puts its bar straight on the form, so it is known by owner.
    return Parent() && (IsSkinFormFrame(Parent()) || InMDIForm());
}

bool TskTitleBar::InMDIForm() const { return Parent() && dynamic_cast<TskMDIForm*>(Owner()); }

TCustomForm* TskTitleBar::ParentForm() const { return GetParentForm(this); }

// ---- style

void TskTitleBar::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    if (custom_) return;
    ApplyStyle();
}

void TskTitleBar::ApplyStyle() {
    sections_->BeginUpdate();
    sections_->Clear();
    const TskResolvedTheme theme(fileTheme_, uiStyle_);
    auto addSection = [&](TskThemeKey Key) {
        TskTitleBarSection* section = sections_->Add();
        theme.Bitmap(Key, section->Picture()->Bitmap());
        return section;
    };
    addSection(TskThemeKey::TitleBarLeftImage)->SetAutoSize(true);
    TskTitleBarSection* right = addSection(TskThemeKey::TitleBarRightImage);
    right->SetAutoSize(true);
    right->SetAlign(TskTitleBarAlign::skRight);
    addSection(TskThemeKey::TitleBarClientImage)->SetAlign(TskTitleBarAlign::skClient);
    sections_->EndUpdate();

    SetLeftBtnXOffset(theme.Int(TskThemeKey::TitleBarButtonLeftOffsetInt));
    SetRightBtnXOffset(theme.Int(TskThemeKey::TitleBarButtonRightOffsetInt));
    TBitmap strip;
    theme.Bitmap(TskThemeKey::TitleBarButtonImage, &strip);
    buttonImageHeight_ = strip.Height();
    buttonTop_ = theme.Int(TskThemeKey::TitleBarButtonTopInt) - (InSkinnedForm() ? 3 : 0);
    if (TCustomForm* form = ParentForm()) form->Constraints()->SetMinWidth(theme.Int(TskThemeKey::FormMinWidthInt));
    SetRoundCorner(theme.Int(TskThemeKey::FormRoundCornerInt));

    for (int i = 0; i < buttons_->Count(); ++i) buttons_->Items(i)->SetUIStyle(theme.Resolved());
    if (systemMenu_) systemMenu_->ApplyTitleBarStyle(theme.Resolved(), fileTheme_);

    if (!keepFontColor_) {
        TColor color = clWhite;
        if (uiStyle_ == TskUIStyle::MacOS)
            color = clBlack;
        else if (theme.FromFile() && DarkCaptionColor(fileTheme_->ReadColor(TskThemeKey::ControlFontColor)))
            color = clBlack;
        Font()->SetColor(color);
    }
    SetAutoSize(autoSize_);
    Invalidate();
}

void TskTitleBar::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    keepFontColor_ = true;
    try {
        SetUIStyle(uiStyle_);
    } catch (...) {
        keepFontColor_ = false;
        throw;
    }
    keepFontColor_ = false;
}

void TskTitleBar::SetAutoSize(bool Value) {
    autoSize_ = Value;
    if (sections_->Count() == 0) {
        autoSize_ = false;
        return;
    }
    SetHeight(TitleBarHeight(sections_->Items(0)->Picture()->Height(), InSkinnedForm()));
}

void TskTitleBar::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == systemMenu_) systemMenu_ = nullptr;
    if (buttons_)
        for (int i = 0; i < buttons_->Count(); ++i)
            if (buttons_->Items(i)->ControlBoxMenu() == AComponent) buttons_->Items(i)->SetControlBoxMenu(nullptr);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
}

// ---- simple setters

void TskTitleBar::SetButtonInterval(int Value) {
    buttonInterval_ = Value;
    Invalidate();
}

void TskTitleBar::SetCaption(const std::string& Value) {
    TCustomPanel::SetCaption(Value);
    Invalidate();
}

void TskTitleBar::SetFormActive(bool Value) {
    formActive_ = Value;
    Invalidate();
}

void TskTitleBar::SetLeftBtnXOffset(int Value) {
    leftBtnXOffset_ = Value;
    Invalidate();
}

void TskTitleBar::SetRightBtnXOffset(int Value) {
    rightBtnXOffset_ = Value;
    Invalidate();
}

void TskTitleBar::SetDrawAppIcon(bool Value) {
    drawAppIcon_ = Value;
    Invalidate();
}

// ---- for the form frames

void TskTitleBar::UpdateMaxButtons() {
    for (int i = 0; i < buttons_->Count(); ++i) buttons_->Items(i)->UpdateMaxPicture();
}

void TskTitleBar::SectionGraphic(int Index, TBitmap*& Graphic) {
    if (Index >= sections_->Count()) return;
    Graphic = sections_->Items(Index)->Picture()->Bitmap();
}

bool TskTitleBar::HasThreeSectionPictures() const {
    // Every section owns its picture object, so three sections are enough.
    return sections_ && sections_->Count() == 3;
}

// ---- painting

void TskTitleBar::Redraw() {
    Invalidate();
    Update();
}

void TskTitleBar::Paint() {
    const int width = Width(), height = Height();
    if (width <= 0 || height <= 0) return;
    TBitmap buffer;
    buffer.SetSize(width, height);
    TCanvas* canvas = buffer.Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    DrawSections(canvas);
    DrawButtonsAndCaption(canvas);
    BitBlt(Canvas()->Handle(), 0, 0, width, height, canvas->Handle(), 0, 0, SRCCOPY);
}

void TskTitleBar::DrawSections(TCanvas* Canvas) {
    const int count = sections_->Count();
    auto graphic = [&](int Index) -> TGraphic* {
        if (Index >= count) return nullptr;
        return sections_->Items(Index)->Picture()->Graphic();
    };
    auto width = [&](int Index) { return graphic(Index) ? graphic(Index)->Width() : 0; };
    const TskTitleBarSectionPlaces places =
        PlaceTitleBarSections(Width(), TitleBarSectionOffset(InSkinnedForm(), InMDIForm()), count > 0, width(0),
                              count > 1, width(1), graphic(2) ? graphic(2)->Height() : 0);
    if (TGraphic* left = graphic(0)) Canvas->Draw(places.Left.X, places.Left.Y, left);
    if (TGraphic* right = graphic(1)) Canvas->Draw(places.Right.X, places.Right.Y, right);
    if (TGraphic* client = graphic(2); client && !client->Empty()) Canvas->StretchDraw(places.Client, client);
}

void TskTitleBar::DrawButtonsAndCaption(TCanvas* Canvas) {
    TskTitleBarLayoutInput in;
    in.BarWidth = Width();
    in.ButtonTop = buttonTop_;
    in.ButtonInterval = buttonInterval_;
    in.LeftBtnXOffset = leftBtnXOffset_;
    in.RightBtnXOffset = rightBtnXOffset_;
    in.DrawAppIcon = drawAppIcon_;
    in.Mouse = {-0x4000, -0x4000};
    POINT cursor;
    if (HandleAllocated() && GetCursorPos(&cursor) && ::ScreenToClient(Handle(), &cursor)) in.Mouse = {cursor.x, cursor.y};
    for (int i = 0; i < buttons_->Count(); ++i) {
        TskTitleBarButton* b = buttons_->Items(i);
        in.Buttons.push_back({b->Visible(), b->ButtonType() == TskTitleBarBtnType::skControlBox,
                              b->PicNormal()->Width(), b->PicNormal()->Height()});
    }
    const TskTitleBarLayout layout = LayOutTitleBar(in);
    hotButtonIndex_ = layout.HotIndex;

    auto drawButton = [&](const TskTitleBarButtonPlace& Place) {
        TskTitleBarButton* b = buttons_->Items(Place.Index);
        const auto face = TitleBarButtonFace(Place.Index == hotButtonIndex_, mousePressed_);
        DrawButtonPicture(Canvas, b, FacePicture(b, face), Place.Rect.TopLeft());
    };
    for (const auto& place : layout.RowButtons) drawButton(place);
    if (layout.ControlBox.Index >= 0) {
        if (layout.DrawIcon)
            DrawApplicationIcon(Canvas, layout.IconAt);
        else
            drawButton(layout.ControlBox);
    }

    // A designer's press on close hides the designed form (never happens
    // without a designer, which this library does not have).
    if (ComponentState().Contains(csDesigning) && mousePressed_ && hotButtonIndex_ >= 0 &&
        buttons_->Items(hotButtonIndex_)->ButtonType() == TskTitleBarBtnType::skClose && InSkinnedForm())
        if (TCustomForm* form = ParentForm()) ShowWindow(form->Handle(), SW_HIDE);

    if (!formActive_) Canvas->Font()->SetColor(clInactiveCaption);
    const TskTitleBarCaption caption =
        FitTitleBarCaption(Caption(), layout.CaptionRight - layout.CaptionLeft,
                           [Canvas](std::string_view Text) { return Canvas->TextWidth(std::string(Text)); });
    if (caption.Text.empty()) return;
    const int y = TitleBarCaptionTop(buttonTop_, buttonImageHeight_, Canvas->TextHeight(caption.Text));
    if (caption.Clipped) {
        const int saved = Canvas->SaveDC();
        Canvas->IntersectClipRect({layout.CaptionLeft, 0, layout.CaptionRight, Height()});
        Canvas->TextOut(layout.CaptionLeft, y, caption.Text);
        Canvas->RestoreDC(saved);
    } else {
        Canvas->TextOut(layout.CaptionLeft, y, caption.Text);
    }
}

// ---- mouse

void TskTitleBar::PopUpSystemMenu(TPopupMenu* Menu) {
    if (!Menu) return;
    const TPoint at = ClientToScreen(TPoint{0, Height()});
    Menu->Popup(at.X, at.Y);
}

void TskTitleBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    mousePressed_ = true;
    Redraw();
    TCustomForm* form = ParentForm();
    if (!form) return;
    const bool designing = ComponentState().Contains(csDesigning);
    if ((hotButtonIndex_ == -1 && form->WindowState() != wsMaximized) || designing) {
        // The system's own move loop drags the window from here.
        ReleaseCapture();
        SendMessageA(form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        mousePressed_ = false;
    }
}

void TskTitleBar::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseMove(Shift, X, Y);
    Redraw();
}

void TskTitleBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (hotButtonIndex_ >= 0 && hotButtonIndex_ < buttons_->Count()) {
        const int index = hotButtonIndex_;
        TskTitleBarButton* button = buttons_->Items(index);
        const TskTitleBarBtnType type = button->ButtonType();
        if (type == TskTitleBarBtnType::skControlBox && !button->ControlBoxMenu()) {
            PopUpSystemMenu(systemMenu_);
        } else {
            button->DoClick();
            if (OnCustomBtnsClick && type == TskTitleBarBtnType::skCustom)
                OnCustomBtnsClick(this, index);
            else if (OnHelpBtnClick && type == TskTitleBarBtnType::skHelp)
                OnHelpBtnClick(this, index);
        }
    }
    mousePressed_ = false;
    Redraw();
}

void TskTitleBar::DblClick() {
    TCustomPanel::DblClick();
    if (ComponentState().Contains(csDesigning)) return;
    if (hotButtonIndex_ == -1) {
        for (int i = 0; i < buttons_->Count(); ++i) {
            TskTitleBarButton* b = buttons_->Items(i);
            if (b->Visible() && b->ButtonType() == TskTitleBarBtnType::skMax) {
                b->DoClick();
                return;
            }
        }
        return;
    }
    if (hotButtonIndex_ < buttons_->Count() &&
        buttons_->Items(hotButtonIndex_)->ButtonType() == TskTitleBarBtnType::skControlBox)
        if (TCustomForm* form = ParentForm()) form->Close();
}

void TskTitleBar::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND: Message.Result = 1; return;  // the whole bar is painted from one bitmap
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
            if (TCustomForm* form = ParentForm())
                Message.Result = SendMessageA(form->Handle(), Message.Msg, Message.WParam, Message.LParam);
            return;
        case CM_MOUSELEAVE:
        case CM_FONTCHANGED:
            TCustomPanel::Dispatch(Message);
            Redraw();
            return;
        case CM_DESIGNHITTEST:
            if (Message.WParam == MK_LBUTTON) {
                const POINT p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
                MouseDown(mbLeft, {}, p.x, p.y);
                Message.Result = 1;
                return;
            }
            break;
        default: break;
    }
    TCustomPanel::Dispatch(Message);
}
