// The skinned page control: pages inserted, moved, removed and hidden, the
// active page and its events, a stored form read back in page order, the
// layout below the strip, a click on a tab, and pages leaving a page control
// that is being destroyed.
#include "PageEvents.h"
#include "TestSkinControls.h"
#include "SkinPageControl.h"

#include "Button.h"
#include "Edit.h"
#include "Form.h"
#include "FormReader.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#undef RegisterClass  // <windows.h> names its function so

#include <functional>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class Pages : public ::testing::Test {
public:
    void SetUp() override {
        RegisterClass<TForm>();
        RegisterClass<TskPageControl>();
        RegisterClass<TskTabSheet>();
        RegisterClass<TButton>();
        form = CreateOwned<TForm>();
        form->SetBounds(40, 40, 420, 300);
        pc = Create<TskPageControl>(form.get());
        pc->SetName("PC");
        pc->SetParent(form.get());
        pc->SetBounds(10, 10, 360, 220);
        for (const char* caption : {"One", "Two", "Three", "Four"})
            sheets.push_back(AddSheet(pc, std::string(1, static_cast<char>('A' + sheets.size())), caption));
    }

    TskTabSheet* AddSheet(TskPageControl* Parent, const std::string& Name, const std::string& Caption) {
        auto* s = Create<TskTabSheet>(form.get());
        s->SetName(Name);
        s->SetCaption(Caption);
        s->SetParent(Parent);
        return s;
    }

    std::string Captions() const {
        std::string out;
        TStrings* tabs = pc->TopPanel()->Tabs();
        for (int i = 0; i < tabs->Count(); ++i) out += (i ? "," : "") + tabs->Strings(i);
        return out;
    }
    std::string Order() const {
        std::string out;
        for (int i = 0; i < pc->PageCount(); ++i) {
            out += pc->Pages(i)->Name();
            EXPECT_EQ(pc->Pages(i)->PageIndex(), i);
        }
        return out;
    }
    std::string Active() const { return pc->ActivePage() ? pc->ActivePage()->Name() : "none"; }

    TOwned<TForm> form;
    TskPageControl* pc = nullptr;
    std::vector<TskTabSheet*> sheets;
};

TEST(PagesNew, ANewPageControlHasNoTabsAndANewStripOneTab) {
    RegisterClass<TskPageControl>();
    TOwned<TskPageControl> pc = CreateOwned<TskPageControl>();
    EXPECT_EQ(pc->PageCount(), 0);
    EXPECT_EQ(pc->TopPanel()->Tabs()->Count(), 0);
    EXPECT_EQ(pc->TopPanel()->TabIndex(), 0);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_EQ(pc->GetActivePageIndex(), 0);
    EXPECT_EQ(pc->Height(), 80);
    EXPECT_EQ(pc->LeftMargin(), 10);
    EXPECT_EQ(pc->TopPanel()->OwnerTab(), pc.get());
    EXPECT_EQ(pc->TopPanel()->Parent(), pc.get());

    TOwned<TskTabControlTopPanel> strip = CreateOwned<TskTabControlTopPanel>();
    ASSERT_EQ(strip->Tabs()->Count(), 1);
    EXPECT_EQ(strip->Tabs()->Strings(0), "Tab1");
    EXPECT_EQ(strip->TabIndex(), 0);
    EXPECT_FALSE(strip->ControlStyle.Contains(csAcceptsControls));
    // An abstract tab control cannot be made by name.
    EXPECT_EQ(TskTab::StaticClassInfo().CreateInstance(nullptr), nullptr);
}

TEST(PagesNew, PublishedPropertiesInTheirOrder) {
    auto own = [](const TClassInfo& Info) {
        std::string out;
        for (const TPropInfo& p : Info.OwnProperties) out += p.Name + " ";
        return out;
    };
    EXPECT_EQ(own(TskTabControlTopPanel::StaticClassInfo()), "FileTheme UIStyle Tabs TabIndex LeftMargin ");
    EXPECT_EQ(own(TskTab::StaticClassInfo()),
              "FileTheme UIStyle LeftMargin BorderColor Font OnTabActive OnChange OnChanging ");
    EXPECT_EQ(own(TskPageControl::StaticClassInfo()), "ActivePage PageCount ");
    EXPECT_EQ(own(TskTabSheet::StaticClassInfo()), "PageIndex Caption TabVisible OnShow OnHide ");
    EXPECT_FALSE(TskPageControl::StaticClassInfo().FindProperty("PageCount")->Writable());
}

TEST_F(Pages, InsertMoveRemoveHideAndRename) {
    const struct {
        const char* what;
        std::function<void(Pages&)> act;
        const char* active;
        const char* order;
        const char* captions;
    } cases[] = {
        {"as built: the last page inserted is active", [](Pages&) {}, "D", "ABCD", "One,Two,Three,Four"},
        {"inserting activates", [](Pages& t) { t.AddSheet(t.pc, "E", "Five"); }, "E", "ABCDE",
         "One,Two,Three,Four,Five"},
        {"removing page 2 activates page 1", [](Pages& t) { t.sheets[2]->SetParent(t.form.get()); }, "B", "ABD",
         "One,Two,Four"},
        {"removing an inactive page activates its predecessor",
         [](Pages& t) {
             t.pc->SetActivePageIndex(3);
             t.sheets[1]->SetParent(t.form.get());
         },
         "A", "ACD", "One,Three,Four"},
        {"removing page 0 leaves none", [](Pages& t) { t.sheets[0]->SetParent(t.form.get()); }, "none", "BCD",
         "Two,Three,Four"},
        {"hiding the active tab of page 2 activates page 1",
         [](Pages& t) {
             t.pc->SetActivePageIndex(2);
             t.sheets[2]->SetTabVisible(false);
         },
         "B", "ABCD", "One,Two,Three,Four"},
        {"hiding the active tab with only hidden ones before it activates the next",
         [](Pages& t) {
             t.sheets[0]->SetTabVisible(false);
             t.sheets[1]->SetTabVisible(false);
             t.pc->SetActivePageIndex(2);
             t.sheets[2]->SetTabVisible(false);
         },
         "D", "ABCD", "One,Two,Three,Four"},
        {"hiding the active tab with no other visible tab keeps it",
         [](Pages& t) {
             for (int i : {0, 1, 3}) t.sheets[static_cast<size_t>(i)]->SetTabVisible(false);
             t.pc->SetActivePageIndex(2);
             t.sheets[2]->SetTabVisible(false);
         },
         "C", "ABCD", "One,Two,Three,Four"},
        {"PageIndex past the end is ignored", [](Pages& t) { t.sheets[1]->SetPageIndex(4); }, "D", "ABCD",
         "One,Two,Three,Four"},
        {"PageIndex moves the page and activates it", [](Pages& t) { t.sheets[2]->SetPageIndex(0); }, "C", "CABD",
         "Three,One,Two,Four"},
        {"a caption change rebuilds the captions", [](Pages& t) { t.sheets[1]->SetCaption("Deux"); }, "D", "ABCD",
         "One,Deux,Three,Four"},
        {"an active index outside the pages does nothing", [](Pages& t) { t.pc->SetActivePageIndex(4); }, "D",
         "ABCD", "One,Two,Three,Four"},
        {"the show-child request activates the page", [](Pages& t) { t.pc->ShowControl(t.sheets[1]); }, "B",
         "ABCD", "One,Two,Three,Four"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        sheets.clear();
        SetUp();
        c.act(*this);
        EXPECT_EQ(Active(), c.active);
        EXPECT_EQ(Order(), c.order);
        EXPECT_EQ(Captions(), c.captions);
        if (pc->ActivePage()) {
            EXPECT_EQ(pc->TopPanel()->TabIndex(), pc->ActivePage()->PageIndex());
            EXPECT_EQ(pc->GetActivePageIndex(), pc->ActivePage()->PageIndex());
        } else {
            EXPECT_EQ(pc->GetActivePageIndex(), 0);
        }
        // Only the active page is enabled; pages are never hidden.
        for (int i = 0; i < pc->PageCount(); ++i) {
            EXPECT_EQ(pc->Pages(i)->Enabled(), pc->Pages(i) == pc->ActivePage()) << i;
            EXPECT_TRUE(pc->Pages(i)->Visible()) << i;
            EXPECT_EQ(pc->Pages(i)->TabVisible(), pc->TopPanel()->TabVisible(i)) << i;
        }
    }
}

TEST_F(Pages, HiddenTabsFollowTheirPagesWhenPagesMoveOrLeave) {
    sheets[1]->SetTabVisible(false);
    sheets[0]->SetParent(form.get());  // B is now page 0
    EXPECT_FALSE(pc->TopPanel()->TabVisible(0));
    EXPECT_TRUE(pc->TopPanel()->TabVisible(1));
    sheets[1]->SetPageIndex(2);
    EXPECT_EQ(Order(), "CDB");
    EXPECT_FALSE(pc->TopPanel()->TabVisible(2));
    EXPECT_TRUE(pc->TopPanel()->TabVisible(0));
    // Outside a page control the sheet keeps its own flag.
    EXPECT_EQ(sheets[0]->PageControl(), nullptr);
    EXPECT_EQ(sheets[0]->PageIndex(), -1);
    TOwned<TskTabSheet> lone = CreateOwned<TskTabSheet>();
    EXPECT_TRUE(lone->TabVisible());
    lone->SetTabVisible(false);
    EXPECT_FALSE(lone->TabVisible());
    lone->SetPageIndex(3);
    EXPECT_EQ(lone->PageIndex(), -1);
}

TEST_F(Pages, EventsOfActivation) {
    TPageEventLog log(form.get());
    log.Watch(pc);
    for (auto* s : sheets) log.Watch(s);
    const struct {
        const char* what;
        std::function<void(Pages&)> act;
        Lines expected;
    } cases[] = {
        // A tab not yet selected: OnShow inside the tab change and once more at the end.
        {"ActivePage with a new tab", [](Pages& t) { t.pc->SetActivePage(t.sheets[1]); },
         {"hide D disabled", "show B", "tab active 1", "change", "show B"}},
        {"ActivePage with the tab already selected", [](Pages& t) { t.pc->SetActivePage(t.sheets[3]); },
         {"show D"}},
        {"an index set in code never asks OnChanging", [](Pages& t) { t.pc->SetActivePageIndex(0); },
         {"hide D disabled", "hide D disabled", "show A", "tab active 0", "change", "show A"}},
        {"ActivePage nil leaves no page active", [](Pages& t) { t.pc->SetActivePage(nullptr); },
         {"hide D disabled"}},
        {"-1 from the strip means no page", [](Pages& t) { t.pc->SelectTab(-1); },
         {"hide D disabled", "tab active -1", "change"}},
        {"a sheet of another page control is ignored",
         [](Pages& t) {
             auto* other = Create<TskPageControl>(t.form.get());
             other->SetParent(t.form.get());
             t.pc->SetActivePage(t.AddSheet(other, "X", "Other"));
         },
         {}},
        {"a sheet of no page control is ignored",
         [](Pages& t) { t.pc->SetActivePage(Create<TskTabSheet>(t.form.get())); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        pc->SetActivePageIndex(3);
        log.Lines.clear();
        const std::string activeBefore = Active();
        c.act(*this);
        EXPECT_EQ(log.Lines, c.expected);
        if (c.expected.empty()) {
            EXPECT_EQ(Active(), activeBefore);
        }
    }
    pc->SelectTab(-1);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_EQ(pc->TopPanel()->TabIndex(), -1);
    for (auto* s : sheets) EXPECT_FALSE(s->Enabled());
}

TEST_F(Pages, WhatIsFreedFiresNoEventsOnceItsDestructionStarts) {
    TPageEventLog log(form.get());
    log.Watch(pc);
    for (auto* s : sheets) log.Watch(s);
    pc->SetActivePageIndex(2);

    // A single sheet: the page control goes on (its predecessor becomes
    // active), the sheet itself hears nothing.
    log.Lines.clear();
    sheets[2]->Free();
    EXPECT_EQ(log.Lines, (Lines{"show B", "tab active 1", "change", "show B"}));
    EXPECT_EQ(Order(), "ABD");
    EXPECT_EQ(Active(), "B");

    // The page control with its pages.
    log.Lines.clear();
    pc->Free();
    EXPECT_TRUE(log.Lines.empty()) << log.Lines.front();
    EXPECT_EQ(form->FindComponent("A"), nullptr);
    EXPECT_EQ(form->FindComponent("D"), nullptr);
}

TEST_F(Pages, FreeingTheFormFiresNoPageEvents) {
    TPageEventLog log(form.get());
    log.Watch(pc);
    for (auto* s : sheets) log.Watch(s);
    // Pages that belong to the form but come after the page control are freed
    // by the form first.
    auto* late = Create<TskPageControl>(form.get());
    late->SetParent(form.get());
    log.Watch(late);
    for (const char* n : {"P", "Q"}) log.Watch(AddSheet(late, n, n));
    pc->SetActivePageIndex(1);
    log.Lines.clear();
    form.reset();
    EXPECT_TRUE(log.Lines.empty()) << log.Lines.front();
}

std::string StoredForm() {
    return "Form1: TForm\n"
           "  Left = 60\n  Top = 60\n  Width = 420\n  Height = 300\n"
           "  PC: TskPageControl\n"
           "    Left = 10\n    Top = 10\n    Width = 300\n    Height = 200\n"
           "    UIStyle = WinXP\n"
           "    Pages = (Sheet1 Sheet2 Sheet3 Sheet4)\n"
           "    ActivePage = Sheet1\n"
           "    Sheet2: TskTabSheet\n      PageControl = PC\n      Caption = \"Two\"\n    end\n"
           "    Sheet3: TskTabSheet\n      PageControl = PC\n      Caption = \"Three\"\n      TabVisible = False\n"
           "    end\n"
           "    Sheet4: TskTabSheet\n      PageControl = PC\n      Caption = \"Four\"\n      PageIndex = 3\n    end\n"
           "    Sheet1: TskTabSheet\n      PageControl = PC\n      Caption = \"One\"\n    end\n"
           "  end\n"
           "  Button1: TButton\n    Caption = \"Go\"\n  end\n"
           "  Lone: TskTabSheet\n    PageControl = Button1\n    Caption = \"Lone\"\n  end\n"
           "end\n";
}

TEST(PagesStored, SheetsInAnyChildOrderReadBackInPageOrder) {
    RegisterClass<TForm>();
    RegisterClass<TskPageControl>();
    RegisterClass<TskTabSheet>();
    RegisterClass<TButton>();
    TOwned<TForm> form = CreateOwned<TForm>();
    ReadFormDescriptionText(form.get(), StoredForm(), "Form1");
    auto* pc = dynamic_cast<TskPageControl*>(form->FindComponent("PC"));
    ASSERT_NE(pc, nullptr);
    EXPECT_EQ(pc->StoredPageNames(), (std::vector<std::string>{"Sheet1", "Sheet2", "Sheet3", "Sheet4"}));
    ASSERT_EQ(pc->PageCount(), 4);
    const char* captions[] = {"One", "Two", "Three", "Four"};
    for (int i = 0; i < 4; ++i) {
        TskTabSheet* s = pc->Pages(i);
        EXPECT_EQ(s->Name(), "Sheet" + std::to_string(i + 1));
        EXPECT_EQ(s->PageIndex(), i);
        EXPECT_EQ(s->PageControl(), pc);
        EXPECT_EQ(pc->TopPanel()->Tabs()->Strings(i), captions[i]);
        EXPECT_EQ(s->TabVisible(), i != 2) << i;
        EXPECT_EQ(pc->TopPanel()->TabVisible(i), i != 2) << i;
    }
    EXPECT_EQ(pc->ActivePage(), pc->Pages(0));
    EXPECT_EQ(pc->TopPanel()->TabIndex(), 0);

    // A name that denotes no page control: the sheet stays without one and the
    // button is left as it was.
    auto* lone = dynamic_cast<TskTabSheet*>(form->FindComponent("Lone"));
    auto* button = dynamic_cast<TButton*>(form->FindComponent("Button1"));
    ASSERT_TRUE(lone && button);
    EXPECT_EQ(lone->PageControl(), nullptr);
    EXPECT_EQ(lone->Parent(), form.get());
    EXPECT_EQ(button->Caption(), "Go");
    EXPECT_EQ(button->Parent(), form.get());
    EXPECT_EQ(button->ControlCount(), 0);
}

// A size read from a description is set while no resize is reported; the
// strip must still span the control once the form is read, also when no
// later style change happens to move it.
TEST(PagesStored, TheStripSpansTheStoredWidthAndThePagesSitBelowIt) {
    RegisterClass<TForm>();
    RegisterClass<TskPageControl>();
    RegisterClass<TskTabSheet>();
    const struct {
        const char* style;  // stored UIStyle line, or none
        int strip;
    } cases[] = {{"", 22}, {"    UIStyle = WinXP\n", 19}};
    for (const auto& c : cases) {
        TOwned<TForm> form = CreateOwned<TForm>();
        ReadFormDescriptionText(form.get(),
                                std::string("Form1: TForm\n  Width = 420\n  Height = 300\n"
                                            "  PC: TskPageControl\n    Left = 10\n    Top = 10\n"
                                            "    Width = 300\n    Height = 200\n") +
                                    c.style +
                                    "    Pages = (Sheet1)\n"
                                    "    Sheet1: TskTabSheet\n      PageControl = PC\n    end\n  end\nend\n",
                                "Form1");
        auto* pc = dynamic_cast<TskPageControl*>(form->FindComponent("PC"));
        ASSERT_NE(pc, nullptr) << c.style;
        ASSERT_EQ(pc->PageCount(), 1) << c.style;
        const TskTabControlTopPanel* strip = pc->TopPanel();
        EXPECT_EQ((std::vector<int>{strip->Left(), strip->Top(), strip->Width(), strip->Height()}),
                  (std::vector<int>{0, 0, 300, c.strip}))
            << c.style;
        EXPECT_EQ(pc->Pages(0)->BoundsRect(), Rect(3, c.strip + 3, 297, 197)) << c.style;
    }
}

TEST_F(Pages, PagesSitBelowTheStripInEveryStyle) {
    const struct {
        TskUIStyle style;
        int strip;
    } cases[] = {{TskUIStyle::WinXP, 19}, {TskUIStyle::MacOS, 34}, {TskUIStyle::DeepBlue, 22},
                 {TskUIStyle::Protein, 22}, {TskUIStyle::BlueGlass, 22}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(UIStyleName(c.style)));
        pc->SetUIStyle(c.style);
        EXPECT_EQ(pc->TopPanel()->Height(), c.strip);
        EXPECT_EQ(pc->TopPanel()->BoundsRect(), Rect(0, 0, 360, c.strip));
        for (auto* s : sheets) {
            EXPECT_EQ(s->BoundsRect(), Rect(3, c.strip + 3, 357, 217));
            EXPECT_EQ(s->Color(), pc->Color());
        }
        EXPECT_EQ(pc->Color() == clWhite, c.style == TskUIStyle::WinXP);
    }
    // The control's own size: 6 narrower, 25 shorter in WinXP.
    pc->SetUIStyle(TskUIStyle::WinXP);
    pc->SetBounds(0, 0, 500, 260);
    EXPECT_EQ(sheets[0]->BoundsRect(), Rect(3, 22, 497, 257));
    EXPECT_EQ(pc->TopPanel()->Width(), 500);
}

TEST_F(Pages, AStyleReachesTheChildrenOfEveryPageButNotThePageControlsOwnChildren) {
    std::vector<TskTestControl*> onPages;
    for (auto* s : sheets) {
        auto* c = Create<TskTestControl>(form.get());
        c->SetParent(s);
        onPages.push_back(c);
    }
    auto* direct = Create<TskTestControl>(form.get());
    direct->SetParent(pc);
    direct->Log.clear();
    sheets[1]->SetAlign(alNone);
    pc->SetUIStyle(TskUIStyle::Protein);
    for (auto* c : onPages) EXPECT_EQ(c->Log, (Lines{"FileTheme=nil", "UIStyle=Protein"}));
    EXPECT_TRUE(direct->Log.empty());
    EXPECT_EQ(sheets[1]->Align(), alClient);
    // The control's colour reaches every page.
    pc->SetColor(clRed);
    for (auto* s : sheets) EXPECT_EQ(s->Color(), clRed);
    // The cursor reaches the strip.
    pc->SetCursor(crHandPoint);
    EXPECT_EQ(pc->TopPanel()->Cursor(), crHandPoint);
}

TEST_F(Pages, ARemovedThemeFileLeavesDeepBlue) {
    auto* theme = Create<TskFileTheme>(form.get());
    pc->SetUIStyle(TskUIStyle::MacOS);
    pc->SetFileTheme(theme);
    EXPECT_EQ(pc->TopPanel()->FileTheme(), theme);
    theme->Free();
    EXPECT_EQ(pc->FileTheme(), nullptr);
    EXPECT_EQ(pc->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(pc->TopPanel()->FileTheme(), nullptr);
    EXPECT_EQ(pc->TopPanel()->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(pc->TopPanel()->Height(), 22);
}

TEST_F(Pages, AClickOnATabRunsTheEventsInOrderAndFocusesTheNewPage) {
    for (auto* s : sheets) {
        auto* edit = Create<TEdit>(form.get());
        edit->SetName("Edit" + s->Name());
        edit->SetParent(s);
    }
    form->Show();
    pc->TopPanel()->Repaint();
    TPageEventLog log(form.get());
    log.NoteFocus = true;
    log.Watch(pc);
    log.WatchClicks(pc);
    for (auto* s : sheets) log.Watch(s);

    const TRect tab = pc->TopPanel()->TabRect(1);
    ASSERT_GT(tab.Right, tab.Left);
    const HWND strip = pc->TopPanel()->Handle();
    log.AllowChange = false;
    ClickAt(strip, (tab.Left + tab.Right) / 2, 8);
    EXPECT_EQ(log.Lines, (Lines{"changing", "click PC"}));
    EXPECT_EQ(Active(), "D");
    EXPECT_EQ(pc->TopPanel()->TabIndex(), 3);

    log.Lines.clear();
    log.AllowChange = true;
    ClickAt(strip, (tab.Left + tab.Right) / 2, 8);
    EXPECT_EQ(log.Lines,
              (Lines{"changing", "hide D disabled", "show B focus EditB", "tab active 1", "change", "click PC"}));
    EXPECT_EQ(Active(), "B");
    EXPECT_EQ(form->ActiveControl()->Name(), "EditB");
    form->Hide();
}

}  // namespace
