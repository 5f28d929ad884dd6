#include "TitleBarItems.h"

#include "Application.h"
#include "Bitmap.h"
#include "FileTheme.h"
#include "Form.h"
#include "Menus.h"
#include "SkinPublic.h"
#include "SkinThemes.h"
#include "TitleBar.h"

namespace {

constexpr int ButtonFrameCount = 18;

// First of the three frames (normal, hovered, pressed) a button type takes
// from the button strip; 0 for a type without pictures.
int FirstButtonFrame(TskTitleBarBtnType Type) {
    switch (Type) {
        case TskTitleBarBtnType::skControlBox: return 1;
        case TskTitleBarBtnType::skHelp: return 4;
        case TskTitleBarBtnType::skMax: return 7;
        case TskTitleBarBtnType::skMin: return 13;
        case TskTitleBarBtnType::skClose: return 16;
        case TskTitleBarBtnType::skCustom: return 0;
    }
    return 0;
}
constexpr int RestoreFrame = 10;

void ShowErrorBox(const char* Text) { Application->MessageBox(Text, Application->Title(), MB_OK | MB_ICONERROR); }

}  // namespace

const std::vector<std::string>& TitleBarBtnTypeNames() {
    static const std::vector<std::string> names{"skMax", "skMin", "skClose", "skHelp", "skControlBox", "skCustom"};
    return names;
}

const std::vector<std::string>& TitleBarAlignNames() {
    static const std::vector<std::string> names{"skLeft", "skRight", "skClient"};
    return names;
}

// ---- buttons

const TClassInfo& TskTitleBarButton::StaticClassInfo() {
    using B = TskTitleBarButton;
    static const TClassInfo info = DescribeClass<B, TCollectionItem>("TskTitleBarButton", [](auto& c) {
        c.template Enum<TskUIStyle>("UIStyle", &B::UIStyle, &B::SetUIStyle, UIStyleNames());
        c.template Enum<TskTitleBarBtnType>("ButtonType", &B::ButtonType, &B::SetButtonType, TitleBarBtnTypeNames());
        c.Bool("Transparent", &B::Transparent, &B::SetTransparent);
        c.Int("Top", &B::Top, &B::SetTop);
        c.template Reference<TPopupMenu>("ControlBoxMenu", &B::ControlBoxMenu, &B::SetControlBoxMenu);
        c.Bool("Visible", &B::Visible, &B::SetVisible);
        c.Object("PicNormal", &B::PicNormal);
        c.Object("PicMouseOn", &B::PicMouseOn);
        c.Object("PicMouseDown", &B::PicMouseDown);
    });
    return info;
}

TskTitleBarButton::TskTitleBarButton() { SetUIStyle(TskUIStyle::DeepBlue); }

void TskTitleBarButton::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TskTitleBarButton*>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetVisible(source->Visible());
    SetButtonType(source->ButtonType());
    SetTransparent(source->Transparent());
    SetTop(source->Top());
    SetUIStyle(source->UIStyle());
    SetPicNormal(source->PicNormal());
    SetPicMouseOn(source->PicMouseOn());
    SetPicMouseDown(source->PicMouseDown());
    SetControlBoxMenu(source->ControlBoxMenu());
}

TskTitleBar* TskTitleBarButton::TitleBar() const {
    auto* buttons = dynamic_cast<TskTitleBarButtons*>(Collection());
    return buttons ? buttons->TitleBar() : nullptr;
}

void TskTitleBarButton::Repaint() {
    if (auto* bar = TitleBar()) bar->Invalidate();
}

void TskTitleBarButton::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    UpdatePictures();
    Repaint();
}

void TskTitleBarButton::SetButtonType(TskTitleBarBtnType Value) {
    if (Value == TskTitleBarBtnType::skControlBox && Collection()) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            if (static_cast<TskTitleBarButton*>(Collection()->Items(i))->ButtonType() ==
                TskTitleBarBtnType::skControlBox) {
                ShowErrorBox(OnlyOneControlBoxText);
                return;
            }
        }
    }
    buttonType_ = Value;
    UpdatePictures();
    Repaint();
}

void TskTitleBarButton::SetTransparent(bool Value) {
    transparent_ = Value;
    Repaint();
}

void TskTitleBarButton::SetTop(int Value) {
    top_ = Value;
    Repaint();
}

void TskTitleBarButton::SetControlBoxMenu(TPopupMenu* Value) {
    controlBoxMenu_ = Value;
    // Collection items hear of no removals; the bar clears the menu when it goes.
    if (Value)
        if (auto* bar = TitleBar()) bar->FreeNotification(Value);
}

void TskTitleBarButton::SetVisible(bool Value) {
    visible_ = Value;
    Repaint();
}

void TskTitleBarButton::SetPicNormal(TPicture* Value) {
    picNormal_.Assign(Value);
    Repaint();
}

void TskTitleBarButton::SetPicMouseOn(TPicture* Value) {
    picMouseOn_.Assign(Value);
    Repaint();
}

void TskTitleBarButton::SetPicMouseDown(TPicture* Value) {
    picMouseDown_.Assign(Value);
    Repaint();
}

void TskTitleBarButton::UpdatePictures() {
    TskTitleBar* bar = TitleBar();
    const TskResolvedTheme theme(bar ? bar->FileTheme() : nullptr, uiStyle_);
    transparent_ = theme.Bool(TskThemeKey::TitleBarButtonTransparentBool);
    const int first = FirstButtonFrame(buttonType_);
    if (first == 0) return;
    theme.Bitmap(TskThemeKey::TitleBarButtonImage, picNormal_.Bitmap(), ButtonFrameCount, first);
    theme.Bitmap(TskThemeKey::TitleBarButtonImage, picMouseOn_.Bitmap(), ButtonFrameCount, first + 1);
    theme.Bitmap(TskThemeKey::TitleBarButtonImage, picMouseDown_.Bitmap(), ButtonFrameCount, first + 2);
    top_ = theme.Int(TskThemeKey::TitleBarButtonTopInt);
    if (buttonType_ == TskTitleBarBtnType::skMax) UpdateMaxPicture();
}

void TskTitleBarButton::UpdateMaxPicture() {
    if (buttonType_ != TskTitleBarBtnType::skMax) return;
    TskTitleBar* bar = TitleBar();
    if (bar && bar->Custom()) return;
    TCustomForm* form = bar ? bar->ParentForm() : nullptr;
    const int first =
        form && form->WindowState() == wsMaximized ? RestoreFrame : FirstButtonFrame(TskTitleBarBtnType::skMax);
    const TskResolvedTheme theme(bar ? bar->FileTheme() : nullptr, uiStyle_);
    theme.Bitmap(TskThemeKey::TitleBarButtonImage, picNormal_.Bitmap(), ButtonFrameCount, first);
    theme.Bitmap(TskThemeKey::TitleBarButtonImage, picMouseOn_.Bitmap(), ButtonFrameCount, first + 1);
    theme.Bitmap(TskThemeKey::TitleBarButtonImage, picMouseDown_.Bitmap(), ButtonFrameCount, first + 2);
    Repaint();
}

void TskTitleBarButton::DoClick() {
    TskTitleBar* bar = TitleBar();
    TCustomForm* form = bar ? bar->ParentForm() : nullptr;
    if (!form) return;
    switch (buttonType_) {
        case TskTitleBarBtnType::skMax:
            if (form->WindowState() == wsMaximized) {
                form->SetWindowState(wsNormal);
            } else {
                form->SetWindowState(wsMaximized);
                // A form with its own frame places itself; a plain one is
                // laid on the work area, one pixel short of its bottom.
                if (!bar->InSkinnedForm()) {
                    TRect area = GetDesktopWorkArea();
                    area.Bottom -= 1;
                    PlaceControl(form, area);
                }
            }
            UpdateMaxPicture();
            break;
        case TskTitleBarBtnType::skMin:
            if (form == Application->MainForm())
                SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            else
                form->SetWindowState(wsMinimized);
            break;
        case TskTitleBarBtnType::skClose: form->Close(); break;
        case TskTitleBarBtnType::skControlBox:
            if (controlBoxMenu_) bar->PopUpSystemMenu(controlBoxMenu_);
            break;
        case TskTitleBarBtnType::skHelp:
        case TskTitleBarBtnType::skCustom: break;  // their events come from the bar
    }
}

// ---- sections

const TClassInfo& TskTitleBarSection::StaticClassInfo() {
    using S = TskTitleBarSection;
    static const TClassInfo info = DescribeClass<S, TCollectionItem>("TskTitleBarSection", [](auto& c) {
        c.Bool("AutoSize", &S::AutoSize, &S::SetAutoSize);
        c.Int("Width", &S::Width, &S::SetWidth);
        c.template Enum<TskTitleBarAlign>("Align", &S::Align, &S::SetAlign, TitleBarAlignNames());
        c.Object("Picture", &S::Picture);
        c.Bool("Stretch", &S::Stretch, &S::SetStretch);
    });
    return info;
}

void TskTitleBarSection::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TskTitleBarSection*>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetWidth(source->Width());
    SetAlign(source->Align());
    SetPicture(source->Picture());
    SetStretch(source->Stretch());
    SetAutoSize(source->AutoSize());
}

void TskTitleBarSection::Repaint() {
    auto* sections = dynamic_cast<TskTitleBarSections*>(Collection());
    if (sections && sections->TitleBar()) sections->TitleBar()->Invalidate();
}

void TskTitleBarSection::SetWidth(int Value) {
    width_ = Value;
    Repaint();
}

void TskTitleBarSection::SetAlign(TskTitleBarAlign Value) {
    if (Value == TskTitleBarAlign::skClient && Collection()) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            if (static_cast<TskTitleBarSection*>(Collection()->Items(i))->Align() == TskTitleBarAlign::skClient) {
                ShowErrorBox(OnlyOneClientSectionText);
                return;
            }
        }
    }
    align_ = Value;
    if (Value == TskTitleBarAlign::skClient) stretch_ = true;
    Repaint();
}

void TskTitleBarSection::SetPicture(TPicture* Value) {
    picture_.Assign(Value);
    Repaint();
}

void TskTitleBarSection::SetStretch(bool Value) {
    stretch_ = Value || align_ == TskTitleBarAlign::skClient;
    Repaint();
}

// ---- collections

TskTitleBarButtons::TskTitleBarButtons(TskTitleBar* Bar) : TCollectionOf(Bar), bar_(Bar) {}

void TskTitleBarButtons::Update(TCollectionItem* Item) {
    TCollectionOf::Update(Item);
    if (bar_) bar_->Invalidate();
}

TskTitleBarSections::TskTitleBarSections(TskTitleBar* Bar) : TCollectionOf(Bar), bar_(Bar) {}

void TskTitleBarSections::Update(TCollectionItem* Item) {
    TCollectionOf::Update(Item);
    if (bar_) bar_->Invalidate();
}
