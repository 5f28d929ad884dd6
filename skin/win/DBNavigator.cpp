#include "DBNavigator.h"

#include "Application.h"
#include "Bitmap.h"
#include "Messages.h"
#include "SkinPublic.h"
#include "SkinThemes.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr int kButtonCount = 10;

constexpr std::array<const char*, kButtonCount> kDefaultHints{
    "First record", "Prior record", "Next record", "Last record", "Insert record",
    "Delete record", "Edit record", "Post edit", "Cancel edit", "Refresh data"};

constexpr TButtonSet kAllButtons = TButtonSet::FromBits((1u << kButtonCount) - 1);

TNavigateBtn Kind(int I) { return static_cast<TNavigateBtn>(I); }

}  // namespace

// ---- TskNavButton

const TClassInfo& TskNavButton::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskNavButton, TskButton>("TskNavButton", [](auto&) {});
    return info;
}

void TskNavButton::Init() {
    TskButton::Init();
    SetTabStop(false);
}

void TskNavButton::BeforeDestruction() {
    navRepeatTimer_.reset();
    TskButton::BeforeDestruction();
}

TskDBNavigator* TskNavButton::Navigator() const { return dynamic_cast<TskDBNavigator*>(Parent()); }

void TskNavButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskButton::MouseDown(Button, Shift, X, Y);
    if (!AllowTimer) return;
    if (!navRepeatTimer_) navRepeatTimer_ = CreateOwned<TTimer>();
    navRepeatTimer_->SetEnabled(false);
    navRepeatTimer_->OnTimer = TNotifyEvent::Bind<&TskNavButton::RepeatStep>(this);
    navRepeatTimer_->SetInterval(400);
    navRepeatTimer_->SetEnabled(true);
}

void TskNavButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskButton::MouseUp(Button, Shift, X, Y);
    if (navRepeatTimer_) navRepeatTimer_->SetEnabled(false);
}

void TskNavButton::RepeatStep(TObject*) {
    navRepeatTimer_->SetInterval(100);
    TskDBNavigator* nav = Navigator();
    if (!nav || !Pressed() || !HandleAllocated() || GetCapture() != Handle()) return;
    try {
        nav->ButtonAction(Index);
    } catch (...) {
        // A failing step must not fire again at the next tick; the timer
        // hands the exception on to the application's handler.
        navRepeatTimer_->SetEnabled(false);
        throw;
    }
}

void TskNavButton::Paint() {
    TskButton::Paint();
    TskDBNavigator* nav = Navigator();
    if (!nav || !nav->HandleAllocated() || GetFocus() != nav->Handle() || nav->FocusedButton() != Index) return;
    TRect r{3, 3, Width() - 3, Height() - 3};
    if (Pressed()) r = TRect{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Font()->SetColor(clBtnShadow);
    Canvas()->DrawFocusRect(r);
}

// ---- TskNavDataLink

TskNavDataLink::TskNavDataLink(TskDBNavigator* ANavigator) : Navigator(ANavigator) { VisualControl = true; }

TskNavDataLink::~TskNavDataLink() { Navigator = nullptr; }

void TskNavDataLink::ActiveChanged() {
    if (Navigator) Navigator->UpdateAllButtons();
}

void TskNavDataLink::DataSetChanged() {
    if (Navigator) Navigator->UpdateMoveButtons();
}

void TskNavDataLink::EditingChanged() {
    if (Navigator) Navigator->UpdateEditButtons();
}

// ---- TskDBNavigator

const TClassInfo& TskDBNavigator::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskDBNavigator, TCustomPanel>("TskDBNavigator", [](auto& c) {
        c.template Reference<TskFileTheme>("FileTheme", &TskDBNavigator::FileTheme, &TskDBNavigator::SetFileTheme);
        c.template Enum<TskUIStyle>("UIStyle", &TskDBNavigator::UIStyle, &TskDBNavigator::SetUIStyle,
                                    UIStyleNames());
        c.template Reference<TDataSource>("DataSource", &TskDBNavigator::DataSource, &TskDBNavigator::SetDataSource);
        c.template Set<TNavigateBtn>("VisibleButtons", &TskDBNavigator::VisibleButtons,
                                     &TskDBNavigator::SetVisibleButtons,
                                     {"nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert", "nbDelete", "nbEdit",
                                      "nbPost", "nbCancel", "nbRefresh"});
        c.Object("Hints", &TskDBNavigator::Hints);
        c.Field("ConfirmDelete", &TskDBNavigator::ConfirmDelete);
        c.Event("BeforeAction", &TskDBNavigator::BeforeAction);
        c.Event("OnClick", &TskDBNavigator::OnClick);
    });
    // Transparent buttons on a navigator paint what lies behind it.
    static const bool registered = (RegisterBackgroundContainer(info), true);
    (void)registered;
    return info;
}

void TskDBNavigator::Init() {
    TCustomPanel::Init();
    // The buttons are the navigator's own; no caption from the name.
    ControlStyle.Exclude(csAcceptsControls);
    ControlStyle.Exclude(csSetCaption);
    ControlStyle.Include(csOpaque);
    dataLink_ = std::make_unique<TskNavDataLink>(this);
    visibleButtons_ = kAllButtons;
    customHints_ = std::make_unique<TStringList>();
    customHints_->OnChange = TNotifyEvent::Bind<&TskDBNavigator::HintsChanged>(this);
    CreateButtons();
    ApplyHints();
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBounds(Left(), Top(), 250, 30);
    buttonWidth_ = 0;
    focusedButton_ = nbFirst;
    ConfirmDelete = true;
    FullRepaint = false;
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
    // Without a data source no button can act: a navigator made in code
    // shows that at once, not only after its first source or a load.
    UpdateAllButtons();
}

void TskDBNavigator::BeforeDestruction() {
    // The link stops calling back before the buttons go.
    if (dataLink_) {
        dataLink_->Navigator = nullptr;
        dataLink_->SetDataSource(nullptr);
    }
    TCustomPanel::BeforeDestruction();
}

void TskDBNavigator::CreateButtons() {
    minButtonSize_ = TPoint{20, 18};
    TBitmap picture;
    picture.LoadFromResourceName(nullptr, "DBNAV_BUTTON");
    int x = 0;
    for (int i = 0; i < kButtonCount; ++i) {
        auto* b = Create<TskNavButton>(this);
        b->SetSpacing(-1);
        b->Index = Kind(i);
        b->SetVisible(visibleButtons_.Contains(Kind(i)));
        b->SetEnabled(true);
        b->SetBounds(x, 0, minButtonSize_.X, minButtonSize_.Y);
        TBitmap glyph;
        ExtractBitmapFrame(&picture, &glyph, kButtonCount, i + 1);
        b->SetGlyph(&glyph);
        b->SetEnabled(false);
        b->SetEnabled(true);
        b->OnClick = TNotifyEvent::Bind<&TskDBNavigator::ButtonClick>(this);
        b->OnMouseDown = TMouseEvent::Bind<&TskDBNavigator::ButtonMouseDown>(this);
        b->SetParent(this);
        buttons_[static_cast<size_t>(i)] = b;
        x += minButtonSize_.X;
    }
    buttons_[nbPrior]->AllowTimer = true;
    buttons_[nbNext]->AllowTimer = true;
}

TStrings* TskDBNavigator::DefaultHints() {
    if (!defaultHints_) {
        defaultHints_ = std::make_unique<TStringList>();
        for (const char* h : kDefaultHints) defaultHints_->Add(h);
    }
    return defaultHints_.get();
}

void TskDBNavigator::ApplyHints() {
    TStrings* defaults = DefaultHints();
    for (int i = 0; i < kButtonCount; ++i) buttons_[static_cast<size_t>(i)]->Hint = defaults->Strings(i);
    const int last = std::min(customHints_->Count(), kButtonCount) - 1;
    for (int j = 0; j <= last; ++j)
        if (!customHints_->Strings(j).empty()) buttons_[static_cast<size_t>(j)]->Hint = customHints_->Strings(j);
}

void TskDBNavigator::SetHints(TStrings* Value) {
    if (Value && Value->Text() == DefaultHints()->Text())
        customHints_->Clear();
    else
        customHints_->Assign(Value);
}

void TskDBNavigator::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    for (TskNavButton* b : buttons_) {
        if (!b) continue;
        b->SetFileTheme(fileTheme_);
        b->SetUIStyle(Value);
    }
    Invalidate();
}

void TskDBNavigator::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskDBNavigator::SetCursor(TCursor Value) {
    TCustomPanel::SetCursor(Value);
    for (TskNavButton* b : buttons_) b->SetCursor(Value);
}

void TskDBNavigator::SetDataSource(TDataSource* Value) {
    dataLink_->SetDataSource(Value);
    if (!ComponentState().Contains(csLoading)) UpdateAllButtons();
    if (Value) Value->FreeNotification(this);
}

void TskDBNavigator::SetVisibleButtons(TButtonSet Value) {
    visibleButtons_ = Value;
    for (int i = 0; i < kButtonCount; ++i) buttons_[static_cast<size_t>(i)]->SetVisible(Value.Contains(Kind(i)));
    int w = Width(), h = Height();
    LayoutButtons(w, h);
    if (w != Width() || h != Height()) TCustomPanel::SetBounds(Left(), Top(), w, h);
    Invalidate();
}

void TskDBNavigator::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent) return;
    if (dataLink_ && AComponent == DataSource()) SetDataSource(nullptr);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
}

void TskDBNavigator::Loaded() {
    TCustomPanel::Loaded();
    int w = Width(), h = Height();
    LayoutButtons(w, h);
    if (w != Width() || h != Height()) TCustomPanel::SetBounds(Left(), Top(), w, h);
    ApplyHints();
    UpdateAllButtons();
}

void TskDBNavigator::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (!HandleAllocated()) LayoutButtons(AWidth, AHeight);
    TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

int TskDBNavigator::VisibleCount() const {
    int count = 0;
    for (int i = 0; i < kButtonCount; ++i)
        if (buttons_[static_cast<size_t>(i)]->Visible()) ++count;
    return count == 0 ? 1 : count;
}

void TskDBNavigator::ClampSize(int& W, int& H) {
    if (ComponentState().Contains(csLoading) || !buttons_[nbFirst]) return;
    const int count = VisibleCount();
    W = std::max(W, count * minButtonSize_.X);
    H = std::max(H, minButtonSize_.Y);
    if (Align() == alNone) W = (W / count) * count;
}

void TskDBNavigator::LayoutButtons(int& W, int& H) {
    if (ComponentState().Contains(csLoading) || !buttons_[nbFirst]) return;
    ClampSize(W, H);
    const int count = VisibleCount();
    buttonWidth_ = W / count;
    const int used = count * buttonWidth_;
    if (Align() == alNone) W = used;
    // An aligned navigator cannot choose its width: the pixels left over go
    // one each to buttons spread along the row.
    const int space = W - used;
    int remainder = count / 2;
    int x = 0;
    for (int i = 0; i < kButtonCount; ++i) {
        TskNavButton* b = buttons_[static_cast<size_t>(i)];
        if (b->Visible()) {
            int extra = 0;
            if (space != 0) {
                remainder -= space;
                if (remainder < 0) {
                    remainder += count;
                    extra = 1;
                }
            }
            b->SetBounds(x, 0, buttonWidth_ + extra, Height());
            x += buttonWidth_ + extra;
        } else {
            b->SetBounds(Width() + 1, 0, buttonWidth_, Height());
        }
    }
}

void TskDBNavigator::ButtonAction(TNavigateBtn Button) {
    TDataSource* source = DataSource();
    if (source && source->State() != dsInactive) {
        BeforeAction(this, Button);
        TDataSet* set = source->DataSet();
        switch (Button) {
            case nbFirst: set->First(); break;
            case nbPrior: set->Prior(); break;
            case nbNext: set->Next(); break;
            case nbLast: set->Last(); break;
            case nbInsert: set->Insert(); break;
            case nbDelete:
                if (!ConfirmDelete ||
                    Application->MessageBox("Delete record?", "Confirm", MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL)
                    set->Delete();
                break;
            case nbEdit: set->Edit(); break;
            case nbPost: set->Post(); break;
            case nbCancel: set->Cancel(); break;
            case nbRefresh: set->Refresh(); break;
        }
    }
    OnClick(this, Button);
}

void TskDBNavigator::ButtonClick(TObject* Sender) {
    if (auto* b = dynamic_cast<TskNavButton*>(Sender)) ButtonAction(b->Index);
}

void TskDBNavigator::InvalidateButton(TNavigateBtn Index) { buttons_[Index]->Invalidate(); }

void TskDBNavigator::ButtonMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
    auto* b = dynamic_cast<TskNavButton*>(Sender);
    if (!b) return;
    const TNavigateBtn old = focusedButton_;
    focusedButton_ = b->Index;
    if (!TabStop()) return;
    const bool hasFocus = HandleAllocated() && GetFocus() == Handle();
    if (!hasFocus && CanFocus()) {
        SetFocus();
        return;
    }
    if (hasFocus && old != focusedButton_) {
        InvalidateButton(old);
        InvalidateButton(focusedButton_);
    }
}

void TskDBNavigator::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomPanel::KeyDown(Key, Shift);
    const TNavigateBtn old = focusedButton_;
    switch (Key) {
        case VK_RIGHT: {
            int i = old;
            if (i < nbRefresh) {
                do ++i;
                while (i < nbRefresh && !buttons_[static_cast<size_t>(i)]->Visible());
            }
            if (i != old && buttons_[static_cast<size_t>(i)]->Visible()) {
                focusedButton_ = Kind(i);
                InvalidateButton(old);
                InvalidateButton(focusedButton_);
            }
            break;
        }
        case VK_LEFT: {
            int i = old;
            if (i > nbFirst) {
                do --i;
                while (i > nbFirst && !buttons_[static_cast<size_t>(i)]->Visible());
            }
            // nbFirst takes the focus even while hidden.
            if (i != old) {
                focusedButton_ = Kind(i);
                InvalidateButton(old);
                InvalidateButton(focusedButton_);
            }
            break;
        }
        case VK_SPACE:
            if (buttons_[focusedButton_]->Enabled()) buttons_[focusedButton_]->Click();
            break;
        default: break;
    }
}

void TskDBNavigator::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SIZE: {
            TCustomPanel::Dispatch(Message);
            int w = Width(), h = Height();
            LayoutButtons(w, h);
            return;
        }
        case WM_WINDOWPOSCHANGING: {
            TCustomPanel::Dispatch(Message);
            auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
            if (!(pos->flags & SWP_NOSIZE)) ClampSize(pos->cx, pos->cy);
            return;
        }
        case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            TCustomPanel::Dispatch(Message);
            InvalidateButton(focusedButton_);
            return;
        case CM_ENABLEDCHANGED:
            TCustomPanel::Dispatch(Message);
            if (!ComponentState().Contains(csLoading)) UpdateAllButtons();
            return;
        default: TCustomPanel::Dispatch(Message);
    }
}

void TskDBNavigator::UpdateMoveButtons() {
    const bool live = Enabled() && dataLink_->Active();
    TDataSet* set = dataLink_->DataSet();
    const bool up = live && !set->Bof();
    const bool down = live && !set->Eof();
    buttons_[nbFirst]->SetEnabled(up);
    buttons_[nbPrior]->SetEnabled(up);
    buttons_[nbNext]->SetEnabled(down);
    buttons_[nbLast]->SetEnabled(down);
    buttons_[nbDelete]->SetEnabled(live && set->CanModify() && !(set->Bof() && set->Eof()));
}

void TskDBNavigator::UpdateEditButtons() {
    const bool canModify = Enabled() && dataLink_->Active() && dataLink_->DataSet()->CanModify();
    const bool editing = dataLink_->Editing();
    buttons_[nbInsert]->SetEnabled(canModify);
    buttons_[nbEdit]->SetEnabled(canModify && !editing);
    buttons_[nbPost]->SetEnabled(canModify && editing);
    buttons_[nbCancel]->SetEnabled(canModify && editing);
    buttons_[nbRefresh]->SetEnabled(canModify);
}

void TskDBNavigator::UpdateAllButtons() {
    if (Enabled() && dataLink_->Active()) {
        UpdateMoveButtons();
        UpdateEditButtons();
    } else {
        for (TskNavButton* b : buttons_) b->SetEnabled(false);
    }
}
