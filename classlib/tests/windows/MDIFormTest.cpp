// MDI forms on the screen: the client window of an fsMDIForm form in the
// room its aligned controls leave, fsMDIChild forms inside it, the active
// child, tiling and cascading through the client, a hook on the client's
// messages, children freed, and a child without an MDI main form.
#include "Application.h"
#include "Form.h"
#include "Panel.h"
#include "Pump.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

RECT InParent(HWND Window) {
    RECT r;
    GetWindowRect(Window, &r);
    MapWindowPoints(nullptr, GetParent(Window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class MDIForms : public ::testing::Test {
protected:
    void SetUp() override {
        previous = Application->MainForm();
        main = CreateOwned<TForm>();
        main->SetFormStyle(fsMDIForm);
        main->SetBounds(30, 30, 640, 420);
        bar = Create<TPanel>(main.get());
        bar->SetParent(main.get());
        bar->SetHeight(30);
        bar->SetAlign(alTop);
        Application->SetMainForm(main.get());
        main->Show();
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(main->Handle()) != FALSE; }, 5000));
    }
    void TearDown() override {
        children.clear();
        main.reset();
        Application->SetMainForm(previous);
        PumpFor(20);
    }

    TCustomForm* Child(const std::string& Caption) {
        children.push_back(CreateOwned<TForm>());
        TForm* f = children.back().get();
        f->SetFormStyle(fsMDIChild);
        f->SetCaption(Caption);
        f->SetBounds(0, 0, 200, 150);
        f->Show();
        PumpFor(20);
        return f;
    }

public:
    void RecordClient(TMessage& M) {
        if (M.Msg == WM_MDICASCADE || M.Msg == WM_MDITILE) clientHeard.push_back(M.Msg);
        main->DefaultClientHandler(M);
    }

    TCustomForm* previous = nullptr;
    TOwned<TForm> main;
    TPanel* bar = nullptr;
    std::vector<TOwned<TForm>> children;
    std::vector<UINT> clientHeard;
};

TEST_F(MDIForms, TheClientFillsWhatTheAlignedControlsLeave) {
    HWND client = main->ClientHandle();
    ASSERT_NE(client, nullptr);
    char name[32] = {};
    GetClassNameA(client, name, sizeof name);
    EXPECT_STREQ(name, "MDIClient");
    EXPECT_EQ(GetParent(client), main->Handle());
    const RECT r = InParent(client);
    const TRect area = main->ClientRect();
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.bottom, area.Bottom);
    EXPECT_EQ(r.right - r.left, area.Width());
    // And again after the frame is resized.
    main->SetBounds(30, 30, 500, 300);
    PumpFor(20);
    const RECT s = InParent(client);
    EXPECT_EQ(s.top, 30);
    EXPECT_EQ(s.bottom, main->ClientRect().Bottom);
    EXPECT_EQ(s.right - s.left, main->ClientRect().Width());
}

TEST_F(MDIForms, ChildrenLiveInTheClientAndTheLastShownIsActive) {
    TCustomForm* a = Child("A");
    TCustomForm* b = Child("B");
    TCustomForm* c = Child("C");
    EXPECT_EQ(GetParent(a->Handle()), main->ClientHandle());
    EXPECT_EQ(main->MDIChildCount(), 3);
    EXPECT_EQ(main->ActiveMDIChild(), c);
    EXPECT_EQ(main->MDIChildren(0), c);
    SendMessageA(main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a->Handle()), 0);
    PumpFor(20);
    EXPECT_EQ(main->ActiveMDIChild(), a);
    EXPECT_EQ(main->MDIChildren(0), a);
    EXPECT_EQ(main->MDIChildren(3), nullptr);
    // A freed child leaves the client; another one becomes active.
    children[0].reset();
    PumpFor(20);
    EXPECT_EQ(main->MDIChildCount(), 2);
    TCustomForm* now = main->ActiveMDIChild();
    EXPECT_TRUE(now == b || now == c);
}

TEST_F(MDIForms, TileAndCascadeGoThroughTheClientsHook) {
    main->ClientWindowProc = TWndMethod::Bind<&MDIForms::RecordClient>(this);
    Child("A");
    Child("B");
    Child("C");
    main->Cascade();
    PumpFor(20);
    std::vector<LONG> tops;
    for (auto& c : children) tops.push_back(InParent(c->Handle()).top);
    std::sort(tops.begin(), tops.end());
    EXPECT_LT(tops[0], tops[1]);
    EXPECT_LT(tops[1], tops[2]);

    main->TileMode = tbVertical;
    main->Tile();
    PumpFor(20);
    std::vector<LONG> lefts;
    for (auto& c : children) {
        const RECT r = InParent(c->Handle());
        EXPECT_EQ(r.top, 0);
        lefts.push_back(r.left);
    }
    std::sort(lefts.begin(), lefts.end());
    EXPECT_LT(lefts[0], lefts[1]);
    EXPECT_LT(lefts[1], lefts[2]);

    main->TileMode = tbHorizontal;
    main->Tile();
    PumpFor(20);
    for (auto& c : children) EXPECT_EQ(InParent(c->Handle()).left, 0);
    EXPECT_EQ(clientHeard, (std::vector<UINT>{WM_MDICASCADE, WM_MDITILE, WM_MDITILE}));
}

TEST_F(MDIForms, AChildNeedsAnMDIMainForm) {
    Application->SetMainForm(nullptr);
    auto orphan = CreateOwned<TForm>();
    orphan->SetFormStyle(fsMDIChild);
    try {
        orphan->HandleNeeded();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot create form. No MDI forms are currently active");
    }
}

}  // namespace
