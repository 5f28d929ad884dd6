// The number separators follow the user's settings of the system.
#include "FloatFormat.h"
#include "FormatSettings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string UserSetting(LCTYPE Type) {
    char buf[16]{};
    const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, Type, buf, sizeof buf);
    return n > 0 ? std::string(buf) : std::string();
}

// Changes the user's separators for one test and puts them back.
class UserSeparators {
public:
    UserSeparators(const char* Decimal, const char* Thousand)
        : decimal_(UserSetting(LOCALE_SDECIMAL)), thousand_(UserSetting(LOCALE_STHOUSAND)) {
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Decimal);
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, Thousand);
    }
    ~UserSeparators() {
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal_.c_str());
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand_.c_str());
        ReadFormatSettings();
    }

private:
    std::string decimal_, thousand_;
};

TEST(FormatSettings, SeparatorsAreReadFromTheUsersSettings) {
    {
        UserSeparators german(",", ".");
        ASSERT_EQ(UserSetting(LOCALE_SDECIMAL), ",") << "the system keeps no user setting here";
        ReadFormatSettings();
        EXPECT_EQ(DecimalSeparator, ',');
        EXPECT_EQ(ThousandSeparator, '.');
        EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
        EXPECT_DOUBLE_EQ(StrToFloat("1234,5"), 1234.5);
    }
    {
        UserSeparators english(".", ",");
        ReadFormatSettings();
        EXPECT_EQ(DecimalSeparator, '.');
        EXPECT_EQ(ThousandSeparator, ',');
        EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1,234.50");
    }
}

}  // namespace
