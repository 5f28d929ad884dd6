#include "BitmapCheck.h"
#include "TestBitmaps.h"

#include <gtest/gtest.h>

#include <functional>

TEST(BitmapCheck, AcceptsPlainBitmapsAndReportsTheirSize) {
    struct Case {
        int w, h, bits;
    };
    for (const Case c : {Case{21, 21, 24}, Case{160, 16, 8}, Case{3, 5, 1}, Case{7, 2, 4}, Case{9, 9, 32}, Case{5, 3, 16}}) {
        TBitmapFileInfo info;
        ASSERT_TRUE(InspectBitmapFile(MakeBitmap(c.w, c.h, c.bits), info)) << c.w << "x" << c.h << "x" << c.bits;
        EXPECT_EQ(info.Width, c.w);
        EXPECT_EQ(info.Height, c.h);
        EXPECT_EQ(info.BitCount, c.bits);
        EXPECT_FALSE(info.TopDown);
    }
}

TEST(BitmapCheck, TopDownAndCoreHeaders) {
    auto top = MakeBitmap(4, 3);
    PutLE(top, 22, static_cast<std::uint32_t>(-3));
    TBitmapFileInfo info;
    ASSERT_TRUE(InspectBitmapFile(top, info));
    EXPECT_EQ(info.Height, 3);
    EXPECT_TRUE(info.TopDown);

    // Old-style header: 12 bytes, 16-bit sizes, 3-byte palette entries.
    std::vector<std::uint8_t> core(14 + 12 + 2 * 3 + 4, 0);
    core[0] = 'B';
    core[1] = 'M';
    PutLE(core, 10, 14 + 12 + 6);
    PutLE(core, 14, 12);
    PutLE(core, 18, 2, 2);
    PutLE(core, 20, 1, 2);
    PutLE(core, 22, 1, 2);
    PutLE(core, 24, 1, 2);
    EXPECT_TRUE(IsWellFormedBitmap(core));
    core.pop_back();
    EXPECT_FALSE(IsWellFormedBitmap(core));
}

TEST(BitmapCheck, RefusesDamagedBitmaps) {
    using Edit = std::function<void(std::vector<std::uint8_t>&)>;
    const struct {
        const char* what;
        Edit edit;
    } cases[] = {
        {"no BM", [](auto& b) { b[1] = 'X'; }},
        {"pixels cut short", [](auto& b) { b.resize(b.size() - 1); }},
        {"header cut short", [](auto& b) { b.resize(30); }},
        {"zero width", [](auto& b) { PutLE(b, 18, 0); }},
        {"negative width", [](auto& b) { PutLE(b, 18, static_cast<std::uint32_t>(-4)); }},
        {"zero height", [](auto& b) { PutLE(b, 22, 0); }},
        {"most negative height", [](auto& b) { PutLE(b, 22, 0x80000000u); }},
        {"huge width", [](auto& b) { PutLE(b, 18, 0x7FFFFFFFu); }},
        {"two planes", [](auto& b) { PutLE(b, 26, 2, 2); }},
        {"seven bits", [](auto& b) { PutLE(b, 28, 7, 2); }},
        {"run-length coded", [](auto& b) { PutLE(b, 30, 1); }},
        {"unknown info size", [](auto& b) { PutLE(b, 14, 41); }},
        {"pixels before the headers", [](auto& b) { PutLE(b, 10, 20); }},
        {"pixels past the end", [](auto& b) { PutLE(b, 10, 0xFFFFFFF0u); }},
    };
    for (const auto& c : cases) {
        auto b = MakeBitmap(6, 4);
        c.edit(b);
        EXPECT_FALSE(IsWellFormedBitmap(b)) << c.what;
    }
    auto pal = MakeBitmap(6, 4, 8);
    PutLE(pal, 46, 257);
    EXPECT_FALSE(IsWellFormedBitmap(pal)) << "more palette entries than the depth allows";
    EXPECT_FALSE(IsWellFormedBitmap({}));
}
