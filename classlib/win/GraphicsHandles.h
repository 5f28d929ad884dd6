#pragma once
// Owning wrappers for GDI objects and device contexts, so that no handle of the
// graphics classes can leak on an early return or an exception.

#include "GraphicsTypes.h"

#include <windows.h>

#include <atomic>
#include <utility>

static_assert(sizeof(TRect) == sizeof(RECT) && sizeof(TPoint) == sizeof(POINT),
              "TRect and TPoint must be interchangeable with RECT and POINT");

inline RECT* AsRECT(TRect& R) { return reinterpret_cast<RECT*>(&R); }
inline const RECT* AsRECT(const TRect& R) { return reinterpret_cast<const RECT*>(&R); }
inline const POINT* AsPOINT(const TPoint* P) { return reinterpret_cast<const POINT*>(P); }

namespace gdi_detail {
inline std::atomic<long> liveObjects{0};
}  // namespace gdi_detail

// How many GDI objects the wrappers below hold right now. Leak checks count
// with it where GetGuiResources answers nothing (Wine keeps no such count).
inline long LiveGdiObjects() { return gdi_detail::liveObjects.load(); }

// A pen, brush, font, bitmap, region or palette, deleted with DeleteObject.
template <class H>
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(H Handle) { Reset(Handle); }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    // A move hands over an object already counted.
    TGdiObject(TGdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    ~TGdiObject() { Reset(); }

    H Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    H Release() {
        if (h_) --gdi_detail::liveObjects;
        return std::exchange(h_, nullptr);
    }
    void Reset(H Handle = nullptr) {
        if (h_ == Handle) return;
        if (h_) {
            DeleteObject(h_);
            --gdi_detail::liveObjects;
        }
        if (Handle) ++gdi_detail::liveObjects;
        h_ = Handle;
    }

private:
    H h_ = nullptr;
};

// A device context of our own (CreateCompatibleDC), deleted with DeleteDC.
class TOwnedDC {
public:
    TOwnedDC() = default;
    explicit TOwnedDC(HDC Handle) : h_(Handle) {}
    TOwnedDC(const TOwnedDC&) = delete;
    TOwnedDC& operator=(const TOwnedDC&) = delete;
    TOwnedDC(TOwnedDC&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    TOwnedDC& operator=(TOwnedDC&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    ~TOwnedDC() { Reset(); }
    HDC Get() const { return h_; }
    void Reset(HDC Handle = nullptr) {
        if (h_ && h_ != Handle) DeleteDC(h_);
        h_ = Handle;
    }

private:
    HDC h_ = nullptr;
};

// A device context borrowed from a window (GetDC/GetWindowDC), given back with ReleaseDC.
class TWindowDC {
public:
    // Whole window (title and borders included) when WholeWindow, else the client area.
    // A null window gives the desktop's device context.
    explicit TWindowDC(HWND Window, bool WholeWindow = false)
        : wnd_(Window), h_(WholeWindow ? GetWindowDC(Window) : GetDC(Window)) {}
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC() {
        if (h_) ReleaseDC(wnd_, h_);
    }
    HDC Get() const { return h_; }

private:
    HWND wnd_;
    HDC h_;
};
