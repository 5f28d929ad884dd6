#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    std::vector<std::string> args;
    TStartAction action;
    std::int64_t parent;
};

class StartArguments : public testing::TestWithParam<Case> {};

TEST_P(StartArguments, ChooseTheRightAction) {
    const Case& c = GetParam();
    const TStartRequest r = ParseStartArguments(c.args);
    EXPECT_EQ(r.Action, c.action);
    EXPECT_EQ(r.ParentWindow, c.parent);
}

using A = TStartAction;
INSTANTIATE_TEST_SUITE_P(Switches, StartArguments, testing::Values(
    Case{{}, A::Setup, 0},
    Case{{"/S"}, A::Playback, 0},
    Case{{"/s"}, A::Playback, 0},
    Case{{"-s"}, A::Playback, 0},
    Case{{"/s", "123"}, A::Playback, 0},
    Case{{"/c"}, A::Setup, 0},
    Case{{"/C"}, A::Setup, 0},
    Case{{"-c"}, A::Setup, 0},
    Case{{"/c:123"}, A::Setup, 0},
    Case{{"/p", "123"}, A::Nothing, 0},
    Case{{"/a", "123"}, A::ChangePassword, 123},
    Case{{"-A", "65602"}, A::ChangePassword, 65602},
    Case{{"/a"}, A::ChangePassword, 0},
    Case{{"/a", "12x"}, A::ChangePassword, 0},
    Case{{"/a", ""}, A::ChangePassword, 0},
    Case{{"/a", " 12"}, A::ChangePassword, 0},
    Case{{"/a", "$10"}, A::ChangePassword, 0},
    Case{{"/a", "99999999999999999999999"}, A::ChangePassword, 0},
    Case{{"/a", "-5"}, A::ChangePassword, -5},
    Case{{"s"}, A::Nothing, 0},
    Case{{"/"}, A::Nothing, 0},
    Case{{""}, A::Nothing, 0},
    Case{{"/x"}, A::Nothing, 0},
    Case{{"/\xe7"}, A::Nothing, 0},
    Case{{"xs"}, A::Playback, 0}));

}  // namespace
