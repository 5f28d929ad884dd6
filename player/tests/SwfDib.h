#pragma once
// A 32-bit top-down DIB with its own memory DC, whose pixels a test can read.

#include "SwfTypes.h"

#include <windows.h>

class TTestDib {
public:
    TTestDib(int Width, int Height) : width(Width), height(Height) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = Width;
        bi.bmiHeader.biHeight = -Height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(nullptr);
        bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
    }
    ~TTestDib() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    TTestDib(const TTestDib&) = delete;
    TTestDib& operator=(const TTestDib&) = delete;

    TSwfRgba Pixel(int x, int y) const {
        GdiFlush();
        uint32_t v = bits[y * width + x];
        return {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), 255};
    }
    RECT Area() const { return {0, 0, width, height}; }

    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    uint32_t* bits = nullptr;

private:
    HGDIOBJ old = nullptr;
};
