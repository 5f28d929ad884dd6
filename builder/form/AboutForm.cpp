#include "AboutForm.h"

#include "Bitmap.h"
#include "Image.h"
#include "MainForm.h"
#include "Picture.h"

#include <shellapi.h>

#include <algorithm>

namespace {
constexpr int kBannerWidth = 293;
constexpr int kBannerHeight = 59;
}  // namespace

const TClassInfo& TAboutForm::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TAboutForm, TForm>("TAboutForm", [](auto& c) {
        c.template Handler<&TAboutForm::skButton1Click>("skButton1Click");
        c.template Handler<&TAboutForm::ImagePanelClick>("ImagePanelClick");
    });
    return info;
}

void TAboutForm::Init() {
    TForm::Init();
    OpenAddress = [this](const std::string& Address) {
        // The shell reports its own failures; the box does not.
        ShellExecuteA(Handle(), nullptr, Address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
    if (auto* banner = dynamic_cast<TImage*>(FindComponent("ImagePanel"))) DrawBanner(banner);
}

void TAboutForm::skButton1Click(TObject*) { Close(); }

void TAboutForm::ImagePanelClick(TObject*) {
    if (OpenAddress) OpenAddress(kMakerHomePage);
}

// The product banner: the woven tiles of the product's logo on a deep blue
// band, with the product's name.
void TAboutForm::DrawBanner(TImage* Banner) {
    TBitmap picture;
    picture.SetSize(kBannerWidth, kBannerHeight);
    HDC dc = picture.Canvas()->Handle();
    for (int y = 0; y < kBannerHeight; ++y) {
        const int shade = 40 + y * 50 / kBannerHeight;
        HBRUSH brush = CreateSolidBrush(RGB(shade / 2, shade, 90 + shade));
        RECT row{0, y, kBannerWidth, y + 1};
        FillRect(dc, &row, brush);
        DeleteObject(brush);
    }
    // Tiles woven over and under, as on the logo.
    const COLORREF warp = RGB(242, 176, 58), weft = RGB(96, 196, 214);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const int x = 10 + col * 11, y = 8 + row * 11;
            HBRUSH brush = CreateSolidBrush((row + col) % 2 ? warp : weft);
            RECT tile{x, y, x + 9, y + 9};
            FillRect(dc, &tile, brush);
            DeleteObject(brush);
        }
    }
    HFONT font = CreateFontA(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT text{64, 0, kBannerWidth - 4, kBannerHeight};
    DrawTextA(dc, "Nimbrel Tessaloom", -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(dc, old);
    DeleteObject(font);
    GdiFlush();
    Banner->Picture()->SetBitmap(&picture);
}
