// Layout of child controls without any window: alignment stacking, anchors,
// clamping, and the destruction order of parents and children.
#include "Form.h"
#include "Label.h"
#include "Messages.h"
#include "Panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TPanel* MakePanel(TWinControl* Parent, const std::string& Name, TAlign Align, int Size, int Top = 0) {
    auto* p = Create<TPanel>(Parent->Owner() ? Parent->Owner() : Parent);
    p->SetName(Name);
    p->SetBounds(0, Top, Size, Size);
    p->SetParent(Parent);
    p->SetAlign(Align);
    return p;
}

class Layout : public ::testing::Test {
protected:
    void SetUp() override {
        host = CreateOwned<TPanel>();
        host->SetBevelOuter(bvNone);
        host->SetBounds(0, 0, 300, 200);
    }
    TOwned<TPanel> host;
};

TEST_F(Layout, TopBottomAndClientShareTheClientArea) {
    TPanel* top = MakePanel(host.get(), "Top", alTop, 30);
    TPanel* bottom = MakePanel(host.get(), "Bottom", alBottom, 40);
    TPanel* client = MakePanel(host.get(), "Client", alClient, 10);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 160, 300, 200));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 300, 160));
    host->SetBounds(0, 0, 200, 100);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 60, 200, 100));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 200, 60));
}

TEST_F(Layout, LeftAndRightTakeWhatTopAndBottomLeave) {
    MakePanel(host.get(), "Top", alTop, 20);
    TPanel* left = MakePanel(host.get(), "Left", alLeft, 50);
    TPanel* right = MakePanel(host.get(), "Right", alRight, 60);
    TPanel* client = MakePanel(host.get(), "Client", alClient, 10);
    EXPECT_EQ(left->BoundsRect(), Rect(0, 20, 50, 200));
    EXPECT_EQ(right->BoundsRect(), Rect(240, 20, 300, 200));
    EXPECT_EQ(client->BoundsRect(), Rect(50, 20, 240, 200));
}

TEST_F(Layout, TopStackingFollowsTopAndTheMovedControlWinsTies) {
    TPanel* a = MakePanel(host.get(), "A", alTop, 10);
    TPanel* b = MakePanel(host.get(), "B", alTop, 20, 100);
    EXPECT_EQ(a->Top(), 0);
    EXPECT_EQ(b->Top(), 10);
    // Setting Top to 0 puts B above A, which also sits at 0.
    b->SetTop(0);
    EXPECT_EQ(b->Top(), 0);
    EXPECT_EQ(a->Top(), 20);
    // Hidden aligned controls take no room.
    b->Hide();
    EXPECT_EQ(a->Top(), 0);
}

TEST_F(Layout, BevelsAndTooSmallParentsNeverGiveNegativeSizes) {
    host->SetBevelOuter(bvRaised);
    host->SetBevelWidth(2);
    TPanel* client = MakePanel(host.get(), "Client", alClient, 10);
    EXPECT_EQ(client->BoundsRect(), Rect(2, 2, 298, 198));
    TPanel* top = MakePanel(host.get(), "Top", alTop, 500);
    EXPECT_EQ(top->Height(), 500);
    EXPECT_EQ(client->Height(), 0);
    client->SetBounds(0, 0, -5, -7);
    EXPECT_GE(client->Width(), 0);
    EXPECT_GE(client->Height(), 0);
}

TEST_F(Layout, AlignmentWaitsWhileLoadingAndHappensInLoaded) {
    host->Loading();
    TPanel* client = MakePanel(host.get(), "Client", alClient, 10);
    client->Loading();
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 10, 10));
    client->Loaded();
    host->Loaded();
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 300, 200));
}

TEST_F(Layout, AnchorsKeepDistancesWhenTheParentResizes) {
    TPanel* corner = MakePanel(host.get(), "Corner", alNone, 20);
    corner->SetBounds(270, 170, 20, 20);
    corner->SetAnchors({akRight, akBottom});
    TPanel* stretch = MakePanel(host.get(), "Stretch", alNone, 20);
    stretch->SetBounds(10, 10, 280, 20);
    stretch->SetAnchors({akLeft, akTop, akRight});
    host->SetBounds(0, 0, 400, 250);
    EXPECT_EQ(corner->BoundsRect(), Rect(370, 220, 390, 240));
    EXPECT_EQ(stretch->BoundsRect(), Rect(10, 10, 390, 30));
}

TEST_F(Layout, SameBoundsAgainChangeNothingAndConstraintsClamp) {
    TPanel* p = MakePanel(host.get(), "P", alNone, 50);
    int resizes = 0;
    struct Counter : TObject {
        int* n;
        void Hit(TObject*) { ++*n; }
    } counter;
    counter.n = &resizes;
    p->OnResize = TNotifyEvent::Bind<&Counter::Hit>(&counter);
    p->SetBounds(0, 0, 50, 50);
    EXPECT_EQ(resizes, 0);
    p->Constraints()->SetMinWidth(60);
    p->Constraints()->SetMaxHeight(40);
    EXPECT_EQ(p->Width(), 60);
    EXPECT_EQ(p->Height(), 40);
    EXPECT_EQ(resizes, 2);  // one per change
}

// Records the notices a control receives while the tree is torn down.
class TListener : public TPanel {
public:
    std::vector<std::string>* log = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (log && Operation == opRemove)
            log->push_back(Name() + " hears " + AComponent->Name() + (AComponent->Is<TControl>() &&
                                                                               static_cast<TControl*>(AComponent)->Parent()
                                                                           ? " (still placed)"
                                                                           : ""));
        TPanel::Notification(AComponent, Operation);
    }
    void Dispatch(TMessage& Message) override {
        if (log && Message.Msg == CM_CONTROLLISTCHANGE && Message.LParam == 0)
            log->push_back(Name() + " loses child " + reinterpret_cast<TControl*>(Message.WParam)->Name());
        TPanel::Dispatch(Message);
    }
};

TEST(Destruction, FreeingAParentFreesItsChildrenAfterTheRemovalNotices) {
    std::vector<std::string> log;
    auto form = CreateOwned<TForm>();
    auto* outer = Create<TListener>(form.get());
    outer->SetName("Outer");
    outer->SetParent(form.get());
    auto* inner = Create<TListener>(form.get());
    inner->SetName("Inner");
    inner->SetParent(outer);
    auto* label = Create<TLabel>(form.get());
    label->SetName("Caption1");
    label->SetParent(inner);
    auto* watcher = Create<TListener>(form.get());
    watcher->SetName("Watcher");
    for (auto* l : {outer, inner, watcher}) l->log = &log;

    inner->Free();

    // The parent hears of its child leaving (inherited notice), the siblings
    // hear of the removal while the object is still placed, then the label goes.
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], "Outer hears Inner (still placed)");
    EXPECT_EQ(log[1], "Inner hears Inner (still placed)");
    EXPECT_EQ(log[2], "Watcher hears Inner (still placed)");
    EXPECT_NE(std::find(log.begin(), log.end(), "Outer hears Caption1 (still placed)"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "Outer loses child Inner"), log.end());
    // A parent being freed is not told about each child leaving.
    EXPECT_EQ(std::find(log.begin(), log.end(), "Inner loses child Caption1"), log.end());
    EXPECT_EQ(form->FindComponent("Caption1"), nullptr);
    EXPECT_EQ(outer->ControlCount(), 0);
}

class TCountedLabel : public TLabel {
public:
    int* alive = nullptr;
    void Init() override {
        TLabel::Init();
    }

protected:
    void BeforeDestruction() override {
        if (alive) --*alive;
        TLabel::BeforeDestruction();
    }
};

TEST(Destruction, FreeingTheFormFreesChildrenOwnedElsewhereToo) {
    int alive = 0;
    auto* form = Create<TForm>(nullptr);
    auto other = CreateOwned<TComponent>();
    auto* panel = Create<TPanel>(form);
    panel->SetParent(form);
    for (TComponent* owner : {static_cast<TComponent*>(form), other.get()}) {
        auto* l = Create<TCountedLabel>(owner);
        l->alive = &alive;
        l->SetParent(panel);
        ++alive;
    }
    form->Free();
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(other->ComponentCount(), 0);
}

}  // namespace
