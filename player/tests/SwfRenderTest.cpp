// Frames drawn through GDI+: pixels of the background, the margins and the
// shapes at known points, in memory and on the screen.
#include "SwfDib.h"
#include "SwfRenderer.h"
#include "SwfTestMovies.h"

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>

std::ostream& operator<<(std::ostream& os, const TSwfRgba& c) {
    return os << "(" << int(c.R) << "," << int(c.G) << "," << int(c.B) << ")";
}

namespace {

constexpr int T = TwipsPerPixel;
constexpr TSwfRgba Green{20, 200, 60, 255};

bool Near(TSwfRgba a, TSwfRgba b, int tolerance = 3) {
    return std::abs(a.R - b.R) <= tolerance && std::abs(a.G - b.G) <= tolerance && std::abs(a.B - b.B) <= tolerance;
}

class SwfRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { session = std::make_unique<TGdiplusSession>(); }
    static void TearDownTestSuite() { session.reset(); }
    static inline std::unique_ptr<TGdiplusSession> session;

    TSwfFrameImage Frame(const std::vector<uint8_t>& bytes, int frame) {
        movie = TSwfMovie::FromBytes(bytes);
        TSwfScene scene(*movie);
        scene.GotoFrame(frame);
        TSwfFrameImage image;
        scene.Compose(image);
        return image;
    }
    std::unique_ptr<TSwfMovie> movie;
    TSwfRenderer renderer;
};

struct TMapCase {
    RECT Area;
    double Scale, OffsetX, OffsetY;
};

TEST(SwfStageMapping, ShowAllFitsAndCentres) {
    const TSwfRect stage{0, 100 * T, 0, 80 * T};
    const TMapCase cases[] = {
        {{0, 0, 200, 160}, 0.1, 0, 0},       // same shape
        {{0, 0, 400, 160}, 0.1, 100, 0},     // wider: margins left and right
        {{0, 0, 200, 400}, 0.1, 0, 120},     // taller: margins above and below
        {{10, 20, 60, 60}, 0.025, 10, 20},   // offset area, smaller
    };
    for (const TMapCase& c : cases) {
        auto m = TSwfStageMapping::ShowAll(stage, c.Area);
        EXPECT_DOUBLE_EQ(m.Scale, c.Scale);
        EXPECT_DOUBLE_EQ(m.OffsetX, c.OffsetX);
        EXPECT_DOUBLE_EQ(m.OffsetY, c.OffsetY);
    }
    EXPECT_EQ(TSwfStageMapping::ShowAll(TSwfRect{}, RECT{0, 0, 10, 10}).Scale, 0);
    EXPECT_EQ(TSwfStageMapping::ShowAll(stage, RECT{0, 0, 0, 10}).Scale, 0);
}

TEST_F(SwfRenderTest, BackgroundAndShapeAtKnownPoints) {
    ASSERT_TRUE(session->Started());
    TTestDib dib(200, 160);
    for (bool hq : {true, false}) {
        renderer.HighQuality = hq;
        renderer.Draw(dib.dc, dib.Area(), Frame(ThreeFrameMovie(), 0));
        // The rectangle covers 20..100 x 20..60 at twice the stage size.
        EXPECT_EQ(dib.Pixel(5, 5), TestBackground);
        EXPECT_EQ(dib.Pixel(60, 40), TestRed);
        EXPECT_EQ(dib.Pixel(21, 21), TestRed);
        EXPECT_EQ(dib.Pixel(98, 58), TestRed);
        EXPECT_EQ(dib.Pixel(102, 40), TestBackground);
        EXPECT_EQ(dib.Pixel(150, 100), TestBackground);

        renderer.Draw(dib.dc, dib.Area(), Frame(ThreeFrameMovie(), 1));
        EXPECT_EQ(dib.Pixel(60, 40), TestBackground);
        EXPECT_EQ(dib.Pixel(140, 100), TestRed);
    }
}

// A shape larger than the stage: inside the stage it shows, in the margins
// the background does.
TEST_F(SwfRenderTest, MarginsShowTheBackground) {
    TSwfWriter w(100, 80, 12);
    w.SetBackground(TestBackground);
    TSwfShapeBuilder s;
    s.Rectangle(-100 * T, -100 * T, 300 * T, 300 * T, s.SolidFill(Green), 0);
    w.Main.Place(1, w.DefineShape(s));
    w.Main.ShowFrame();
    TTestDib wide(400, 160), tall(200, 400);
    renderer.DrawBuffered(wide.dc, wide.Area(), Frame(w.Finish(), 0));
    EXPECT_EQ(wide.Pixel(50, 80), TestBackground);
    EXPECT_EQ(wide.Pixel(98, 80), TestBackground);
    EXPECT_EQ(wide.Pixel(102, 80), Green);
    EXPECT_EQ(wide.Pixel(297, 80), Green);
    EXPECT_EQ(wide.Pixel(302, 80), TestBackground);
    renderer.DrawBuffered(tall.dc, tall.Area(), Frame(w.Finish(), 0));
    EXPECT_EQ(tall.Pixel(100, 100), TestBackground);
    EXPECT_EQ(tall.Pixel(100, 200), Green);
    EXPECT_EQ(tall.Pixel(100, 300), TestBackground);
}

TEST_F(SwfRenderTest, CurvesHolesLinesAndTransparency) {
    TSwfWriter w(100, 100, 12);
    w.SetBackground({0, 0, 0});
    TSwfShapeBuilder disc;
    disc.Ellipse(25 * T, 25 * T, 20 * T, 20 * T, disc.SolidFill(Green), 0);
    TSwfShapeBuilder ring;  // a square with a square hole
    int fill = ring.SolidFill(TestRed);
    ring.Rectangle(50 * T, 0, 50 * T, 50 * T, fill, 0);
    ring.Style(fill, 0, -1);
    ring.MoveTo(65 * T, 15 * T);
    for (auto [x, y] : {std::pair{85, 15}, {85, 35}, {65, 35}, {65, 15}}) ring.LineTo(x * T, y * T);
    TSwfShapeBuilder line;
    line.Style(-1, -1, line.LineStyle(4 * T, {0, 0, 255, 255}));
    line.MoveTo(0, 75 * T);
    line.LineTo(50 * T, 75 * T);
    TSwfShapeBuilder veil;
    veil.Rectangle(50 * T, 50 * T, 50 * T, 50 * T, veil.SolidFill({255, 255, 255, 128}), 0);
    w.Main.Place(1, w.DefineShape(disc));
    w.Main.Place(2, w.DefineShape(ring));
    w.Main.Place(3, w.DefineShape(line));
    w.Main.Place(4, w.DefineShape(veil));
    w.Main.ShowFrame();
    TTestDib dib(100, 100);
    renderer.Draw(dib.dc, dib.Area(), Frame(w.Finish(), 0));
    EXPECT_EQ(dib.Pixel(25, 25), Green);
    EXPECT_EQ(dib.Pixel(8, 8), (TSwfRgba{0, 0, 0, 255})) << "the disc's corner stays empty";
    EXPECT_EQ(dib.Pixel(25, 6), Green);
    EXPECT_EQ(dib.Pixel(55, 5), TestRed);
    EXPECT_EQ(dib.Pixel(75, 25), (TSwfRgba{0, 0, 0, 255})) << "the hole stays open";
    EXPECT_EQ(dib.Pixel(25, 75), (TSwfRgba{0, 0, 255, 255}));
    EXPECT_EQ(dib.Pixel(25, 70), (TSwfRgba{0, 0, 0, 255}));
    EXPECT_TRUE(Near(dib.Pixel(75, 75), {128, 128, 128, 255})) << dib.Pixel(75, 75);
}

// High quality softens a slanted edge with in-between colours; low quality
// leaves only the two colours.
TEST_F(SwfRenderTest, HighQualityAntiAliases) {
    TSwfWriter w(100, 100, 12);
    w.SetBackground({0, 0, 0});
    TSwfShapeBuilder s;
    s.Polygon({{0, 0}, {100 * T, 0}, {0, 70 * T}}, s.SolidFill({255, 255, 255, 255}), 0);
    w.Main.Place(1, w.DefineShape(s));
    w.Main.ShowFrame();
    auto image = Frame(w.Finish(), 0);
    TTestDib dib(100, 100);
    auto mixed = [&] {
        int n = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                TSwfRgba c = dib.Pixel(x, y);
                n += c.R > 10 && c.R < 245;
            }
        return n;
    };
    renderer.HighQuality = false;
    renderer.Draw(dib.dc, dib.Area(), image);
    EXPECT_EQ(mixed(), 0);

    // Wine's GDI+ fills without anti-aliasing whatever is asked; there only the
    // plain half of this test can be checked.
    {
        Gdiplus::Graphics g(dib.dc);
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0)), white(Gdiplus::Color(255, 255, 255, 255));
        g.FillRectangle(&black, 0, 0, 100, 100);
        Gdiplus::PointF tri[] = {{0, 0}, {100, 0}, {0, 70}};
        g.FillPolygon(&white, tri, 3);
    }
    if (mixed() == 0) GTEST_SKIP() << "this platform's GDI+ does not anti-alias";
    renderer.HighQuality = true;
    renderer.Draw(dib.dc, dib.Area(), image);
    EXPECT_GT(mixed(), 40);
}

TEST_F(SwfRenderTest, EmptyStageShowsTheBackgroundOnly) {
    TTestDib dib(50, 50);
    renderer.Draw(dib.dc, dib.Area(), Frame({'Z', 'W', 'S', 1, 2, 3, 4, 5, 6, 7}, 0));
    EXPECT_EQ(dib.Pixel(25, 25), (TSwfRgba{255, 255, 255, 255}));
}

// A plain window painting through the back buffer; the pixels are read back
// from the screen.
struct TPaintWindow {
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<TPaintWindow*>(GetWindowLongPtrA(h, GWLP_USERDATA));
        if (msg == WM_PAINT && self) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            RECT r;
            GetClientRect(h, &r);
            self->renderer->DrawBuffered(dc, r, *self->image);
            EndPaint(h, &ps);
            ++self->paints;
            return 0;
        }
        if (msg == WM_ERASEBKGND) return 1;
        return DefWindowProcA(h, msg, wp, lp);
    }
    TSwfRenderer* renderer;
    const TSwfFrameImage* image;
    int paints = 0;
};

TEST_F(SwfRenderTest, PaintsIntoAWindowOnScreen) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TPaintWindow::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TSwfRenderTestWindow";
    RegisterClassA(&wc);
    TSwfFrameImage image = Frame(ThreeFrameMovie(), 0);
    TPaintWindow state{&renderer, &image};
    HWND wnd = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "render", WS_POPUP, 0, 0, 200, 160, nullptr, nullptr,
                               wc.hInstance, nullptr);
    ASSERT_TRUE(wnd);
    SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    ShowWindow(wnd, SW_SHOW);
    UpdateWindow(wnd);
    MSG msg;
    for (DWORD start = GetTickCount(); state.paints == 0 && GetTickCount() - start < 5000;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    ASSERT_GT(state.paints, 0);
    HDC screen = GetDC(nullptr);
    auto at = [&](int x, int y) {
        COLORREF c = GetPixel(screen, x, y);
        return TSwfRgba{GetRValue(c), GetGValue(c), GetBValue(c), 255};
    };
    EXPECT_EQ(at(5, 5), TestBackground);
    EXPECT_EQ(at(60, 40), TestRed);
    EXPECT_EQ(at(150, 100), TestBackground);
    ReleaseDC(nullptr, screen);
    DestroyWindow(wnd);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

}  // namespace
