// Page controls: sheets inserted by setting their parent, one tab per visible
// sheet, only the active sheet shown, and switching by index, by page, by a
// click on a tab (which OnChanging may refuse) and by removing the active page.
#include "ControlsFixture.h"
#include "Edit.h"
#include "PageControl.h"

#include <commctrl.h>

namespace {

struct TPageEvents : public TRecorder {
    TPageControl* pc = nullptr;
    bool allow = true;
    void Changing(TObject*, bool& Allow) {
        Note("changing from " + std::to_string(pc->ActivePageIndex()));
        Allow = allow;
    }
    void Changed(TObject*) { Note("changed to " + std::to_string(pc->ActivePageIndex())); }
};

class Pages : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        pc = Add<TPageControl>(form.get(), 10, 10, 400, 300);
        for (const char* caption : {"Information", "Flash Movies", "Settings", "Output"}) {
            auto* sheet = Create<TTabSheet>(form.get());
            sheet->SetCaption(caption);
            sheet->SetParent(pc);
            sheets.push_back(sheet);
        }
        events.pc = pc;
        pc->OnChanging = TTabChangingEvent::Bind<&TPageEvents::Changing>(&events);
        pc->OnChange = TNotifyEvent::Bind<&TPageEvents::Changed>(&events);
        PumpFor(30);
    }
    // The sheets whose windows are visible.
    std::vector<int> Shown() const {
        std::vector<int> shown;
        for (size_t i = 0; i < sheets.size(); ++i)
            if (sheets[i]->HandleAllocated() && IsWindowVisible(sheets[i]->Handle())) shown.push_back(static_cast<int>(i));
        return shown;
    }
    int NativeSelection() { return static_cast<int>(SendMessageA(pc->Handle(), TCM_GETCURSEL, 0, 0)); }
    RECT TabRect(int Tab) {
        RECT r{};
        SendMessageA(pc->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(Tab), reinterpret_cast<LPARAM>(&r));
        return r;
    }

    TPageControl* pc = nullptr;
    std::vector<TTabSheet*> sheets;
    TPageEvents events;
};

TEST_F(Pages, ParentInsertsTheSheetAndTheFirstBecomesActive) {
    EXPECT_EQ(pc->PageCount(), 4);
    EXPECT_EQ(SendMessageA(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pc->Pages(i), sheets[static_cast<size_t>(i)]);
    EXPECT_EQ(pc->ActivePage(), sheets[0]);
    EXPECT_EQ(Shown(), std::vector<int>{0});
    char text[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(pc->Handle(), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Flash Movies");
    // The sheet fills the display area below the tabs.
    EXPECT_GT(sheets[0]->Top(), 10);
    EXPECT_LT(sheets[0]->Width(), pc->Width());
    EXPECT_GT(sheets[0]->Width(), pc->Width() - 20);
}

TEST_F(Pages, SwitchedByIndexAndByPage) {
    pc->SetActivePageIndex(2);
    EXPECT_EQ(pc->ActivePage(), sheets[2]);
    EXPECT_EQ(Shown(), std::vector<int>{2});
    EXPECT_EQ(NativeSelection(), 2);
    pc->SetActivePage(sheets[3]);
    EXPECT_EQ(pc->ActivePageIndex(), 3);
    EXPECT_EQ(Shown(), std::vector<int>{3});
    EXPECT_EQ(NativeSelection(), 3);
    pc->SetActivePageIndex(7);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_TRUE(Shown().empty());
    // Changes from code raise no events.
    EXPECT_TRUE(events.Log.empty());
}

TEST_F(Pages, ClickOnATabSwitchesUnlessRefused) {
    RECT r = TabRect(2);
    ClickAt(pc->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    EXPECT_EQ(Shown(), std::vector<int>{2});
    EXPECT_EQ(events.Log, (std::vector<std::string>{"changing from 0", "changed to 2"}));

    events.Log.clear();
    events.allow = false;
    r = TabRect(1);
    ClickAt(pc->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    EXPECT_EQ(NativeSelection(), 2);
    EXPECT_EQ(events.Log, std::vector<std::string>{"changing from 2"});
}

TEST_F(Pages, HiddenTabsAndRemovedPages) {
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(SendMessageA(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    pc->SetActivePage(sheets[2]);
    EXPECT_EQ(NativeSelection(), 1);

    // Freeing the active page shows the next one.
    sheets[2]->Free();
    sheets.erase(sheets.begin() + 2);
    EXPECT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->ActivePage(), sheets[2]);
    EXPECT_EQ(Shown(), std::vector<int>{2});

    // A sheet moved to another parent leaves the pages.
    sheets[0]->SetParent(form.get());
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(sheets[0]->PageControl(), nullptr);
}

TEST_F(Pages, FocusLeavesAPageThatIsHidden) {
    auto* edit = Add<TEdit>(sheets[0], 10, 10, 100, 21);
    edit->SetFocus();
    PumpFor(30);
    ASSERT_TRUE(edit->Focused());
    pc->SetActivePageIndex(1);
    PumpFor(30);
    EXPECT_FALSE(edit->Focused());
    EXPECT_NE(form->ActiveControl(), edit);
}

}  // namespace
