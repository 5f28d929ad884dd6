#include "Bitmap.h"

#include "BitmapFile.h"
#include "Exceptions.h"
#include "Streams.h"

#include <algorithm>
#include <cstring>

// The canvas of a bitmap: a memory device context with the bitmap selected.
// It lets go of the context whenever the bitmap's image is replaced.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* Owner) : owner_(Owner) {}
    ~TBitmapCanvas() override { FreeContext(); }
    std::string ClassName() const override { return "TBitmapCanvas"; }

    void FreeContext() {
        if (!dc_.Get()) return;
        SetHandle(nullptr);
        SelectObject(dc_.Get(), oldBitmap_);
        dc_.Reset();
    }

protected:
    void CreateHandle() override {
        TOwnedDC dc(CreateCompatibleDC(nullptr));
        if (!dc.Get()) throw EOutOfResources("Out of system resources");
        oldBitmap_ = owner_->Handle() ? SelectObject(dc.Get(), owner_->Handle()) : nullptr;
        dc_ = std::move(dc);
        SetHandle(dc_.Get());
    }

private:
    TBitmap* owner_;
    TOwnedDC dc_;
    HGDIOBJ oldBitmap_ = nullptr;
};

TGdiObject<HBITMAP> CreateDib32(int Width, int Height, uint32_t** Bits) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = Width;
    bi.bmiHeader.biHeight = -Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TGdiObject<HBITMAP> h(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!h) throw EOutOfResources("Out of system resources");
    *Bits = static_cast<uint32_t*>(bits);
    return h;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { canvas_.reset(); }

TCanvas* TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(this);
    return canvas_.get();
}

void TBitmap::FreeContext() {
    if (canvas_) canvas_->FreeContext();
}

void TBitmap::ReplaceImage(TGdiObject<HBITMAP> Image, uint32_t* Bits, int NewWidth, int NewHeight) {
    if (canvas_) canvas_->FreeContext();
    handle_ = std::move(Image);
    bits_ = Bits;
    width_ = NewWidth;
    height_ = NewHeight;
    Changed();
}

void TBitmap::SetSize(int NewWidth, int NewHeight) {
    NewWidth = std::max(NewWidth, 0);
    NewHeight = std::max(NewHeight, 0);
    if (NewWidth == width_ && NewHeight == height_) return;
    if (NewWidth == 0 || NewHeight == 0) {
        ReplaceImage({}, nullptr, NewWidth, NewHeight);
        return;
    }
    uint32_t* bits = nullptr;
    TGdiObject<HBITMAP> image = CreateDib32(NewWidth, NewHeight, &bits);
    if (bits_) {
        GdiFlush();
        const int w = std::min(width_, NewWidth);
        for (int y = 0; y < std::min(height_, NewHeight); ++y)
            std::memcpy(bits + static_cast<size_t>(y) * NewWidth, bits_ + static_cast<size_t>(y) * width_, w * 4u);
    }
    ReplaceImage(std::move(image), bits, NewWidth, NewHeight);
}

uint32_t* TBitmap::ScanLine(int Y) {
    if (!bits_ || Y < 0 || Y >= height_) throw EInvalidGraphic("Scan line index out of range");
    GdiFlush();
    return bits_ + static_cast<size_t>(Y) * width_;
}

void TBitmap::Assign(TPersistent* Source) {
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        if (b == this) return;
        uint32_t* bits = nullptr;
        TGdiObject<HBITMAP> image;
        if (!b->Empty()) {
            image = CreateDib32(b->width_, b->height_, &bits);
            GdiFlush();
            std::memcpy(bits, b->bits_, static_cast<size_t>(b->width_) * b->height_ * 4);
        }
        transparentMode_ = b->transparentMode_;
        transparentColor_ = b->transparentColor_;
        TGraphic::SetTransparent(b->Transparent());
        ReplaceImage(std::move(image), bits, b->width_, b->height_);
        return;
    }
    TGraphic::Assign(Source);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
    if (Value == transparentMode_) return;
    transparentMode_ = Value;
    Changed();
}

TColor TBitmap::TransparentColor() {
    if (transparentMode_ == tmFixed) return transparentColor_;
    if (Empty()) return clDefault;
    const uint32_t p = ScanLine(height_ - 1)[0];
    return RGBToColor(static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p));
}

void TBitmap::SetTransparentColor(TColor Value) {
    transparentColor_ = Value;
    transparentMode_ = tmFixed;
    Changed();
}

void TBitmap::LoadPacked(const uint8_t* Data, size_t Size, bool FileHeader) {
    const TBmpLayout layout = ParseBmp(Data, Size, FileHeader);

    // A fresh header for GDI: the checked values only, and for compressed data
    // the number of bytes that really follow.
    struct {
        BITMAPINFOHEADER h;
        uint32_t colors[256];
    } info{};
    info.h.biSize = sizeof(BITMAPINFOHEADER);
    info.h.biWidth = layout.Width;
    info.h.biHeight = layout.TopDown ? -layout.Height : layout.Height;
    info.h.biPlanes = 1;
    info.h.biBitCount = layout.BitCount;
    info.h.biCompression = layout.Compression;
    info.h.biSizeImage = static_cast<DWORD>(layout.BitsSize);
    if (layout.Compression == kBmpBitFields) {
        std::memcpy(info.colors, layout.Masks, sizeof layout.Masks);
    } else {
        info.h.biClrUsed = static_cast<DWORD>(layout.Palette.size());
        std::copy(layout.Palette.begin(), layout.Palette.end(), info.colors);
    }

    uint32_t* bits = nullptr;
    TGdiObject<HBITMAP> image = CreateDib32(layout.Width, layout.Height, &bits);
    TOwnedDC dc(CreateCompatibleDC(nullptr));
    if (!SetDIBits(dc.Get(), image.Get(), 0, layout.Height, Data + layout.BitsOffset,
                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS))
        throw EInvalidGraphic("Bitmap image is not valid");
    ReplaceImage(std::move(image), bits, layout.Width, layout.Height);
}

void TBitmap::LoadFromMemory(const void* Data, size_t Size) {
    LoadPacked(static_cast<const uint8_t*>(Data), Size, true);
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::string& Name) {
    if (!Instance) Instance = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(Instance, Name.c_str(), reinterpret_cast<LPCSTR>(RT_BITMAP));
    HGLOBAL data = res ? LoadResource(Instance, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) throw EInvalidGraphic("Bitmap resource " + Name + " not found");
    LoadPacked(static_cast<const uint8_t*>(bytes), SizeofResource(Instance, res), false);
}

std::vector<uint8_t> TBitmap::SaveToMemory() {
    if (Empty()) return {};
    GdiFlush();
    return EncodeBmp24(width_, height_, bits_);
}

void TBitmap::LoadFromStream(TStream* Stream) {
    const std::string bytes = ReadRestOfStream(Stream);
    LoadFromMemory(bytes.data(), bytes.size());
}

void TBitmap::SaveToStream(TStream* Stream) {
    const std::vector<uint8_t> bytes = SaveToMemory();
    if (!bytes.empty()) Stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
    HDC dst = ACanvas->Handle();
    HDC src = Canvas()->Handle();
    SetStretchBltMode(dst, COLORONCOLOR);
    if (Transparent()) {
        const TColor key = TransparentColor();
        TransparentBlt(dst, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, width_, height_,
                       static_cast<UINT>(ColorToRGB(key)));
    } else {
        StretchBlt(dst, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, width_, height_,
                   ACanvas->CopyMode);
    }
}
