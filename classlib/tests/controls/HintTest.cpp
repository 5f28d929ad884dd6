// Hints: a control's hint shows when the pointer rests on it (after the
// application's pause), below the pointer, and goes when the pointer moves to
// another control or a button is pressed; ParentShowHint follows the parent.
#include "Application.h"
#include "ControlsFixture.h"
#include "Hints.h"
#include "Panel.h"

namespace {

class Hints : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        SetForegroundWindow(form->Handle());
        pause = Application->HintPause;
        Application->HintPause = 250;
    }
    void TearDown() override {
        Application->HintPause = pause;
        CancelHint();
        ControlsTest::TearDown();
    }
    int pause = 0;
};

TEST_F(Hints, AHintShowsWhenThePointerRestsAndGoesWhenItMovesOn) {
    auto* add = Add<TPanel>(form.get(), 20, 20, 100, 40);
    add->Hint = "Add";
    add->ShowHint = true;
    auto* plain = Add<TPanel>(form.get(), 20, 100, 100, 40);
    RestOn(form.get(), 300, 300);

    RestOn(add, 10, 10);
    EXPECT_EQ(ShownHintWindow(), nullptr) << "not before the pause";
    ASSERT_TRUE(PumpUntil([] { return ShownHintWindow() != nullptr; }, 3000));
    EXPECT_EQ(ShownHintText(), "Add");
    RECT r;
    GetWindowRect(ShownHintWindow(), &r);
    const TPoint pointer = add->ClientToScreen({10, 10});
    EXPECT_GT(r.top, pointer.Y);
    EXPECT_GT(r.right - r.left, 10);

    RestOn(plain, 10, 10);
    EXPECT_EQ(ShownHintWindow(), nullptr);
    PumpFor(500);
    EXPECT_EQ(ShownHintWindow(), nullptr) << "a control without hint shows none";

    // Back on the hinted control; a press takes the hint away.
    RestOn(add, 12, 12);
    ASSERT_TRUE(PumpUntil([] { return ShownHintWindow() != nullptr; }, 3000));
    PostMessageA(add->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
    PostMessageA(add->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(12, 12));
    PumpFor(50);
    EXPECT_EQ(ShownHintWindow(), nullptr);
}

TEST_F(Hints, ParentShowHintFollowsTheParent) {
    auto* up = Add<TPanel>(form.get(), 20, 20, 100, 40);
    up->Hint = "Up";
    auto* own = Add<TPanel>(form.get(), 20, 100, 100, 40);
    own->Hint = "Own";
    own->ParentShowHint = false;
    RestOn(form.get(), 300, 300);

    struct TCase {
        bool formShows;
        TControl* control;
        const char* shown;  // null: none
    };
    const TCase cases[] = {
        {false, up, nullptr},
        {true, up, "Up"},
        {true, own, nullptr},
    };
    for (const TCase& c : cases) {
        form->ShowHint = c.formShows;
        RestOn(form.get(), 300, 300);
        RestOn(c.control, 10, 10);
        const bool shown = PumpUntil([] { return ShownHintWindow() != nullptr; }, c.shown ? 3000 : 700);
        EXPECT_EQ(shown, c.shown != nullptr) << c.control->Hint << " form shows " << c.formShows;
        if (c.shown) {
            EXPECT_EQ(ShownHintText(), c.shown);
        }
    }
}

}  // namespace
