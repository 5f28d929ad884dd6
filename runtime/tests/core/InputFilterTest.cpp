#include "InputFilter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr TScreenPoint kStart{-1500, 300};  // a monitor left of the primary one

struct MoveCase {
    int dx, dy;
    TInputVerdict verdict;
};

class MouseMoves : public testing::TestWithParam<MoveCase> {};

TEST_P(MouseMoves, CloseOnlyBeyondTenPixelsOnEitherAxis) {
    TInputFilter f;
    f.StartPoint = kStart;
    const MoveCase& c = GetParam();
    EXPECT_EQ(f.Judge(msgMouseMove, {kStart.X + c.dx, kStart.Y + c.dy}), c.verdict);
    f.IgnoreMouse = true;
    EXPECT_EQ(f.Judge(msgMouseMove, {kStart.X + c.dx, kStart.Y + c.dy}), TInputVerdict::Pass);
}

INSTANTIATE_TEST_SUITE_P(Threshold, MouseMoves, testing::Values(
    MoveCase{0, 0, TInputVerdict::Pass},
    MoveCase{10, 10, TInputVerdict::Pass},
    MoveCase{-10, -10, TInputVerdict::Pass},
    MoveCase{10, -10, TInputVerdict::Pass},
    MoveCase{11, 0, TInputVerdict::Close},
    MoveCase{-11, 0, TInputVerdict::Close},
    MoveCase{0, 11, TInputVerdict::Close},
    MoveCase{0, -11, TInputVerdict::Close},
    MoveCase{3000, 0, TInputVerdict::Close}),
    [](const testing::TestParamInfo<MoveCase>& info) {
        auto axis = [](int d) { return (d < 0 ? "minus" : "plus") + std::to_string(d < 0 ? -d : d); };
        return "x_" + axis(info.param.dx) + "_y_" + axis(info.param.dy);
    });

struct MessageCase {
    std::uint32_t message;
    TInputVerdict verdict;
};

class Messages : public testing::TestWithParam<MessageCase> {};

TEST_P(Messages, KeysAndButtonsCloseEvenWhenMovesAreIgnored) {
    TInputFilter f;
    f.StartPoint = kStart;
    for (bool ignore : {false, true}) {
        f.IgnoreMouse = ignore;
        EXPECT_EQ(f.Judge(GetParam().message, {5000, 5000}), GetParam().verdict) << "ignore " << ignore;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Messages, testing::Values(
    MessageCase{msgKeyDown, TInputVerdict::Close},
    MessageCase{msgKeyUp, TInputVerdict::Close},
    MessageCase{msgSysKeyDown, TInputVerdict::Close},
    MessageCase{msgSysKeyUp, TInputVerdict::Close},
    MessageCase{msgLButtonDown, TInputVerdict::Close},
    MessageCase{msgMButtonDown, TInputVerdict::Close},
    MessageCase{msgRButtonDown, TInputVerdict::SwallowAndClose},
    MessageCase{0x0202 /* left button up */, TInputVerdict::Pass},
    MessageCase{0x000F /* paint */, TInputVerdict::Pass},
    MessageCase{0x0113 /* timer */, TInputVerdict::Pass}),
    [](const testing::TestParamInfo<MessageCase>& info) { return "message_" + std::to_string(info.param.message); });

TEST(InputFilter, DoesNothingWhileThePasswordDialogIsUp) {
    TInputFilter f;
    f.InPasswordCheck = true;
    for (std::uint32_t m : {msgKeyDown, msgLButtonDown, msgRButtonDown, msgMouseMove})
        EXPECT_EQ(f.Judge(m, {9999, 9999}), TInputVerdict::Pass) << m;
}

TEST(InputFilter, MessagePositionsAreSigned) {
    // x -5, y -20 as the system packs them.
    const std::intptr_t lParam = static_cast<std::intptr_t>((0xFFECu << 16) | 0xFFFBu);
    EXPECT_EQ(PointFromLParam(lParam), (TScreenPoint{-5, -20}));
    EXPECT_EQ(PointFromLParam((300 << 16) | 1279), (TScreenPoint{1279, 300}));
}

}  // namespace
