#include "SkinToolBar.h"

#include "ButtonGeometry.h"
#include "Panel.h"
#include "SkinPublic.h"
#include "SkinThemes.h"
#include "ThemeKeys.h"

#include <array>

const TClassInfo& TskToolBar::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskToolBar, TToolBar>("TskToolBar", [](auto& c) {
        c.template Reference<TskFileTheme>("FileTheme", &TskToolBar::FileTheme, &TskToolBar::SetFileTheme);
        c.template Enum<TskUIStyle>("UIStyle", &TskToolBar::UIStyle, &TskToolBar::SetUIStyle, UIStyleNames());
        c.template Color<TColor>("ButtonColor", &TskToolBar::ButtonColor, &TskToolBar::SetButtonColor);
        c.template Color<TColor>("ButtonBorderColor", &TskToolBar::ButtonBorderColor, &TskToolBar::SetButtonBorderColor);
        c.template Color<TColor>("ButtonDownColor", &TskToolBar::ButtonDownColor, &TskToolBar::SetButtonDownColor);
        c.template Color<TColor>("Color", &TskToolBar::Color, &TskToolBar::SetColor);
        c.Bool("Transparent", &TskToolBar::Transparent, &TskToolBar::SetTransparent);
    });
    // Transparent buttons on a bar paint what lies behind the bar.
    static const bool registered = (RegisterBackgroundContainer(info), true);
    (void)registered;
    return info;
}

void TskToolBar::Init() {
    TToolBar::Init();
    if (!ComponentState().Contains(csDesigning))
        OnCustomDrawButton = TToolBarCustomDrawButtonEvent::Bind<&TskToolBar::ToolBarCustomDrawButton>(this);
    OnCustomDraw = TToolBarCustomDrawEvent::Bind<&TskToolBar::ToolBarCustomDraw>(this);
    SetFlat(true);
    SetTransparent(false);
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
}

void TskToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    TToolBar::Notification(AComponent, Operation);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
}

void TskToolBar::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    const TskResolvedTheme theme(fileTheme_, Value);
    buttonBorderColor_ = static_cast<TColor>(theme.Color(TskThemeKey::ToolBarButtonBorderColor));
    buttonColor_ = static_cast<TColor>(theme.Color(TskThemeKey::ToolBarButtonBackgroundColor));
    buttonDownColor_ = static_cast<TColor>(theme.Color(TskThemeKey::ToolBarButtonDownBackgroundColor));
    // By the stored style: a bar reading a theme file is never transparent.
    SetTransparent(Value == TskUIStyle::MacOS || Value == TskUIStyle::Protein);
    SetEdgeInner(esNone);
    SetEdgeOuter(esNone);
    Invalidate();
}

void TskToolBar::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskToolBar::SetButtonColor(TColor Value) {
    buttonColor_ = Value;
    Invalidate();
}

void TskToolBar::SetButtonBorderColor(TColor Value) {
    buttonBorderColor_ = Value;
    Invalidate();
}

void TskToolBar::SetButtonDownColor(TColor Value) {
    buttonDownColor_ = Value;
    Invalidate();
}

void TskToolBar::ToolBarCustomDraw(TToolBar*, const TRect&, bool&) {
    if (Transparent()) PaintParentBackground(Canvas(), this);
}

void TskToolBar::ToolBarCustomDrawButton(TToolBar*, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw) {
    const TRect r = Button->BoundsRect();
    const bool dropDown = Button->Style() == tbsDropDown;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    TImageList* images = HotImages() ? HotImages() : Images();
    if (State.Contains(cdsHot)) {
        if (State.Contains(cdsSelected))
            DrawButtonDown(canvas, r, dropDown, Button->Caption(), Button->ImageIndex(), images);
        else
            DrawButtonHot(canvas, r, dropDown, Button->Caption(), Button->ImageIndex(), images);
        if (dropDown) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(clBlack);
            canvas->Pen()->SetColor(clBlack);
            // Half the button's height counted from the bar's top: on a lower
            // row the arrow stays at the first row's height.
            const int y = (r.Bottom - r.Top) / 2;
            const std::array<TPoint, 3> outer{TPoint{r.Right - 9, y}, TPoint{r.Right - 5, y}, TPoint{r.Right - 7, y + 2}};
            const std::array<TPoint, 3> inner{TPoint{r.Right - 8, y}, TPoint{r.Right - 6, y}, TPoint{r.Right - 7, y + 1}};
            canvas->Polygon(outer);
            canvas->Polygon(inner);
            canvas->MoveTo(r.Right - 14, r.Top);
            canvas->LineTo(r.Right - 14, r.Bottom);
        }
        DefaultDraw = false;
        return;
    }
    if (State.Contains(cdsSelected) || State.Contains(cdsChecked)) {
        DrawButtonHot(canvas, r, dropDown, Button->Caption(), Button->ImageIndex(), images);
        DefaultDraw = false;
    }
}

void TskToolBar::DrawButtonHot(TCanvas* Canvas, const TRect& R, bool DropDown, const std::string& Caption,
                               int ImageIndex, TImageList* Images) {
    DrawFace(Canvas, R, DropDown, Caption, ImageIndex, Images, buttonColor_, 4);
}

void TskToolBar::DrawButtonDown(TCanvas* Canvas, const TRect& R, bool DropDown, const std::string& Caption,
                                int ImageIndex, TImageList* Images) {
    // The caption one pixel lower than on the hot face.
    DrawFace(Canvas, R, DropDown, Caption, ImageIndex, Images, buttonDownColor_, 5);
}

void TskToolBar::DrawFace(TCanvas* Canvas, const TRect& R, bool DropDown, const std::string& Caption, int ImageIndex,
                          TImageList* Images, TColor Fill, int CaptionTop) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Fill);
    Canvas->Pen()->SetColor(buttonBorderColor_);
    Canvas->Rectangle(R);
    const int right = DropDown ? R.Right - 14 : R.Right;
    // Measured without ampersands, drawn with them (the accelerator underlined).
    const int textWidth = Canvas->TextWidth(RemoveAmpersands(Caption));
    TRect text;
    if (Images) {
        if (List())
            Images->Draw(Canvas, R.Left + 5, R.Top + 3, ImageIndex, true);
        else
            Images->Draw(Canvas, R.Left + (right - R.Left - Images->Width()) / 2, R.Top + 3, ImageIndex, true);
        if (!ShowCaptions()) return;
        text = List() ? TRect{R.Left + Images->Width() + 7, R.Top + 4, R.Right, R.Bottom}
                      : TRect{R.Left + (right - R.Left - textWidth) / 2, R.Top + Images->Height() + 4, R.Right, R.Bottom};
    } else {
        if (!ShowCaptions()) return;
        text = List() ? TRect{R.Left + 8, R.Top + 3, R.Right, R.Bottom}
                      : TRect{R.Left + (right - R.Left - textWidth) / 2, R.Top + CaptionTop, R.Right, R.Bottom};
    }
    DrawControlText(Canvas->Handle(), Canvas->Font(), Caption, text, 0, Canvas->Font()->Color());
}
