#include "TabStrip.h"

#include "Bitmap.h"
#include "Messages.h"
#include "SkinPublic.h"
#include "SkinThemes.h"
#include "ThemeKeys.h"

#include <algorithm>

namespace {

// Clears a flag when the scope ends, also through an exception of a handler.
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : flag_(Flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
};

bool IsLoading(const TComponent* C) { return C->ComponentState().Contains(csLoading); }

}  // namespace

// ---- the strip ----

const TClassInfo& TskTabControlTopPanel::StaticClassInfo() {
    static const TClassInfo info =
        DescribeClass<TskTabControlTopPanel, TCustomPanel>("TskTabControlTopPanel", [](auto& c) {
            c.template Reference<TskFileTheme>("FileTheme", &TskTabControlTopPanel::FileTheme,
                                               &TskTabControlTopPanel::SetFileTheme);
            c.template Enum<TskUIStyle>("UIStyle", &TskTabControlTopPanel::UIStyle, &TskTabControlTopPanel::SetUIStyle,
                                        UIStyleNames());
            c.Object("Tabs", &TskTabControlTopPanel::Tabs);
            c.Int("TabIndex", &TskTabControlTopPanel::TabIndex, &TskTabControlTopPanel::SetTabIndex);
            c.Int("LeftMargin", &TskTabControlTopPanel::LeftMargin, &TskTabControlTopPanel::SetLeftMargin);
        });
    return info;
}

TskTabControlTopPanel::TskTabControlTopPanel(TskTab* OwnerTab) : ownerTab_(OwnerTab) {}

TskTabControlTopPanel::~TskTabControlTopPanel() = default;

void TskTabControlTopPanel::Init() {
    TCustomPanel::Init();
    ControlStyle.Exclude(csAcceptsControls);
    tabs_.Add("Tab1");
    tabVisible_.assign(1, true);
    tabs_.OnChange = TNotifyEvent::Bind<&TskTabControlTopPanel::TabsChanged>(this);
    SetCaption(" ");
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetAlign(alNone);
}

void TskTabControlTopPanel::TabsChanged(TObject*) {
    tabVisible_.resize(static_cast<size_t>(tabs_.Count()), true);
    Invalidate();
}

bool TskTabControlTopPanel::TabVisible(int Index) const {
    return Index >= 0 && Index < static_cast<int>(tabVisible_.size()) && tabVisible_[static_cast<size_t>(Index)];
}

void TskTabControlTopPanel::SetTabVisible(int Index, bool Value) {
    if (Index < 0 || Index >= static_cast<int>(tabVisible_.size())) return;
    tabVisible_[static_cast<size_t>(Index)] = Value;
}

int TskTabControlTopPanel::TabWidth(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(layout_.Places.size())) return -1;
    return layout_.Places[static_cast<size_t>(Index)].Width;
}

TRect TskTabControlTopPanel::TabRect(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(layout_.Places.size())) return {};
    const TskTabPlace& p = layout_.Places[static_cast<size_t>(Index)];
    return p.Drawn ? p.Rect : TRect{};
}

void TskTabControlTopPanel::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskTabControlTopPanel::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
}

void TskTabControlTopPanel::LoadPicture(TskThemeKey Key, TBitmap* Bitmap, int Count, int Index) const {
    TskResolvedTheme(fileTheme_, uiStyle_).Bitmap(Key, Bitmap, Count, Index);
}

void TskTabControlTopPanel::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    TBitmap tab, bar, button;
    LoadPicture(TskThemeKey::TabControlTabImage, &tab, 0, 0);
    LoadPicture(TskThemeKey::TabControlBarImage, &bar, 0, 0);
    LoadPicture(TskThemeKey::ScrollButtonImage, &button, 4, 1);
    SetHeight(tab.Height() + bar.Height());
    scrollButtonWidth_ = button.Width();
    scrollButtonHeight_ = button.Height();
    Invalidate();
}

void TskTabControlTopPanel::SetLeftMargin(int Value) {
    leftMargin_ = Value;
    Invalidate();
}

void TskTabControlTopPanel::SetTabIndex(int Value) {
    if (Value == tabIndex_) return;
    if (tabs_.Count() == 0) {
        tabIndex_ = -1;
        Invalidate();
        return;
    }
    if (Value < -1 || Value > tabs_.Count() - 1) {
        Invalidate();
        return;
    }
    if (clickInProgress_ && ownerTab_) {
        bool allow = true;
        ownerTab_->OnChanging(ownerTab_, allow);
        if (!allow) return;
    }
    tabIndex_ = Value;
    {
        TFlagScope keep(keepActiveVisible_);
        Repaint();
    }
    if (ownerTab_) ownerTab_->TabActive(tabIndex_);
}

void TskTabControlTopPanel::Paint() {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    TBitmap buffer;
    buffer.SetSize(w, h);
    TCanvas* canvas = buffer.Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(Rect(0, 0, w, h));
    if (ownerTab_) PaintParentBackground(canvas, ownerTab_);
    hotScrollButton_ = 0;
    DrawTabs(canvas, w);
    DrawScrollButtons(canvas, w, h);
    BitBlt(Canvas()->Handle(), 0, 0, w, h, canvas->Handle(), 0, 0, SRCCOPY);
}

void TskTabControlTopPanel::DrawTabs(TCanvas* Canvas, int W) {
    TBitmap active, inactive, bar;
    LoadPicture(TskThemeKey::TabControlTabImage, &active, 2, 1);
    LoadPicture(TskThemeKey::TabControlTabImage, &inactive, 2, 2);
    LoadPicture(TskThemeKey::TabControlBarImage, &bar, 0, 0);
    const bool cornerA = active.Width() > 0 && active.Canvas()->Pixels(0, 0) == clFuchsia;
    const bool cornerB = inactive.Width() > 0 && inactive.Canvas()->Pixels(0, 0) == clFuchsia;
    tabHeight_ = active.Height();

    const int barTop = inactive.Height(), barBottom = inactive.Height() + bar.Height();
    if (bar.Width() > 0 && bar.Height() > 0) Canvas->StretchDraw(Rect(1, barTop, W - 1, barBottom), &bar);
    Canvas->Pen()->SetColor(ownerTab_ ? ownerTab_->BorderColor() : clBlack);
    Canvas->MoveTo(0, barTop);
    Canvas->LineTo(0, barBottom);
    Canvas->MoveTo(W - 1, barTop);
    Canvas->LineTo(W - 1, barBottom);

    TFont* font = ownerTab_ ? ownerTab_->TabFont() : Font();
    Canvas->SetFont(font);
    TskTabLayoutInput in;
    in.Tabs.reserve(static_cast<size_t>(tabs_.Count()));
    for (int i = 0; i < tabs_.Count(); ++i) {
        const std::string caption = tabs_.Strings(i);
        in.Tabs.push_back({caption.empty(), caption.empty() ? 0 : Canvas->TextWidth(caption), TabVisible(i)});
    }
    in.TabIndex = tabIndex_;
    in.FirstTab = firstTab_;
    in.LeftMargin = leftMargin_;
    in.StripWidth = W;
    in.ScrollButtonWidth = scrollButtonWidth_;
    in.TabPictureHeight = inactive.Height();
    // The final scroll position is found before anything is drawn, so no
    // tab of an earlier position is left behind on the picture.
    layout_ = keepActiveVisible_ ? ScrollActiveIntoView(in) : LayoutTabs(in);
    firstTab_ = in.FirstTab;
    showScrollButtons_ = layout_.ShowScrollButtons;

    for (int i = 0; i < tabs_.Count(); ++i) {
        const TskTabPlace& place = layout_.Places[static_cast<size_t>(i)];
        if (!place.Drawn) continue;
        TRect r = place.Rect;
        if (i == tabIndex_)
            DrawThreePartBitmap(&active, Canvas, r, cornerA);
        else
            DrawThreePartBitmap(&inactive, Canvas, r, cornerB);
        UINT flags = DT_SINGLELINE | DT_VCENTER;
        if (place.Clipped) {
            // Left-aligned, so that the start of a cut caption stays readable.
            r.Left += 10;
            r.Right -= 4;
        } else {
            flags |= DT_CENTER;
        }
        DrawControlText(Canvas->Handle(), font, tabs_.Strings(i), r, flags, font->Color());
    }
}

void TskTabControlTopPanel::DrawScrollButtons(TCanvas* Canvas, int W, int H) {
    if (!showScrollButtons_ && firstTab_ == 0) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const TPoint p = ScreenToClient(TPoint{cursor.x, cursor.y});
    const TskScrollButtonRects buttons = ScrollButtonRects(W, H, scrollButtonWidth_, scrollButtonHeight_);
    hotScrollButton_ = ScrollButtonAt(buttons, p);
    auto draw = [&](const TRect& Place, int Frame) {
        TBitmap frame;
        LoadPicture(TskThemeKey::ScrollButtonImage, &frame, 4, Frame);
        if (frame.Width() <= 0) return;
        frame.SetTransparentColor(clFuchsia);
        frame.SetTransparent(true);
        Canvas->Draw(Place.Left, Place.Top, &frame);
    };
    draw(buttons.Right, hotScrollButton_ == 1 ? 2 : 1);
    draw(buttons.Left, hotScrollButton_ == -1 ? 4 : 3);
}

void TskTabControlTopPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    Repaint();  // finds the scroll button under the pointer
    if (hotScrollButton_ == -1) --firstTab_;
    if (hotScrollButton_ == 1 && showScrollButtons_) ++firstTab_;
    if (hotScrollButton_ != 0) {
        firstTab_ = std::clamp(firstTab_, 0, tabs_.Count());
        Repaint();
        return;
    }
    const int hit = HitTestTabs(layout_, tabHeight_, X, Y);
    if (hit < 0) return;
    TFlagScope click(clickInProgress_);
    SetTabIndex(hit);
    TFlagScope keep(keepActiveVisible_);
    Repaint();
}

void TskTabControlTopPanel::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseMove(Shift, X, Y);
    if (showScrollButtons_ || firstTab_ > 0) Repaint();
}

void TskTabControlTopPanel::KeepToOwnerWidth() { PlaceControl(this, Rect(0, 0, ownerTab_->Width(), Height())); }

void TskTabControlTopPanel::RequestAlign() {
    if (ownerTab_)
        KeepToOwnerWidth();
    else
        TCustomPanel::RequestAlign();
}

void TskTabControlTopPanel::Resize() {
    TCustomPanel::Resize();
    if (ownerTab_) KeepToOwnerWidth();
}

void TskTabControlTopPanel::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    TCustomPanel::Dispatch(Message);
}

// ---- the tab control ----

const TClassInfo& TskTab::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskTab, TCustomPanel>("TskTab", [](auto& c) {
        c.template Reference<TskFileTheme>("FileTheme", &TskTab::FileTheme, &TskTab::SetFileTheme);
        c.template Enum<TskUIStyle>("UIStyle", &TskTab::UIStyle, &TskTab::SetUIStyle, UIStyleNames());
        c.Int("LeftMargin", &TskTab::LeftMargin, &TskTab::SetLeftMargin);
        c.template Color<TColor>("BorderColor", &TskTab::BorderColor, &TskTab::SetBorderColor);
        c.Object("Font", &TskTab::TabFont);
        c.Event("OnTabActive", &TskTab::OnTabActive);
        c.Event("OnChange", &TskTab::OnChange);
        c.Event("OnChanging", &TskTab::OnChanging);
    });
    return info;
}

TskTab::~TskTab() = default;

void TskTab::Init() {
    TCustomPanel::Init();
    topPanel_ = CreateTopPanel();
    topPanel_->SetParent(this);
    topPanel_->OnClick = TNotifyEvent::Bind<&TskTab::StripClick>(this);
    topPanel_->OnDblClick = TNotifyEvent::Bind<&TskTab::StripDblClick>(this);
    SetCaption(" ");
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetHeight(80);
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
    PlaceControl(topPanel_, Rect(0, 0, Width(), topPanel_->Height()));
}

void TskTab::StripClick(TObject*) { OnClick(this); }
void TskTab::StripDblClick(TObject*) { OnDblClick(this); }

void TskTab::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    const int oldStrip = StripHeight();
    if (topPanel_) {
        topPanel_->SetFileTheme(fileTheme_);
        topPanel_->SetUIStyle(uiStyle_);
        topPanel_->Invalidate();
    }
    UpdateChildrenStyle(uiStyle_, fileTheme_);
    const TskResolvedTheme theme(fileTheme_, uiStyle_);
    const TColor stripColor = static_cast<TColor>(theme.Color(TskThemeKey::ControlBackgroundColor));
    borderColor_ = static_cast<TColor>(theme.Color(TskThemeKey::ControlBorderColor));
    const TColor body = uiStyle_ == TskUIStyle::WinXP ? clWhite : stripColor;
    if (topPanel_) topPanel_->SetColor(stripColor);
    SetColor(body);
    // The children sit below the strip, whose height comes with the style.
    if (StripHeight() != oldStrip) Realign();
    Invalidate();
}

void TskTab::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskTab::SetLeftMargin(int Value) {
    if (topPanel_) topPanel_->SetLeftMargin(Value);
}

void TskTab::SetBorderColor(TColor Value) {
    borderColor_ = Value;
    BorderColorChanged();
    Invalidate();
    if (topPanel_) topPanel_->Invalidate();
}

void TskTab::SetTabFont(TFont* Value) {
    tabFont_.Assign(Value);
    if (topPanel_) topPanel_->Invalidate();
}

void TskTab::SelectTab(int Index) {
    if (topPanel_) topPanel_->SetTabIndex(Index);
}

void TskTab::TabActive(int Index) {
    if (IsLoading(this)) return;
    OnTabActive(this, Index);
    OnChange(this);
}

void TskTab::UpdateChildrenStyle(TskUIStyle Style, TskFileTheme* Theme) { ApplyStyleToChildren(this, Style, Theme); }

void TskTab::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
}

void TskTab::AdjustClientRect(TRect& R) {
    TCustomPanel::AdjustClientRect(R);
    R = Rect(R.Left + 3, StripHeight() + 3, R.Right - 3, R.Bottom - 3);
}

void TskTab::Paint() {
    const int strip = StripHeight(), w = Width(), h = Height();
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(Rect(0, strip, w, h));
    canvas->Pen()->SetColor(borderColor_);
    const TPoint edges[] = {{0, strip}, {0, h - 1}, {w - 1, h - 1}, {w - 1, strip - 1}};
    canvas->Polyline(edges);
}

void TskTab::Resize() {
    TCustomPanel::Resize();
    if (topPanel_) PlaceControl(topPanel_, Rect(0, 0, Width(), StripHeight()));
}

void TskTab::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_CURSORCHANGED:
            if (topPanel_) topPanel_->SetCursor(Cursor());
            break;
        case WM_ERASEBKGND: Message.Result = 1; return;
    }
    TCustomPanel::Dispatch(Message);
}
