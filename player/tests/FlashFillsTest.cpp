// What the player control shows on screen of gradients, pictures, masks,
// shape tweens, line styles and text, read back pixel by pixel. The stage is
// 200 x 160 pixels in a player of the same size, so a twentieth of a pixel in
// the file is a twentieth of a screen pixel here.
#include "Form.h"
#include "Pump.h"
#include "ShockwaveFlash.h"
#include "SwfDib.h"
#include "SwfTestMovies.h"

#include <objbase.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

std::ostream& operator<<(std::ostream& os, const TSwfRgba& c) {
    return os << "(" << int(c.R) << "," << int(c.G) << "," << int(c.B) << ")";
}

namespace {

constexpr int T = TwipsPerPixel;
constexpr int W = 200, H = 160;
constexpr TSwfRgba Grey{128, 128, 128, 255};
constexpr TSwfRgba Red{255, 0, 0, 255}, Blue{0, 0, 255, 255}, Black{0, 0, 0, 255}, White{255, 255, 255, 255};

// Ramps are compared within 6 of 255 per channel: a ramp across 200 pixels
// changes by 1.3 per pixel, and sampling may fall half a pixel either side.
// Pictures decoded from JPEG get 10: its colour conversion rounds.
constexpr int RampTolerance = 6, JpegTolerance = 10, ExactTolerance = 2;

bool Near(TSwfRgba a, TSwfRgba b, int tolerance) {
    return std::abs(a.R - b.R) <= tolerance && std::abs(a.G - b.G) <= tolerance && std::abs(a.B - b.B) <= tolerance;
}

TSwfRgba Gray(int v) { return {uint8_t(v), uint8_t(v), uint8_t(v), 255}; }

// Each frame carries a small square of its own colour in the bottom right
// corner: once that shows, the frame is on screen.
TSwfRgba MarkerColour(int frame) { return {uint8_t(11 + frame), 222, uint8_t(33 + frame), 255}; }

void Marker(TSwfWriter& w, int frame) {
    TSwfShapeBuilder s;
    s.Rectangle((W - 6) * T, (H - 6) * T, 6 * T, 6 * T, s.SolidFill(MarkerColour(frame)), 0);
    uint16_t id = w.DefineShape(s);
    if (frame > 0) w.Main.Remove(60000);
    w.Main.Place(60000, id);
}

std::string TempPath(const std::string& Name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "flash_fills_test_" + std::to_string(GetCurrentProcessId()) + "_" + Name;
}

template <class T>
struct TCom {
    T* p = nullptr;
    ~TCom() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
};

// A picture file made here by the platform's encoder.
std::vector<uint8_t> Encode(const GUID& Container, int Width, int Height, const std::vector<uint32_t>& Argb) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    TCom<IWICImagingFactory> factory;
    TCom<IStream> stream;
    TCom<IWICBitmapEncoder> encoder;
    TCom<IWICBitmapFrameEncode> frame;
    TCom<IPropertyBag2> props;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory.p))) ||
        FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream.p)) || FAILED(factory->CreateEncoder(Container, nullptr, &encoder.p)) ||
        FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) || FAILED(encoder->CreateNewFrame(&frame.p, &props.p)) ||
        FAILED(frame->Initialize(props.p)) || FAILED(frame->SetSize(UINT(Width), UINT(Height))))
        return {};
    const bool jpeg = Container == GUID_ContainerFormatJpeg;
    WICPixelFormatGUID format = jpeg ? GUID_WICPixelFormat24bppBGR : GUID_WICPixelFormat32bppBGRA;
    if (FAILED(frame->SetPixelFormat(&format))) return {};
    std::vector<BYTE> bytes;
    for (uint32_t c : Argb) {
        bytes.insert(bytes.end(), {BYTE(c), BYTE(c >> 8), BYTE(c >> 16)});
        if (!jpeg) bytes.push_back(BYTE(c >> 24));
    }
    const UINT stride = UINT(Width) * (jpeg ? 3 : 4);
    if (FAILED(frame->WritePixels(UINT(Height), stride, UINT(bytes.size()), bytes.data())) || FAILED(frame->Commit()) ||
        FAILED(encoder->Commit()))
        return {};
    HGLOBAL global = nullptr;
    if (FAILED(GetHGlobalFromStream(stream.p, &global))) return {};
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const auto* p = static_cast<const uint8_t*>(GlobalLock(global));
    std::vector<uint8_t> out(p, p + stat.cbSize.QuadPart);
    GlobalUnlock(global);
    return out;
}

// Four blocks of 16 x 16 pixels, red, green / blue, white: JPEG keeps each
// nearly exact at its centre (colour is stored at half resolution, and blurs
// only near the blocks' edges).
const std::vector<uint32_t>& Quads() {
    static const std::vector<uint32_t> px = [] {
        std::vector<uint32_t> v(32 * 32);
        const uint32_t c[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) v[size_t(y) * 32 + size_t(x)] = c[(y / 16) * 2 + x / 16];
        return v;
    }();
    return px;
}

// Splits a JPEG into the tables (quantisation and Huffman) and the rest, as
// files with shared tables store them.
void SplitJpeg(const std::vector<uint8_t>& jpeg, std::vector<uint8_t>& tables, std::vector<uint8_t>& image) {
    tables = {0xFF, 0xD8};
    image = {0xFF, 0xD8};
    size_t i = 2;
    while (i + 4 <= jpeg.size() && jpeg[i] == 0xFF) {
        uint8_t marker = jpeg[i + 1];
        size_t len = size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
        if (marker == 0xDA) break;  // the scan: everything from here is image
        auto& to = marker == 0xDB || marker == 0xC4 ? tables : image;
        to.insert(to.end(), jpeg.begin() + long(i), jpeg.begin() + long(i + 2 + len));
        i += 2 + len;
    }
    image.insert(image.end(), jpeg.begin() + long(i), jpeg.end());
    tables.insert(tables.end(), {0xFF, 0xD9});
}

class FlashFillsTest : public ::testing::Test {
protected:
    static constexpr int Left = 10, Top = 20;

    void SetUp() override {
        form = CreateOwned<TForm>();
        form->SetBorderStyle(bsNone);
        form->SetFormStyle(fsStayOnTop);
        form->SetBounds(0, 0, 260, 220);
        form->SetColor(clBlack);
        flash = Create<TShockwaveFlash>(form.get());
        flash->SetParent(form.get());
        flash->SetBounds(Left, Top, W, H);
        form->Show();
        PumpFor(50);
    }
    void TearDown() override {
        form.reset();
        if (!path.empty()) std::remove(path.c_str());
    }

    // Shows frame Frame of the movie and copies the player's pixels off the screen.
    void Show(const std::vector<uint8_t>& Bytes, int Frame = 0) {
        if (path.empty()) {
            path = TempPath(::testing::UnitTest::GetInstance()->current_test_info()->name());
            std::ofstream f(path, std::ios::binary);
            f.write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
            f.close();
            flash->SetMovie(path);
            flash->Stop();
        }
        flash->GotoFrame(Frame);
        bool shown = PumpUntil([&] {
            Grab();
            return Pixel(W - 3, H - 3) == MarkerColour(Frame);
        }, 3000);
        ASSERT_TRUE(shown) << "frame " << Frame << " did not show; corner " << Pixel(W - 3, H - 3);
    }
    void Grab() {
        HDC screen = GetDC(nullptr);
        BitBlt(shot.dc, 0, 0, W, H, screen, Left, Top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
    TSwfRgba Pixel(int x, int y) const { return shot.Pixel(x, y); }
    ::testing::AssertionResult PixelNear(int x, int y, TSwfRgba colour, int tolerance) const {
        if (Near(Pixel(x, y), colour, tolerance)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "at (" << x << "," << y << "): " << Pixel(x, y) << " not " << colour;
    }

    TOwned<TForm> form;
    TShockwaveFlash* flash = nullptr;
    TTestDib shot{W, H};
    std::string path;
};


// The gradient square's width (32768 units) over Px pixels, centred on (Cx, Cy) pixels.
TSwfMatrix Square(double Px, double Cx, double Cy) {
    double k = Px * T / 32768.0;
    return {k, 0, 0, k, Cx * T, Cy * T};
}

TSwfFill Ramp(TSwfFill::TKind kind, TSwfRgba from, TSwfRgba to, const TSwfMatrix& m) {
    TSwfFill f;
    f.Kind = kind;
    f.Matrix = m;
    f.Stops = {{0, from}, {255, to}};
    return f;
}

void Area(TSwfWriter& w, const TSwfFill& f, int x, int y, int width, int height, uint16_t depth, int version = 3) {
    TSwfShapeBuilder s;
    s.Rectangle(x * T, y * T, width * T, height * T, s.Fill(f), 0);
    w.Main.Place(depth, w.DefineShape(s, version));
}

TEST_F(FlashFillsTest, LinearGradientAtStartMiddleAndEnd) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    Area(w, Ramp(TSwfFill::Linear, Red, Blue, Square(W, W / 2.0, 0)), 0, 0, W, 80, 1);
    // The same ramp turned a quarter: it runs down the stage.
    TSwfMatrix turned = Concat(TSwfMatrix::Translate(W / 2.0 * T, 120 * T), Concat(TSwfMatrix::Rotate(std::acos(0.0)), TSwfMatrix::Scale(80.0 * T / 32768, 80.0 * T / 32768)));
    Area(w, Ramp(TSwfFill::Linear, Black, White, turned), 0, 80, W, 80, 2);
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    EXPECT_TRUE(PixelNear(0, 40, Red, RampTolerance));
    EXPECT_TRUE(PixelNear(100, 40, (TSwfRgba{127, 0, 128, 255}), RampTolerance));
    EXPECT_TRUE(PixelNear(199, 40, Blue, RampTolerance));
    EXPECT_TRUE(PixelNear(50, 40, (TSwfRgba{191, 0, 64, 255}), RampTolerance));
    EXPECT_TRUE(PixelNear(20, 81, Black, RampTolerance + 2));
    EXPECT_TRUE(PixelNear(20, 120, Gray(128), RampTolerance + 2));
    EXPECT_TRUE(PixelNear(20, 158, White, RampTolerance + 2));
}

// Large gradients are kept from one frame to the next; a change of colour
// transform or place paints them again, and going back shows the first again.
TEST_F(FlashFillsTest, AGradientKeptBetweenFramesFollowsItsChanges) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    TSwfShapeBuilder s;
    s.Rectangle(0, 0, W * T, H * T, s.Fill(Ramp(TSwfFill::Linear, Black, White, Square(W, W / 2.0, 0))), 0);
    uint16_t id = w.DefineShape(s);
    w.Main.Place(1, id);
    Marker(w, 0);
    w.Main.ShowFrame();
    w.Main.Move(1, {}, TSwfColorTransform{0, 1, 1, 1, 0, 0, 0, 0});
    Marker(w, 1);
    w.Main.ShowFrame();
    w.Main.Move(1, TSwfMatrix::Translate(50 * T, 0), TSwfColorTransform{});
    Marker(w, 2);
    w.Main.ShowFrame();
    w.Main.Move(1, TSwfMatrix{}, TSwfColorTransform{});
    Marker(w, 3);
    w.Main.ShowFrame();
    auto bytes = w.Finish();
    Show(bytes, 0);
    EXPECT_TRUE(PixelNear(150, 80, Gray(191), RampTolerance));
    Show(bytes, 1);
    EXPECT_TRUE(PixelNear(150, 80, (TSwfRgba{0, 191, 191, 255}), RampTolerance));
    Show(bytes, 2);
    EXPECT_TRUE(PixelNear(150, 80, Gray(128), RampTolerance));
    EXPECT_TRUE(PixelNear(20, 80, Grey, ExactTolerance)) << "left of the moved area";
    Show(bytes, 3);
    EXPECT_TRUE(PixelNear(150, 80, Gray(191), RampTolerance));
    EXPECT_TRUE(PixelNear(20, 80, Gray(26), RampTolerance));
}

// Radial: the first stop at the centre, the last on the circle and beyond.
// Focal: the first stop at the focal point, half way from there to the circle
// the middle of the ramp.
TEST_F(FlashFillsTest, RadialAndFocalCentres) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    Area(w, Ramp(TSwfFill::Radial, White, Black, Square(80, 50, 80)), 0, 0, 100, H, 1, 3);
    TSwfFill focal = Ramp(TSwfFill::Focal, White, Black, Square(80, 150, 80));
    focal.FocalPoint = 0.5;
    Area(w, focal, 100, 0, 100, H, 2, 4);
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    EXPECT_TRUE(PixelNear(50, 80, White, RampTolerance));
    EXPECT_TRUE(PixelNear(50, 60, Gray(128), RampTolerance));
    EXPECT_TRUE(PixelNear(70, 80, Gray(128), RampTolerance));
    EXPECT_TRUE(PixelNear(50, 125, Black, RampTolerance));
    EXPECT_TRUE(PixelNear(5, 5, Black, RampTolerance));
    // Focal point at (170, 80); the circle's right edge at 190, its left at 110.
    // Expected values at the pixels' centres; from the focal point to the
    // right the ramp is only 20 pixels long.
    EXPECT_TRUE(PixelNear(170, 80, Gray(249), RampTolerance));
    EXPECT_TRUE(PixelNear(180, 80, Gray(121), RampTolerance));
    EXPECT_TRUE(PixelNear(140, 80, Gray(130), RampTolerance));
    EXPECT_TRUE(PixelNear(150, 80, Gray(172), RampTolerance)) << "the centre is no longer the start";
    EXPECT_TRUE(PixelNear(195, 80, Black, RampTolerance));
}

// A ramp from x 0 to 40 pixels in three bands, one per spread mode; at 50
// pixels (a quarter past the end) pad holds the end, repeat is a quarter into
// the ramp again and reflect a quarter back from its end.
TEST_F(FlashFillsTest, SpreadModesBeyondTheRamp) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    const TSwfSpread modes[] = {TSwfSpread::Pad, TSwfSpread::Repeat, TSwfSpread::Reflect};
    for (int i = 0; i < 3; ++i) {
        TSwfFill f = Ramp(TSwfFill::Linear, Black, White, Square(40, 20, 0));
        f.Spread = modes[i];
        Area(w, f, 0, i * 50, W, 50, uint16_t(1 + i), 4);
    }
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    EXPECT_TRUE(PixelNear(50, 25, White, RampTolerance));
    EXPECT_TRUE(PixelNear(50, 75, Gray(64), RampTolerance));
    EXPECT_TRUE(PixelNear(50, 125, Gray(191), RampTolerance));
    EXPECT_TRUE(PixelNear(150, 25, White, RampTolerance));
    EXPECT_TRUE(PixelNear(90, 75, Gray(64), RampTolerance)) << "two ramps on";
    EXPECT_TRUE(PixelNear(90, 125, Gray(64), RampTolerance)) << "two ramps on, running forwards again";
}

TEST_F(FlashFillsTest, LinearRgbInterpolationAgainstNormal) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    TSwfFill normal = Ramp(TSwfFill::Linear, Black, White, Square(W, W / 2.0, 0));
    TSwfFill linear = normal;
    linear.Interpolation = TSwfInterpolation::LinearRgb;
    Area(w, normal, 0, 0, W, 70, 1, 4);
    Area(w, linear, 0, 80, W, 70, 2, 4);
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    EXPECT_TRUE(PixelNear(100, 35, Gray(128), RampTolerance));
    EXPECT_TRUE(PixelNear(100, 115, Gray(188), RampTolerance));
}

// Gradient stops with alpha over a red area; a gradient line style.
TEST_F(FlashFillsTest, GradientAlphaAndGradientLines) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Red);
    Area(w, Ramp(TSwfFill::Linear, {0, 0, 255, 0}, Blue, Square(W, W / 2.0, 0)), 0, 0, W, 80, 1);
    TSwfShapeBuilder s;
    s.Style(-1, -1, s.LineStyle(uint16_t(20 * T), Black, {TSwfCap::None, TSwfCap::None, TSwfJoin::Round, 3, false},
                                Ramp(TSwfFill::Linear, Black, White, Square(W, W / 2.0, 0))));
    s.MoveTo(0, 120 * T);
    s.LineTo(W * T, 120 * T);
    w.Main.Place(2, w.DefineShape(s, 4));
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    EXPECT_TRUE(PixelNear(1, 40, Red, RampTolerance));
    EXPECT_TRUE(PixelNear(100, 40, (TSwfRgba{127, 0, 128, 255}), RampTolerance));
    EXPECT_TRUE(PixelNear(198, 40, Blue, RampTolerance));
    EXPECT_TRUE(PixelNear(100, 120, Gray(128), RampTolerance));
    EXPECT_TRUE(PixelNear(30, 120, Gray(38), RampTolerance));
    EXPECT_TRUE(PixelNear(100, 100, Red, ExactTolerance)) << "the line is 20 pixels wide";
}

// Pictures at 2 screen pixels per picture pixel (a matrix of 40 twips per
// picture pixel), clipped, each in a 40 x 40 cell.
TSwfFill PictureFill(uint16_t id, int x, int y, double scale = 2, bool repeat = false) {
    TSwfFill f;
    f.Kind = TSwfFill::Bitmap;
    f.BitmapId = id;
    f.Repeat = repeat;
    f.Smooth = false;
    f.Matrix = {scale * T, 0, 0, scale * T, double(x * T), double(y * T)};
    return f;
}

TEST_F(FlashFillsTest, JpegPicturesOfEveryKind) {
    std::vector<uint8_t> jpeg = Encode(GUID_ContainerFormatJpeg, 32, 32, Quads());
    ASSERT_GT(jpeg.size(), 100u) << "no JPEG encoder";
    std::vector<uint8_t> tables, image;
    SplitJpeg(jpeg, tables, image);
    std::vector<uint8_t> stray = {0xFF, 0xD9, 0xFF, 0xD8};
    stray.insert(stray.end(), jpeg.begin(), jpeg.end());
    std::vector<uint8_t> white = Encode(GUID_ContainerFormatJpeg, 32, 32, std::vector<uint32_t>(1024, 0xFFFFFFFF));
    std::vector<uint8_t> alpha(1024, 128);

    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    w.JpegTables(tables);
    const uint16_t ids[] = {w.DefineBitsJpeg2(jpeg), w.DefineBits(image), w.DefineBitsJpeg2(stray),
                            w.DefineBitsJpeg3(white, alpha)};
    TSwfShapeBuilder under;
    under.Rectangle(150 * T, 0, 40 * T, 40 * T, under.SolidFill(Red), 0);
    w.Main.Place(1, w.DefineShape(under));
    for (int i = 0; i < 4; ++i) Area(w, PictureFill(ids[i], 50 * i, 0, 1), 50 * i, 0, 32, 32, uint16_t(2 + i));
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(PixelNear(50 * i + 8, 8, Red, JpegTolerance));
        EXPECT_TRUE(PixelNear(50 * i + 24, 8, (TSwfRgba{0, 255, 0, 255}), JpegTolerance));
        EXPECT_TRUE(PixelNear(50 * i + 8, 24, Blue, JpegTolerance));
        EXPECT_TRUE(PixelNear(50 * i + 24, 24, White, JpegTolerance));
    }
    // Half-transparent white over red.
    EXPECT_TRUE(PixelNear(166, 16, (TSwfRgba{255, 128, 128, 255}), JpegTolerance));
    EXPECT_TRUE(PixelNear(166, 36, Red, ExactTolerance)) << "below the picture";
}

TEST_F(FlashFillsTest, PngAndGifInsideAJpegTagAndDamagedPicturesShowNothing) {
    std::vector<uint8_t> png = Encode(GUID_ContainerFormatPng, 32, 32, Quads());
    ASSERT_GT(png.size(), 50u) << "no PNG encoder";
    std::vector<uint8_t> broken = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 2, 3};
    // A GIF of one pixel of the first of its two colours (red), written out
    // by hand: header, screen, colour table, image, its LZW codes, trailer.
    const std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
                                      ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, ';'};
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    uint16_t p = w.DefineBitsJpeg2(png), b = w.DefineBitsJpeg2(broken), g = w.DefineBitsJpeg2(gif);
    Area(w, PictureFill(p, 0, 0, 1), 0, 0, 32, 32, 1);
    Area(w, PictureFill(b, 50, 0, 1), 50, 0, 32, 32, 2);
    Area(w, PictureFill(g, 100, 0, 10), 100, 0, 32, 32, 3);
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    EXPECT_TRUE(PixelNear(8, 8, Red, ExactTolerance));
    EXPECT_TRUE(PixelNear(24, 24, White, ExactTolerance));
    EXPECT_TRUE(PixelNear(58, 8, Grey, ExactTolerance));
    EXPECT_TRUE(PixelNear(74, 24, Grey, ExactTolerance));
    EXPECT_TRUE(PixelNear(105, 5, Red, ExactTolerance)) << "the GIF";
    EXPECT_TRUE(PixelNear(125, 25, Red, ExactTolerance)) << "its edge carried on";
}

// Each lossless format: four colours in 2 x 2 blocks of a 5 x 4 picture (an
// odd width, so rows are padded), drawn 4 times its size.
TEST_F(FlashFillsTest, LosslessPicturesOfEveryFormat) {
    struct TCase { int Format, Version; };
    const TCase cases[] = {{3, 1}, {4, 1}, {5, 1}, {3, 2}, {5, 2}};
    const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FFFFFF};
    std::vector<uint32_t> px(5 * 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) px[size_t(y) * 5 + size_t(x)] = colours[(y / 2) * 2 + std::min(x / 2, 1)];
    TSwfWriter w(W, H, 12);
    w.SetBackground(Black);
    for (int i = 0; i < 5; ++i) {
        std::vector<uint32_t> p = px;
        // Without alpha the fourth colour is plain white.
        if (cases[i].Version == 1) p[19] = p[18] = p[14] = p[13] = 0xFFFFFFFF;
        uint16_t id = w.DefineBitsLossless(cases[i].Format, 5, 4, p, cases[i].Version);
        Area(w, PictureFill(id, 40 * i, 0, 4), 40 * i, 0, 20, 16, uint16_t(1 + i));
    }
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(testing::Message() << "format " << cases[i].Format << " version " << cases[i].Version);
        EXPECT_TRUE(PixelNear(40 * i + 2, 2, Red, ExactTolerance));
        EXPECT_TRUE(PixelNear(40 * i + 18, 2, (TSwfRgba{0, 255, 0, 255}), ExactTolerance));
        EXPECT_TRUE(PixelNear(40 * i + 2, 14, Blue, ExactTolerance));
        EXPECT_TRUE(PixelNear(40 * i + 18, 14, cases[i].Version == 2 ? Gray(128) : White, ExactTolerance));
    }
}

// A 2 x 2 picture at 10 pixels per picture pixel under an 80 x 40 area: a
// repeating fill starts over after 20 pixels, a clipped one carries its edge
// pixels on.
TEST_F(FlashFillsTest, RepeatingAndClippedPictureFills) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    uint16_t id = w.DefineBitsLossless(5, 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
    Area(w, PictureFill(id, 0, 0, 10, true), 0, 0, 80, 40, 1);
    Area(w, PictureFill(id, 0, 60, 10, false), 0, 60, 80, 40, 2);
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    EXPECT_TRUE(PixelNear(5, 5, Red, ExactTolerance));
    EXPECT_TRUE(PixelNear(45, 5, Red, ExactTolerance));
    EXPECT_TRUE(PixelNear(55, 35, White, ExactTolerance));
    EXPECT_TRUE(PixelNear(5, 65, Red, ExactTolerance));
    EXPECT_TRUE(PixelNear(45, 65, (TSwfRgba{0, 255, 0, 255}), ExactTolerance));
    EXPECT_TRUE(PixelNear(75, 95, White, ExactTolerance));
    EXPECT_TRUE(PixelNear(85, 65, Grey, ExactTolerance)) << "outside the area";
}

// A red area masked by a disc shows only within the disc; the disc itself
// (blue) shows nowhere. A second mask within the first's reach shows only
// where both masks are; above the reach nothing is masked.
TEST_F(FlashFillsTest, MasksRevealOnlyTheirAreaAndNest) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    TSwfShapeBuilder disc, band, red, green;
    disc.Ellipse(50 * T, 50 * T, 40 * T, 40 * T, disc.SolidFill(Blue), 0);
    band.Rectangle(0, 40 * T, W * T, 20 * T, band.SolidFill(Blue), 0);
    red.Rectangle(0, 0, 100 * T, 100 * T, red.SolidFill(Red), 0);
    green.Rectangle(0, 0, W * T, 150 * T, green.SolidFill({0, 255, 0, 255}), 0);
    uint16_t discId = w.DefineShape(disc), bandId = w.DefineShape(band), redId = w.DefineShape(red),
             greenId = w.DefineShape(green);
    w.Main.PlaceMask(1, discId, 4);
    w.Main.Place(2, redId);
    w.Main.PlaceMask(3, bandId, 4, TSwfMatrix::Translate(0, 40 * T));
    w.Main.Place(4, greenId, TSwfMatrix::Translate(100 * T, 0));
    Marker(w, 0);
    w.Main.ShowFrame();
    w.Main.Place(5, greenId, TSwfMatrix::Translate(0, 130 * T));
    Marker(w, 1);
    w.Main.ShowFrame();
    Show(w.Finish());
    EXPECT_TRUE(PixelNear(50, 50, Red, ExactTolerance));
    EXPECT_TRUE(PixelNear(20, 30, Red, ExactTolerance));
    EXPECT_TRUE(PixelNear(5, 5, Grey, ExactTolerance)) << "the disc's corner";
    EXPECT_TRUE(PixelNear(95, 95, Grey, ExactTolerance));
    // The green area lies at x >= 100, where the disc does not reach: the
    // nested band shows nothing of it.
    EXPECT_TRUE(PixelNear(150, 90, Grey, ExactTolerance));
    EXPECT_TRUE(PixelNear(150, 20, Grey, ExactTolerance));
    Show({}, 1);
    EXPECT_TRUE(PixelNear(50, 140, (TSwfRgba{0, 255, 0, 255}), ExactTolerance)) << "above the mask's reach";
    EXPECT_TRUE(PixelNear(50, 50, Red, ExactTolerance));
}

// Where the band and the disc overlap, the masked object shows.
TEST_F(FlashFillsTest, NestedMasksIntersect) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    TSwfShapeBuilder disc, band, green;
    disc.Ellipse(100 * T, 80 * T, 60 * T, 60 * T, disc.SolidFill(Blue), 0);
    band.Rectangle(0, 70 * T, W * T, 20 * T, band.SolidFill(Blue), 0);
    green.Rectangle(0, 0, W * T, H * T - 10 * T, green.SolidFill({0, 255, 0, 255}), 0);
    w.Main.PlaceMask(1, w.DefineShape(disc), 3);
    w.Main.PlaceMask(2, w.DefineShape(band), 3);
    w.Main.Place(3, w.DefineShape(green));
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    EXPECT_TRUE(PixelNear(100, 80, (TSwfRgba{0, 255, 0, 255}), ExactTolerance));
    EXPECT_TRUE(PixelNear(5, 80, Grey, ExactTolerance)) << "in the band, outside the disc";
    EXPECT_TRUE(PixelNear(100, 40, Grey, ExactTolerance)) << "in the disc, outside the band";
}

// A square at (10,10) 40 wide, red, turning into a square at (110,60) 80 wide,
// blue: at ratios 0, one half and 1.
TEST_F(FlashFillsTest, MorphShapeAtItsRatio) {
    TSwfMorphBuilder m;
    TSwfFill a, b;
    a.Color = Red;
    b.Color = Blue;
    int fill = m.Fill(a, b);
    m.Start.Rectangle(10 * T, 10 * T, 40 * T, 40 * T, fill, 0);
    m.End.MoveTo(110 * T, 60 * T);
    for (auto [x, y] : {std::pair{190, 60}, {190, 140}, {110, 140}, {110, 60}}) m.End.LineTo(x * T, y * T);
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    uint16_t id = w.DefineMorphShape(m);
    const uint16_t ratios[] = {0, 32768, 65535};
    for (int f = 0; f < 3; ++f) {
        if (f == 0)
            w.Main.PlaceRatio(1, id, ratios[f]);
        else
            w.Main.MoveRatio(1, ratios[f]);
        Marker(w, f);
        w.Main.ShowFrame();
    }
    auto bytes = w.Finish();
    Show(bytes, 0);
    EXPECT_TRUE(PixelNear(12, 12, Red, ExactTolerance));
    EXPECT_TRUE(PixelNear(48, 48, Red, ExactTolerance));
    EXPECT_TRUE(PixelNear(52, 30, Grey, ExactTolerance));
    Show(bytes, 1);
    // Half way: (60,35) to (120,95), half red half blue.
    EXPECT_TRUE(PixelNear(62, 37, (TSwfRgba{128, 0, 127, 255}), ExactTolerance));
    EXPECT_TRUE(PixelNear(118, 93, (TSwfRgba{128, 0, 127, 255}), ExactTolerance));
    EXPECT_TRUE(PixelNear(57, 30, Grey, ExactTolerance));
    EXPECT_TRUE(PixelNear(122, 97, Grey, ExactTolerance));
    Show(bytes, 2);
    EXPECT_TRUE(PixelNear(112, 62, Blue, ExactTolerance));
    EXPECT_TRUE(PixelNear(188, 138, Blue, ExactTolerance));
    EXPECT_TRUE(PixelNear(48, 48, Grey, ExactTolerance));
}

// Lines 20 pixels wide. Caps: a horizontal line from x 40 to 80; 6 pixels
// past its end a flat cap shows nothing, square and round caps the line, and
// diagonally beyond the end only the square one. Joins: a right-angled corner
// at (140, 20+k*50); 8 pixels out along the diagonal only a miter reaches, 5
// pixels out a round join too, a bevel neither.
TEST_F(FlashFillsTest, CapsAndJoins) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    const TSwfCap caps[] = {TSwfCap::None, TSwfCap::Square, TSwfCap::Round};
    const TSwfJoin joins[] = {TSwfJoin::Miter, TSwfJoin::Round, TSwfJoin::Bevel};
    for (int k = 0; k < 3; ++k) {
        TSwfShapeBuilder line, corner;
        line.Style(-1, -1, line.LineStyle(20 * T, Black, {caps[k], caps[k], TSwfJoin::Round, 3, false}));
        line.MoveTo(40 * T, (25 + 50 * k) * T);
        line.LineTo(80 * T, (25 + 50 * k) * T);
        w.Main.Place(uint16_t(1 + k), w.DefineShape(line, 4));
        corner.Style(-1, -1, corner.LineStyle(20 * T, Black, {TSwfCap::None, TSwfCap::None, joins[k], 4, false}));
        corner.MoveTo(110 * T, (20 + 50 * k) * T);
        corner.LineTo(140 * T, (20 + 50 * k) * T);
        corner.LineTo(140 * T, (50 + 50 * k) * T);
        w.Main.Place(uint16_t(10 + k), w.DefineShape(corner, 4));
    }
    // A line of one twentieth of a pixel still shows.
    TSwfShapeBuilder hair;
    hair.Style(-1, -1, hair.LineStyle(1, Black));
    hair.MoveTo(170 * T, 10 * T);
    hair.LineTo(170 * T, 150 * T);
    w.Main.Place(20, w.DefineShape(hair, 3));
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    for (int k = 0; k < 3; ++k) {
        const int y = 25 + 50 * k;
        SCOPED_TRACE(k);
        EXPECT_TRUE(PixelNear(60, y, Black, ExactTolerance));
        EXPECT_TRUE(PixelNear(86, y, k == 0 ? Grey : Black, ExactTolerance)) << "past the end";
        EXPECT_TRUE(PixelNear(34, y, k == 0 ? Grey : Black, ExactTolerance)) << "before the start";
        EXPECT_TRUE(PixelNear(87, y - 8, k == 1 ? Black : Grey, ExactTolerance)) << "diagonally past the end";
        const int cy = 20 + 50 * k;
        EXPECT_TRUE(PixelNear(148, cy - 8, k == 0 ? Black : Grey, ExactTolerance)) << "far out at the corner";
        EXPECT_TRUE(PixelNear(145, cy - 5, k == 2 ? Grey : Black, ExactTolerance)) << "near out at the corner";
    }
    int hairline = 0;
    for (int x = 165; x <= 175; ++x) hairline += Near(Pixel(x, 80), Grey, 60) ? 0 : 1;
    EXPECT_GE(hairline, 1);
}

// A square outline 10 pixels wide that comes back to its start: joined there
// (a miter fills the outer corner), unless its style keeps the ends apart,
// when flat caps leave the corner open.
TEST_F(FlashFillsTest, OutlinesJoinWhereTheyCloseUnlessNoClose) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    for (int k = 0; k < 2; ++k) {
        TSwfShapeBuilder s;
        s.Style(-1, -1, s.LineStyle(10 * T, Black, {TSwfCap::None, TSwfCap::None, TSwfJoin::Miter, 3, k == 1}));
        const int x = 30 + 100 * k, y = 60;
        s.MoveTo(x * T, y * T);
        for (auto [dx, dy] : {std::pair{40, 0}, {40, 40}, {0, 40}, {0, 0}}) s.LineTo((x + dx) * T, (y + dy) * T);
        w.Main.Place(uint16_t(1 + k), w.DefineShape(s, 4));
    }
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    EXPECT_TRUE(PixelNear(27, 57, Black, ExactTolerance)) << "joined at the start";
    EXPECT_TRUE(PixelNear(127, 57, Grey, ExactTolerance)) << "left open at the start";
    EXPECT_TRUE(PixelNear(67, 97, Black, ExactTolerance));
    EXPECT_TRUE(PixelNear(167, 97, Black, ExactTolerance)) << "the other corners are joined";
}

// Colour transforms of a placement reach gradients and pictures.
TEST_F(FlashFillsTest, ColourTransformsReachGradientsAndPictures) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(Grey);
    uint16_t pic = w.DefineBitsLossless(5, 1, 1, {0xFFFFFFFF});
    TSwfShapeBuilder s;
    s.Rectangle(0, 0, W * T, 50 * T, s.Fill(Ramp(TSwfFill::Linear, White, White, Square(W, 100, 0))), 0);
    s.Rectangle(0, 60 * T, W * T, 50 * T, s.Fill(PictureFill(pic, 0, 60, 10, true)), 0);
    TSwfTagWriter clip;
    clip.Place(1, w.DefineShape(s), {}, TSwfColorTransform{1, 0.5, 1, 1, 0, 0, 0, 0});
    clip.ShowFrame();
    uint16_t clipId = w.DefineSprite(clip);
    w.Main.Place(1, clipId, {}, TSwfColorTransform{1, 1, 0, 1, 0, 0, 0, 0});
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    EXPECT_TRUE(PixelNear(100, 25, (TSwfRgba{255, 128, 0, 255}), ExactTolerance));
    EXPECT_TRUE(PixelNear(100, 85, (TSwfRgba{255, 128, 0, 255}), ExactTolerance));
}

// Box glyphs: glyph 0 is 600 font units wide, glyph 1 200, both 800 tall
// above the baseline. At a height of 1024 twips a font unit is a twip.
uint16_t BoxFont(TSwfWriter& w) {
    TSwfShapeBuilder wide, narrow;
    wide.Rectangle(0, -800, 600, 800, 1, 0);
    narrow.Rectangle(0, -800, 200, 800, 1, 0);
    return w.DefineFont(2, "Boxes", {&wide, &narrow}, {'A', 'i'}, {800, 300}, 900, 100);
}

// Glyphs land where the advances put them: boxes at x 10..40, 50..60 and
// 65..95, from y 20 down to the baseline at 60.
TEST_F(FlashFillsTest, StaticTextInAnEmbeddedFont) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(White);
    uint16_t font = BoxFont(w);
    TSwfTextRecord r;
    r.FontId = font;
    r.Color = Blue;
    r.X = 200;
    r.Y = 1200;
    r.Height = 1024;
    r.Glyphs = {{0, 800}, {1, 300}, {0, 800}};
    w.Main.Place(1, w.DefineText(2, {0, 4000, 0, 2000}, {}, {r}));
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    for (int x : {25, 55, 80}) EXPECT_TRUE(PixelNear(x, 40, Blue, ExactTolerance)) << "inside a glyph";
    for (int x : {8, 45, 62, 97}) EXPECT_TRUE(PixelNear(x, 40, White, ExactTolerance)) << "between glyphs";
    EXPECT_TRUE(PixelNear(25, 18, White, ExactTolerance)) << "above the glyphs";
    EXPECT_TRUE(PixelNear(25, 62, White, ExactTolerance)) << "below the baseline";
}

// A field in the platform's sans-serif font shows dark text in its bounds,
// and nothing past them however long its line. A field in an embedded font,
// centred: two boxes of 30 pixels, 40 apart, in a field 200 wide.
TEST_F(FlashFillsTest, TextFieldsInDeviceAndEmbeddedFonts) {
    TSwfWriter w(W, H, 12);
    w.SetBackground(White);
    uint16_t sans = w.DefineFont(2, "_sans", {});
    uint16_t boxes = BoxFont(w);
    TSwfEditText device;
    device.Bounds = {10 * T, 110 * T, 10 * T, 60 * T};
    device.HasFont = true;
    device.FontId = sans;
    device.Height = 36 * T;
    device.Color = Black;
    device.Text = "HHHHHHHHHHHHHHHH";
    w.Main.Place(1, w.DefineEditText(device));
    TSwfEditText embedded;
    embedded.Bounds = {0, W * T, 100 * T, 150 * T};
    embedded.HasFont = true;
    embedded.FontId = boxes;
    embedded.Height = 1024;
    embedded.Color = Blue;
    embedded.Align = TSwfEditText::Center;
    embedded.UseOutlines = true;
    embedded.Text = "AA";
    w.Main.Place(2, w.DefineEditText(embedded));
    Marker(w, 0);
    w.Main.ShowFrame();
    Show(w.Finish());
    int inside = 0, outside = 0;
    for (int y = 10; y < 60; ++y) {
        for (int x = 10; x < 110; ++x) inside += Near(Pixel(x, y), Black, 100);
        for (int x = 112; x < 190; ++x) outside += Near(Pixel(x, y), White, 2) ? 0 : 1;
    }
    EXPECT_GT(inside, 300) << "the text shows";
    EXPECT_EQ(outside, 0) << "the field clips its text";
    // Baseline at 100 + 2 + 45 pixels; the boxes reach 40 pixels above it.
    for (int x : {75, 115}) EXPECT_TRUE(PixelNear(x, 127, Blue, ExactTolerance)) << x;
    for (int x : {55, 95, 135}) EXPECT_TRUE(PixelNear(x, 127, White, ExactTolerance)) << x;
}

}  // namespace
