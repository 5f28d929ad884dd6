// The window's two memos and its movie list as the skinned memo and list
// view: their stored settings, the two-pixel frame on the screen on every
// page that shows them, and repaints that leave no drawing object behind.

#include "GraphicsHandles.h"
#include "SkinListView.h"
#include "SkinMemo.h"
#include "WindowFixture.h"

#include <string>

namespace {

using FramedMemosAndList = MainWindow;

constexpr TColor kFrameColour = 0x00686868;

// The outer ring in the frame colour and the inner one in the control's
// colour, at the middle of every side, as the screen shows them.
void ExpectRings(TWinControl* Control, const std::string& When) {
    PumpFor(80);
    RECT r{};
    GetWindowRect(Control->Handle(), &r);
    const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
    const POINT outer[] = {{r.left, midY}, {r.right - 1, midY}, {midX, r.top}, {midX, r.bottom - 1}};
    const POINT inner[] = {{r.left + 1, midY}, {r.right - 2, midY}, {midX, r.top + 1}, {midX, r.bottom - 2}};
    const auto inside = static_cast<COLORREF>(ColorToRGB(Control->Color()));
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(GetPixel(screen, outer[i].x, outer[i].y), static_cast<COLORREF>(kFrameColour))
            << Control->Name() << " " << When << ", side " << i;
        EXPECT_EQ(GetPixel(screen, inner[i].x, inner[i].y), inside) << Control->Name() << " " << When << ", side " << i;
    }
    ReleaseDC(nullptr, screen);
}

std::string ManyLines(int Count) {
    std::string text;
    for (int i = 0; i < Count; ++i) text += "A log line long enough to need the horizontal bar, number " + std::to_string(i) + "\r\n";
    return text;
}

TEST_F(FramedMemosAndList, StoredSkinnedSettingsAndTheFrameOnEachPage) {
    auto* theme = Find<TskFileTheme>("skBuiltInFileTheme");
    auto* licence = dynamic_cast<TskMemo*>(Find<TCustomMemo>("LicenseMemo"));
    auto* log = dynamic_cast<TskMemo*>(Find<TCustomMemo>("LogMemo"));
    auto* list = dynamic_cast<TskListView*>(Find<TCustomListView>("FlashListView"));
    ASSERT_NE(licence, nullptr);
    ASSERT_NE(log, nullptr);
    ASSERT_NE(list, nullptr);

    // Window handles are asked for only once their page has been shown.
    const struct {
        TskMemo* memo;
        const char* page;
        bool readOnly;
        int width, height;
    } memos[] = {{licence, "Settings", false, 529, 105}, {log, "Output", true, 545, 297}};
    for (const auto& m : memos) {
        const std::string name = m.memo->Name();
        EXPECT_EQ(m.memo->UIStyle(), TskUIStyle::WinXP) << name;
        EXPECT_EQ(m.memo->FileTheme(), theme) << name;
        EXPECT_EQ(m.memo->BorderColor(), kFrameColour) << name;
        EXPECT_EQ(m.memo->VScrollBar(), nullptr) << name;
        EXPECT_EQ(m.memo->HScrollBar(), nullptr) << name;
        EXPECT_EQ(m.memo->ScrollBars(), ssBoth) << name << ": no bar attached, so the stored native bars stay";
        EXPECT_EQ(m.memo->ReadOnly(), m.readOnly) << name;
        EXPECT_EQ(m.memo->Width(), m.width) << name;
        EXPECT_EQ(m.memo->Height(), m.height) << name;
        ChooseMenu("Edit", m.page);
        const LONG_PTR style = GetWindowLongPtrA(m.memo->Handle(), GWL_STYLE);
        EXPECT_EQ(style & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL | WS_HSCROLL) << name;
        EXPECT_EQ(style & WS_BORDER, 0) << name << ": the skin draws the border";
    }
    EXPECT_EQ(licence->Parent(), Find<TskGroupBox>("LicenseGroup"));

    EXPECT_EQ(list->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(list->FileTheme(), theme);
    EXPECT_EQ(list->BorderColor(), kFrameColour);
    EXPECT_EQ(list->VScrollBar(), nullptr);
    EXPECT_EQ(list->HScrollBar(), nullptr);
    EXPECT_EQ(list->BorderStyle(), bsNone);
    EXPECT_EQ(list->ViewStyle(), vsIcon);
    EXPECT_TRUE(list->IconOptions()->AutoArrange());
    EXPECT_TRUE(list->ReadOnly());
    EXPECT_EQ(list->LargeImages(), Find<TImageList>("ScreenshotList"));
    EXPECT_EQ(list->PopupMenu(), Find<TComponent>("ListPopupMenu"));

    ChooseMenu("Edit", "Flash Movies");
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0),
              reinterpret_cast<LRESULT>(Find<TImageList>("ScreenshotList")->Handle()));
    ExpectRings(list, "on its page");
    AddMovie(Movies[0]);
    AddMovie(Movies[1]);
    ExpectRings(list, "holding two movies");

    ChooseMenu("Edit", "Settings");
    EXPECT_FALSE(IsWindowEnabled(licence->Handle())) << "disabled with its group";
    ExpectRings(licence, "disabled");
    Click("LicenseCheckBox");
    ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(licence->Handle()) != FALSE; }, 3000)) << "enabled with its group";
    licence->Lines()->SetText(ManyLines(30));
    SendMessageA(licence->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    ExpectRings(licence, "enabled, full and scrolled");

    ChooseMenu("Edit", "Output");
    ExpectRings(log, "empty");
    log->Lines()->SetText(ManyLines(60));
    SendMessageA(log->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    SendMessageA(log->Handle(), WM_HSCROLL, SB_RIGHT, 0);
    ExpectRings(log, "full and scrolled to its end");
}

// Each of the three pages that hold them repainted over and over while the
// log scrolls: the frames' brushes and the controls' drawing objects are all
// given back.
TEST_F(FramedMemosAndList, ThousandRepaintsOfTheirPagesKeepGdiObjectsFlat) {
    auto* log = Find<TCustomMemo>("LogMemo");
    ChooseMenu("Edit", "Output");
    log->Lines()->SetText(ManyLines(300));
    const char* pages[] = {"Flash Movies", "Settings", "Output"};
    auto repaint = [&](int i) {
        if (i % 250 == 0) ChooseMenu("Edit", pages[i / 250 % 3]);
        SendMessageA(log->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    for (int i = 0; i < 750; i += 50) repaint(i);  // each page drawn once before counting
    PumpFor(50);
    const long before = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i) repaint(i);
    PumpFor(50);
    EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace
