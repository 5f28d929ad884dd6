#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
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
    Case{"none", {}, A::Setup, 0},
    Case{"slash_S", {"/S"}, A::Playback, 0},
    Case{"slash_s", {"/s"}, A::Playback, 0},
    Case{"dash_s", {"-s"}, A::Playback, 0},
    Case{"slash_s_number", {"/s", "123"}, A::Playback, 0},
    Case{"slash_c", {"/c"}, A::Setup, 0},
    Case{"slash_C", {"/C"}, A::Setup, 0},
    Case{"dash_c", {"-c"}, A::Setup, 0},
    Case{"c_colon_number", {"/c:123"}, A::Setup, 0},
    Case{"preview", {"/p", "123"}, A::Nothing, 0},
    Case{"a_handle", {"/a", "123"}, A::ChangePassword, 123},
    Case{"dash_A_handle", {"-A", "65602"}, A::ChangePassword, 65602},
    Case{"a_no_handle", {"/a"}, A::ChangePassword, 0},
    Case{"a_not_a_number", {"/a", "12x"}, A::ChangePassword, 0},
    Case{"a_empty", {"/a", ""}, A::ChangePassword, 0},
    Case{"a_leading_blank", {"/a", " 12"}, A::ChangePassword, 0},
    Case{"a_hex", {"/a", "$10"}, A::ChangePassword, 0},
    Case{"a_too_large", {"/a", "99999999999999999999999"}, A::ChangePassword, 0},
    Case{"a_negative", {"/a", "-5"}, A::ChangePassword, -5},
    Case{"one_character", {"s"}, A::Nothing, 0},
    Case{"slash_only", {"/"}, A::Nothing, 0},
    Case{"empty", {""}, A::Nothing, 0},
    Case{"unknown", {"/x"}, A::Nothing, 0},
    Case{"high_character", {"/\xe7"}, A::Nothing, 0},
    Case{"first_character_ignored", {"xs"}, A::Playback, 0}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
