#include "Font.h"

#include <gtest/gtest.h>

namespace {

class Listener : public TObject {
public:
    void Changed(TObject*) { ++count; }
    int count = 0;
};

LOGFONTA Describe(HFONT f) {
    LOGFONTA lf{};
    GetObjectA(f, sizeof lf, &lf);
    return lf;
}

TEST(Font, SizeAndHeightFollowPixelsPerInch) {
    struct Case {
        int ppi, size, height;
    };
    const Case cases[] = {{96, 8, -11}, {96, 10, -13}, {120, 8, -13}, {96, 12, -16}};
    for (const Case& c : cases) {
        TFont f;
        f.SetPixelsPerInch(c.ppi);
        f.SetSize(c.size);
        EXPECT_EQ(f.Height(), c.height) << c.ppi << " " << c.size;
        f.SetHeight(c.height);
        EXPECT_EQ(f.Size(), c.size) << c.ppi << " " << c.height;
    }
}

TEST(Font, ChangeRemakesTheHandleAndNotifies) {
    TFont f;
    Listener l;
    f.OnChange = TNotifyEvent::Bind<&Listener::Changed>(&l);
    f.SetName("Arial");
    f.SetHeight(-20);
    f.SetStyle({fsBold, fsUnderline});
    EXPECT_EQ(l.count, 3);
    f.SetHeight(-20);  // unchanged value: no notice
    EXPECT_EQ(l.count, 3);

    const LOGFONTA lf = Describe(f.Handle());
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfItalic);

    f.SetStyle({});
    EXPECT_EQ(Describe(f.Handle()).lfWeight, FW_NORMAL);
}

TEST(Font, TakesOverAFontMadeElsewhere) {
    LOGFONTA lf{};
    lf.lfHeight = -15;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    lf.lfCharSet = ANSI_CHARSET;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    HFONT h = CreateFontIndirectA(&lf);
    TFont f;
    Listener l;
    f.OnChange = TNotifyEvent::Bind<&Listener::Changed>(&l);
    f.SetHandle(h);
    EXPECT_EQ(f.Handle(), h);
    EXPECT_EQ(f.Name(), "Tahoma");
    EXPECT_EQ(f.Height(), -15);
    EXPECT_EQ(f.Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(f.Charset(), ANSI_CHARSET);
    EXPECT_EQ(l.count, 1);
}

TEST(Font, AssignCopiesTheDescription) {
    TFont a, b;
    a.SetName("Courier New");
    a.SetHeight(-13);
    a.SetStyle({fsItalic});
    a.SetColor(0x00CF4602);
    a.SetCharset(ANSI_CHARSET);
    b.Assign(&a);
    EXPECT_EQ(b.Name(), "Courier New");
    EXPECT_EQ(b.Height(), -13);
    EXPECT_EQ(b.Style(), TFontStyles{fsItalic});
    EXPECT_EQ(b.Color(), 0x00CF4602);
    EXPECT_EQ(b.Charset(), ANSI_CHARSET);
    EXPECT_NE(a.Handle(), b.Handle());
}

TEST(Font, DefaultsAreEightPointWindowText) {
    TFont f;
    f.SetPixelsPerInch(96);
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Color(), clWindowText);
    EXPECT_TRUE(f.Style().Empty());
}

}  // namespace
