#include "SkinButtons.h"

#include "Action.h"
#include "Form.h"
#include "ImageList.h"
#include "Label.h"
#include "SkinPublic.h"
#include "SkinThemes.h"

#include <windows.h>

#include <algorithm>

namespace {

const TIdentTable& ModalResultIdents() {
    static const TIdentTable table{{"mrNone", mrNone}, {"mrOk", mrOk},   {"mrCancel", mrCancel}, {"mrAbort", mrAbort},
                                   {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore}, {"mrYes", mrYes}, {"mrNo", mrNo}};
    return table;
}

const std::vector<std::string> kLayoutNames{"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};

TRect Shifted(const TRect& R, int DX, int DY) { return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }

TColor TopLeftColor(TBitmap* Bitmap) {
    const std::uint32_t p = Bitmap->ScanLine(0)[0];
    return RGBToColor(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p));
}

bool Blank(const std::string& Text) {
    return std::all_of(Text.begin(), Text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

void DrawTextIn(TCanvas* Canvas, const std::string& Text, TRect R, UINT Flags) {
    DrawControlText(Canvas->Handle(), Canvas->Font(), Text, R, Flags, Canvas->Font()->Color());
}

// The key data of CM_DIALOGKEY says whether Alt is down; Shift and Ctrl come
// from the keyboard state of the message.
bool AnyModifier(LPARAM KeyData) {
    const TShiftState shift = KeyboardShiftState();
    return shift.Contains(ssShift) || shift.Contains(ssCtrl) || shift.Contains(ssAlt) || (KeyData & (1 << 29)) != 0;
}

void TakeFocus(TWinControl* Control) {
    try {
        Control->SetFocus();
    } catch (...) {
        // Not being able to take the focus never stops a press.
    }
}

}  // namespace

// ---- TskCustomButton ----

const TClassInfo& TskCustomButton::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskCustomButton, TCustomControl>("TskCustomButton", [](auto& c) {
        c.Bool("ParentColor", &TskCustomButton::ParentColor, &TskCustomButton::SetParentColor);
        c.Object("Font", &TskCustomButton::Font);
        c.Field("ShowHint", &TskCustomButton::ShowHint);
        c.String("Caption", &TskCustomButton::Caption, &TskCustomButton::SetCaption);
        c.Bool("AutoSize", &TskCustomButton::AutoSize, &TskCustomButton::SetAutoSize);
        c.Bool("Visible", &TskCustomButton::Visible, &TskCustomButton::SetVisible);
        c.Field("ParentShowHint", &TskCustomButton::ParentShowHint);
        c.Bool("ParentFont", &TskCustomButton::ParentFont, &TskCustomButton::SetParentFont);
        c.Bool("TabStop", &TskCustomButton::TabStop, &TskCustomButton::SetTabStop);
        c.Event("OnEnter", &TskCustomButton::OnEnter);
        c.Event("OnExit", &TskCustomButton::OnExit);
    });
    return info;
}

void TskCustomButton::Init() {
    TCustomControl::Init();
    // A fast second click arrives as a plain click; nothing sits inside a button.
    ControlStyle.Exclude(csDoubleClicks);
    ControlStyle.Exclude(csAcceptsControls);
    OnClick = TNotifyEvent();
    SetText("");
    SetTabStop(true);
    // Last, through the setter, so that a subclass reads its theme at once.
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
}

void TskCustomButton::BeforeDestruction() {
    // A button freed while held must never hear its timer again.
    repeatTimer_.reset();
    TCustomControl::BeforeDestruction();
}

void TskCustomButton::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
}

void TskCustomButton::SetCaption(const std::string& Value) {
    caption_ = Value;
    // The control text's change comes back as CM_TEXTCHANGED, which finds
    // the caption already equal.
    SetText(Value);
    CaptionChanged();
    Invalidate();
}

void TskCustomButton::SetAutoSize(bool Value) {
    TCustomControl::SetAutoSize(Value);
    AdjustAutoSize();
    Invalidate();
}

void TskCustomButton::SetDefault(bool Value) {
    default_ = Value;
    if (!HandleAllocated()) return;
    if (TCustomForm* form = GetParentForm(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TskCustomButton::SetTransparent(bool Value) {
    transparent_ = Value;
    TransparentChanged();
    Invalidate();
}

void TskCustomButton::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    UIStyleChanged();
    Invalidate();
}

void TskCustomButton::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskCustomButton::SetFocusedRectMargin(int Value) {
    focusedRectMargin_ = Value;
    Invalidate();
}

void TskCustomButton::SetEnabled(bool Value) {
    TCustomControl::SetEnabled(Value);
    EnabledChanged();
    Invalidate();
}

void TskCustomButton::CreateWnd() {
    TCustomControl::CreateWnd();
    activeDefault_ = default_;
}

void TskCustomButton::AdjustAutoSize() {
    if (!AutoSize()) return;
    TBitmap picture;
    LoadBuiltInThemeBitmap(uiStyle_, TskThemeKey::ButtonImage, &picture);
    const TSize size = ButtonAutoSize(picture.Width(), picture.Height());
    SetBounds(Left(), Top(), size.cx, size.cy);
}

void TskCustomButton::FontChanged() {
    Canvas()->Font()->Assign(Font());
    Invalidate();
}

void TskCustomButton::TransparentChanged() {
    FrameTransparent = transparent_;
    Invalidate();
}

void TskCustomButton::GetThemeButtonFrame(TBitmap* Frame, int K) {
    TskResolvedTheme(fileTheme_, uiStyle_).Bitmap(TskThemeKey::ButtonImage, Frame, 3, K);
}

void TskCustomButton::GetPicNormal(TBitmap* Frame) { GetThemeButtonFrame(Frame, 1); }
void TskCustomButton::GetPicMouseOn(TBitmap* Frame) { GetThemeButtonFrame(Frame, 2); }
void TskCustomButton::GetPicMouseDown(TBitmap* Frame) { GetThemeButtonFrame(Frame, 3); }
void TskCustomButton::GetPicDisabled(TBitmap* Frame) { GetThemeButtonFrame(Frame, 1); }

void TskCustomButton::DrawFrame(TCanvas* Canvas, TBitmap* Frame) {
    if (Frame->Empty()) return;
    TOwned<TImageList> list = CreateOwned<TImageList>(Frame->Width(), Frame->Height());
    if (FrameTransparent)
        list->AddMasked(Frame, TopLeftColor(Frame));
    else
        list->Add(Frame);
    list->Draw(Canvas, 0, 0, 0, Enabled());
}

void TskCustomButton::DrawCaption(TCanvas* Canvas, const std::string& Text) {
    Canvas->Brush()->SetStyle(bsClear);
    TRect r = ClientRect();
    Canvas->Font()->Assign(Font());
    if (BoldCaptionOnce) Canvas->Font()->SetStyle(Canvas->Font()->Style() + TFontStyles{fsBold});
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    if (!Enabled()) {
        Canvas->Font()->SetColor(static_cast<TColor>(0x00FFFFFF));
        DrawTextIn(Canvas, Text, Shifted(r, 1, 1), flags);
        r = ClientRect();
        Canvas->Font()->SetColor(static_cast<TColor>(0x00808080));
    } else if (pressed_) {
        r = Shifted(r, 1, 1);
    }
    DrawTextIn(Canvas, Text, r, flags);
    BoldCaptionOnce = false;
}

void TskCustomButton::DrawFocus(TCanvas* Canvas) {
    Canvas->Brush()->SetStyle(bsSolid);
    const int m = focusedRectMargin_;
    Canvas->DrawFocusRect({m, m, ClientWidth() - m, ClientHeight() - m});
}

TControl* TskCustomButton::BackgroundSource() {
    return IsBackgroundContainer(Parent()) ? static_cast<TControl*>(Parent()) : this;
}

void TskCustomButton::Paint() {
    // Both bitmaps (and whatever the steps make) go on every path.
    TBitmap buffer;
    TBitmap frame;
    try {
        if (!Enabled())
            GetPicDisabled(&frame);
        else if (pressed_)
            GetPicMouseDown(&frame);
        else if (mouseOver_)
            GetPicMouseOn(&frame);
        else
            GetPicNormal(&frame);
    } catch (...) {
        frame.SetSize(74, 21);
    }
    frame.SetTransparent(FrameTransparent);
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    const TRect client = ClientRect();
    if (transparent_) {
        PaintParentBackground(canvas, BackgroundSource());
    } else {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
    }
    DrawFrame(canvas, &frame);
    if (Focused() && TabStop()) DrawFocus(canvas);
    canvas->Font()->Assign(Font());
    Canvas()->Font()->Assign(Font());
    if (!Blank(caption_)) DrawCaption(canvas, caption_);
    Canvas()->CopyRect(client, canvas, client);
}

void TskCustomButton::RepeatTimerTick(TObject*) { OnMouseContinuouslyDown(this); }

void TskCustomButton::FreeRepeatTimer() { repeatTimer_.reset(); }

void TskCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        pressed_ = true;
        if (!repeatTimer_) {
            repeatTimer_ = CreateOwned<TTimer>();
            repeatTimer_->SetInterval(static_cast<unsigned>(std::max(MouseContinuouslyDownInterval, 0)));
            repeatTimer_->OnTimer = TNotifyEvent::Bind<&TskCustomButton::RepeatTimerTick>(this);
            repeatTimer_->SetEnabled(true);
        }
        if (TabStop() && CanFocus() && Enabled() && Visible()) TakeFocus(this);
        Invalidate();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskCustomButton::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (X < 0 || Y < 0 || X > Width() || Y > Height()) {
        // The timer keeps running: only leaving the control or a click stops it.
        mouseOver_ = false;
        pressed_ = false;
        Invalidate();
    }
}

void TskCustomButton::Click() {
    if (pressed_) {
        FreeRepeatTimer();
        pressed_ = false;
        Invalidate();
    }
    if (Parent())
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(ModalResult);
    TCustomControl::Click();
}

void TskCustomButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TCustomControl::ActionChange(Sender, CheckDefaults);
    SetCaption(Text());
}

void TskCustomButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_MOUSEENTER:
            TCustomControl::Dispatch(Message);
            if (ComponentState().Contains(csDesigning)) return;
            mouseOver_ = true;
            Invalidate();
            OnMouseEnter(this);
            return;
        case CM_MOUSELEAVE:
            TCustomControl::Dispatch(Message);
            mouseOver_ = false;
            pressed_ = false;
            FreeRepeatTimer();
            Invalidate();
            OnMouseExit(this);
            return;
        case WM_KEYDOWN:
            TCustomControl::Dispatch(Message);
            if ((Message.WParam == VK_SPACE || Message.WParam == VK_RETURN) && Focused() && Enabled()) {
                pressed_ = true;
                Invalidate();
            }
            return;
        case WM_KEYUP:
            TCustomControl::Dispatch(Message);
            if ((Message.WParam == VK_SPACE || Message.WParam == VK_RETURN) && Focused() && pressed_ && Enabled()) {
                pressed_ = false;
                Invalidate();
                Click();
            }
            return;
        case CM_DIALOGKEY:
            if (((Message.WParam == VK_RETURN && activeDefault_) || (Message.WParam == VK_ESCAPE && Cancel)) &&
                !AnyModifier(Message.LParam) && CanFocus()) {
                Click();
                Message.Result = 1;
                return;
            }
            TCustomControl::Dispatch(Message);
            return;
        case CM_DIALOGCHAR:
            TCustomControl::Dispatch(Message);
            if (IsAccel(static_cast<char>(Message.WParam), caption_) && Enabled()) {
                Click();
                Message.Result = 1;
            } else {
                Message.Result = 0;
            }
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            TCustomControl::Dispatch(Message);
            Invalidate();
            return;
        case CM_FOCUSCHANGED: {
            TCustomControl::Dispatch(Message);
            auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
            activeDefault_ = dynamic_cast<TskButton*>(focused) ? focused == this : default_;
            Invalidate();
            Message.Result = 0;  // every control hears of it
            return;
        }
        case CM_TEXTCHANGED:
            TCustomControl::Dispatch(Message);
            SetCaption(Text());
            return;
        case CM_FONTCHANGED:
            TCustomControl::Dispatch(Message);
            FontChanged();
            return;
        case WM_ERASEBKGND:
            // The paint covers every pixel.
            Message.Result = 1;
            return;
        default: TCustomControl::Dispatch(Message);
    }
}

// ---- TskButton ----

const TClassInfo& TskButton::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskButton, TskCustomButton>("TskButton", [](auto& c) {
        c.template Reference<TskFileTheme>("FileTheme", &TskButton::FileTheme, &TskButton::SetFileTheme);
        c.template Enum<TskUIStyle>("UIStyle", &TskButton::UIStyle, &TskButton::SetUIStyle, UIStyleNames());
        c.Field("Cancel", &TskButton::Cancel);
        c.Bool("Default", &TskButton::Default, &TskButton::SetDefault);
        c.template Reference<TCustomAction>("Action", &TskButton::Action, &TskButton::SetAction);
        c.String("Caption", &TskButton::Caption, &TskButton::SetCaption);
        c.Object("Font", &TskButton::Font);
        c.Bool("Enabled", &TskButton::Enabled, &TskButton::SetEnabled);
        c.Int("TabOrder", &TskButton::TabOrder, &TskButton::SetTabOrder);
        c.Bool("Transparent", &TskButton::Transparent, &TskButton::SetTransparent);
        c.template IdentInt<TModalResult>(
            "ModalResult", [](TskButton* b) { return b->ModalResult; },
            [](TskButton* b, TModalResult v) { b->ModalResult = v; }, ModalResultIdents());
        c.Bool("AutoSize", &TskButton::AutoSize, &TskButton::SetAutoSize);
        c.Int("FocusedRectMargin", &TskButton::FocusedRectMargin, &TskButton::SetFocusedRectMargin);
        c.Object("Glyph", &TskButton::Glyph);
        c.template Enum<TButtonLayout>("Layout", &TskButton::Layout, &TskButton::SetLayout, kLayoutNames);
        c.Int("Spacing", &TskButton::Spacing, &TskButton::SetSpacing);
        c.Field("MouseContinuouslyDownInterval", &TskButton::MouseContinuouslyDownInterval);
        c.Event("OnClick", &TskButton::OnClick);
        c.Event("OnMouseMove", &TskButton::OnMouseMove);
        c.Event("OnMouseDown", &TskButton::OnMouseDown);
        c.Event("OnMouseUp", &TskButton::OnMouseUp);
        c.Event("OnKeyDown", &TskButton::OnKeyDown);
        c.Event("OnKeyUp", &TskButton::OnKeyUp);
        c.Event("OnKeyPress", &TskButton::OnKeyPress);
        c.Event("OnMouseEnter", &TskButton::OnMouseEnter);
        c.Event("OnMouseExit", &TskButton::OnMouseExit);
        c.Event("OnMouseContinuouslyDown", &TskButton::OnMouseContinuouslyDown);
        // Always reads 0; a stored value is accepted and dropped.
        c.template Property<unsigned>(
            "ResHandle", [](TskButton*) { return 0u; }, [](TskButton*, unsigned) {});
    });
    return info;
}

void TskButton::Init() {
    TskCustomButton::Init();
    SetBounds(Left(), Top(), 80, 27);
    spacing_ = 4;
}

void TskButton::UIStyleChanged() {
    SetTransparent(TskResolvedTheme(FileTheme(), UIStyle()).Bool(TskThemeKey::ButtonTransparentBool));
}

void TskButton::SetGlyph(TBitmap* Value) {
    glyph_.Assign(Value);
    Invalidate();
}

void TskButton::SetLayout(TButtonLayout Value) {
    layout_ = Value;
    Invalidate();
}

void TskButton::SetSpacing(int Value) {
    spacing_ = Value;
    Invalidate();
}

void TskButton::DrawFrame(TCanvas* Canvas, TBitmap* Frame) {
    Canvas->Font()->Assign(Font());
    DrawNineGridBitmap(Frame, Canvas, ClientRect(), FrameTransparent);
    if (glyph_.Empty()) return;
    const TSize text = Canvas->TextExtent(Caption());
    const int gh = glyph_.Height();
    const int gw = GlyphImageWidth(glyph_.Width(), gh);
    const bool twoImages = gw != glyph_.Width();
    const TskGlyphPlacement at = PlaceGlyph(layout_, Width(), Height(), text.cx, text.cy, gw, gh, spacing_);
    TPoint g = at.Glyph;
    if (Pressed()) g = {g.X + 1, g.Y + 1};
    captionPos_ = at.Caption;
    TOwned<TImageList> list = CreateOwned<TImageList>(gw, gh);
    list->AddMasked(&glyph_, TopLeftColor(&glyph_));
    if (twoImages)
        list->Draw(Canvas, g.X, g.Y, Enabled() ? 0 : 1, true);
    else
        list->Draw(Canvas, g.X, g.Y, 0, Enabled());
}

void TskButton::DrawCaption(TCanvas* Canvas, const std::string& Text) {
    if (glyph_.Empty()) {
        TskCustomButton::DrawCaption(Canvas, Text);
        return;
    }
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Font()->Assign(Font());
    if (!Enabled()) {
        Canvas->Font()->SetColor(static_cast<TColor>(0x00FFFFFF));
        DrawTextIn(Canvas, Text, {captionPos_.X + 1, captionPos_.Y + 1, Width(), Height()}, DT_SINGLELINE);
        Canvas->Font()->SetColor(static_cast<TColor>(0x00808080));
    } else if (Pressed()) {
        captionPos_ = {captionPos_.X + 1, captionPos_.Y + 1};
    }
    DrawTextIn(Canvas, Text, {captionPos_.X, captionPos_.Y, Width(), Height()}, DT_SINGLELINE);
}

void TskButton::DrawFocus(TCanvas* Canvas) {
    if (UIStyle() == TskUIStyle::MacOS || UIStyle() == TskUIStyle::BlueGlass) {
        // These styles mark the focused button by a bold caption.
        BoldCaptionOnce = true;
        return;
    }
    TskCustomButton::DrawFocus(Canvas);
}

void TskButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TskCustomButton::ActionChange(Sender, CheckDefaults);
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action || !glyph_.Empty() || !action->ActionList()) return;
    TImageList* images = action->ActionList()->Images();
    const int index = action->ImageIndex();
    if (!images || index < 0 || index >= images->Count()) return;
    // The image over the list's own transparent background.
    glyph_.SetSize(images->Width(), images->Height());
    for (int y = 0; y < glyph_.Height(); ++y) std::fill_n(glyph_.ScanLine(y), glyph_.Width(), 0x00FF00FFu);
    images->GetBitmap(index, &glyph_);
    Invalidate();
}

// ---- TskImageButton ----

const TClassInfo& TskImageButton::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskImageButton, TskCustomButton>("TskImageButton", [](auto& c) {
        // Nothing of an image button reads the theme; it answers FromThemeFile.
        c.template Enum<TskUIStyle>(
            "UIStyle", [](TskImageButton*) { return TskUIStyle::FromThemeFile; },
            [](TskImageButton* b, TskUIStyle v) { b->SetUIStyle(v); }, UIStyleNames());
        c.Bool("DrawFocused", &TskImageButton::DrawFocused, &TskImageButton::SetDrawFocused);
        c.Int("FocusedRectMargin", &TskImageButton::FocusedRectMargin, &TskImageButton::SetFocusedRectMargin);
        c.Object("PicNormal", &TskImageButton::PicNormal);
        c.Object("PicMouseOn", &TskImageButton::PicMouseOn);
        c.Object("PicMouseDown", &TskImageButton::PicMouseDown);
        c.Object("PicDisabled", &TskImageButton::PicDisabled);
        c.Bool("Stretch", &TskImageButton::Stretch, &TskImageButton::SetStretch);
        c.Field("Cancel", &TskImageButton::Cancel);
        c.Bool("Default", &TskImageButton::Default, &TskImageButton::SetDefault);
        c.Field("MouseContinuouslyDownInterval", &TskImageButton::MouseContinuouslyDownInterval);
        c.template Reference<TCustomAction>("Action", &TskImageButton::Action, &TskImageButton::SetAction);
        c.String("Caption", &TskImageButton::Caption, &TskImageButton::SetCaption);
        c.Object("Font", &TskImageButton::Font);
        c.Bool("Enabled", &TskImageButton::Enabled, &TskImageButton::SetEnabled);
        c.Int("TabOrder", &TskImageButton::TabOrder, &TskImageButton::SetTabOrder);
        c.Bool("Transparent", &TskImageButton::Transparent, &TskImageButton::SetTransparent);
        c.template IdentInt<TModalResult>(
            "ModalResult", [](TskImageButton* b) { return b->ModalResult; },
            [](TskImageButton* b, TModalResult v) { b->ModalResult = v; }, ModalResultIdents());
        c.Bool("AutoSize", &TskImageButton::AutoSize, &TskImageButton::SetAutoSize);
        c.Event("OnClick", &TskImageButton::OnClick);
        c.Event("OnMouseMove", &TskImageButton::OnMouseMove);
        c.Event("OnMouseDown", &TskImageButton::OnMouseDown);
        c.Event("OnMouseUp", &TskImageButton::OnMouseUp);
        c.Event("OnKeyDown", &TskImageButton::OnKeyDown);
        c.Event("OnKeyUp", &TskImageButton::OnKeyUp);
        c.Event("OnKeyPress", &TskImageButton::OnKeyPress);
        c.Event("OnMouseEnter", &TskImageButton::OnMouseEnter);
        c.Event("OnMouseExit", &TskImageButton::OnMouseExit);
        c.Event("OnMouseContinuouslyDown", &TskImageButton::OnMouseContinuouslyDown);
    });
    return info;
}

void TskImageButton::SetPicture(TPicture& Target, TPicture* Value) {
    Target.Assign(Value);
    AdjustAutoSize();
    Invalidate();
}

void TskImageButton::SetStretch(bool Value) {
    stretch_ = Value;
    Invalidate();
}

void TskImageButton::SetDrawFocused(bool Value) {
    drawFocused_ = Value;
    Invalidate();
}

void TskImageButton::AdjustAutoSize() {
    if (!Parent() || !AutoSize() || !picNormal_.Graphic()) return;
    SetBounds(Left(), Top(), picNormal_.Width(), picNormal_.Height());
}

void TskImageButton::CopyPicture(TPicture& Own, TBitmap* Frame) {
    if (Own.Graphic())
        Frame->Assign(&Own);
    else if (picNormal_.Graphic())
        Frame->Assign(&picNormal_);
}

void TskImageButton::GetPicNormal(TBitmap* Frame) {
    if (picNormal_.Graphic()) Frame->Assign(&picNormal_);
}
void TskImageButton::GetPicMouseOn(TBitmap* Frame) { CopyPicture(picMouseOn_, Frame); }
void TskImageButton::GetPicMouseDown(TBitmap* Frame) { CopyPicture(picMouseDown_, Frame); }
void TskImageButton::GetPicDisabled(TBitmap* Frame) { CopyPicture(picDisabled_, Frame); }

void TskImageButton::DrawFrame(TCanvas* Canvas, TBitmap* Frame) {
    if (Frame->Empty()) return;
    // Paint set the transparent flag itself from FrameTransparent.
    const bool transparent = Frame->Transparent();
    Frame->SetTransparentColor(TopLeftColor(Frame));
    Frame->SetTransparent(transparent);
    if (stretch_)
        Canvas->StretchDraw({0, 0, Width(), Height()}, Frame);
    else
        Canvas->Draw(0, 0, Frame);
}

void TskImageButton::DrawFocus(TCanvas* Canvas) {
    if (drawFocused_) TskCustomButton::DrawFocus(Canvas);
}

// ---- TskToolBarSpeedButton ----

const TClassInfo& TskToolBarSpeedButton::StaticClassInfo() {
    static const TClassInfo info =
        DescribeClass<TskToolBarSpeedButton, TCustomPanel>("TskToolBarSpeedButton", [](auto& c) {
            c.Object("Glyph", &TskToolBarSpeedButton::Glyph);
            c.template Color<TColor>("Color", &TskToolBarSpeedButton::Color, &TskToolBarSpeedButton::SetColor);
            c.Event("OnClick", &TskToolBarSpeedButton::OnClick);
        });
    return info;
}

void TskToolBarSpeedButton::Init() {
    TCustomPanel::Init();
    SetBounds(Left(), Top(), 18, 18);
}

void TskToolBarSpeedButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        // No inherited handling and no events: the panel only shows the hover.
        case CM_MOUSEENTER:
            mouseOver_ = true;
            Invalidate();
            return;
        case CM_MOUSELEAVE:
            mouseOver_ = false;
            Invalidate();
            return;
        case WM_ERASEBKGND: Message.Result = 1; return;
        default: TCustomPanel::Dispatch(Message);
    }
}

void TskToolBarSpeedButton::Paint() {
    glyph_.SetTransparent(true);
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    const TRect client = ClientRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(client);
    if (!glyph_.Empty()) {
        if (mouseOver_) {
            canvas->Brush()->SetColor(clBlack);
            canvas->FrameRect(client);
        }
        canvas->Draw(1, 1, &glyph_);
    }
    Canvas()->Draw(0, 0, &buffer);
}
