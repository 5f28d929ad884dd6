#include "Exceptions.h"
#include "SysUtils.h"

#include <climits>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

TEST(SysUtils, StrToIntAcceptsWhatTheLibraryAlwaysAccepted) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"0", 0}, {"42", 42}, {"+7", 7}, {"-13", -13}, {"007", 7}, {"  12", 12},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"$1F", 31}, {"$ff", 255},
        {"0x10", 16}, {"-$10", -16}, {"$FFFFFFFF", -1}, {"$80000000", INT_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(SysUtils, StrToIntRefusesBlanksGarbageAndOverflow) {
    for (const char* text : {"", " ", "abc", "12 ", "1 2", "12a", "+", "-", "$", "0x", "--1", "+-1", "1.0",
                             "2147483648", "-2147483649", "$100000000", "99999999999999999999", "\t1", "$G"}) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid integer value");
        }
        EXPECT_EQ(StrToIntDef(text, -5), -5) << text;
    }
    EXPECT_EQ(StrToIntDef("17", -5), 17);
}

TEST(SysUtils, IntToStr) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
    EXPECT_EQ(IntToStr(1234567890123LL), "1234567890123");
}

TEST(SysUtils, FormatHandlesTheUsualConversions) {
    EXPECT_EQ(Format("%d.%d", 1, 2), "1.2");
    EXPECT_EQ(Format("Cannot open file %s", std::string("C:\\a b.swf")), "Cannot open file C:\\a b.swf");
    EXPECT_EQ(Format("[%5s|%-4d|%03d|%x|%X|%c|%%]", "ab", 7, 5, 255, 255u, 'z'), "[   ab|7   |005|ff|FF|z|%]");
    EXPECT_EQ(Format("%.2f %d", 3.14159, -1LL), "3.14 -1");
    EXPECT_EQ(Format("%*d", 4, 9), "   9");
    EXPECT_EQ(Format("no conversions"), "no conversions");
    EXPECT_EQ(Format("%s", std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(SysUtils, FormatRefusesMismatchedOrMissingArguments) {
    EXPECT_THROW(Format("%d", "text"), EConvertError);
    EXPECT_THROW(Format("%s", 5), EConvertError);
    EXPECT_THROW(Format("%d %d", 5), EConvertError);
    EXPECT_THROW(Format("%q", 5), EConvertError);
    EXPECT_THROW(Format("50%"), EConvertError);
    EXPECT_THROW(Format("%999999d", 1), EConvertError);
}

TEST(SysUtils, TrimRemovesBlanksAndControlCharacters) {
    EXPECT_EQ(Trim(" \t\r\n\x01 text  x \x1f\x7f"), "text  x \x1f\x7f");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("\xA0keep\xE9"), "\xA0keep\xE9");  // ANSI letters are not blanks
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a \n"), "  a");
}

TEST(SysUtils, CaseHelpersAreAsciiOnly) {
    EXPECT_EQ(UpperCase("abc/S-xyz\xE9"), "ABC/S-XYZ\xE9");
    EXPECT_EQ(LowerCase("ABC\xC9z"), "abc\xC9z");
    EXPECT_TRUE(SameText("ScreenSaver", "SCREENSAVER"));
    EXPECT_FALSE(SameText("abc", "abcd"));
    EXPECT_FALSE(SameText("\xE9", "\xC9"));
    EXPECT_LT(CompareText("apple", "Banana"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
}

TEST(SysUtils, FileNameHelpers) {
    const struct {
        const char* name;
        const char* path;
        const char* file;
        const char* ext;
    } cases[] = {
        {"C:\\Movies\\intro.swf", "C:\\Movies\\", "intro.swf", ".swf"},
        {"C:intro.swf", "C:", "intro.swf", ".swf"},
        {"/tmp/dir.v2/file", "/tmp/dir.v2/", "file", ""},
        {"a/b\\c.tar.gz", "a/b\\", "c.tar.gz", ".gz"},
        {"noext", "", "noext", ""},
        {"folder\\", "folder\\", "", ""},
        {".hidden", "", ".hidden", ".hidden"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    }
    EXPECT_EQ(ChangeFileExt("C:\\a.b\\project.qlm", ".exe"), "C:\\a.b\\project.exe");
    EXPECT_EQ(ChangeFileExt("C:\\a.b\\project", ".qlm"), "C:\\a.b\\project.qlm");
    EXPECT_EQ(ChangeFileExt("x.swf", ""), "x");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\Temp"), "C:\\Temp\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\Temp\\"), "C:\\Temp\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp/"), "/tmp/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\Temp\\"), "C:\\Temp");
}

TEST(SysUtils, GuidTextIsTheBraceFormInUpperCase) {
    // {6B29FC40-CA47-1067-B31D-00DD010662DA} as it lies in memory.
    const std::array<std::uint8_t, 16> bytes = {0x40, 0xFC, 0x29, 0x6B, 0x47, 0xCA, 0x67, 0x10,
                                                0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA};
    const std::string text = GUIDToString(bytes);
    EXPECT_EQ(text, "{6B29FC40-CA47-1067-B31D-00DD010662DA}");
    EXPECT_EQ(text.size(), 38u);
}

TEST(SysUtils, RandomStaysInRange) {
    Randomize();
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int r = Random(5);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 5);
        seen.insert(r);
    }
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(1), 0);
}

}  // namespace
