#include "Icon.h"

#include "Canvas.h"
#include "Exceptions.h"
#include "GraphicsHandles.h"
#include "IconFile.h"
#include "Streams.h"

#include <utility>

TIcon::~TIcon() {
    if (handle_) DestroyIcon(handle_);
}

void TIcon::SetHandle(HICON Value) {
    if (Value == handle_) return;
    if (handle_) DestroyIcon(handle_);
    handle_ = Value;
    width_ = height_ = 0;
    ICONINFO info{};
    if (handle_ && GetIconInfo(handle_, &info)) {
        TGdiObject<HBITMAP> mask(info.hbmMask), color(info.hbmColor);
        BITMAP bm{};
        if (GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm)) {
            width_ = bm.bmWidth;
            // A monochrome icon keeps its AND and XOR masks one above the other.
            height_ = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        }
    }
    Changed();
}

HICON TIcon::ReleaseHandle() {
    HICON h = std::exchange(handle_, nullptr);
    width_ = height_ = 0;
    Changed();
    return h;
}

void TIcon::Assign(TPersistent* Source) {
    if (auto* icon = dynamic_cast<TIcon*>(Source)) {
        if (icon == this) return;
        SetHandle(icon->handle_ ? CopyIcon(icon->handle_) : nullptr);
        return;
    }
    TGraphic::Assign(Source);
}

void TIcon::LoadFromResourceName(HINSTANCE Instance, const std::string& Name, int Size) {
    if (!Instance) Instance = GetModuleHandleA(nullptr);
    HICON h = static_cast<HICON>(
        LoadImageA(Instance, Name.c_str(), IMAGE_ICON, Size, Size, Size == 0 ? LR_DEFAULTSIZE : LR_DEFAULTCOLOR));
    if (!h) throw EInvalidGraphic("Icon resource " + Name + " not found");
    SetHandle(h);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
    DrawIconEx(ACanvas->Handle(), Rect.Left, Rect.Top, handle_, Rect.Width(), Rect.Height(), 0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromStream(TStream* Stream) {
    const std::string bytes = ReadRestOfStream(Stream);
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    const TIconImage image = ChooseIconImage(p, bytes.size(), GetSystemMetrics(SM_CXICON));
    HICON h = CreateIconFromResourceEx(const_cast<PBYTE>(p + image.Offset), static_cast<DWORD>(image.Size), TRUE,
                                       0x00030000, 0, 0, LR_DEFAULTCOLOR);
    if (!h) throw EInvalidGraphic("Icon image is not valid");
    SetHandle(h);
}
