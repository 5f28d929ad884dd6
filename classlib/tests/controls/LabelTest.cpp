// Labels that size themselves to their text: every pixel the text paints
// lands inside the label as the user sees it, whatever the font, style,
// alignment or state; and the label grows no wider than that text needs.
#include "ControlsFixture.h"
#include "Label.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

constexpr TColor kLabelColor = 0x808000;  // teal: neither the text, its disabled colours nor the form

// A top-down 32-bit bitmap with a device context drawing on it.
class TPixels {
public:
    TPixels(int Width, int Height) : width_(Width), height_(Height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ReleaseDC(nullptr, screen);
        bits_ = static_cast<uint32_t*>(bits);
        old_ = SelectObject(dc_, bitmap_);
        std::fill(bits_, bits_ + static_cast<size_t>(Width) * Height, 0xFFFFFFu);
    }
    TPixels(const TPixels&) = delete;
    TPixels& operator=(const TPixels&) = delete;
    ~TPixels() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC DC() const { return dc_; }
    // Pixels in Area for which Counts holds.
    int Count(const TRect& Area, const std::function<bool(COLORREF)>& Counts) const {
        GdiFlush();
        int n = 0;
        for (int y = std::max(Area.Top, 0); y < std::min(Area.Bottom, height_); ++y)
            for (int x = std::max(Area.Left, 0); x < std::min(Area.Right, width_); ++x) {
                const uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
                // The bitmap holds 0x00RRGGBB; COLORREF is 0x00BBGGRR.
                if (Counts(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF))) ++n;
            }
        return n;
    }
    // The smallest rectangle holding the pixels that are not white.
    TRect InkBounds() const {
        GdiFlush();
        TRect r{width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if ((bits_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF) != 0xFFFFFF)
                    r = Rect(std::min<int>(r.Left, x), std::min<int>(r.Top, y), std::max<int>(r.Right, x + 1),
                             std::max<int>(r.Bottom, y + 1));
        return r;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_;
};

// The text drawn straight through GDI, black on white, with nothing to clip
// it: once, or for disabled text twice (one copy a pixel down and right).
struct TReference {
    int InkPixels = 0;  // pixels the text sets
    int Width = 0;      // from the measure's left edge to the furthest of measure and ink
};

TReference DrawReference(HFONT Font, const std::string& Text, bool Disabled) {
    constexpr int kAt = 40;
    TPixels p(600, 120);
    const HGDIOBJ old = SelectObject(p.DC(), Font);
    SetBkMode(p.DC(), TRANSPARENT);
    SetTextColor(p.DC(), RGB(0, 0, 0));
    RECT measure{0, 0, 0, 0};
    DrawTextA(p.DC(), Text.c_str(), -1, &measure, DT_EXPANDTABS | DT_CALCRECT);
    for (int shift = 0; shift <= (Disabled ? 1 : 0); ++shift) {
        RECT r{kAt + shift, kAt + shift, kAt + shift + 500, kAt + shift + 40};
        DrawTextA(p.DC(), Text.c_str(), -1, &r, DT_EXPANDTABS | DT_NOCLIP);
    }
    SelectObject(p.DC(), old);
    const TRect ink = p.InkBounds();
    TReference ref;
    ref.InkPixels = p.Count(Rect(0, 0, 600, 120), [](COLORREF c) { return c != RGB(255, 255, 255); });
    const int left = std::min<int>(kAt, ink.Left);
    ref.Width = std::max<int>(kAt + measure.right, ink.Right) - left;
    return ref;
}

struct TLabelCase {
    const char* What;
    const char* Caption;
    int Height;
    TFontStyles Style;
    TAlignment Alignment;
    bool Disabled;
};

class AutoSizedLabels : public ControlsTest {};

TEST_F(AutoSizedLabels, ShowEveryPixelOfTheirText) {
    // The first rows are the setup dialog's links, whose last letters Wine
    // drew past the measure that sized them.
    const TLabelCase cases[] = {
        {"link", "http://www.example.org/", -11, {fsUnderline}, taLeftJustify, false},
        {"mail link", "screensavers@example.org", -11, {fsUnderline}, taLeftJustify, false},
        {"plain", "http://www.example.org/", -11, {}, taLeftJustify, false},
        {"bold title", "Sample Screensaver www", -13, {fsBold}, taLeftJustify, false},
        {"italic, ending in a slanted letter", "Wavy wharf", -16, {fsItalic}, taLeftJustify, false},
        {"right-aligned link", "http://www.example.org/", -11, {fsUnderline}, taRightJustify, false},
        {"centred link", "http://www.example.org/", -11, {fsUnderline}, taCenter, false},
        {"disabled link", "http://www.example.org/", -11, {fsUnderline}, taLeftJustify, true},
        {"accelerator", "&Wow www", -11, {}, taLeftJustify, false},
    };
    constexpr int kLeft = 200, kTop = 30;  // room to the left for a right-aligned label to grow
    for (const TLabelCase& c : cases) {
        SCOPED_TRACE(c.What);
        auto* label = Create<TLabel>(form.get());
        label->SetParent(form.get());
        label->SetBounds(kLeft, kTop, 10, 10);
        label->SetColor(kLabelColor);
        label->Font()->SetName("MS Sans Serif");
        label->Font()->SetHeight(c.Height);
        label->Font()->SetStyle(c.Style);
        label->Font()->SetColor(clBlack);
        label->SetAlignment(c.Alignment);
        label->SetCaption(c.Caption);
        // Disabled after sizing: the change of state must size it again.
        if (c.Disabled) label->SetEnabled(false);

        const bool disabled = c.Disabled;
        const TReference ref = DrawReference(label->Font()->Handle(), c.Caption, disabled);
        ASSERT_GT(ref.InkPixels, 0);

        // The whole form painted as on screen, each control clipped to its bounds.
        TPixels screen(form->ClientWidth(), form->ClientHeight());
        form->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(screen.DC()), 0);
        form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(screen.DC()), 0);
        const TRect bounds = Bounds(label->Left(), label->Top(), label->Width(), label->Height());
        const COLORREF background = static_cast<COLORREF>(ColorToRGB(kLabelColor));
        const int shown = screen.Count(bounds, [&](COLORREF p) { return p != background; });
        EXPECT_EQ(shown, ref.InkPixels) << "label " << label->Width() << " x " << label->Height()
                                        << ", text needs " << ref.Width;
        // The label filled all of itself but its text, and nothing more.
        EXPECT_EQ(screen.Count(Rect(0, 0, form->ClientWidth(), form->ClientHeight()),
                               [&](COLORREF p) { return p == background; }) +
                      shown,
                  bounds.Width() * bounds.Height());
        // No wider than the text needs.
        EXPECT_LE(label->Width(), ref.Width + (disabled ? 1 : 0));
        label->Free();
    }
}

TEST_F(AutoSizedLabels, RightAlignedKeepsItsRightEdgeWhenItGrows) {
    auto* label = Create<TLabel>(form.get());
    label->SetParent(form.get());
    label->SetAlignment(taRightJustify);
    label->Font()->SetStyle({fsUnderline});
    label->SetCaption("www");
    const int right = label->Left() + label->Width();
    label->SetCaption("http://www.example.org/");
    EXPECT_EQ(label->Left() + label->Width(), right);
    label->SetEnabled(false);
    EXPECT_EQ(label->Left() + label->Width(), right);
}

}  // namespace
