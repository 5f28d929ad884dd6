// The link label on a shown form: its colours under the real pointer, read
// from the screen, and what a click hands to the shell.
#include "SkinControlFixture.h"
#include "URLLabel.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace {

class URLLabels : public SkinControlsTest {
protected:
    void SetUp() override {
        SkinControlsTest::SetUp();
        label = Create<TskURLLabel>(form.get());
        label->SetParent(form.get());
        label->SetBounds(40, 40, 0, 0);
        label->SetCaption("www.example.org");
        label->OpenAddress = [this](const std::string& Address) { opened.push_back(Address); };
        label->OnClick = TNotifyEvent::Bind<&TEventLog::Named>(&clicks);
        label->SetName("Link");
        PumpFor(40);
    }

    // How many pixels of the label's place on the screen have Colour.
    int ScreenPixelsOf(TColor Colour) {
        UpdateWindow(form->Handle());
        const TPoint at = label->ClientToScreen({0, 0});
        HDC screen = GetDC(nullptr);
        int n = 0;
        const COLORREF want = static_cast<COLORREF>(ColorToRGB(Colour));
        for (int y = 0; y < label->Height(); ++y)
            for (int x = 0; x < label->Width(); ++x)
                if (GetPixel(screen, at.X + x, at.Y + y) == want) ++n;
        ReleaseDC(nullptr, screen);
        return n;
    }

    void ClickLabel() {
        ClickAt(form->Handle(), label->Left() + 3, label->Top() + label->Height() / 2);
        PumpFor(40);
    }

    TskURLLabel* label = nullptr;
    std::vector<std::string> opened;
    TEventLog clicks;
};

TEST_F(URLLabels, StartsAsAnUnderlinedBlueLinkWithAHand) {
    auto fresh = CreateOwned<TskURLLabel>();
    EXPECT_EQ(fresh->URL(), "");
    EXPECT_EQ(fresh->FontLinkColor(), clBlue);
    EXPECT_EQ(fresh->FontHoverColor(), clRed);
    EXPECT_EQ(fresh->Font()->Color(), clBlue);
    EXPECT_TRUE(fresh->Font()->Style().Contains(fsUnderline));
    EXPECT_EQ(fresh->Cursor(), crHandPoint);
    EXPECT_TRUE(fresh->AutoSize());
    EXPECT_EQ(fresh->Caption(), kURLLabelCaption);
}

TEST_F(URLLabels, TakesTheHoverColourUnderThePointerAndTheLinkColourAfter) {
    EXPECT_GT(ScreenPixelsOf(clBlue), 0);
    EXPECT_EQ(ScreenPixelsOf(clRed), 0);

    PointerTo(label, 3, label->Height() / 2);
    ASSERT_TRUE(PumpUntil([&] { return label->Font()->Color() == clRed; }, 3000)) << "no hover colour";
    EXPECT_GT(ScreenPixelsOf(clRed), 0);
    EXPECT_EQ(ScreenPixelsOf(clBlue), 0);

    PointerTo(form.get(), 5, 5);
    ASSERT_TRUE(PumpUntil([&] { return label->Font()->Color() == clBlue; }, 3000)) << "hover colour kept";
    EXPECT_GT(ScreenPixelsOf(clBlue), 0);
    EXPECT_EQ(ScreenPixelsOf(clRed), 0);
}

TEST_F(URLLabels, ALinkColourSetWhileHoveredShowsAtOnceAndStaysAfterLeaving) {
    constexpr TColor Green = 0x00008000;
    PointerTo(label, 3, label->Height() / 2);
    ASSERT_TRUE(PumpUntil([&] { return label->Font()->Color() == clRed; }, 3000));

    // Shown with the next paint, without waiting for the pointer to move.
    label->SetFontLinkColor(Green);
    EXPECT_EQ(label->Font()->Color(), Green);
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixelsOf(Green) > 0; }, 500));

    PointerTo(form.get(), 5, 5);
    PumpFor(100);
    EXPECT_EQ(label->Font()->Color(), Green);
    EXPECT_GT(ScreenPixelsOf(Green), 0);
    EXPECT_EQ(ScreenPixelsOf(clRed), 0);
}

struct AddressCase {
    const char* url;
    const char* opened;  // nullptr: nothing handed to the shell
};

class URLLabelAddresses : public URLLabels, public testing::WithParamInterface<AddressCase> {};

TEST_P(URLLabelAddresses, AClickOpensOnlyWebAndMailAddressesAndAlwaysFiresOnClick) {
    label->SetURL(GetParam().url);
    ClickLabel();
    if (GetParam().opened)
        EXPECT_EQ(opened, std::vector<std::string>{GetParam().opened});
    else
        EXPECT_TRUE(opened.empty()) << "opened " << opened.front();
    EXPECT_EQ(clicks.Log, std::vector<std::string>{"Link"});
}

INSTANTIATE_TEST_SUITE_P(Table, URLLabelAddresses, testing::Values(
    AddressCase{"", nullptr},
    AddressCase{"   ", nullptr},
    AddressCase{"example.org", "http://example.org"},
    AddressCase{"http://example.org/a", "http://example.org/a"},
    AddressCase{"https://example.org", "https://example.org"},
    AddressCase{"mailto:", "mailto:"},
    AddressCase{"mailto:info@example.org", "mailto:info@example.org"},
    AddressCase{"C:\\Windows\\notepad.exe", nullptr},
    AddressCase{"file:///C:/Windows/notepad.exe", nullptr},
    AddressCase{"ftp://example.org", nullptr}),
    [](const testing::TestParamInfo<AddressCase>& info) { return "address_" + std::to_string(info.index); });

}  // namespace
