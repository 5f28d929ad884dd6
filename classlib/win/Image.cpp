#include "Image.h"

#include "Canvas.h"

const TClassInfo& TImage::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TImage, TGraphicControl>("TImage", [](auto& c) {
        c.Bool("Center", &TImage::Center, &TImage::SetCenter);
        c.Object("Picture", &TImage::Picture);
        c.Bool("Proportional", &TImage::Proportional, &TImage::SetProportional);
        c.Bool("Stretch", &TImage::Stretch, &TImage::SetStretch);
        c.Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent);
    });
    return info;
}

TImage::TImage() { picture_.OnChange = TNotifyEvent::Bind<&TImage::PictureChanged>(this); }

void TImage::Init() {
    TGraphicControl::Init();
    ControlStyle.Include(csReplicatable);
    SetBounds(0, 0, 105, 105);
}

TRect TImage::DestRect() {
    const int pw = picture_.Width(), ph = picture_.Height();
    const int cw = ClientWidth(), ch = ClientHeight();
    int w = pw, h = ph;
    if (stretch_ || (proportional_ && (pw > cw || ph > ch))) {
        if (proportional_ && pw > 0 && ph > 0) {
            // The larger side fills the control; 64-bit products cannot overflow.
            if (static_cast<long long>(cw) * ph > static_cast<long long>(ch) * pw) {
                h = ch;
                w = static_cast<int>(static_cast<long long>(pw) * ch / ph);
            } else {
                w = cw;
                h = static_cast<int>(static_cast<long long>(ph) * cw / pw);
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0, y = 0;
    if (center_) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return Rect(x, y, x + w, y + h);
}

bool TImage::CanAutoSize(int& NewWidth, int& NewHeight) {
    if (!picture_.Graphic() || picture_.Graphic()->Empty()) return false;
    NewWidth = picture_.Width();
    NewHeight = picture_.Height();
    return true;
}

void TImage::Paint() {
    TGraphic* g = picture_.Graphic();
    if (!g || g->Empty()) return;
    Canvas()->StretchDraw(DestRect(), g);
}

void TImage::PictureChanged(TObject*) {
    if (TGraphic* g = picture_.Graphic(); g && g->Transparent() != transparent_) g->SetTransparent(transparent_);
    AdjustSize();
    Invalidate();
}

void TImage::SetStretch(bool Value) {
    stretch_ = Value;
    Invalidate();
}
void TImage::SetCenter(bool Value) {
    center_ = Value;
    Invalidate();
}
void TImage::SetProportional(bool Value) {
    proportional_ = Value;
    Invalidate();
}
void TImage::SetTransparent(bool Value) {
    transparent_ = Value;
    // The parent's background shows through; it must paint behind the image.
    if (Value) ControlStyle.Exclude(csOpaque);
    else ControlStyle.Include(csOpaque);
    if (TGraphic* g = picture_.Graphic()) g->SetTransparent(Value);
    Invalidate();
}
