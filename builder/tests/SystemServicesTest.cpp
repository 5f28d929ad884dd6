#include "SystemServices.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

TEST(SystemServices, BuildIdentifiersAreNewBraceGuids) {
    const TBuilderServices services = SystemBuilderServices(nullptr);
    const std::string a = services.NewBuildId(), b = services.NewBuildId();
    const std::regex guid(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\})");
    EXPECT_TRUE(std::regex_match(a, guid)) << a;
    EXPECT_TRUE(std::regex_match(b, guid)) << b;
    EXPECT_NE(a, b);
}

}  // namespace
