#include "SkinImagePanel.h"

#include "Bitmap.h"
#include "SkinPublic.h"
#include "SysUtils.h"

#include <windows.h>

const TClassInfo& TskCustomPanel::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskCustomPanel, TCustomPanel>("TskCustomPanel", [](auto&) {});
    return info;
}

const TClassInfo& TskImagePanel::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskImagePanel, TskCustomPanel>("TskImagePanel", [](auto& c) {
        c.Object("Picture", &TskImagePanel::Picture);
        c.Bool("Transparent", &TskImagePanel::Transparent, &TskImagePanel::SetTransparent);
        c.Bool("AutoSize", &TskImagePanel::AutoSize, &TskImagePanel::SetAutoSize);
        c.template Enum<TskDrawStyle>("DrawStyle", &TskImagePanel::DrawStyle, &TskImagePanel::SetDrawStyle,
                                      {"skNormal", "skStretch", "skTile"});
    });
    return info;
}

void TskCustomPanel::Init() {
    TCustomPanel::Init();
    picture_.OnChange = TNotifyEvent::Bind<&TskCustomPanel::PictureChanged>(this);
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
}

void TskCustomPanel::SetDrawStyle(TskDrawStyle Value) {
    drawStyle_ = Value;
    ClearBackground();
    Invalidate();
}

void TskCustomPanel::SetAutoSize(bool Value) {
    autoSize_ = Value;
    if (HasGraphic()) FitToPicture();
}

void TskCustomPanel::SetTransparent(bool Value) {
    transparent_ = Value;
    if (HasGraphic()) ApplyTransparency();
    Invalidate();
}

void TskCustomPanel::ClearBackground() {
    Canvas()->Brush()->SetColor(Color());
    if (ParentWindow() && HandleAllocated()) Canvas()->FillRect(ClientRect());
}

void TskCustomPanel::PictureChanged(TObject*) {
    if (HasGraphic()) {
        FitToPicture();
        ApplyTransparency();
    }
    ClearBackground();
    Invalidate();
}

void TskCustomPanel::FitToPicture() {
    if (!autoSize_) return;
    const TAlign align = Align();
    const bool keepWidth = align == alTop || align == alBottom || align == alClient;
    const bool keepHeight = align == alLeft || align == alRight || align == alClient;
    SetBounds(Left(), Top(), keepWidth ? Width() : picture_.Width(), keepHeight ? Height() : picture_.Height());
}

void TskCustomPanel::ApplyTransparency() {
    TGraphic* graphic = picture_.Graphic();
    if (graphic->Transparent() != transparent_) graphic->SetTransparent(transparent_);
}

void TskCustomPanel::Resize() {
    TCustomPanel::Resize();
    Invalidate();
}

void TskCustomPanel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND: Message.Result = 1; return;
        case CM_TEXTCHANGED:
            TCustomPanel::Dispatch(Message);
            CaptionChanged();
            Invalidate();
            return;
        default: TCustomPanel::Dispatch(Message);
    }
}

void TskCustomPanel::PaintBackground(TCanvas* Target) {
    if (transparent_) {
        PaintParentBackground(Target, this);
    } else {
        Target->Brush()->SetStyle(bsSolid);
        Target->Brush()->SetColor(Color());
        Target->FillRect(ClientRect());
    }
}

void TskCustomPanel::Paint() {
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    const TRect client = ClientRect();
    // Opaque, the panel's colour lies under the picture too: an unscaled
    // picture smaller than the panel leaves no undefined pixels beside it.
    PaintBackground(canvas);
    if (HasGraphic()) {
        switch (drawStyle_) {
            case TskDrawStyle::skStretch: canvas->StretchDraw(client, picture_.Graphic()); break;
            case TskDrawStyle::skTile: TilePicture(canvas, &picture_, client); break;
            case TskDrawStyle::skNormal: canvas->Draw(0, 0, picture_.Graphic()); break;
        }
    }
    canvas->Brush()->SetStyle(bsClear);
    const std::string caption = Caption();
    if (!Trim(caption).empty()) {
        const UINT horizontal = Alignment() == taLeftJustify ? DT_LEFT : Alignment() == taRightJustify ? DT_RIGHT : DT_CENTER;
        TRect r = client;
        DrawControlText(canvas->Handle(), Font(), caption, r, DT_SINGLELINE | DT_VCENTER | horizontal, Font()->Color());
    }
    Canvas()->Draw(0, 0, &buffer);
}
