#include "CompileUnit.h"
#include "DecompileUnit.h"
#include "Exceptions.h"
#include "ProjectUnit.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string Text(TProject& p) {
    return std::string(static_cast<const char*>(p.ProjectStream->Memory()),
                       static_cast<std::size_t>(p.ProjectStream->Size()));
}

void SetText(TProject& p, const std::string& text) {
    p.ProjectStream->Clear();
    p.ProjectStream->WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

std::string Join(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\r\n";
    return s;
}

std::vector<std::string> Lines(const TStrings& s) {
    std::vector<std::string> v;
    for (int i = 0; i < s.Count(); ++i) v.push_back(s.Strings(i));
    return v;
}

void Fill(TProject& p) {
    p.Title = "Ocean Waves";
    p.LogoFile = "C:\\Art\\logo.jpg";
    p.Publisher = "Nimbrel";
    p.Homepage = "http://example.com/";
    p.Email = "info@example.com";
    p.Copyright = "(c) 2026 Nimbrel";
    p.RandomPlay = true;
    p.ShowLicense = false;
    p.OutputFile = "C:\\Out\\waves.exe";
    p.BuildId = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";
    p.FlashList->Add("C:\\Movies\\a.swf");
    p.FlashList->Add("C:\\Movies\\b.swf");
    p.LicenseText->Add("Use at your own risk.");
}

void ExpectSameFields(TProject& a, TProject& b) {
    EXPECT_EQ(a.Title, b.Title);
    EXPECT_EQ(a.LogoFile, b.LogoFile);
    EXPECT_EQ(a.Publisher, b.Publisher);
    EXPECT_EQ(a.Homepage, b.Homepage);
    EXPECT_EQ(a.Email, b.Email);
    EXPECT_EQ(a.Copyright, b.Copyright);
    EXPECT_EQ(a.RandomPlay, b.RandomPlay);
    EXPECT_EQ(a.ShowLicense, b.ShowLicense);
    EXPECT_EQ(a.OutputFile, b.OutputFile);
    EXPECT_EQ(a.BuildId, b.BuildId);
    EXPECT_EQ(Lines(*a.FlashList), Lines(*b.FlashList));
    EXPECT_EQ(Lines(*a.LicenseText), Lines(*b.LicenseText));
}

TEST(Project, EmptyProjectIsSeventeenLines) {
    TProject p;
    p.SaveToStream();
    EXPECT_EQ(Text(p), "\r\n\r\n\r\n\r\n\r\n\r\n0\r\nNO\r\nNO\r\nNO\r\n0\r\n0\r\n\r\n\r\n\r\n\r\nNO\r\n");
}

TEST(Project, TwoMoviesAndOneAgreementLineLayout) {
    TProject p;
    Fill(p);
    p.SaveToStream();
    EXPECT_EQ(Text(p), Join({"Ocean Waves", "C:\\Art\\logo.jpg", "Nimbrel", "http://example.com/",
                             "info@example.com", "(c) 2026 Nimbrel", "2", "C:\\Movies\\a.swf", "C:\\Movies\\b.swf",
                             "YES", "NO", "NO", "1", "Use at your own risk.", "0", "", "", "C:\\Out\\waves.exe",
                             "{6B29FC40-CA47-1067-B31D-00DD010662DA}", "NO"}));
}

TEST(Project, SaveWritesAtTheStreamsPosition) {
    TProject p;
    p.ProjectStream->WriteBuffer("head", 4);
    p.SaveToStream();
    EXPECT_EQ(Text(p).substr(0, 6), "head\r\n");
}

TEST(Project, EveryFieldRoundTripsThroughTextAndContainer) {
    TProject a;
    Fill(a);
    a.ShowLicense = true;
    a.RandomPlay = false;
    a.SaveToStream();

    TCompileStream writer;
    writer.AddStream(a.ProjectStream.get(), true);
    TDecompileStream reader;
    reader.Decompile(writer.Compile());

    TProject b;
    b.FlashList->Add("stale");
    b.ProjectStream->LoadFromStream(reader.GetStream(0, true).get());
    b.LoadFromStream();
    ExpectSameFields(a, b);
}

TEST(Project, OnlyUpperCaseYesIsTrue) {
    for (const char* word : {"yes", "Yes", "YES ", "TRUE", "1", ""}) {
        TProject p;
        p.RandomPlay = true;
        p.ShowLicense = true;
        SetText(p, Join({"", "", "", "", "", "", "0", word, word, "NO", "0", "0", "", "", "", "", "NO"}));
        p.LoadFromStream();
        EXPECT_FALSE(p.RandomPlay) << word;
        EXPECT_FALSE(p.ShowLicense) << word;
    }
}

TEST(Project, LinesMayEndWithCrLfOrCrLf) {
    TProject p;
    SetText(p, "T\rL\nP\r\nH\nE\rC\n1\nm.swf\rYES\nYES\rNO\n1\rlicence\n0\n\n\rout.exe\n{ID}");
    p.LoadFromStream();
    EXPECT_EQ(p.Title, "T");
    EXPECT_EQ(p.Copyright, "C");
    EXPECT_EQ(Lines(*p.FlashList), std::vector<std::string>{"m.swf"});
    EXPECT_TRUE(p.RandomPlay);
    EXPECT_TRUE(p.ShowLicense);
    EXPECT_EQ(Lines(*p.LicenseText), std::vector<std::string>{"licence"});
    EXPECT_EQ(p.OutputFile, "out.exe");
    EXPECT_EQ(p.BuildId, "{ID}");
}

TEST(Project, CountsOfZeroOrLessAddNothingAndPlaceLaterLinesByTheCount) {
    // N = -2: RandomPlay comes from line 5, ShowLicense from line 6 ("-2"),
    // M from line 8, OutputFile from line 12+M.
    TProject p;
    p.FlashList->Add("old");
    SetText(p, Join({"t", "l", "p", "h", "e", "YES", "-2", "x", "0", "y", "z", "w", "out", "id"}));
    p.LoadFromStream();
    EXPECT_EQ(p.FlashList->Count(), 0);
    EXPECT_TRUE(p.RandomPlay);
    EXPECT_FALSE(p.ShowLicense);
    EXPECT_EQ(p.LicenseText->Count(), 0);
    EXPECT_EQ(p.OutputFile, "out");
    EXPECT_EQ(p.BuildId, "id");
}

struct Bad {
    const char* name;
    std::string text;
    const char* message;
};

TEST(Project, MalformedTextsFailWithTheirErrors) {
    const auto base = [](const std::string& n, const std::string& m) {
        return Join({"t", "l", "p", "h", "e", "c", n, "NO", "NO", "NO", m, "0", "", "", "o", "b", "NO"});
    };
    const Bad cases[] = {
        {"empty text", "", "List index out of bounds (0)"},
        {"six lines", Join({"t", "l", "p", "h", "e", "c"}), "List index out of bounds (6)"},
        {"movie count not a number", base("two", "0"), "'two' is not a valid integer value"},
        {"movie count with blanks", base("2 ", "0"), "'2 ' is not a valid integer value"},
        {"movie count empty", base("", "0"), "'' is not a valid integer value"},
        {"movie count overflows", base("4294967296", "0"), "'4294967296' is not a valid integer value"},
        {"licence count not a number", base("0", "x1"), "'x1' is not a valid integer value"},
        {"more movies than lines", base("1000", "0"), "List index out of bounds (17)"},
        {"huge movie count", base("2147483647", "0"), "List index out of bounds (17)"},
        {"huge licence count", base("0", "2147483647"), "List index out of bounds (17)"},
        {"very negative movie count", base("-10", "0"), "List index out of bounds (-3)"},
        {"most negative counts", base("-2147483648", "0"), "List index out of bounds (-2147483641)"},
        {"output line missing", Join({"t", "l", "p", "h", "e", "c", "0", "NO", "NO", "NO", "0", "0", "", ""}),
         "List index out of bounds (14)"},
        {"build line missing", Join({"t", "l", "p", "h", "e", "c", "0", "NO", "NO", "NO", "0", "0", "", "", "o"}),
         "List index out of bounds (15)"},
    };
    for (const Bad& c : cases) {
        TProject p;
        SetText(p, c.text);
        try {
            p.LoadFromStream();
            ADD_FAILURE() << c.name << ": loaded";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
            const bool list = std::string(c.message).rfind("List", 0) == 0;
            if (list) EXPECT_TRUE(dynamic_cast<const EListError*>(&e)) << c.name;
            else EXPECT_TRUE(dynamic_cast<const EConvertError*>(&e)) << c.name;
        }
    }
}

TEST(Project, AFailedLoadKeepsWhatWasReadAndLeavesTheRest) {
    TProject p;
    Fill(p);
    SetText(p, Join({"New", "logo", "pub", "home", "mail", "copy", "3", "m1.swf", "m2.swf"}));
    EXPECT_THROW(p.LoadFromStream(), EListError);
    EXPECT_EQ(p.Title, "New");
    EXPECT_EQ(p.Copyright, "copy");
    EXPECT_EQ(Lines(*p.FlashList), (std::vector<std::string>{"m1.swf", "m2.swf"}));
    EXPECT_TRUE(p.RandomPlay);  // not reached: old value kept
    EXPECT_EQ(Lines(*p.LicenseText), std::vector<std::string>{"Use at your own risk."});
    EXPECT_EQ(p.BuildId, "{6B29FC40-CA47-1067-B31D-00DD010662DA}");
}

}  // namespace
