// Fonts, static texts and text fields read back from writer-made movies, and
// where their glyphs land.
#include "SwfMovie.h"
#include "SwfScene.h"
#include "SwfTestMovies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// A box glyph in font units: Width wide, from the baseline up to 800 units
// (times Scale, for DefineFont3's finer units).
std::unique_ptr<TSwfShapeBuilder> Box(int32_t width, int32_t scale = 1) {
    auto g = std::make_unique<TSwfShapeBuilder>();
    g->Rectangle(0, -800 * scale, width * scale, 800 * scale, 1, 0);
    return g;
}

struct TBox {
    double X0, Y0, X1, Y1;
};

TBox Bounds(const std::vector<TSwfPathSegment>& segs) {
    TBox b{1e18, 1e18, -1e18, -1e18};
    for (const auto& s : segs) {
        b.X0 = std::min(b.X0, s.To.X);
        b.Y0 = std::min(b.Y0, s.To.Y);
        b.X1 = std::max(b.X1, s.To.X);
        b.Y1 = std::max(b.Y1, s.To.Y);
    }
    return b;
}

TEST(SwfFontReader, GlyphTablesOfEveryFontKind) {
    for (int version : {1, 2, 3}) {
        const int32_t k = version == 3 ? 20 : 1;
        auto a = Box(600, k), b = Box(200, k), c = Box(400, k);
        TSwfWriter w(10, 10, 12);
        uint16_t id = w.DefineFont(version, "Boxes", {a.get(), b.get(), c.get()}, {'A', 'i', 'm'},
                                   {int16_t(700 * k), int16_t(300 * k), int16_t(500 * k)}, uint16_t(900 * k), uint16_t(200 * k));
        w.Main.ShowFrame();
        auto m = TSwfMovie::FromBytes(w.Finish());
        ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
        const TSwfFont* f = m->FindFont(id);
        ASSERT_TRUE(f);
        SCOPED_TRACE(version);
        ASSERT_EQ(f->Glyphs.size(), 3u);
        EXPECT_EQ(f->EmSquare, version == 3 ? 20480 : 1024);
        ASSERT_EQ(f->Glyphs[1].Paths.size(), 1u);
        TBox g = Bounds(f->Glyphs[1].Paths[0].Segments);
        EXPECT_EQ(g.X1 - g.X0, 200 * k);
        EXPECT_EQ(g.Y0, -800 * k);
        if (version == 1) {
            EXPECT_TRUE(f->Codes.empty());
            continue;
        }
        EXPECT_EQ(f->Name, "Boxes");
        EXPECT_EQ(f->Codes, (std::vector<uint16_t>{'A', 'i', 'm'}));
        EXPECT_EQ(f->GlyphOf('m'), 2);
        EXPECT_EQ(f->GlyphOf('z'), -1);
        EXPECT_TRUE(f->HasLayout);
        EXPECT_EQ(f->Advances, (std::vector<double>{700.0 * k, 300.0 * k, 500.0 * k}));
        EXPECT_EQ(f->Ascent, 900 * k);
        EXPECT_EQ(f->Descent, 200 * k);
    }
}

// Records carry font, colour, height and position on; glyphs advance by
// their stated advances and are scaled from the EM square to the height.
TEST(SwfTextReader, RecordsGlyphsAndWhereTheyLand) {
    for (int version : {1, 2}) {
        auto a = Box(600), b = Box(200);
        TSwfWriter w(100, 100, 12);
        uint16_t font = w.DefineFont(2, "Boxes", {a.get(), b.get()}, {'A', 'i'});
        TSwfTextRecord r1;
        r1.FontId = font;
        r1.Color = {10, 20, 30, 128};
        r1.X = 100;
        r1.Y = 1000;
        r1.Height = 512;  // half the EM square
        r1.Glyphs = {{0, 400}, {1, 150}, {0, 400}};
        TSwfTextRecord r2 = r1;  // carries on after r1's advances
        r2.X = 100 + 950;
        r2.Color = {200, 0, 0, 255};
        r2.Glyphs = {{1, 150}};
        TSwfTextRecord r3 = r2;  // a new line
        r3.X = 100;
        r3.Y = 2000;
        r3.Glyphs = {{5, 100}, {0, 400}};  // glyph 5 does not exist
        uint16_t text = w.DefineText(version, {0, 2000, 0, 2500}, TSwfMatrix::Translate(20, 40), {r1, r2, r3});
        w.Main.Place(1, text, TSwfMatrix::Translate(200, 0));
        w.Main.ShowFrame();
        auto m = TSwfMovie::FromBytes(w.Finish());
        ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
        const TSwfCharacter* c = m->Find(text);
        ASSERT_TRUE(c && c->Kind == TSwfCharacter::Text);
        const TSwfText& t = c->TextDef;
        SCOPED_TRACE(version);
        EXPECT_EQ(t.Matrix, TSwfMatrix::Translate(20, 40));
        ASSERT_EQ(t.Records.size(), 3u);
        EXPECT_EQ(t.Records[0].FontId, font);
        EXPECT_EQ(t.Records[0].Height, 512);
        EXPECT_EQ(t.Records[0].Color, (TSwfRgba{10, 20, 30, uint8_t(version >= 2 ? 128 : 255)}));
        EXPECT_EQ(t.Records[1].X, 1050) << "carried on from the record before";
        EXPECT_EQ(t.Records[1].Y, 1000);
        EXPECT_EQ(t.Records[2].Glyphs[0].Index, 5u);
        EXPECT_EQ(t.Records[0].Glyphs[1].Advance, 150);

        TSwfScene scene(*m);
        TSwfFrameImage img;
        scene.GotoFrame(0);
        scene.Compose(img);
        ASSERT_EQ(img.Items.size(), 5u) << "the missing glyph draws nothing";
        const double x0 = 200 + 20 + 100, y0 = 40 + 1000;
        // The missing glyph still advances.
        const double left[] = {x0, x0 + 400, x0 + 550, x0 + 950, x0 + 100};
        const double width[] = {300, 100, 300, 100, 300};
        for (size_t i = 0; i < 5; ++i) {
            TBox g = Bounds(img.Items[i].Segments);
            EXPECT_DOUBLE_EQ(g.X0, left[i]) << i;
            EXPECT_DOUBLE_EQ(g.X1 - g.X0, width[i]) << i;
            EXPECT_DOUBLE_EQ(g.Y1, i < 4 ? y0 : y0 + 1000) << i;
            EXPECT_DOUBLE_EQ(g.Y1 - g.Y0, 400) << i;
        }
        EXPECT_EQ(img.Items[3].Color, (TSwfRgba{200, 0, 0, 255}));
    }
}

TEST(SwfEditTextReader, FieldsAndInitialText) {
    TSwfWriter w(100, 100, 12);
    TSwfEditText e;
    e.Bounds = {0, 2000, 0, 600};
    e.HasFont = true;
    e.FontId = 7;
    e.Height = 300;
    e.Color = {1, 2, 3, 200};
    e.Align = TSwfEditText::Center;
    e.LeftMargin = 20;
    e.RightMargin = 40;
    e.Indent = 60;
    e.Leading = -20;
    e.WordWrap = e.Multiline = e.UseOutlines = e.Html = true;
    e.Text = "<p align=\"center\"><font face=\"_sans\">Fish &amp; chips</font></p><p>line<br/>two</p>";
    uint16_t id = w.DefineEditText(e);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    const TSwfEditText& got = m->Find(id)->EditTextDef;
    EXPECT_EQ(got.Bounds, e.Bounds);
    EXPECT_EQ(got.FontId, 7);
    EXPECT_EQ(got.Height, 300);
    EXPECT_EQ(got.Color, e.Color);
    EXPECT_EQ(got.Align, TSwfEditText::Center);
    EXPECT_EQ(got.LeftMargin, 20);
    EXPECT_EQ(got.RightMargin, 40);
    EXPECT_EQ(got.Indent, 60);
    EXPECT_EQ(got.Leading, -20);
    EXPECT_TRUE(got.WordWrap && got.Multiline && got.UseOutlines);
    EXPECT_EQ(got.Text, "Fish & chips\nline\ntwo");
}

// An embedded-font field: lines break at line ends and, with word wrap, before
// a word that would pass the right margin; alignment shifts each line.
TEST(SwfEditTextLayout, LinesWrapAndAlign) {
    TSwfFont f;
    f.EmSquare = 1000;
    f.Glyphs.resize(3);
    f.Codes = {'a', 'b', ' '};
    f.Advances = {500, 500, 250};
    f.HasLayout = true;
    f.Ascent = 800;
    f.Descent = 200;
    TSwfEditText e;
    e.Bounds = {0, int32_t(2 * TextGutter + 1000), 0, 1000};
    e.Height = 200;  // advances of 100 and 50 twips, lines 200 apart
    e.Multiline = e.WordWrap = true;
    e.Text = "ab ab abab ab\nb";
    struct TCase { TSwfEditText::TAlign Align; double FirstX; };
    // "ab ab abab " is 950 twips wide (900 without its last space); the
    // next "ab" would reach 1050, past the 1000 there is room for.
    for (TCase c : {TCase{TSwfEditText::Left, TextGutter}, {TSwfEditText::Right, TextGutter + 100},
                    {TSwfEditText::Center, TextGutter + 50}}) {
        e.Align = c.Align;
        auto glyphs = LayOutEditText(e, f);
        ASSERT_EQ(glyphs.size(), 14u);
        EXPECT_DOUBLE_EQ(glyphs[0].X, c.FirstX) << int(c.Align);
        EXPECT_DOUBLE_EQ(glyphs[0].Y, TextGutter + 160);
        EXPECT_DOUBLE_EQ(glyphs[10].Y, TextGutter + 160);
        EXPECT_DOUBLE_EQ(glyphs[11].Y, TextGutter + 160 + 200) << "the word that did not fit";
        EXPECT_DOUBLE_EQ(glyphs[13].Y, TextGutter + 160 + 400) << "the line end";
    }
    e.Align = TSwfEditText::Left;
    e.Multiline = false;
    auto one = LayOutEditText(e, f);
    for (const auto& g : one) EXPECT_DOUBLE_EQ(g.Y, TextGutter + 160);
}

// A field whose font has no outlines (or says to use none) is left to the
// platform's fonts, named as the platform knows them, clipped to its bounds.
TEST(SwfEditTextScene, DeviceFontsAndClipping) {
    TSwfWriter w(100, 100, 12);
    uint16_t serif = w.DefineFont(2, "_serif", {});
    TSwfEditText e;
    e.Bounds = {0, 1000, 0, 400};
    e.HasFont = true;
    e.FontId = serif;
    e.Height = 240;
    e.Color = {0, 0, 200, 255};
    e.Text = "Hello";
    uint16_t id = w.DefineEditText(e);
    w.Main.Place(1, id, TSwfMatrix::Translate(100, 0), TSwfColorTransform{1, 1, 0.5, 1, 0, 0, 0, 0});
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    TSwfScene scene(*m);
    TSwfFrameImage img;
    scene.GotoFrame(0);
    scene.Compose(img);
    ASSERT_EQ(img.Items.size(), 5u);
    EXPECT_EQ(img.Items[0].Role, TSwfDrawItem::MaskStart);
    EXPECT_EQ(Bounds(img.Items[1].Segments).X1, 1100);
    const TSwfDrawItem& t = img.Items[3];
    EXPECT_TRUE(t.IsDeviceText);
    EXPECT_EQ(t.Text, "Hello");
    EXPECT_EQ(t.FontName, "Times New Roman");
    EXPECT_EQ(t.Color, (TSwfRgba{0, 0, 100, 255}));
    EXPECT_EQ(t.TextMatrix, TSwfMatrix::Translate(100, 0));
    EXPECT_EQ(img.Items[4].Role, TSwfDrawItem::MaskPop);
    EXPECT_EQ(DeviceFontName("_sans"), "Arial");
    EXPECT_EQ(DeviceFontName("_typewriter"), "Courier New");
    EXPECT_EQ(DeviceFontName("Verdana"), "Verdana");
}

TEST(SwfText, Utf8AndHtml) {
    EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), (std::vector<uint32_t>{'a', 0xE9, 0x20AC, 0x1F600}));
    EXPECT_EQ(DecodeUtf8("\xE9t\xE9"), (std::vector<uint32_t>{0xE9, 't', 0xE9})) << "single-byte text of older movies";
    EXPECT_EQ(PlainTextOfHtml("<b>a</b>&lt;b&gt;<br>c&unknown;"), "a<b>\nc&unknown;");
}

}  // namespace
