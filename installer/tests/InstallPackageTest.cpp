#include "InstallPackage.h"
#include "PackageFixture.h"

#include <gtest/gtest.h>

using namespace fixture;

namespace {

std::string InstalledFrom(const std::string& Package, TInstallPackage& Reader) {
    auto source = StreamOf(Package);
    Reader.Load(source.get());
    return Bytes(*Reader.InstalledFile());
}

TEST(InstallPackage, InstalledFileIsTheRuntimeThenThePackagesCompressedStreamsAsStored) {
    const TPackageParts parts;
    const std::string package = parts.Package();
    TInstallPackage reader;
    const std::string installed = InstalledFrom(package, reader);
    EXPECT_EQ(reader.Project().Title, "Harbour Lights");

    // The program comes first, unchanged, so the file runs.
    ASSERT_GE(installed.size(), parts.Runtime.size());
    EXPECT_EQ(installed.substr(0, parts.Runtime.size()), parts.Runtime);

    const auto in = Extents(package), out = Extents(installed);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0].Size, parts.Runtime.size());
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(installed.substr(out[i].Offset, out[i].Size), package.substr(in[i + 1].Offset, in[i + 1].Size))
            << "stream " << i;
    // Table: 4 pairs and the count, right after the last stream.
    EXPECT_EQ(installed.size(), out[3].Offset + out[3].Size + 4 * 8 + 4);

    // Read back the way the screensaver reads itself.
    TDecompileStream runtime;
    auto file = StreamOf(installed);
    runtime.Decompile(file.get());
    EXPECT_EQ(runtime.UnpackedSizes()[0], runtime.StoredSizes()[0]);
    EXPECT_EQ(Bytes(*runtime.GetStream(1, true)), parts.MovieContainer());
    EXPECT_EQ(Bytes(*runtime.GetStream(2, true)), parts.ProjectText());
    EXPECT_EQ(Bytes(*runtime.GetStream(3, true)), parts.Logo);
    EXPECT_EQ(runtime.GetStream(4, true)->Size(), 0);
}

TEST(InstallPackage, EmptyLogoAndNoMoviesStillMakeAWellFormedFile) {
    TPackageParts parts;
    parts.Movies.clear();
    parts.Logo.clear();
    TInstallPackage reader;
    const std::string installed = InstalledFrom(parts.Package(), reader);
    TDecompileStream runtime;
    auto file = StreamOf(installed);
    runtime.Decompile(file.get());
    ASSERT_EQ(runtime.Count(), 4);
    EXPECT_EQ(Bytes(*runtime.GetStream(1, true)), parts.MovieContainer());
    EXPECT_EQ(runtime.GetStream(3, true)->Size(), 0);
    EXPECT_GT(runtime.StoredSizes()[3], 0);
}

TEST(InstallPackage, LicenceAndOptionsComeFromTheProjectText) {
    TPackageParts parts;
    parts.ShowLicense = true;
    parts.Licence = {"First line", "", "Third line"};
    TInstallPackage reader;
    auto source = StreamOf(parts.Package());
    reader.Load(source.get());
    EXPECT_TRUE(reader.Project().ShowLicense);
    ASSERT_EQ(reader.Project().LicenseText->Count(), 3);
    EXPECT_EQ(reader.Project().LicenseText->Strings(2), "Third line");
}

struct BadPackage {
    const char* Name;
    friend void PrintTo(const BadPackage& C, std::ostream* Os) { *Os << C.Name; }
    std::function<std::string()> Make;
    std::string Message;
};

const char* const NotAPackage = "This file is not a screensaver installation package, or it is damaged.";

std::string Damaged(const char* What) {
    return std::string("The installation package is damaged: its ") + What + " cannot be read.";
}

// The package with the last stored byte of one stream changed: the zlib
// trailer no longer matches.
std::string WithStreamByteFlipped(int Index) {
    std::string package = TPackageParts().Package();
    const auto e = Extents(package)[static_cast<std::size_t>(Index)];
    package[e.Offset + e.Size - 1] ^= 0x5A;
    return package;
}

std::string WithStream(int Index, TPackedStream Part) {
    auto streams = TPackageParts().Streams();
    streams[static_cast<std::size_t>(Index)] = std::move(Part);
    return Container(streams);
}

class InstallPackageRefuses : public ::testing::TestWithParam<BadPackage> {};

TEST_P(InstallPackageRefuses, WithAMessageForTheUser) {
    TInstallPackage reader;
    auto source = StreamOf(GetParam().Make());
    try {
        reader.Load(source.get());
        FAIL() << "accepted";
    } catch (const EInstallError& e) {
        EXPECT_EQ(e.Message(), GetParam().Message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallPackageRefuses,
    ::testing::Values(
        BadPackage{"EmptyFile", [] { return std::string(); }, NotAPackage},
        BadPackage{"ProgramWithoutPackage", [] { return "MZ" + Blob(9, 4000) + std::string("\x10\0\0\0", 4); },
                   NotAPackage},
        BadPackage{"CutShort",
                   [] {
                       const std::string p = TPackageParts().Package();
                       return p.substr(0, p.size() - 10);
                   },
                   NotAPackage},
        BadPackage{"FourStreams",
                   [] {
                       auto s = TPackageParts().Streams();
                       s.pop_back();
                       return Container(s);
                   },
                   NotAPackage},
        BadPackage{"SixStreams",
                   [] {
                       auto s = TPackageParts().Streams();
                       s.push_back({"extra", true});
                       return Container(s);
                   },
                   NotAPackage},
        BadPackage{"RuntimeStoredRaw", [] { return WithStream(1, {"MZ" + Blob(1, 100), false}); },
                   Damaged("screensaver program")},
        BadPackage{"RuntimeNotAProgram", [] { return WithStream(1, {Blob(1, 100), true}); },
                   Damaged("screensaver program")},
        BadPackage{"RuntimeDamaged", [] { return WithStreamByteFlipped(1); }, Damaged("screensaver program")},
        BadPackage{"MoviesDamaged", [] { return WithStreamByteFlipped(2); }, Damaged("movies")},
        BadPackage{"MoviesNotAContainer", [] { return WithStream(2, {"abc", true}); }, Damaged("movies")},
        BadPackage{"SettingsDamaged", [] { return WithStreamByteFlipped(3); },
                   Damaged("screensaver settings")},
        BadPackage{"SettingsCountNotANumber",
                   [] { return WithStream(3, {"T\r\n\r\n\r\n\r\n\r\n\r\nmany\r\n", true}); },
                   Damaged("screensaver settings")},
        BadPackage{"SettingsTooShort", [] { return WithStream(3, {"Title only\r\n", true}); },
                   Damaged("screensaver settings")},
        BadPackage{"LogoDamaged", [] { return WithStreamByteFlipped(4); }, Damaged("logo")}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct NameCase {
    const char* Title;
    const char* File;
    friend void PrintTo(const NameCase& C, std::ostream* Os) { *Os << '"' << C.Title << '"'; }
};

class ScreensaverFileNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ScreensaverFileNames, AreSafeOnWindows) {
    EXPECT_EQ(ScreensaverFileName(GetParam().Title), GetParam().File);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScreensaverFileNames,
    ::testing::Values(NameCase{"Harbour Lights", "Harbour Lights.scr"},
                      NameCase{"a<b>c:d\"e/f\\g|h?i*j", "a_b_c_d_e_f_g_h_i_j.scr"},
                      NameCase{"tab\there\x01", "tab_here_.scr"},
                      NameCase{"  Stars ...  ", "Stars.scr"},
                      NameCase{"Version 1.5", "Version 1.5.scr"},
                      NameCase{"", "Screensaver.scr"},
                      NameCase{" . . ", "Screensaver.scr"},
                      NameCase{"con", "_con.scr"},
                      NameCase{"LPT1.old", "_LPT1.old.scr"},
                      NameCase{"COM0", "COM0.scr"},
                      NameCase{"Console", "Console.scr"},
                      NameCase{"Caf\xE9 Nights", "Caf\xE9 Nights.scr"}));

TEST(ScreensaverFileNames, VeryLongTitlesAreCutWithoutLeavingATrailingDot) {
    const std::string title = std::string(99, 'x') + ". and then much more text follows here";
    EXPECT_EQ(ScreensaverFileName(title), std::string(99, 'x') + ".scr");
    EXPECT_EQ(ScreensaverFileName(std::string(300, 'y')), std::string(100, 'y') + ".scr");
}

}  // namespace
