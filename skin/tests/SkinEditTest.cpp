// The skinned edits on a shown form: the two painted rings read from the
// screen while the user types, selects and moves the focus; the number
// edit's key filter, selection on entry, formatting on exit and its
// conversion errors as the application's handler shows them.
#include "SkinControlFixture.h"
#include "SkinEdit.h"

#include "Application.h"
#include "Exceptions.h"
#include "FloatFormat.h"
#include "TypInfo.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// Catches what the application's handler would show.
struct TShownErrors : TObject {
    std::vector<std::string> Messages;
    void Show(TObject*, const std::exception& E) { Messages.push_back(E.what()); }
};

struct TChanges : TObject {
    std::vector<std::string> Texts;
    void Changed(TObject* Sender) { Texts.push_back(static_cast<TControl*>(Sender)->Text()); }
};

class SkinEdits : public SkinControlsTest {
protected:
    void SetUp() override {
        SkinControlsTest::SetUp();
        oldDecimal = DecimalSeparator;
        oldThousand = ThousandSeparator;
        DecimalSeparator = '.';
        ThousandSeparator = ',';
        Application->OnException = TExceptionEvent::Bind<&TShownErrors::Show>(&errors);
    }
    void TearDown() override {
        Application->OnException = {};
        DecimalSeparator = oldDecimal;
        ThousandSeparator = oldThousand;
        SkinControlsTest::TearDown();
    }
    TskNumberEdit* Number() {
        auto* e = Add<TskNumberEdit>(20, 60, 121, 21);
        e->OnChange = TNotifyEvent::Bind<&TChanges::Changed>(&changes);
        other = Add<TskEdit>(20, 100, 121, 21);
        return e;
    }
    void Focus(TWinControl* Control) {
        Control->SetFocus();
        PumpFor(40);
    }

    // The rings read from the screen: the first pixel of each ring (clockwise
    // from the top-left corner) that is not in the expected colour, or -1.
    static int OffRing(TWinControl* Control, int Inset, TColor Expected) {
        RECT r;
        GetWindowRect(Control->Handle(), &r);
        const int w = r.right - r.left - 2 * Inset, h = r.bottom - r.top - 2 * Inset;
        std::vector<POINT> ring;
        for (int x = 0; x < w; ++x) ring.push_back({x, 0});
        for (int y = 1; y < h; ++y) ring.push_back({w - 1, y});
        for (int x = w - 2; x >= 0; --x) ring.push_back({x, h - 1});
        for (int y = h - 2; y > 0; --y) ring.push_back({0, y});
        HDC dc = GetDC(nullptr);
        int off = -1;
        for (size_t i = 0; i < ring.size() && off < 0; ++i)
            if (static_cast<TColor>(GetPixel(dc, r.left + Inset + ring[i].x, r.top + Inset + ring[i].y)) != ColorToRGB(Expected))
                off = static_cast<int>(i);
        ReleaseDC(nullptr, dc);
        return off;
    }

    TShownErrors errors;
    TChanges changes;
    TskEdit* other = nullptr;
    char oldDecimal = '.', oldThousand = ',';
};

TEST_F(SkinEdits, TheTwoRingsSurviveTypingSelectingAndFocusChanges) {
    constexpr TColor own = 0x00E0F0FF;
    auto* edit = Add<TskEdit>(20, 20, 121, 21);
    edit->SetUIStyle(TskUIStyle::WinXP);
    edit->SetColor(own);
    auto* second = Add<TskEdit>(20, 60, 121, 21);
    EXPECT_EQ(edit->BorderColor(), 0x00686868);
    EXPECT_EQ(edit->BorderWidth(), 2);
    EXPECT_EQ(edit->BorderStyle(), bsNone);
    PumpFor(80);
    auto expectRings = [&](const char* When) {
        EXPECT_EQ(OffRing(edit, 0, 0x00686868), -1) << "outer ring " << When;
        EXPECT_EQ(OffRing(edit, 1, own), -1) << "inner ring " << When;
    };
    expectRings("at creation");
    Focus(edit);
    expectRings("focused");
    TypeChars(edit->Handle(), "Typed into the edit until it scrolls sideways a little");
    PumpFor(60);
    ASSERT_EQ(edit->Text(), "Typed into the edit until it scrolls sideways a little");
    expectRings("after typing");
    edit->SelectAll();
    PressKey(edit->Handle(), VK_HOME);
    PressKeys({VK_SHIFT, VK_END});
    PumpFor(60);
    EXPECT_GT(edit->SelLength(), 10);
    expectRings("after selecting");
    Focus(second);
    expectRings("after the focus left");
    // The system redraws the frame alone (activation, style changes): the
    // class library fills the border band then, and the rings go back on it.
    SetWindowPos(edit->Handle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(80);
    expectRings("after the frame was redrawn");
    edit->SetWidth(150);
    PumpFor(80);
    expectRings("after resizing");
}

TEST_F(SkinEdits, StyleSetsTheBorderColourAndRepaints) {
    auto* edit = Add<TskEdit>(20, 20, 121, 21);
    PumpFor(60);
    struct TCase {
        TskUIStyle style;
        TColor border;
    };
    for (const TCase& c : {TCase{TskUIStyle::WinXP, 0x00686868}, TCase{TskUIStyle::MacOS, 0x007F7F7F},
                           TCase{TskUIStyle::DeepBlue, 0}, TCase{TskUIStyle::FromThemeFile, 0}}) {
        edit->SetUIStyle(c.style);
        PumpFor(60);
        EXPECT_EQ(edit->BorderColor(), c.border);
        EXPECT_EQ(OffRing(edit, 0, c.border), -1) << UIStyleName(c.style);
    }
}

TEST_F(SkinEdits, NumberEditStartsAtZeroRightAligned) {
    TskNumberEdit* edit = Number();
    EXPECT_EQ(edit->Text(), "0.00");
    EXPECT_EQ(edit->Value(), 0);
    EXPECT_EQ(edit->Mask(), "0.00");
    EXPECT_EQ(edit->AutoSelectSigns, 2);
    EXPECT_NE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_RIGHT, 0);
    edit->SetValue(1234.5);
    EXPECT_EQ(edit->Text(), "1234.50");
}

TEST_F(SkinEdits, NumberEditKeyFilter) {
    struct TCase {
        const char* mask;
        const char* before;  // text, caret at its end unless caretAtStart
        bool caretAtStart;
        char key;
        const char* after;
    };
    const TCase cases[] = {
        {"0.00", "12", false, '5', "125"},
        {"0.00", "12", false, '.', "12."},
        {"0.00", "12.5", false, '.', "12.5"},   // one separator only
        {"0.00", "12", false, '-', "12"},       // no minus in the mask
        {"0.00", "12", true, '-', "12"},
        {"0.00;-0.00", "12", true, '-', "-12"},  // a mask with a minus, caret at the start
        {"0.00;-0.00", "12", false, '-', "12"},  // not at the start
        {"0.00;-0.00", "-12", true, '-', "-12"}, // only one
        {"0", "12", false, '.', "12"},          // no decimals in the mask
        {"0.00", "12", false, 'a', "12"},
        {"0.00", "12", false, ',', "12"},       // the thousands separator is not typed
        {"0.00", "12", false, ' ', "12"},
        {"0.00", "12", false, '\b', "1"},
    };
    TskNumberEdit* edit = Number();
    for (const TCase& c : cases) {
        edit->SetMask(c.mask);
        edit->SetText(c.before);
        Focus(edit);
        PressKey(edit->Handle(), c.caretAtStart ? VK_HOME : VK_END);
        PumpFor(20);
        TypeChars(edit->Handle(), std::string(1, c.key));
        PumpFor(40);
        EXPECT_EQ(edit->Text(), c.after) << "mask " << c.mask << ", '" << c.before << "' + '" << c.key << "'";
        Focus(other);
    }
    EXPECT_TRUE(errors.Messages.empty()) << "refused keys are dropped silently: " << errors.Messages.front();
}

TEST_F(SkinEdits, LeavingFormatsAndTurnsEmptyOrAMinusIntoZero) {
    // Value follows the text the mask shows (the shown text is read back).
    struct TCase {
        const char* typed;
        const char* shown;
        double value;
    };
    TskNumberEdit* edit = Number();
    for (const TCase& c : {TCase{"", "0.00", 0}, TCase{"-", "0.00", 0}, TCase{"7", "7.00", 7}, TCase{"12.345", "12.35", 12.35},
                           TCase{"1,234.5", "1234.50", 1234.5}, TCase{",,1,,2", "12.00", 12}}) {
        edit->SetValue(99);
        Focus(edit);
        edit->SetText(c.typed);
        Focus(other);
        EXPECT_EQ(edit->Text(), c.shown) << "'" << c.typed << "'";
        EXPECT_DOUBLE_EQ(edit->Value(), c.value) << "'" << c.typed << "'";
    }
    EXPECT_TRUE(errors.Messages.empty());
}

TEST_F(SkinEdits, ThousandsSeparatorsOfTheSettingsAreIgnored) {
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    TskNumberEdit* edit = Number();
    EXPECT_EQ(edit->Text(), "0,00");
    edit->SetText("1.234,5");
    EXPECT_DOUBLE_EQ(edit->Value(), 1234.5);
    Focus(edit);
    Focus(other);
    EXPECT_EQ(edit->Text(), "1234,50");
}

TEST_F(SkinEdits, EnteringSelectsTheLastSigns) {
    TskNumberEdit* edit = Number();
    edit->SetValue(12.5);
    Focus(edit);
    EXPECT_EQ(edit->SelText(), "50");
    EXPECT_EQ(edit->SelStart(), 3);
    // A click puts the caret where it lands, then the selection is made again.
    Focus(other);
    ClickAt(edit->Handle(), 5, 5);
    PumpFor(60);
    EXPECT_EQ(edit->SelText(), "50");
    // More signs than text: all of it.
    edit->AutoSelectSigns = 9;
    Focus(other);
    Focus(edit);
    EXPECT_EQ(edit->SelText(), "12.50");
    // None, or AutoSelect off: the edit's own select-all.
    edit->AutoSelectSigns = 0;
    Focus(other);
    Focus(edit);
    EXPECT_EQ(edit->SelText(), "12.50");
    edit->AutoSelectSigns = 2;
    edit->AutoSelect = false;
    Focus(other);
    edit->SetSelStart(1);
    Focus(edit);
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(SkinEdits, ANonNumberWhileTypingRestoresTheLastValueAndIsShown) {
    TskNumberEdit* edit = Number();
    edit->SetValue(3.25);
    changes.Texts.clear();
    Focus(edit);
    edit->SetText("");
    ASSERT_EQ(changes.Texts, std::vector<std::string>{""});
    // A "." first: no number yet, and the edit says so.
    TypeChars(edit->Handle(), ".");
    PumpFor(60);
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_EQ(errors.Messages[0], "'.' is not a valid floating point value");
    EXPECT_EQ(edit->Text(), "3.25") << "the last good value is back";
    EXPECT_DOUBLE_EQ(edit->Value(), 3.25);
    EXPECT_EQ(changes.Texts, std::vector<std::string>{""}) << "no change event for the refused text";
}

TEST_F(SkinEdits, ANonNumberOnLeavingIsShownByTheApplication) {
    TskNumberEdit* edit = Number();
    // Text the mask writes but that reads back as no number.
    edit->SetMask("0.00 kg");
    errors.Messages.clear();
    Focus(edit);
    edit->SetValue(2);
    EXPECT_EQ(edit->Text(), "2.00 kg");
    ASSERT_EQ(errors.Messages.size(), 1u) << "already while the text changed";
    Focus(other);
    ASSERT_EQ(errors.Messages.size(), 2u);
    EXPECT_EQ(errors.Messages[1], "'2.00 kg' is not a valid floating point value");
}

TEST_F(SkinEdits, OnlyTheNumberEditPublishesBorderStyle) {
    TskNumberEdit* edit = Number();
    EXPECT_FALSE(IsPublishedProp(other, "BorderStyle"));
    EXPECT_TRUE(IsPublishedProp(edit, "BorderStyle"));
    EXPECT_EQ(GetEnumProp(edit, "BorderStyle"), "bsNone");
    for (const char* name : {"UIStyle", "FileTheme", "BorderColor", "Text", "OnChange"}) EXPECT_TRUE(IsPublishedProp(other, name)) << name;
    SetFloatProp(edit, "Value", 2.5);
    EXPECT_EQ(edit->Text(), "2.50");
    SetStrProp(edit, "Mask", "#,##0.0");
    SetFloatProp(edit, "Value", 12345.67);
    EXPECT_EQ(edit->Text(), "12,345.7");
    EXPECT_DOUBLE_EQ(edit->Value(), 12345.7) << "read back from the text, thousands separator dropped";
}

}  // namespace
