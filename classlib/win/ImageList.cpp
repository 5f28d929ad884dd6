#include "ImageList.h"

#include "Bitmap.h"
#include "Canvas.h"

#include <algorithm>

const TClassInfo& TImageList::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TImageList, TComponent>("TImageList", [](auto& c) {
        c.Int("Height", &TImageList::Height, &TImageList::SetHeight);
        c.Int("Width", &TImageList::Width, &TImageList::SetWidth);
        c.Event("OnChange", &TImageList::OnChange);
    });
    return info;
}

TImageList::TImageList(int Width, int Height) : width_(std::max(Width, 1)), height_(std::max(Height, 1)) {}

TImageList::~TImageList() {
    if (handle_) ImageList_Destroy(handle_);
}

HIMAGELIST TImageList::Handle() {
    if (!handle_) {
        static const bool initialised = [] {
            INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
            return InitCommonControlsEx(&icc);
        }();
        (void)initialised;
        // 24-bit colour: our bitmaps carry no alpha, the mask decides what shows.
        handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    }
    return handle_;
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TImageList::SetSize(int NewWidth, int NewHeight) {
    NewWidth = std::max(NewWidth, 1);
    NewHeight = std::max(NewHeight, 1);
    if (NewWidth == width_ && NewHeight == height_) return;
    width_ = NewWidth;
    height_ = NewHeight;
    if (handle_) {
        ImageList_Destroy(handle_);
        handle_ = nullptr;
    }
    Changed();
}

void TImageList::Assign(TPersistent* Source) {
    if (auto* list = dynamic_cast<TImageList*>(Source)) {
        if (list == this) return;
        if (handle_) ImageList_Destroy(handle_);
        handle_ = list->handle_ ? ImageList_Duplicate(list->handle_) : nullptr;
        width_ = list->width_;
        height_ = list->height_;
        Changed();
        return;
    }
    TComponent::Assign(Source);
}

int TImageList::Add(TBitmap* Image, TBitmap* Mask) {
    if (!Image || Image->Empty()) return -1;
    // The system list selects the bitmaps into a context of its own.
    Image->FreeContext();
    if (Mask) Mask->FreeContext();
    // A mask in the list's format: monochrome, white where transparent.
    TGdiObject<HBITMAP> mono;
    if (Mask && !Mask->Empty()) {
        mono.Reset(CreateBitmap(Mask->Width(), Mask->Height(), 1, 1, nullptr));
        TOwnedDC src(CreateCompatibleDC(nullptr)), dst(CreateCompatibleDC(nullptr));
        HGDIOBJ oldSrc = SelectObject(src.Get(), Mask->Handle());
        HGDIOBJ oldDst = SelectObject(dst.Get(), mono.Get());
        BitBlt(dst.Get(), 0, 0, Mask->Width(), Mask->Height(), src.Get(), 0, 0, SRCCOPY);
        SelectObject(src.Get(), oldSrc);
        SelectObject(dst.Get(), oldDst);
    }
    const int index = ImageList_Add(Handle(), Image->Handle(), mono.Get());
    if (index >= 0) Changed();
    return index;
}

int TImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    if (!Image || Image->Empty()) return -1;
    // The system blackens the masked pixels of what it is given: give it a copy.
    TBitmap copy;
    copy.Assign(Image);
    copy.FreeContext();
    const int index = ImageList_AddMasked(Handle(), copy.Handle(), static_cast<COLORREF>(ColorToRGB(MaskColor)));
    if (index >= 0) Changed();
    return index;
}

void TImageList::Delete(int Index) {
    if (handle_ && Index >= 0 && Index < Count() && ImageList_Remove(handle_, Index)) Changed();
}

void TImageList::Clear() {
    if (handle_ && Count() > 0) {
        ImageList_Remove(handle_, -1);
        Changed();
    }
}

void TImageList::GetBitmap(int Index, TBitmap* Dest) {
    if (!Dest || Index < 0 || Index >= Count()) return;
    Dest->SetSize(width_, height_);
    ImageList_Draw(handle_, Index, Dest->Canvas()->Handle(), 0, 0, ILD_NORMAL);
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
    if (!Canvas || Index < 0 || Index >= Count()) return;
    if (Enabled)
        ImageList_Draw(handle_, Index, Canvas->Handle(), X, Y, ILD_NORMAL);
    else
        DrawDisabled(Canvas->Handle(), X, Y, Index);
}

// Greying: each visible pixel becomes its brightness, lifted halfway to white,
// over the pixels already there; transparent pixels stay untouched.
void TImageList::DrawDisabled(HDC Dest, int X, int Y, int Index) {
    TBitmap mask, image, under;
    mask.SetSize(width_, height_);
    mask.Canvas()->Brush()->SetColor(clWhite);
    mask.Canvas()->FillRect(Rect(0, 0, width_, height_));
    ImageList_Draw(handle_, Index, mask.Canvas()->Handle(), 0, 0, ILD_MASK);
    image.SetSize(width_, height_);
    ImageList_Draw(handle_, Index, image.Canvas()->Handle(), 0, 0, ILD_NORMAL);
    under.SetSize(width_, height_);
    BitBlt(under.Canvas()->Handle(), 0, 0, width_, height_, Dest, X, Y, SRCCOPY);

    for (int y = 0; y < height_; ++y) {
        const uint32_t* m = mask.ScanLine(y);
        const uint32_t* p = image.ScanLine(y);
        uint32_t* u = under.ScanLine(y);
        for (int x = 0; x < width_; ++x) {
            if ((m[x] & 0xFFFFFF) != 0) continue;  // white in the mask: transparent
            const uint32_t r = (p[x] >> 16) & 0xFF, g = (p[x] >> 8) & 0xFF, b = p[x] & 0xFF;
            const uint32_t grey = (r * 30 + g * 59 + b * 11) / 100;
            const uint32_t pale = 128 + grey / 2;
            u[x] = (pale << 16) | (pale << 8) | pale;
        }
    }
    BitBlt(Dest, X, Y, width_, height_, under.Canvas()->Handle(), 0, 0, SRCCOPY);
}
