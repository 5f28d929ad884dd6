#include "GuidCreate.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

TEST(GuidCreate, BracedUpperCaseTextAndNewEachTime) {
    const std::string a = CreateGuidText(), b = CreateGuidText();
    EXPECT_NE(a, b);
    ASSERT_EQ(a.size(), 38u);
    for (size_t i = 0; i < a.size(); ++i) {
        const char c = a[i];
        if (i == 0)
            EXPECT_EQ(c, '{');
        else if (i == 37)
            EXPECT_EQ(c, '}');
        else if (i == 9 || i == 14 || i == 19 || i == 24)
            EXPECT_EQ(c, '-') << i;
        else
            EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(c)) && !std::islower(static_cast<unsigned char>(c)))
                << a;
    }
}

}  // namespace
