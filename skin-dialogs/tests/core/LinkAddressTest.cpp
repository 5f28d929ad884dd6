#include "LinkAddress.h"

#include <gtest/gtest.h>

namespace {

struct LinkCase {
    const char* url;
    const char* opened;  // nullptr: not opened
};

class Links : public testing::TestWithParam<LinkCase> {};

TEST_P(Links, OnlyWebAndMailAddressesAreOpened) {
    const auto got = LinkToOpen(GetParam().url);
    if (GetParam().opened)
        EXPECT_EQ(got, std::optional<std::string>(GetParam().opened));
    else
        EXPECT_EQ(got, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Table, Links, testing::Values(
    LinkCase{"http://example.org/", "http://example.org/"},
    LinkCase{"HTTPS://example.org", "HTTPS://example.org"},
    LinkCase{"www.example.org", "http://www.example.org"},
    LinkCase{" www.example.org ", "http://www.example.org"},
    LinkCase{"example.org:8080/x", "http://example.org:8080/x"},
    LinkCase{"mailto:info@example.org", "mailto:info@example.org"},
    LinkCase{"mailto:", "mailto:"},
    LinkCase{"file:///C:/Windows/system32/calc.exe", nullptr},
    LinkCase{"C:\\Windows\\system32\\calc.exe", nullptr},
    LinkCase{"javascript:alert(1)", nullptr},
    LinkCase{"ms-settings:display", nullptr},
    LinkCase{"\\\\server\\share\\x.exe", "http://\\\\server\\share\\x.exe"},
    LinkCase{"", nullptr},
    LinkCase{"   ", nullptr}),
    [](const testing::TestParamInfo<LinkCase>& info) { return "link_" + std::to_string(info.index); });

}  // namespace
