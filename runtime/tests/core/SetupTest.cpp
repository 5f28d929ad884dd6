#include "Fakes.h"
#include "OwnPackage.h"
#include "SetupLogo.h"
#include "SetupTexts.h"

#include <gtest/gtest.h>

namespace {

const std::string kTemp = "C:\\Temp\\";

TEST(SetupTexts, ComeFromTheProject) {
    TProject p;
    p.Title = "Clouds";
    p.Publisher = " Nimbrel Ltd ";
    p.Homepage = "www.nimbrel.example";
    p.Email = "info@nimbrel.example";
    p.Copyright = "(c) 2026 Nimbrel";
    const TSetupTexts t = SetupTextsFor(p);
    EXPECT_EQ(t.Title, "Clouds");
    EXPECT_EQ(t.Publisher, "by  Nimbrel Ltd ");
    EXPECT_EQ(t.HomepageCaption, "www.nimbrel.example");
    EXPECT_EQ(t.HomepageURL, "www.nimbrel.example");
    EXPECT_EQ(t.EmailCaption, "info@nimbrel.example");
    EXPECT_EQ(t.EmailURL, "mailto:info@nimbrel.example");
    EXPECT_EQ(t.Copyright, "(c) 2026 Nimbrel");
    EXPECT_EQ(t.WindowCaption, "Clouds Setup Window");
}

TEST(SetupTexts, BlankPublisherAndEmptyEmail) {
    TProject p;
    p.Publisher = " \t ";
    const TSetupTexts t = SetupTextsFor(p);
    EXPECT_EQ(t.Publisher, "");
    EXPECT_EQ(t.EmailURL, "mailto:");
    EXPECT_EQ(t.WindowCaption, " Setup Window");
}

TEST(SetupProject, LoadsFromTheInstalledFile) {
    TProject original;
    original.Title = "Clouds";
    original.BuildId = kBuildId;
    original.FlashList->Add("a.swf");
    auto own = StreamOf(InstalledFile(original, {"M"}));
    TDecompileStream package;
    package.Decompile(own.get());
    TProject p;
    LoadProject(package, p);
    EXPECT_EQ(p.Title, "Clouds");
    EXPECT_EQ(p.BuildId, kBuildId);
}

TEST(SetupSettings, ReadDefaultsSaveAndCreate) {
    TMemorySettings store;
    const std::string key = ScreensaverKeyName(kBuildId);
    EXPECT_EQ(key, "Software\\Nimbrel\\Screensavers\\{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}\\");

    auto s = ReadSettings(store, kBuildId);
    EXPECT_FALSE(s.Mute);
    EXPECT_FALSE(s.IgnoreMouse);
    EXPECT_TRUE(store.Keys.count(key)) << "reading creates the key";

    EXPECT_TRUE(SaveSettings(store, kBuildId, {true, false}));
    EXPECT_EQ(store.Keys[key], (std::map<std::string, bool>{{"mute", true}, {"ignore", false}}));
    s = ReadSettings(store, kBuildId);
    EXPECT_TRUE(s.Mute);
    EXPECT_FALSE(s.IgnoreMouse);
    EXPECT_EQ(store.Log.back(), "close");
}

TEST(SetupSettings, AKeyThatCannotBeOpenedGivesDefaultsAndSavesNothing) {
    TMemorySettings store;
    store.Openable = false;
    EXPECT_FALSE(ReadSettings(store, kBuildId).Mute);
    EXPECT_FALSE(SaveSettings(store, kBuildId, {true, true}));
    EXPECT_TRUE(store.Keys.empty());
    EXPECT_TRUE(store.Log.empty());
}

TEST(SetupLogo, GetsAFreeNameWithItsExtensionAndIsDeletedOnEveryPath) {
    TMemoryFileSystem fs;
    fs.Files[kTemp + "logo.jpg"] = "the user's own";
    auto bytes = StreamOf("JPEGDATA");
    std::string seenPath, seenBytes;
    LoadLogoThroughFile(fs, kTemp, "C:\\Projects\\logo.jpg", *bytes, [&](const std::string& path) {
        seenPath = path;
        seenBytes = fs.Files[path];
    });
    EXPECT_EQ(seenPath, kTemp + "$logo.jpg");
    EXPECT_EQ(seenBytes, "JPEGDATA");
    EXPECT_EQ(fs.Files, (std::map<std::string, std::string>{{kTemp + "logo.jpg", "the user's own"}}));

    EXPECT_THROW(LoadLogoThroughFile(fs, kTemp, "pic.bmp", *bytes,
                                     [](const std::string&) { throw EInvalidGraphic("Invalid graphic format"); }),
                 EInvalidGraphic);
    EXPECT_EQ(fs.Files.size(), 1u) << "the copy is gone after a failed load too";
    EXPECT_EQ(fs.Log.back(), "delete " + kTemp + "pic.bmp");
}

TEST(SetupLogo, NoLogoNameStillGivesAFileName) {
    TMemoryFileSystem fs;
    EXPECT_EQ(TempLogoPath(fs, kTemp, ""), kTemp + "logo");
}

}  // namespace
