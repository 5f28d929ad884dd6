// The pictures linked into a Windows program: loaded by name from the module's
// resources as the skinned controls load them.
#include "ArtExpectations.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::optional<ArtSize> LoadResourceBitmap(const std::string& name) {
    HANDLE h = LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!h) return std::nullopt;
    BITMAP bm{};
    const bool ok = GetObjectA(h, sizeof bm, &bm) == sizeof bm;
    DeleteObject(h);
    if (!ok) return std::nullopt;
    return ArtSize{bm.bmWidth, bm.bmHeight, bm.bmBitsPixel};
}

}  // namespace

TEST(SkinResources, EveryPictureLoadsByNameAtItsSize) { CheckArt(LoadResourceBitmap); }

TEST(SkinResources, NavigatorPictureIsEightBitWithFuchsiaFirst) {
    HRSRC res = FindResourceA(nullptr, "DBNAV_BUTTON", MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    ASSERT_NE(res, nullptr);
    const auto* info = static_cast<const BITMAPINFO*>(LockResource(LoadResource(nullptr, res)));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->bmiHeader.biBitCount, 8);
    EXPECT_EQ(info->bmiColors[0].rgbRed, 0xFF);
    EXPECT_EQ(info->bmiColors[0].rgbGreen, 0x00);
    EXPECT_EQ(info->bmiColors[0].rgbBlue, 0xFF);
}

TEST(SkinResources, MissingNameLoadsNothing) {
    EXPECT_FALSE(LoadResourceBitmap("WINXP_NO_SUCH_PICTURE").has_value());
}

TEST(SkinResources, MainIconAtSixteenAndThirtyTwoPixels) {
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO ii{};
        ASSERT_TRUE(GetIconInfo(icon, &ii));
        BITMAP bm{};
        GetObjectA(ii.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        EXPECT_EQ(bm.bmHeight, size);
        DeleteObject(ii.hbmColor);
        DeleteObject(ii.hbmMask);
        DestroyIcon(icon);
    }
}
