#include "Bitmap.h"
#include "Exceptions.h"
#include "FileStream.h"
#include "Icon.h"
#include "Jpeg.h"
#include "JpegEncode.h"
#include "Picture.h"
#include "Streams.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::string TempName(const std::string& Name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + std::to_string(GetCurrentProcessId()) + "-" + Name;
}

void WriteFile(const std::string& Path, const std::string& Bytes) {
    TFileStream f(Path, fmCreate);
    if (!Bytes.empty()) f.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
}

// A file that is removed at the end of the test.
struct TempFile {
    explicit TempFile(const std::string& Name, const std::string& Bytes) : path(TempName(Name)) {
        WriteFile(path, Bytes);
    }
    ~TempFile() { DeleteFileA(path.c_str()); }
    std::string path;
};

// 48x16: red, blue and white squares of 16x16, the size of a JPEG block with
// subsampled colour, so that colours do not bleed into each other.
void Sample(TBitmap& b) {
    b.SetSize(48, 16);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 16, 16));
    b.Canvas()->Brush()->SetColor(clBlue);
    b.Canvas()->FillRect(Rect(16, 0, 32, 16));
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(Rect(32, 0, 48, 16));
}

::testing::AssertionResult Near(TColor Actual, TColor Expected) {
    const auto d = [](TColor a, TColor b, int shift) { return std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF)); };
    if (d(Actual, Expected, 0) <= 12 && d(Actual, Expected, 8) <= 12 && d(Actual, Expected, 16) <= 12)
        return ::testing::AssertionSuccess();
    char buf[64];
    std::snprintf(buf, sizeof buf, "$%06X is not near $%06X", static_cast<unsigned>(Actual),
                  static_cast<unsigned>(Expected));
    return ::testing::AssertionFailure() << buf;
}

class Counter : public TObject {
public:
    void Hit(TObject*) { ++hits; }
    int hits = 0;
};

std::string JpegOfSample() {
    TBitmap b;
    Sample(b);
    return EncodeJpeg(b);
}

TEST(Jpeg, DecodesThroughTheImagingComponent) {
    const std::string data = JpegOfSample();
    ASSERT_GT(data.size(), 100u);
    ASSERT_EQ(static_cast<unsigned char>(data[0]), 0xFF);
    ASSERT_EQ(static_cast<unsigned char>(data[1]), 0xD8);
    TJPEGImage jpeg;
    jpeg.LoadFromMemory(data.data(), data.size());
    ASSERT_EQ(jpeg.Width(), 48);
    ASSERT_EQ(jpeg.Height(), 16);
    TBitmap out;
    out.SetSize(48, 16);
    out.Canvas()->Draw(0, 0, &jpeg);
    EXPECT_TRUE(Near(out.Canvas()->Pixels(8, 8), clRed));
    EXPECT_TRUE(Near(out.Canvas()->Pixels(24, 8), clBlue));
    EXPECT_TRUE(Near(out.Canvas()->Pixels(40, 8), clWhite));

    // The original bytes are what it saves.
    TMemoryStream saved;
    jpeg.SaveToStream(&saved);
    ASSERT_EQ(saved.Size(), static_cast<std::int64_t>(data.size()));
    EXPECT_EQ(std::string(static_cast<const char*>(saved.Memory()), data.size()), data);

    // Converted to a bitmap.
    TBitmap asBitmap;
    asBitmap.Assign(&jpeg);
    EXPECT_EQ(asBitmap.Width(), 48);
    EXPECT_TRUE(Near(asBitmap.Canvas()->Pixels(24, 8), clBlue));
}

TEST(Jpeg, RefusesOtherDataAndKeepsItsPicture) {
    const std::string data = JpegOfSample();
    TJPEGImage jpeg;
    jpeg.LoadFromMemory(data.data(), data.size());
    TBitmap bmp;
    Sample(bmp);
    const std::vector<uint8_t> bmpFile = bmp.SaveToMemory();
    const std::string truncated = data.substr(0, 20);
    for (const std::string& bad : {std::string(), std::string("not a picture"),
                                   std::string(bmpFile.begin(), bmpFile.end()), truncated}) {
        try {
            jpeg.LoadFromMemory(bad.data(), bad.size());
            ADD_FAILURE() << bad.size();
        } catch (const EInvalidGraphic& e) {
            EXPECT_STREQ(e.what(), "JPEG image is not valid");
        }
    }
    EXPECT_EQ(jpeg.Width(), 48);
}

TEST(Picture, LoadFromFileChoosesTheClassByExtension) {
    TBitmap b;
    Sample(b);
    const std::vector<uint8_t> bmpBytes = b.SaveToMemory();
    const TempFile jpg("logo.jpg", JpegOfSample());
    const TempFile jpeg("logo.JPEG", JpegOfSample());
    const TempFile bmp("logo.bmp", std::string(bmpBytes.begin(), bmpBytes.end()));

    TPicture p;
    Counter changes;
    p.OnChange = TNotifyEvent::Bind<&Counter::Hit>(&changes);
    struct Case {
        std::string path;
        const char* cls;
    };
    for (const Case& c : {Case{jpg.path, "TJPEGImage"}, Case{bmp.path, "TBitmap"}, Case{jpeg.path, "TJPEGImage"}}) {
        p.LoadFromFile(c.path);
        ASSERT_NE(p.Graphic(), nullptr);
        EXPECT_EQ(p.Graphic()->ClassName(), c.cls) << c.path;
        EXPECT_EQ(p.Width(), 48);
        EXPECT_EQ(p.Height(), 16);
    }
    EXPECT_EQ(changes.hits, 3);
}

TEST(Picture, ErrorsKeepThePicture) {
    const TempFile jpg("keep.jpg", JpegOfSample());
    const TempFile fake("fake.jpg", "GIF89a....");
    TPicture p;
    p.LoadFromFile(jpg.path);
    struct Case {
        std::string path;
        std::string message;
    };
    const std::string missing = TempName("missing.jpg");
    const Case cases[] = {
        {"C:\\pictures\\logo.gif", "Unknown picture file extension (.gif)"},
        {"C:\\pictures\\logo.Png", "Unknown picture file extension (.Png)"},
        {"C:\\pictures\\noextension", "Unknown picture file extension (.)"},
        {missing, "Cannot open file " + missing},
        {fake.path, "JPEG image is not valid"},
    };
    for (const Case& c : cases) {
        try {
            p.LoadFromFile(c.path);
            ADD_FAILURE() << c.path;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        ASSERT_NE(p.Graphic(), nullptr);
        EXPECT_EQ(p.Graphic()->ClassName(), "TJPEGImage");
    }
    try {
        p.LoadFromFile(missing);
    } catch (const EFOpenError&) {
    }
}

TEST(Picture, BitmapGetterReplacesOtherGraphics) {
    const TempFile jpg("replace.jpg", JpegOfSample());
    TPicture p;
    p.LoadFromFile(jpg.path);
    Counter changes;
    p.OnChange = TNotifyEvent::Bind<&Counter::Hit>(&changes);
    TBitmap* b = p.Bitmap();
    EXPECT_EQ(p.Graphic(), b);
    EXPECT_TRUE(b->Empty());
    EXPECT_EQ(changes.hits, 1);
    EXPECT_EQ(p.Bitmap(), b);  // already a bitmap: kept
    b->SetSize(5, 5);  // changes of the graphic reach the picture's listeners
    EXPECT_EQ(changes.hits, 2);
    EXPECT_EQ(p.Width(), 5);
}

TEST(Picture, AssignCopiesAndBitmapsTakeOnlyBitmapPictures) {
    const TempFile jpg("assign.jpg", JpegOfSample());
    TPicture a, b;
    a.LoadFromFile(jpg.path);
    b.Assign(&a);
    ASSERT_NE(b.Graphic(), nullptr);
    EXPECT_NE(b.Graphic(), a.Graphic());
    EXPECT_EQ(b.Graphic()->ClassName(), "TJPEGImage");
    EXPECT_EQ(b.Width(), 48);

    TBitmap target;
    EXPECT_THROW(target.Assign(&a), EConvertError);  // a JPEG picture is not a bitmap
    a.Bitmap()->SetSize(3, 2);
    target.Assign(&a);
    EXPECT_EQ(target.Width(), 3);

    b.Assign(nullptr);
    EXPECT_EQ(b.Graphic(), nullptr);
    EXPECT_EQ(b.Width(), 0);
}

TEST(Picture, BitmapStreamsRoundTrip) {
    TBitmap b;
    Sample(b);
    TMemoryStream s;
    s.WriteBuffer("xx", 2);  // loading starts at the stream's position
    b.SaveToStream(&s);
    s.SetPosition(2);
    TBitmap c;
    c.LoadFromStream(&s);
    EXPECT_EQ(c.Width(), 48);
    EXPECT_EQ(c.Canvas()->Pixels(40, 12), clWhite);
    EXPECT_EQ(c.Canvas()->Pixels(20, 3), clBlue);
}

std::string IconFileBytes() {
    HRSRC r = FindResourceA(nullptr, "ICONFILE", reinterpret_cast<LPCSTR>(RT_RCDATA));
    const char* p = static_cast<const char*>(LockResource(LoadResource(nullptr, r)));
    return std::string(p, SizeofResource(nullptr, r));
}

TEST(Picture, IconFilesLoadAtTheSystemIconSize) {
    const std::string bytes = IconFileBytes();
    ASSERT_GT(bytes.size(), 100u);
    const TempFile ico("program.ico", bytes);
    TPicture p;
    p.LoadFromFile(ico.path);
    ASSERT_NE(p.Graphic(), nullptr);
    EXPECT_EQ(p.Graphic()->ClassName(), "TIcon");
    EXPECT_EQ(p.Width(), GetSystemMetrics(SM_CXICON));
    TBitmap out;
    out.SetSize(40, 40);
    out.Canvas()->Draw(0, 0, p.Graphic());
    // The file holds a red 16x16 and a blue 32x32 image.
    EXPECT_EQ(out.Canvas()->Pixels(5, 5), p.Width() == 32 ? clBlue : clRed);

    TMemoryStream junk;
    EXPECT_THROW(p.Graphic()->SaveToStream(&junk), EInvalidGraphic);
    const std::string cut = bytes.substr(0, 30);  // the directory promises more than is there
    junk.WriteBuffer(cut.data(), static_cast<std::int64_t>(cut.size()));
    junk.SetPosition(0);
    EXPECT_THROW(p.Graphic()->LoadFromStream(&junk), EInvalidGraphic);
    EXPECT_EQ(p.Width(), GetSystemMetrics(SM_CXICON));
}

// An icon file with one 32-bit image of Side x Side pixels: the directory,
// then the image's header, colour rows and mask rows, in that order.
std::string OneImageIcon(int Side) {
    auto put = [](std::string& s, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i));
    };
    const std::uint32_t colour = 4u * Side * Side, mask = 4u * ((Side + 31) / 32) * Side;
    const std::uint32_t image = 40 + colour + mask;
    std::string f;
    put(f, 0, 2);
    put(f, 1, 2);
    put(f, 1, 2);
    f += static_cast<char>(Side);
    f += static_cast<char>(Side);
    put(f, 0, 2);
    put(f, 1, 2);
    put(f, 32, 2);
    put(f, image, 4);
    put(f, 22, 4);
    put(f, 40, 4);
    put(f, static_cast<std::uint32_t>(Side), 4);
    put(f, static_cast<std::uint32_t>(2 * Side), 4);
    put(f, 1, 2);
    put(f, 32, 2);
    f.append(24, '\0');
    f.append(colour, '\x40');
    f.append(mask, '\0');
    return f;
}

// Every size the icon file declares is checked against the bytes there,
// down to the rows of the image itself, before the system gets the image.
TEST(Picture, IconFilesThatDeclareMoreThanTheyHoldAreRefused) {
    const std::string good = OneImageIcon(32);
    auto put32 = [](std::string& s, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
    };
    struct Case {
        const char* what;
        void (*spoil)(std::string&, decltype(put32)&);
    };
    const Case cases[] = {
        {"more directory entries than bytes", [](std::string& f, decltype(put32)&) { f[4] = 9; f.resize(60); }},
        {"image offset past the end", [](std::string& f, decltype(put32)& p) { p(f, 18, static_cast<std::uint32_t>(f.size())); }},
        {"image size past the end", [](std::string& f, decltype(put32)& p) { p(f, 14, static_cast<std::uint32_t>(f.size())); }},
        {"image cut after its colour rows", [](std::string& f, decltype(put32)& p) {
             f.resize(22 + 40 + 4096);
             p(f, 14, 40 + 4096);
         }},
        {"image header says taller than the image holds", [](std::string& f, decltype(put32)& p) { p(f, 22 + 8, 2 * 64); }},
        {"image header larger than the image", [](std::string& f, decltype(put32)& p) { p(f, 22, 0x10000); }},
    };
    TIcon check;
    {
        TMemoryStream s;
        s.WriteBuffer(good.data(), static_cast<std::int64_t>(good.size()));
        s.SetPosition(0);
        ASSERT_NO_THROW(check.LoadFromStream(&s));
    }
    for (const Case& c : cases) {
        std::string f = good;
        c.spoil(f, put32);
        TMemoryStream s;
        s.WriteBuffer(f.data(), static_cast<std::int64_t>(f.size()));
        s.SetPosition(0);
        TIcon icon;
        EXPECT_THROW(icon.LoadFromStream(&s), EInvalidGraphic) << c.what;
        EXPECT_TRUE(icon.Empty()) << c.what;
    }
}

}  // namespace
