// Numbers by mask and back: placeholders, rounding, sections, separators
// taken from the user's settings (set here explicitly), and the refusals.
#include "Exceptions.h"
#include "FloatFormat.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

// Sets the separators for one test and puts the previous ones back.
class Separators {
public:
    Separators(char Decimal, char Thousand) : decimal_(DecimalSeparator), thousand_(ThousandSeparator) {
        DecimalSeparator = Decimal;
        ThousandSeparator = Thousand;
    }
    ~Separators() {
        DecimalSeparator = decimal_;
        ThousandSeparator = thousand_;
    }

private:
    char decimal_, thousand_;
};

struct FormatCase {
    const char* mask;
    double value;
    const char* expected;
};

TEST(FormatFloat, PlaceholdersRoundingAndSections) {
    Separators english('.', ',');
    const FormatCase cases[] = {
        {"0.00", 0, "0.00"},
        {"0.00", 12.5, "12.50"},
        {"0.00", -12.5, "-12.50"},
        {"0.00", 1234567.891, "1234567.89"},
        {"0.00", 2.675, "2.68"},          // decimal rounding, not binary
        {"0.00", 0.125, "0.13"},          // half away from zero
        {"0.00", -0.125, "-0.13"},
        {"0.00", 9.999, "10.00"},         // carry into a new digit
        {"0.00", -0.001, "0.00"},         // rounds to zero: no sign
        {"0", 2.5, "3"},
        {"0", 123456, "123456"},          // more digits than places
        {"000", 7, "007"},
        {"#", 0, ""},
        {"#.##", 0.5, ".5"},
        {"#0.##", 0.5, "0.5"},
        {"0.##", 1, "1"},                 // no separator without decimals
        {"0.0#", 1.5, "1.5"},
        {"0.0#", 1.25, "1.25"},
        {"0.0#", 1, "1.0"},
        {".00", 12.5, "12.50"},
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0", 999, "999"},
        {"#,##0", 1000, "1,000"},
        {"#,##0", -1000, "-1,000"},
        {"0,", 1234, "1,234"},            // a comma anywhere before the point
        {"$#,##0.00", 5, "$5.00"},
        {"0.00 'kg'", 3, "3.00 kg"},
        {"\"a;b\"0", 4, "a;b4"},          // quoted ";" is text
        {"0.00;(0.00)", -3.5, "(3.50)"},
        {"0.00;(0.00)", 3.5, "3.50"},
        {"0.00;;zero", 0, "zero"},
        {"0.00;;zero", -0.001, "zero"},   // zero after rounding by the first section
        {"0.00;;zero", -2, "-2.00"},      // empty negative section: the first with a sign
        {"0.00;(0);", 0, "0.00"},         // empty zero section: the first
        {"0.00;(0);nil;extra", 0, "nil"}, // a fourth section is ignored
        {"", 1.5, "1.5"},
        {"", 100, "100"},
        {"0.00", 1e20, "100000000000000000000.00"},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(FormatFloat(c.mask, c.value), c.expected) << c.mask << " / " << c.value;
}

TEST(FormatFloat, NotANumberAndInfinity) {
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity()), "-INF");
}

TEST(FormatFloat, UsesTheSeparatorsOfTheSettings) {
    Separators german(',', '.');
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1.234.567,89");
    EXPECT_EQ(FormatFloat("0.00", 12.5), "12,50");
    EXPECT_EQ(FormatFloat("", 1.5), "1,5");
    Separators blank('.', ' ');
    EXPECT_EQ(FormatFloat("#,##0", 1234567), "1 234 567");
}

struct ParseCase {
    const char* text;
    double expected;
};

TEST(StrToFloat, ReadsNumbersWithTheDecimalSeparator) {
    Separators english('.', ',');
    const ParseCase cases[] = {
        {"0", 0},      {"12.5", 12.5}, {"-12.5", -12.5}, {"+3", 3},      {"12.", 12},
        {".5", 0.5},   {" 7 ", 7},     {"1e3", 1000},    {"1.5E-2", 0.015}, {"-0", 0},
        {"00012", 12}, {"1e+2", 100},
    };
    for (const ParseCase& c : cases) EXPECT_DOUBLE_EQ(StrToFloat(c.text), c.expected) << c.text;
}

TEST(StrToFloat, RefusesWhatIsNoNumberWithTheExactMessage) {
    Separators english('.', ',');
    for (const char* text : {"", " ", "-", ".", "-.", "abc", "1.2.3", "1,5", "1,000", "12a", "1e", "1e+", "e5",
                             "--1", "+-1", "1 2", "1e999", "0x10", "inf", "nan"}) {
        double v = 42;
        EXPECT_FALSE(TryStrToFloat(text, v)) << "'" << text << "'";
        EXPECT_EQ(v, 42) << "'" << text << "'";
        try {
            StrToFloat(text);
            ADD_FAILURE() << "'" << text << "' was read";
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid floating point value");
        }
    }
}

TEST(StrToFloat, TheDecimalSeparatorComesFromTheSettings) {
    Separators german(',', '.');
    EXPECT_DOUBLE_EQ(StrToFloat("12,5"), 12.5);
    double v = 0;
    EXPECT_FALSE(TryStrToFloat("12.5", v));  // the point is now a thousands separator, not accepted here
    EXPECT_DOUBLE_EQ(StrToFloat(FormatFloat("0.00", -1234.5)), -1234.5);
}

TEST(FormatFloat, FormattedTextReadsBack) {
    for (char decimal : {'.', ','}) {
        Separators s(decimal, decimal == '.' ? ',' : '.');
        for (double v : {0.0, 1.0, -1.0, 12.5, 0.1, 1e-7, 123456789.0, 1e300, -2.5e-300})
            EXPECT_EQ(StrToFloat(FormatFloat("", v)), v) << v << " with '" << decimal << "'";
    }
}

}  // namespace
