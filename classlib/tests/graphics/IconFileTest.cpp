#include "Exceptions.h"
#include "IconFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& v, uint32_t x, int n) {
    for (int i = 0; i < n; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}
void Set32(Bytes& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

// A bitmap image of an icon: header, colour table, colour rows, mask rows.
Bytes BitmapImage(int Side, int BitCount) {
    Bytes b;
    Put(b, 40, 4);
    Put(b, static_cast<uint32_t>(Side), 4);
    Put(b, static_cast<uint32_t>(2 * Side), 4);
    Put(b, 1, 2);
    Put(b, static_cast<uint32_t>(BitCount), 2);
    b.resize(40, 0);
    if (BitCount <= 8) b.resize(b.size() + 4 * (size_t(1) << BitCount), 0x11);
    const size_t colourRow = ((size_t(Side) * BitCount + 31) / 32) * 4, maskRow = ((size_t(Side) + 31) / 32) * 4;
    b.resize(b.size() + (colourRow + maskRow) * Side, 0x22);
    return b;
}

// An icon file holding Images in order, each entry naming its image's width.
Bytes IconFile(const std::vector<std::pair<int, Bytes>>& Images) {
    Bytes f;
    Put(f, 0, 2);
    Put(f, 1, 2);
    Put(f, static_cast<uint32_t>(Images.size()), 2);
    size_t at = 6 + 16 * Images.size();
    for (const auto& [width, image] : Images) {
        f.push_back(static_cast<uint8_t>(width));
        f.push_back(static_cast<uint8_t>(width));
        Put(f, 0, 2);
        Put(f, 1, 2);
        Put(f, 32, 2);
        Put(f, static_cast<uint32_t>(image.size()), 4);
        Put(f, static_cast<uint32_t>(at), 4);
        at += image.size();
    }
    for (const auto& image : Images) f.insert(f.end(), image.second.begin(), image.second.end());
    return f;
}

TEST(IconFile, ChoosesTheWantedWidthElseTheFirstImage) {
    const Bytes small = BitmapImage(16, 4), large = BitmapImage(32, 32);
    const Bytes file = IconFile({{16, small}, {32, large}});
    const TIconImage wanted = ChooseIconImage(file.data(), file.size(), 32);
    EXPECT_EQ(wanted.Offset, 6 + 32 + small.size());
    EXPECT_EQ(wanted.Size, large.size());
    const TIconImage first = ChooseIconImage(file.data(), file.size(), 48);
    EXPECT_EQ(first.Offset, 6u + 32u);
    EXPECT_EQ(first.Size, small.size());
}

TEST(IconFile, PngImagesAreLeftToTheDecoder) {
    const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    const Bytes file = IconFile({{0, png}});
    EXPECT_EQ(ChooseIconImage(file.data(), file.size(), 256).Size, png.size());
}

// Each case is its own block of the exact size, so that the sanitizers see a
// read past its end.
TEST(IconFile, DeclaringMoreThanTheDataHoldsIsRefused) {
    const Bytes good = IconFile({{32, BitmapImage(32, 32)}});
    struct Case {
        const char* what;
        void (*spoil)(Bytes&);
    };
    const Case cases[] = {
        {"shorter than the directory", [](Bytes& f) { f.resize(5); }},
        {"not an icon", [](Bytes& f) { f[2] = 2; }},
        {"no images", [](Bytes& f) { f[4] = 0; }},
        {"more entries than bytes", [](Bytes& f) { f[4] = 9; f.resize(60); }},
        {"image offset past the end", [](Bytes& f) { Set32(f, 18, static_cast<uint32_t>(f.size() + 1)); }},
        {"image size past the end", [](Bytes& f) { Set32(f, 14, static_cast<uint32_t>(f.size())); }},
        {"huge image size", [](Bytes& f) { Set32(f, 14, 0xFFFFFFFF); }},
        // The colour rows are there, the mask rows are not.
        {"mask rows missing", [](Bytes& f) {
             f.resize(6 + 16 + 40 + 32 * 32 * 4);
             Set32(f, 14, 40 + 32 * 32 * 4);
         }},
        {"one byte of the mask missing", [](Bytes& f) { f.pop_back(); Set32(f, 14, static_cast<uint32_t>(f.size() - 22)); }},
        {"taller than the image holds", [](Bytes& f) { Set32(f, 6 + 16 + 8, 2 * 64); }},
        {"wider than the image holds", [](Bytes& f) { Set32(f, 6 + 16 + 4, 33); }},
        {"header larger than the image", [](Bytes& f) { Set32(f, 6 + 16, 0x10000); }},
        {"header shorter than the info header", [](Bytes& f) { Set32(f, 6 + 16, 12); }},
        {"image shorter than a header", [](Bytes& f) { Set32(f, 14, 20); }},
        {"zero width", [](Bytes& f) { Set32(f, 6 + 16 + 4, 0); }},
        {"compressed", [](Bytes& f) { Set32(f, 6 + 16 + 16, 1); }},
        {"odd bit count", [](Bytes& f) { f[6 + 16 + 14] = 7; }},
    };
    ASSERT_NO_THROW(ChooseIconImage(good.data(), good.size(), 32));
    for (const Case& c : cases) {
        Bytes f = good;
        c.spoil(f);
        const Bytes exact(f.begin(), f.end());
        EXPECT_THROW(ChooseIconImage(exact.data(), exact.size(), 32), EInvalidGraphic) << c.what;
    }
}

TEST(IconFile, PaletteImageNeedsItsColourTable) {
    Bytes image = BitmapImage(16, 8);
    const Bytes file = IconFile({{16, image}});
    ASSERT_NO_THROW(ChooseIconImage(file.data(), file.size(), 16));
    // Without the 256 colours the rows no longer fit.
    image.resize(image.size() - 1024);
    const Bytes cut = IconFile({{16, image}});
    EXPECT_THROW(ChooseIconImage(cut.data(), cut.size(), 16), EInvalidGraphic);
}

}  // namespace
