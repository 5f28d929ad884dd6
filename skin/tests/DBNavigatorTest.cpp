// The skinned record navigator over an in-memory data set, on a shown form:
// the row's layout and its size limits, which buttons are enabled in each
// state of the data set, what each button does when clicked, the repeat of
// Prior and Next while held, the delete confirmation answered both ways, the
// hint rules, the keys, the focus mark, and a data source freed under it.
#include "DBNavigator.h"
#include "SkinControlFixture.h"
#include "SkinPublic.h"

#include "Application.h"
#include "DialogAnswerer.h"
#include "GraphicsHandles.h"
#include "FormReader.h"
#include "MemoryDataSet.h"
#include "Panel.h"
#include "TypInfo.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using V = std::vector<std::string>;

const char* const kNames[] = {"First", "Prior", "Next", "Last", "Insert", "Delete", "Edit", "Post", "Cancel", "Refresh"};

TNavigateBtn Kind(int I) { return static_cast<TNavigateBtn>(I); }

class DBNavigator : public SkinControlsTest {
public:
    void SetUp() override {
        SkinControlsTest::SetUp();
        data = Create<TMemoryDataSet>(form.get());
        for (const char* v : {"a", "b", "c", "d", "e"}) data->Add(v);
        source = Create<TDataSource>(form.get());
        source->SetDataSet(data);
        nav = Create<TskDBNavigator>(form.get());
        nav->SetParent(form.get());
        nav->SetLeft(10);
        nav->SetTop(10);
        nav->HandleNeeded();
        nav->OnClick = ENavClick::Bind<&DBNavigator::Clicked>(this);
        nav->BeforeAction = ENavClick::Bind<&DBNavigator::Before>(this);
        PumpFor(30);
    }

    void Clicked(TObject*, TNavigateBtn B) { log.push_back(std::string("click ") + kNames[B]); }
    void Before(TObject*, TNavigateBtn B) {
        log.push_back(std::string("before ") + kNames[B]);
        times.push_back(GetTickCount());
        if (failOnAction && times.size() == static_cast<size_t>(failOnAction)) throw Exception("step failed");
    }

    // '1' for each enabled button, in row order.
    std::string EnabledMask() const {
        std::string s;
        for (int i = 0; i < 10; ++i) s += nav->Buttons(Kind(i))->Enabled() ? '1' : '0';
        return s;
    }

    void ClickButton(TNavigateBtn B) {
        TskNavButton* b = nav->Buttons(B);
        LeftDown(b, 5, 5);
        LeftUp(b, 5, 5);
    }

    std::vector<int> Lefts() const {
        std::vector<int> v;
        for (int i = 0; i < 10; ++i) v.push_back(nav->Buttons(Kind(i))->Left());
        return v;
    }
    std::vector<int> Widths() const {
        std::vector<int> v;
        for (int i = 0; i < 10; ++i) v.push_back(nav->Buttons(Kind(i))->Width());
        return v;
    }

    TForm* Form() { return form.get(); }

    TMemoryDataSet* data = nullptr;
    TDataSource* source = nullptr;
    TskDBNavigator* nav = nullptr;
    V log;
    std::vector<DWORD> times;
    int failOnAction = 0;
};

TEST_F(DBNavigator, NewNavigatorHasTenButtonsInARow) {
    EXPECT_EQ(nav->Width(), 250);
    EXPECT_EQ(nav->Height(), 30);
    EXPECT_EQ(nav->ButtonWidth(), 25);
    EXPECT_EQ(Lefts(), (std::vector<int>{0, 25, 50, 75, 100, 125, 150, 175, 200, 225}));
    EXPECT_EQ(Widths(), std::vector<int>(10, 25));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(nav->Buttons(Kind(i))->Height(), 30);
        EXPECT_EQ(nav->Buttons(Kind(i))->Parent(), nav);
        EXPECT_FALSE(nav->Buttons(Kind(i))->TabStop());
    }
    EXPECT_TRUE(nav->ConfirmDelete);
    EXPECT_EQ(nav->FocusedButton(), nbFirst);
}

TEST_F(DBNavigator, StyleThemeAndCursorReachEveryButton) {
    auto* theme = Create<TskFileTheme>(form.get());
    nav->SetFileTheme(theme);
    nav->SetUIStyle(TskUIStyle::Protein);
    nav->SetCursor(crHandPoint);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(nav->Buttons(Kind(i))->UIStyle(), TskUIStyle::Protein) << kNames[i];
        EXPECT_EQ(nav->Buttons(Kind(i))->FileTheme(), theme) << kNames[i];
        EXPECT_EQ(nav->Buttons(Kind(i))->Cursor(), crHandPoint) << kNames[i];
    }
    EXPECT_EQ(nav->Cursor(), crHandPoint);
    // A freed theme leaves the navigator and its buttons on DeepBlue.
    theme->Free();
    EXPECT_EQ(nav->FileTheme(), nullptr);
    EXPECT_EQ(nav->UIStyle(), TskUIStyle::DeepBlue);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(nav->Buttons(Kind(i))->UIStyle(), TskUIStyle::DeepBlue) << kNames[i];
}

TEST_F(DBNavigator, HiddenButtonsLeaveTheRowAndTheWidthShrinksToWholeButtons) {
    nav->SetVisibleButtons({nbFirst, nbNext, nbDelete, nbRefresh});
    EXPECT_EQ(nav->Width(), 248);
    EXPECT_EQ(nav->ButtonWidth(), 62);
    const std::vector<int> lefts = Lefts();
    EXPECT_EQ(lefts[nbFirst], 0);
    EXPECT_EQ(lefts[nbNext], 62);
    EXPECT_EQ(lefts[nbDelete], 124);
    EXPECT_EQ(lefts[nbRefresh], 186);
    for (TNavigateBtn hidden : {nbPrior, nbLast, nbInsert, nbEdit, nbPost, nbCancel}) {
        EXPECT_FALSE(nav->Buttons(hidden)->Visible());
        EXPECT_EQ(lefts[hidden], 249) << kNames[hidden];
    }
    for (TNavigateBtn shown : {nbFirst, nbNext, nbDelete, nbRefresh}) EXPECT_EQ(Widths()[shown], 62);
}

TEST_F(DBNavigator, AnAlignedRowSharesTheLeftOverPixels) {
    auto* holder = Create<TPanel>(form.get());
    holder->SetBevelOuter(bvNone);
    holder->SetParent(form.get());
    holder->SetBounds(0, 100, 253, 40);
    nav->SetParent(holder);
    nav->SetAlign(alTop);
    PumpFor(30);
    EXPECT_EQ(nav->Width(), 253);
    EXPECT_EQ(nav->ButtonWidth(), 25);
    std::vector<int> expected(10, 25);
    for (TNavigateBtn wide : {nbPrior, nbDelete, nbCancel}) expected[wide] = 26;
    EXPECT_EQ(Widths(), expected);
    const TskNavButton* last = nav->Buttons(nbRefresh);
    EXPECT_EQ(last->Left() + last->Width(), 253);
}

TEST_F(DBNavigator, NeverSmallerThanItsButtonsAllow) {
    struct Case {
        TButtonSet Visible;
        int W, H;
        int ExpectW, ExpectH;
    };
    const Case cases[] = {
        {TButtonSet::FromBits(0x3FF), 50, 5, 200, 18},
        {TButtonSet::FromBits(0x3FF), 205, 40, 200, 40},
        {{nbFirst, nbLast}, 10, 10, 40, 18},
        {{nbFirst, nbLast}, 101, 20, 100, 20},
        {{}, 3, 3, 20, 18},
    };
    for (const Case& c : cases) {
        nav->SetVisibleButtons(c.Visible);
        nav->SetBounds(10, 10, c.W, c.H);
        EXPECT_EQ(nav->Width(), c.ExpectW) << c.W << " x " << c.H;
        EXPECT_EQ(nav->Height(), c.ExpectH) << c.W << " x " << c.H;
        // The window itself refuses the size too, whoever asks.
        SetWindowPos(nav->Handle(), nullptr, 0, 0, c.W, c.H, SWP_NOMOVE | SWP_NOZORDER);
        RECT r;
        GetWindowRect(nav->Handle(), &r);
        EXPECT_EQ(r.right - r.left, c.ExpectW) << "window, " << c.W << " x " << c.H;
        EXPECT_EQ(r.bottom - r.top, c.ExpectH) << "window, " << c.W << " x " << c.H;
    }
}

TEST_F(DBNavigator, EnabledButtonsFollowTheDataSetsState) {
    struct Case {
        const char* State;
        std::function<void(DBNavigator&)> Make;
        const char* Mask;  // First Prior Next Last Insert Delete Edit Post Cancel Refresh
    };
    const Case cases[] = {
        {"no source", [](DBNavigator&) {}, "0000000000"},
        {"inactive", [](DBNavigator& t) { t.nav->SetDataSource(t.source); }, "0000000000"},
        {"empty",
         [](DBNavigator& t) {
             auto* empty = Create<TMemoryDataSet>(t.Form());
             t.source->SetDataSet(empty);
             t.nav->SetDataSource(t.source);
             empty->Open();
         },
         "0000101001"},
        {"first", [](DBNavigator& t) { t.nav->SetDataSource(t.source); t.data->Open(); }, "0011111001"},
        {"middle",
         [](DBNavigator& t) { t.data->Open(); t.nav->SetDataSource(t.source); t.data->Next(); },
         "1111111001"},
        {"last", [](DBNavigator& t) { t.nav->SetDataSource(t.source); t.data->Open(); t.data->Last(); }, "1100111001"},
        {"editing",
         [](DBNavigator& t) { t.nav->SetDataSource(t.source); t.data->Open(); t.data->Next(); t.data->Edit(); },
         "1111110111"},
        {"inserting",
         [](DBNavigator& t) { t.nav->SetDataSource(t.source); t.data->Open(); t.data->Insert(); },
         "1111110111"},
        {"read-only",
         [](DBNavigator& t) { t.data->ReadOnly = true; t.nav->SetDataSource(t.source); t.data->Open(); t.data->Next(); },
         "1111000000"},
        {"navigator disabled",
         [](DBNavigator& t) { t.nav->SetDataSource(t.source); t.data->Open(); t.data->Next(); t.nav->SetEnabled(false); },
         "0000000000"},
        {"navigator enabled again",
         [](DBNavigator& t) {
             t.nav->SetDataSource(t.source);
             t.data->Open();
             t.data->Next();
             t.nav->SetEnabled(false);
             t.nav->SetEnabled(true);
         },
         "1111111001"},
        {"closed again",
         [](DBNavigator& t) { t.nav->SetDataSource(t.source); t.data->Open(); t.data->Next(); t.data->Close(); },
         "0000000000"},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        c.Make(*this);
        EXPECT_EQ(EnabledMask(), c.Mask) << c.State;
    }
}

TEST_F(DBNavigator, EachButtonActsOnTheDataSetWhenClicked) {
    struct Case {
        TNavigateBtn Button;
        std::function<void(TMemoryDataSet&)> Prepare;
        int RecNo;
        TDataSetState State;
        V Rows;
    };
    const V all{"a", "b", "c", "d", "e"};
    const Case cases[] = {
        {nbFirst, [](TMemoryDataSet& d) { d.Last(); }, 0, dsBrowse, all},
        {nbPrior, [](TMemoryDataSet& d) { d.Last(); }, 3, dsBrowse, all},
        {nbNext, [](TMemoryDataSet&) {}, 1, dsBrowse, all},
        {nbLast, [](TMemoryDataSet&) {}, 4, dsBrowse, all},
        {nbInsert, [](TMemoryDataSet& d) { d.Next(); }, 1, dsInsert, V{"a", "", "b", "c", "d", "e"}},
        {nbDelete, [](TMemoryDataSet& d) { d.Next(); }, 1, dsBrowse, V{"a", "c", "d", "e"}},
        {nbEdit, [](TMemoryDataSet& d) { d.Next(); }, 1, dsEdit, all},
        {nbPost, [](TMemoryDataSet& d) { d.Next(); d.Edit(); d.SetValue("B"); }, 1, dsBrowse,
         V{"a", "B", "c", "d", "e"}},
        {nbCancel, [](TMemoryDataSet& d) { d.Next(); d.Edit(); d.SetValue("B"); }, 1, dsBrowse, all},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        nav->ConfirmDelete = false;
        nav->SetDataSource(source);
        data->Open();
        c.Prepare(*data);
        log.clear();
        ClickButton(c.Button);
        const std::string name = kNames[c.Button];
        EXPECT_EQ(log, (V{"before " + name, "click " + name})) << name;
        EXPECT_EQ(data->RecNo(), c.RecNo) << name;
        EXPECT_EQ(data->State(), c.State) << name;
        EXPECT_EQ(data->Rows(), c.Rows) << name;
    }
    nav->SetDataSource(source);
    data->Open();
    ClickButton(nbRefresh);
    EXPECT_EQ(data->RefreshCount(), 1);
}

TEST_F(DBNavigator, WithoutAnActiveSourceAClickStillFiresOnClick) {
    // A disabled button cannot be clicked: the action is asked for directly,
    // as a key or a program would.
    nav->ButtonAction(nbNext);
    nav->SetDataSource(source);
    nav->ButtonAction(nbLast);
    EXPECT_EQ(log, (V{"click Next", "click Last"}));
    EXPECT_EQ(data->RecNo(), -1);
}

TEST_F(DBNavigator, PriorAndNextRepeatWhileHeld) {
    for (int i = 0; i < 40; ++i) data->Add("x");
    nav->SetDataSource(source);
    data->Open();
    TskNavButton* next = nav->Buttons(nbNext);
    PointerTo(next, 5, 5);
    const DWORD pressed = GetTickCount();
    PostMessageA(next->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PumpFor(760);
    ASSERT_GE(times.size(), 2u) << "no repeat within 760 ms";
    // Timers under load come late, never early: margins of 15 ms early
    // (tick granularity) and 150 ms late.
    EXPECT_GE(times[0] - pressed, 385u);
    EXPECT_LE(times[0] - pressed, 550u);
    for (size_t i = 1; i < times.size(); ++i) {
        EXPECT_GE(times[i] - times[i - 1], 85u) << "step " << i;
        EXPECT_LE(times[i] - times[i - 1], 250u) << "step " << i;
    }
    const size_t repeats = times.size();
    LeftUp(next, 5, 5);
    PumpFor(300);
    // The release clicks once more and stops the repeat.
    EXPECT_EQ(times.size(), repeats + 1);
    EXPECT_EQ(data->RecNo(), static_cast<int>(repeats + 1));
    ASSERT_NE(next->NavRepeatTimer(), nullptr);
    EXPECT_FALSE(next->NavRepeatTimer()->Enabled());

    // Prior repeats the same way; Last acts once, on release.
    times.clear();
    LeftDown(nav->Buttons(nbPrior), 5, 5);
    PumpFor(560);
    EXPECT_GE(times.size(), 1u);
    LeftUp(nav->Buttons(nbPrior), 5, 5);
    times.clear();
    LeftDown(nav->Buttons(nbLast), 5, 5);
    PumpFor(600);
    EXPECT_TRUE(times.empty());
    EXPECT_EQ(nav->Buttons(nbLast)->NavRepeatTimer(), nullptr);
    LeftUp(nav->Buttons(nbLast), 5, 5);
    EXPECT_EQ(times.size(), 1u);
}

TEST_F(DBNavigator, AFailingRepeatStepStopsTheTimerAndReachesTheApplication) {
    for (int i = 0; i < 40; ++i) data->Add("x");
    nav->SetDataSource(source);
    data->Open();
    struct Catcher : TObject {
        V Messages;
        void Caught(TObject*, const std::exception& E) { Messages.push_back(E.what()); }
    } catcher;
    Application->OnException = TExceptionEvent::Bind<&Catcher::Caught>(&catcher);
    failOnAction = 2;
    TskNavButton* next = nav->Buttons(nbNext);
    LeftDown(next, 5, 5);
    PumpFor(900);
    Application->OnException = TExceptionEvent();
    EXPECT_EQ(catcher.Messages, V{"step failed"});
    ASSERT_NE(next->NavRepeatTimer(), nullptr);
    EXPECT_FALSE(next->NavRepeatTimer()->Enabled());
    EXPECT_EQ(times.size(), 2u);
    EXPECT_EQ(data->RecNo(), 1);
    LeftUp(next, 5, 5);
}

TEST_F(DBNavigator, DeleteAsksFirstAndCancelKeepsTheRecord) {
    nav->SetDataSource(source);
    data->Open();
    data->Next();
    {
        TDialogAnswerer answerer(IDCANCEL);
        ClickButton(nbDelete);
        ASSERT_TRUE(answerer.WaitFor(1));
        EXPECT_EQ(answerer.Seen()[0].Text, "Delete record?");
    }
    EXPECT_EQ(data->Rows(), (V{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(log, (V{"before Delete", "click Delete"}));
    {
        TDialogAnswerer answerer(IDOK);
        ClickButton(nbDelete);
        ASSERT_TRUE(answerer.WaitFor(1));
    }
    EXPECT_EQ(data->Rows(), (V{"a", "c", "d", "e"}));
    EXPECT_EQ(data->Value(), "c");
}

TEST_F(DBNavigator, HintsKeepTheDefaultsWhereNoLineIsGiven) {
    const V defaults{"First record", "Prior record", "Next record", "Last record", "Insert record",
                     "Delete record", "Edit record", "Post edit", "Cancel edit", "Refresh data"};
    struct Case {
        const char* What;
        V Lines;
        V Expected;  // the first three buttons' hints
        int Stored;
    };
    V defaultsPlusOne = defaults;
    defaultsPlusOne.push_back("eleventh");
    const Case cases[] = {
        {"none", {}, {"First record", "Prior record", "Next record"}, 0},
        {"empty line keeps the default", {"", "Back"}, {"First record", "Back", "Next record"}, 2},
        {"the defaults themselves", defaults, {"First record", "Prior record", "Next record"}, 0},
        {"more lines than buttons", defaultsPlusOne, {"First record", "Prior record", "Next record"}, 11},
        {"every line", {"1", "2", "3"}, {"1", "2", "3"}, 3},
    };
    for (const Case& c : cases) {
        TStringList lines;
        for (const std::string& l : c.Lines) lines.Add(l);
        nav->SetHints(&lines);
        EXPECT_EQ(nav->Hints()->Count(), c.Stored) << c.What;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(nav->Buttons(Kind(i))->Hint, c.Expected[static_cast<size_t>(i)]) << c.What;
        EXPECT_EQ(nav->Buttons(nbRefresh)->Hint, "Refresh data") << c.What;
    }
    // The stored list is live: changing a line re-applies the hints.
    nav->Hints()->Add("End");
    EXPECT_EQ(nav->Buttons(nbLast)->Hint, "End");
}

TEST_F(DBNavigator, ArrowsMoveTheFocusMarkAndSpaceActs) {
    nav->SetTabStop(true);
    nav->SetDataSource(source);
    data->Open();
    nav->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == nav->Handle(); }, 2000));
    EXPECT_EQ(nav->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);

    for (int i = 0; i < 12; ++i) PressKey(nav->Handle(), VK_RIGHT);
    EXPECT_EQ(nav->FocusedButton(), nbRefresh);  // and no further
    PressKey(nav->Handle(), VK_LEFT);
    EXPECT_EQ(nav->FocusedButton(), nbCancel);

    // Hidden buttons are stepped over, except nbFirst, which Left reaches anyway.
    nav->SetVisibleButtons({nbPrior, nbNext, nbLast, nbRefresh});
    PressKey(nav->Handle(), VK_LEFT);
    EXPECT_EQ(nav->FocusedButton(), nbLast);
    PressKey(nav->Handle(), VK_LEFT);
    PressKey(nav->Handle(), VK_LEFT);
    EXPECT_EQ(nav->FocusedButton(), nbPrior);
    PressKey(nav->Handle(), VK_LEFT);
    EXPECT_EQ(nav->FocusedButton(), nbFirst);
    PressKey(nav->Handle(), VK_RIGHT);
    EXPECT_EQ(nav->FocusedButton(), nbPrior);
    PressKey(nav->Handle(), VK_RIGHT);
    PressKey(nav->Handle(), VK_RIGHT);
    PressKey(nav->Handle(), VK_RIGHT);
    EXPECT_EQ(nav->FocusedButton(), nbRefresh);

    // Space clicks the focused button when it is enabled.
    PressKey(nav->Handle(), VK_LEFT);
    EXPECT_EQ(nav->FocusedButton(), nbLast);
    log.clear();
    PressKey(nav->Handle(), VK_SPACE);
    EXPECT_EQ(log, (V{"before Last", "click Last"}));
    EXPECT_EQ(data->RecNo(), 4);
    log.clear();
    PressKey(nav->Handle(), VK_SPACE);  // Last is disabled at the last record
    EXPECT_TRUE(log.empty());
}

TEST_F(DBNavigator, TheFocusedButtonShowsARectangleInsetByThree) {
    nav->SetTabStop(true);
    TskNavButton* b = nav->Buttons(nbFirst);
    TBitmap plain, focused, other;
    Painted(b, plain);
    nav->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == nav->Handle(); }, 2000));
    Painted(b, focused);
    const std::vector<TPoint> changed = Differences(plain, focused);
    ASSERT_FALSE(changed.empty());
    TRect box{b->Width(), b->Height(), 0, 0};
    for (const TPoint& p : changed) {
        box.Left = std::min(box.Left, p.X);
        box.Top = std::min(box.Top, p.Y);
        box.Right = std::max(box.Right, p.X + 1);
        box.Bottom = std::max(box.Bottom, p.Y + 1);
    }
    EXPECT_EQ(box, (TRect{3, 3, b->Width() - 3, b->Height() - 3}));
    // Only the focused button shows it, and only while the navigator has the focus.
    TBitmap otherPlain;
    nav->Buttons(nbPrior)->Invalidate();
    Painted(nav->Buttons(nbPrior), other);
    SetFocus(nullptr);
    Painted(nav->Buttons(nbPrior), otherPlain);
    EXPECT_TRUE(SamePixels(other, otherPlain));
    Painted(b, focused);
    EXPECT_TRUE(SamePixels(plain, focused));
}

TEST_F(DBNavigator, APressOnAButtonFocusesTheNavigatorAndMovesTheMark) {
    nav->SetTabStop(true);
    nav->SetDataSource(source);
    data->Open();
    ClickButton(nbNext);
    EXPECT_EQ(GetFocus(), nav->Handle());
    EXPECT_EQ(nav->FocusedButton(), nbNext);
    ClickButton(nbLast);
    EXPECT_EQ(nav->FocusedButton(), nbLast);
}

TEST_F(DBNavigator, AFreedDataSourceIsDetached) {
    nav->SetDataSource(source);
    data->Open();
    ASSERT_EQ(EnabledMask(), "0011111001");
    source->Free();
    EXPECT_EQ(nav->DataSource(), nullptr);
    EXPECT_FALSE(nav->DataLink()->Active());
    EXPECT_EQ(EnabledMask(), "0000000000");
    data->Next();  // heard by nobody
    ClickButton(nbNext);
    EXPECT_EQ(data->RecNo(), 1);
}

TEST_F(DBNavigator, TransparentButtonsShowWhatLiesBehindTheNavigator) {
    form->OnPaint = TNotifyEvent();
    nav->SetColor(clRed);
    nav->SetUIStyle(TskUIStyle::MacOS);
    TskNavButton* b = nav->Buttons(nbInsert);
    ASSERT_TRUE(b->Transparent());
    TBitmap shot;
    Painted(b, shot);
    // The form's colour comes through the button's clear corners, not the
    // navigator's own colour.
    EXPECT_GT(CountOf(shot, FormPixel), 0);
    EXPECT_EQ(CountOf(shot, PixelOf(clRed)), 0);
}

TEST_F(DBNavigator, RepaintsHoldNoGraphicsObjects) {
    nav->SetDataSource(source);
    data->Open();
    PumpFor(50);
    const long before = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i) {
        RedrawWindow(nav->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    PumpFor(50);
    EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace

namespace {

TEST_F(DBNavigator, AStoredNavigatorLaysOutItsRowAfterLoading) {
    TForm::StaticClassInfo();  // known to the reader by name
    TskDBNavigator::StaticClassInfo();
    TOwned<TForm> stored = CreateOwned<TForm>();
    ReadFormDescriptionText(stored.get(),
                            "Form1: TForm\n"
                            "  Nav: TskDBNavigator\n"
                            "    Left = 8\n"
                            "    Top = 8\n"
                            "    Width = 301\n"
                            "    Height = 12\n"
                            "    VisibleButtons = [nbFirst, nbLast, nbRefresh]\n"
                            "    ConfirmDelete = False\n"
                            "    UIStyle = MacOS\n"
                            "    Hints.Strings = (\n"
                            "      \"\"\n"
                            "      \"Back\")\n"
                            "  end\n"
                            "end\n",
                            "Form1");
    auto* n = dynamic_cast<TskDBNavigator*>(stored->FindComponent("Nav"));
    ASSERT_NE(n, nullptr);
    // The stored size went in untouched while loading; the end of loading
    // makes it whole buttons of at least the minimum height.
    EXPECT_EQ(n->Width(), 300);
    EXPECT_EQ(n->Height(), 18);
    EXPECT_EQ(n->ButtonWidth(), 100);
    EXPECT_EQ(n->Buttons(nbLast)->Left(), 100);
    EXPECT_EQ(n->Buttons(nbRefresh)->Left(), 200);
    EXPECT_GT(n->Buttons(nbNext)->Left(), n->Width());
    EXPECT_FALSE(n->ConfirmDelete);
    EXPECT_EQ(n->Buttons(nbFirst)->UIStyle(), TskUIStyle::MacOS);
    EXPECT_EQ(n->Buttons(nbFirst)->Hint, "First record");
    EXPECT_EQ(n->Buttons(nbPrior)->Hint, "Back");
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(n->Buttons(Kind(i))->Enabled()) << kNames[i];
}

}  // namespace
