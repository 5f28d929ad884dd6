#include "Icon.h"

#include "Canvas.h"
#include "Exceptions.h"
#include "GraphicsHandles.h"
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
    auto u16 = [p](size_t At) { return static_cast<uint32_t>(p[At] | (p[At + 1] << 8)); };
    auto u32 = [&](size_t At) { return u16(At) | (u16(At + 2) << 16); };
    if (bytes.size() < 6 || u16(0) != 0 || u16(2) != 1 || u16(4) == 0 || bytes.size() < 6 + 16 * size_t(u16(4)))
        throw EInvalidGraphic("Icon image is not valid");
    const uint32_t count = u16(4);
    const int wanted = GetSystemMetrics(SM_CXICON);
    size_t chosen = 6;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t e = 6 + 16 * size_t(i);
        const int width = p[e] == 0 ? 256 : p[e];
        if (width == wanted) {
            chosen = e;
            break;
        }
    }
    const uint32_t size = u32(chosen + 8), offset = u32(chosen + 12);
    if (offset > bytes.size() || size > bytes.size() - offset || size < 40)
        throw EInvalidGraphic("Icon image is not valid");
    HICON h = CreateIconFromResourceEx(const_cast<PBYTE>(p + offset), size, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    if (!h) throw EInvalidGraphic("Icon image is not valid");
    SetHandle(h);
}
