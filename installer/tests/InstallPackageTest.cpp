#include "InstallPackage.h"
#include "LogoDecoderStandIns.h"
#include "PackageFixture.h"
#include "BitmapFile.h"
#include "SysUtils.h"

#include <gtest/gtest.h>

using namespace fixture;

namespace {

std::string InstalledFrom(const std::string& Package, TInstallPackage& Reader) {
    auto source = StreamOf(Package);
    Reader.Load(source.get());
    Reader.CheckUsable(THeadersOnlyLogos());
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

// Reading alone does not judge what the screensaver will make of the file:
// the test programs build crafted screensaver files through it.
TEST(InstallPackage, EmptyLogoAndNoMoviesStillMakeAWellFormedFile) {
    TPackageParts parts;
    parts.Movies.clear();
    parts.Logo.clear();
    TInstallPackage reader;
    auto source = StreamOf(parts.Package());
    reader.Load(source.get());
    const std::string installed = Bytes(*reader.InstalledFile());
    TDecompileStream runtime;
    auto file = StreamOf(installed);
    runtime.Decompile(file.get());
    ASSERT_EQ(runtime.Count(), 4);
    EXPECT_EQ(Bytes(*runtime.GetStream(1, true)), parts.MovieContainer());
    EXPECT_EQ(runtime.GetStream(3, true)->Size(), 0);
    EXPECT_GT(runtime.StoredSizes()[3], 0);
}

// Every picture format the screensaver's loader knows, chosen by the
// extension of the logo's name in any case, is taken.
TEST(InstallPackage, LogosOfEveryFormatTheScreensaverLoadsAreTaken) {
    const std::uint32_t pixels[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    const std::vector<std::uint8_t> bmp = EncodeBmp24(2, 2, pixels);
    std::string icon(6 + 16 + 40, '\0');
    PutLe(icon, 2, 1, 2);
    PutLe(icon, 4, 1, 2);
    PutLe(icon, 6 + 8, 40, 4);
    PutLe(icon, 6 + 12, 22, 4);
    const std::pair<std::string, std::string> logos[] = {
        {"C:\\art\\logo.bmp", std::string(bmp.begin(), bmp.end())},
        {"C:\\art\\LOGO.JPEG", JpegLogo()},
        {"logo.Jpg", JpegLogo()},
        {"C:\\art\\logo.ico", icon},
    };
    for (const auto& [name, bytes] : logos) {
        TPackageParts parts;
        parts.LogoFile = name;
        parts.Logo = bytes;
        TInstallPackage reader;
        auto source = StreamOf(parts.Package());
        reader.Load(source.get());
        EXPECT_NO_THROW(reader.CheckUsable(THeadersOnlyLogos())) << name;
    }
}

// What the installer learns of a file already in the place of the new one.
TEST(InstallPackage, TheOriginOfAnInstalledFileIsItsTitleAndBuildIdentifier) {
    TPackageParts parts;
    parts.Title = "Sample Screensaver";
    parts.BuildId = "{11111111-2222-3333-4444-555555555555}";
    auto installed = StreamOf(parts.InstalledFile());
    const auto origin = ReadInstalledOrigin(installed.get());
    ASSERT_TRUE(origin);
    EXPECT_EQ(origin->Title, "Sample Screensaver");
    EXPECT_EQ(origin->BuildId, "{11111111-2222-3333-4444-555555555555}");

    std::string damaged = parts.InstalledFile();
    damaged[Extents(damaged)[2].Offset + 3] ^= 0x21;
    for (const std::string& bytes : {std::string("an older version"), parts.Package(), damaged, std::string()}) {
        auto s = StreamOf(bytes);
        EXPECT_FALSE(ReadInstalledOrigin(s.get())) << bytes.size();
    }
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

std::string With(const std::function<void(TPackageParts&)>& Change) {
    TPackageParts parts;
    Change(parts);
    return parts.Package();
}

const char* const NotAProgram = "The installation package is damaged: its screensaver program is not a Windows program.";

std::string NotALogo(const char* Name) {
    return std::string("The installation package is damaged: its logo is not a picture the screensaver can show (\"") +
           Name + "\").";
}

class InstallPackageRefuses : public ::testing::TestWithParam<BadPackage> {};

TEST_P(InstallPackageRefuses, WithAMessageForTheUser) {
    TInstallPackage reader;
    auto source = StreamOf(GetParam().Make());
    try {
        reader.Load(source.get());
        reader.CheckUsable(THeadersOnlyLogos());
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
        BadPackage{"LogoDamaged", [] { return WithStreamByteFlipped(4); }, Damaged("logo")},
        // Crafted packages whose screensaver could never run.
        BadPackage{"RuntimeOnlyStartsLikeAProgram", [] { return With([](auto& p) { p.Runtime = "MZ" + Blob(1, 3000); }); },
                   NotAProgram},
        BadPackage{"RuntimeIsALibrary",
                   [] { return With([](auto& p) { p.Runtime = ProgramHeaders(0x8664, 0x2022) + Blob(1, 300); }); },
                   NotAProgram},
        BadPackage{"RuntimeForAnotherMachine",
                   [] { return With([](auto& p) { p.Runtime = ProgramHeaders(0x0200) + Blob(1, 300); }); }, NotAProgram},
        BadPackage{"RuntimeForAnotherSubsystem",
                   [] { return With([](auto& p) { p.Runtime = ProgramHeaders(0x8664, 0x0022, 1) + Blob(1, 300); }); },
                   NotAProgram},
        BadPackage{"RuntimeHeadersCutShort", [] { return With([](auto& p) { p.Runtime = ProgramHeaders().substr(0, 200); }); },
                   NotAProgram},
        BadPackage{"NoMovies", [] { return With([](auto& p) { p.Movies.clear(); }); },
                   "The installation package is damaged: it holds no movie."},
        BadPackage{"FewerMoviesThanListed",
                   [] {
                       TPackageParts listed;
                       listed.Movies.push_back(Blob(5, 100));
                       auto s = listed.Streams();
                       s[2].Bytes = TPackageParts().MovieContainer();
                       return Container(s);
                   },
                   "The installation package is damaged: it holds 2 movies, but its screensaver settings list 3."},
        BadPackage{"EmptyLogo", [] { return With([](auto& p) { p.Logo.clear(); }); }, NotALogo("logo.jpg")},
        BadPackage{"LogoNotAJpegFile", [] { return With([](auto& p) { p.Logo = Blob(4, 900); }); }, NotALogo("logo.jpg")},
        BadPackage{"JpegLogoWithoutAFrame",
                   [] { return With([](auto& p) { p.Logo = JpegLogo().erase(20, 13); }); }, NotALogo("logo.jpg")},
        BadPackage{"JpegLogoCutInItsHeaders",
                   [] { return With([](auto& p) { p.Logo = JpegLogo().substr(0, 30); }); }, NotALogo("logo.jpg")},
        BadPackage{"BitmapLogoCutShort",
                   [] {
                       return With([](auto& p) {
                           const std::uint32_t px[4] = {};
                           const auto bmp = EncodeBmp24(2, 2, px);
                           p.Logo.assign(bmp.begin(), bmp.end() - 4);
                           p.LogoFile = "logo.bmp";
                       });
                   },
                   NotALogo("logo.bmp")},
        BadPackage{"LogoOfAFormatTheScreensaverDoesNotLoad",
                   [] { return With([](auto& p) { p.LogoFile = "C:\\art\\logo.gif"; }); }, NotALogo("logo.gif")}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// JPEG files and icons whose headers hold go to the system's decoder with
// exactly the logo's bytes, and its refusal refuses the package; bitmaps
// and logos whose headers already fail never reach it.
struct DecoderCase {
    const char* Name;
    friend void PrintTo(const DecoderCase& C, std::ostream* Os) { *Os << C.Name; }
    std::string LogoFile, Logo;
    bool DecoderAnswer;
    char Asked;  // the format the decoder is asked about; 0: not asked
    bool Usable;
};

// Reader loads a package whose logo is Logo under the name LogoFile.
void LoadWithLogo(TInstallPackage& Reader, const std::string& LogoFile, const std::string& Logo) {
    TPackageParts parts;
    parts.LogoFile = LogoFile;
    parts.Logo = Logo;
    auto source = StreamOf(parts.Package());
    Reader.Load(source.get());
}

class InstallPackageLogoDecoding : public ::testing::TestWithParam<DecoderCase> {};

TEST_P(InstallPackageLogoDecoding, GoesToTheSystemDecoderOnlyAfterTheHeaders) {
    const DecoderCase& c = GetParam();
    TInstallPackage reader;
    LoadWithLogo(reader, c.LogoFile, c.Logo);
    const TScriptedLogos decoder(c.DecoderAnswer);
    if (c.Usable) {
        EXPECT_NO_THROW(reader.CheckUsable(decoder));
    } else {
        try {
            reader.CheckUsable(decoder);
            ADD_FAILURE() << "accepted";
        } catch (const EInstallError& e) {
            EXPECT_EQ(e.Message(), NotALogo(ExtractFileName(c.LogoFile).c_str()));
        }
    }
    if (c.Asked)
        EXPECT_EQ(decoder.Asked(), (std::vector<std::pair<char, std::string>>{{c.Asked, c.Logo}}));
    else
        EXPECT_TRUE(decoder.Asked().empty());
}

std::string BitmapLogo() {
    const std::uint32_t pixels[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    const auto bmp = EncodeBmp24(2, 2, pixels);
    return std::string(bmp.begin(), bmp.end());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallPackageLogoDecoding,
    ::testing::Values(DecoderCase{"JpegDecodes", "logo.jpg", JpegLogo(), true, 'J', true},
                      DecoderCase{"JpegDoesNotDecode", "C:\\art\\logo.JPEG", JpegLogo(), false, 'J', false},
                      DecoderCase{"IconDecodes", "logo.ico", IconLogo(), true, 'I', true},
                      DecoderCase{"IconDoesNotDecode", "C:\\art\\logo.ico", IconLogo(), false, 'I', false},
                      DecoderCase{"JpegHeadersFail", "logo.jpg", JpegLogo().substr(0, 30), true, 0, false},
                      DecoderCase{"IconDirectoryFails", "logo.ico", IconLogo().substr(0, 200), true, 0, false},
                      DecoderCase{"BitmapsAreReadHere", "logo.bmp", BitmapLogo(), false, 0, true}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// The damaged logos the Windows tests give the installer hold their headers:
// only the system's decoder can refuse them.
TEST(InstallPackage, LogosDamagedPastTheirHeadersAreLeftToTheDecoder) {
    for (const auto& logo : UndecodableLogos()) {
        TInstallPackage reader;
        LoadWithLogo(reader, logo.LogoFile, logo.Bytes);
        const TScriptedLogos decoder(true);
        EXPECT_NO_THROW(reader.CheckUsable(decoder)) << logo.Name;
        EXPECT_EQ(decoder.Asked().size(), 1u) << logo.Name;
    }
}

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
