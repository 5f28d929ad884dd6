// File themes, the embedded theme, the theme manager and the choice between
// file and built-in values.
#include "SkinPixels.h"
#include "TestBitmaps.h"
#include "TestSkinControls.h"
#include "ThemeFileWriter.h"
#include "ThemeManager.h"

#include "FileStream.h"
#include "Form.h"
#include "Streams.h"
#include "SysUtils.h"
#include "TypInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> ThemeBytes(std::int32_t RoundCorner, int ButtonWidth = 9) {
    TskThemeFileWriter writer;
    writer.AddBitmap("ButtonImage", MakeBitmap(ButtonWidth, 3));
    writer.AddInteger("FormRoundCornerInt", RoundCorner);
    writer.AddInteger("FormBackgroundColor", 0x00F59F86);
    writer.AddBoolean("ButtonTransparentBool", true);
    return writer.Bytes();
}

bool Exists(const std::string& Name) {
    const DWORD a = GetFileAttributesA(Name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteFile(const std::string& Name, const std::vector<std::uint8_t>& Bytes) {
    TFileStream f(Name, fmCreate);
    f.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
}

std::string TempFolder() {
    char path[MAX_PATH + 1] = {};
    return IncludeTrailingPathDelimiter(std::string(path, GetTempPathA(MAX_PATH, path)));
}

std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    return ExtractFilePath(std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH)));
}

// A file removed at the end of the test.
struct TScratchFile {
    explicit TScratchFile(std::string FileName, const std::vector<std::uint8_t>& Bytes) : Name(std::move(FileName)) {
        WriteFile(Name, Bytes);
    }
    ~TScratchFile() { DeleteFileA(Name.c_str()); }
    std::string Name;
};

std::string Unique(const std::string& Stem) {
    return Stem + "_" + std::to_string(GetCurrentProcessId()) + ".skn";
}

// A theme loaded from ThemeBytes(7) and one that never loaded a file.
struct TLoadedAndUnloaded {
    TLoadedAndUnloaded() { loaded->SetThemeFile(file.Name); }
    TScratchFile file{TempFolder() + Unique("resolve"), ThemeBytes(7)};
    TOwned<TskFileTheme> loaded = CreateOwned<TskFileTheme>();
    TOwned<TskFileTheme> unloaded = CreateOwned<TskFileTheme>();
};

TEST(ResolveUIStyle, FileOnlyForFromThemeFileWithALoadedTheme) {
    TLoadedAndUnloaded themes;
    ASSERT_TRUE(themes.loaded->IsLoaded());
    const TskFileTheme* loaded = themes.loaded.get();
    const TskFileTheme* unloaded = themes.unloaded.get();

    const struct {
        const TskFileTheme* theme;
        TskUIStyle style;
        bool fromFile;
        TskUIStyle effective;
    } cases[] = {
        {nullptr, TskUIStyle::FromThemeFile, false, TskUIStyle::DeepBlue},
        {unloaded, TskUIStyle::FromThemeFile, false, TskUIStyle::DeepBlue},
        {loaded, TskUIStyle::FromThemeFile, true, TskUIStyle::FromThemeFile},
        {loaded, TskUIStyle::WinXP, false, TskUIStyle::WinXP},
        {nullptr, TskUIStyle::Protein, false, TskUIStyle::Protein},
    };
    for (const auto& c : cases) {
        TskUIStyle effective = TskUIStyle::MacOS;
        EXPECT_EQ(ResolveUIStyle(c.theme, c.style, effective), c.fromFile) << UIStyleName(c.style);
        EXPECT_EQ(effective, c.effective) << UIStyleName(c.style);
    }
}

// Each kind of key comes from the file exactly when ResolveUIStyle says so,
// else from the table of the effective style; the style handed on follows.
TEST(TskResolvedTheme, ReadsEachKindFromTheSourceResolveUIStyleChose) {
    TLoadedAndUnloaded themes;
    ASSERT_TRUE(themes.loaded->IsLoaded());
    const TskFileTheme* loaded = themes.loaded.get();
    const TskFileTheme* unloaded = themes.unloaded.get();

    using K = TskThemeKey;
    const struct {
        const TskFileTheme* theme;
        TskUIStyle style;
        TskUIStyle resolved;
        bool fromFile;
    } cases[] = {
        {loaded, TskUIStyle::FromThemeFile, TskUIStyle::FromThemeFile, true},
        {unloaded, TskUIStyle::FromThemeFile, TskUIStyle::DeepBlue, false},
        {nullptr, TskUIStyle::FromThemeFile, TskUIStyle::DeepBlue, false},
        {loaded, TskUIStyle::WinXP, TskUIStyle::WinXP, false},
        {loaded, TskUIStyle::MacOS, TskUIStyle::MacOS, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(UIStyleName(c.style)) + (c.theme == loaded ? " loaded" : " no file"));
        const TskResolvedTheme theme(c.theme, c.style);
        EXPECT_EQ(theme.FromFile(), c.fromFile);
        EXPECT_EQ(theme.Resolved(), c.resolved);
        if (c.fromFile) {
            EXPECT_EQ(theme.Int(K::FormRoundCornerInt), 7);
            EXPECT_EQ(theme.Color(K::FormBackgroundColor), 0x00F59F86);
            EXPECT_TRUE(theme.Bool(K::ButtonTransparentBool));
            // A key the file lacks reads the file's missing value, not the table's.
            EXPECT_EQ(theme.Color(K::ControlBorderColor), -1);
        } else {
            const TskUIStyle table = theme.Effective();
            EXPECT_EQ(table, c.resolved);
            EXPECT_EQ(theme.Int(K::FormRoundCornerInt), BuiltInThemeInt(table, K::FormRoundCornerInt));
            EXPECT_EQ(theme.Color(K::FormBackgroundColor), BuiltInThemeColor(table, K::FormBackgroundColor));
            EXPECT_EQ(theme.Color(K::ControlBorderColor), BuiltInThemeColor(table, K::ControlBorderColor));
            EXPECT_EQ(theme.Bool(K::ButtonTransparentBool), BuiltInThemeBool(table, K::ButtonTransparentBool));
        }
        // The file's button picture is 9 x 3: whole, or its second of three frames.
        // This program carries no built-in pictures, so the table leaves the bitmap.
        TBitmap whole, frame;
        FillWith(whole, 2, 2, 0x00123456);
        FillWith(frame, 2, 2, 0x00123456);
        theme.Bitmap(K::ButtonImage, &whole);
        theme.Bitmap(K::ButtonImage, &frame, 3, 2);
        EXPECT_EQ(whole.Width(), c.fromFile ? 9 : 2);
        EXPECT_EQ(frame.Width(), c.fromFile ? 3 : 2);
        theme.Bitmap(K::ButtonImage, nullptr, 3, 2);
    }
}

// Holds a theme the way the skinned controls do and notes every removal it
// hears of, and each time it falls back.
class TThemeHolder : public TComponent {
public:
    TskFileTheme* Theme = nullptr;
    std::vector<std::string> Heard;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent) Heard.push_back(AComponent->Name());
        if (FileThemeRemoved(Theme, AComponent, Operation)) Heard.push_back("fallback");
    }
};

TEST(FileThemeLink, OnlyTheThemeHeldTellsOfItsRemovalAndThenItIsLetGo) {
    TOwned<TThemeHolder> holder = CreateOwned<TThemeHolder>();
    TOwned<TskFileTheme> left = CreateOwned<TskFileTheme>();
    TOwned<TskFileTheme> held = CreateOwned<TskFileTheme>();
    left->SetName("Left");
    held->SetName("Held");

    LinkFileTheme(holder.get(), holder->Theme, left.get());
    LinkFileTheme(holder.get(), holder->Theme, held.get());
    LinkFileTheme(holder.get(), holder->Theme, held.get());  // the same again keeps the link
    ASSERT_EQ(holder->Theme, held.get());
    left.reset();
    EXPECT_TRUE(holder->Heard.empty());
    held.reset();
    EXPECT_EQ(holder->Heard, (std::vector<std::string>{"Held", "fallback"}));
    EXPECT_EQ(holder->Theme, nullptr);
}

TEST(FileThemeLink, OnlyTheRemovalOfTheHeldThemeLetsItGo) {
    TOwned<TskFileTheme> theme = CreateOwned<TskFileTheme>();
    TOwned<TskFileTheme> other = CreateOwned<TskFileTheme>();
    const struct {
        const char* what;
        TskFileTheme* held;
        const TComponent* component;
        TOperation operation;
        bool removed;
    } cases[] = {
        {"the held theme goes", theme.get(), theme.get(), opRemove, true},
        {"another theme goes", theme.get(), other.get(), opRemove, false},
        {"the held theme arrives", theme.get(), theme.get(), opInsert, false},
        {"nothing goes from an empty slot", nullptr, nullptr, opRemove, false},
    };
    for (const auto& c : cases) {
        TskFileTheme* slot = c.held;
        EXPECT_EQ(FileThemeRemoved(slot, c.component, c.operation), c.removed) << c.what;
        EXPECT_EQ(slot, c.removed ? nullptr : c.held) << c.what;
    }
}

TEST(TskFileTheme, LookupsByKeyAndNeutralValuesWithoutFile) {
    TOwned<TskFileTheme> theme = CreateOwned<TskFileTheme>();
    EXPECT_FALSE(theme->IsLoaded());
    EXPECT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), 0);
    EXPECT_EQ(theme->ReadColor(TskThemeKey::FormBackgroundColor), 0);
    EXPECT_FALSE(theme->ReadBool(TskThemeKey::ButtonTransparentBool));
    TBitmap untouched;
    FillWith(untouched, 2, 2, 0x00123456);
    theme->ReadBitmap(TskThemeKey::ButtonImage, &untouched);
    EXPECT_EQ(untouched.Width(), 2);

    TScratchFile file(TempFolder() + Unique("lookups"), ThemeBytes(-6));
    theme->SetThemeFile(file.Name);
    EXPECT_TRUE(theme->IsLoaded());
    EXPECT_EQ(theme->ThemeFile(), file.Name);
    EXPECT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), -6);
    EXPECT_EQ(theme->ReadColor(TskThemeKey::FormBackgroundColor), 0x00F59F86);
    EXPECT_TRUE(theme->ReadBool(TskThemeKey::ButtonTransparentBool));
    EXPECT_EQ(theme->ReadInt(TskThemeKey::FormMinWidthInt), -1);  // absent from the file

    TBitmap whole, frame;
    theme->ReadBitmap(TskThemeKey::ButtonImage, &whole);
    EXPECT_EQ(whole.Width(), 9);
    EXPECT_EQ(whole.Height(), 3);
    theme->ReadBitmapFrame(TskThemeKey::ButtonImage, &frame, 3, 3);
    ASSERT_EQ(frame.Width(), 3);
    EXPECT_EQ(PixelAt(frame, 0, 1), PixelAt(whole, 6, 1));
    // A picture the file lacks leaves the graphic as it was.
    theme->ReadBitmapFrame(TskThemeKey::TitleBarButtonImage, &frame, 18, 1);
    EXPECT_EQ(frame.Width(), 3);
}

TEST(TskFileTheme, ABadPictureLeavesTheGraphicAsItWasAndTheRestOfTheThemeHolds) {
    const struct {
        const char* what;
        std::vector<std::uint8_t> picture;
    } cases[] = {{"empty", {}}, {"no bitmap", {'N', 'o', 't', ' ', 'a', ' ', 'B', 'M', 'P'}}};
    for (const auto& c : cases) {
        TskThemeFileWriter writer;
        writer.AddBitmap("ButtonImage", c.picture);
        writer.AddBitmap("CheckBoxImage", MakeBitmap(8, 4));
        writer.AddInteger("FormRoundCornerInt", 7);
        TScratchFile file(TempFolder() + Unique("badpicture"), writer.Bytes());
        TOwned<TskFileTheme> theme = CreateOwned<TskFileTheme>();
        ASSERT_NO_THROW(theme->SetThemeFile(file.Name)) << c.what;
        ASSERT_TRUE(theme->IsLoaded()) << c.what;
        EXPECT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), 7) << c.what;

        TBitmap had, frame;
        FillWith(had, 2, 2, 0x00123456);
        FillWith(frame, 3, 1, 0x00654321);
        theme->ReadBitmap(TskThemeKey::ButtonImage, &had);
        theme->ReadBitmapFrame(TskThemeKey::ButtonImage, &frame, 3, 1);
        EXPECT_EQ(had.Width(), 2) << c.what;
        EXPECT_EQ(PixelAt(had, 1, 1), 0x00123456u) << c.what;
        EXPECT_EQ(frame.Width(), 3) << c.what;
        EXPECT_EQ(PixelAt(frame, 2, 0), 0x00654321u) << c.what;
        TBitmap good;
        theme->ReadBitmap(TskThemeKey::CheckBoxImage, &good);
        EXPECT_EQ(good.Width(), 8) << c.what << ": the other picture loads";
    }
}

TEST(TskFileTheme, BareNameFoundInTheProgramsFolderAndSearchedAgain) {
    const std::string bare = Unique("bare");
    TScratchFile file(ProgramFolder() + bare, ThemeBytes(21));
    // Away from the program's folder, so that the bare name is not found as given.
    struct TCurrentFolder {
        TCurrentFolder() {
            GetCurrentDirectoryA(MAX_PATH, saved);
            SetCurrentDirectoryA(TempFolder().c_str());
        }
        ~TCurrentFolder() { SetCurrentDirectoryA(saved); }
        char saved[MAX_PATH + 1] = {};
    } elsewhere;
    TOwned<TskFileTheme> theme = CreateOwned<TskFileTheme>();
    theme->SetThemeFile(bare);
    ASSERT_TRUE(theme->IsLoaded());
    EXPECT_TRUE(SameText(theme->ThemeFile(), file.Name)) << theme->ThemeFile();
    EXPECT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), 21);

    WriteFile(file.Name, ThemeBytes(22));
    theme->SetThemeFile(bare);  // differs from the full path held, so it loads again
    EXPECT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), 22);
}

TEST(TskFileTheme, EmptyMissingAndInvalidNamesKeepTheLoadedTheme) {
    TScratchFile good(TempFolder() + Unique("keep"), ThemeBytes(5));
    std::vector<std::uint8_t> wrongCase = ThemeBytes(6);
    std::copy_n("vivivuz_tb", 10, wrongCase.begin());
    TScratchFile bad(TempFolder() + Unique("badmagic"), wrongCase);

    TOwned<TskFileTheme> theme = CreateOwned<TskFileTheme>();
    theme->SetThemeFile(good.Name);
    ASSERT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), 5);

    for (const std::string& name : {std::string(), Unique("no_such_theme"), TempFolder() + Unique("no_such_theme")}) {
        theme->SetThemeFile(name);
        EXPECT_EQ(theme->ThemeFile(), good.Name) << name;
        EXPECT_TRUE(theme->IsLoaded());
        EXPECT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), 5) << name;
    }

    try {
        theme->SetThemeFile(bad.Name);
        FAIL() << "no exception";
    } catch (const EStreamError&) {
        FAIL() << "stream error instead of the theme error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Invalid skin file for VIVIvuz!");
    }
    EXPECT_EQ(theme->ThemeFile(), good.Name);
    EXPECT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), 5);
}

TEST(TskFileTheme, DamagedThemeRaisesTheStreamErrorAndKeepsTheOldOne) {
    TScratchFile good(TempFolder() + Unique("keep2"), ThemeBytes(5));
    std::vector<std::uint8_t> damaged = ThemeBytes(6);
    PutLE(damaged, 20, 0x7FFFFFF0);  // first entry far past the end
    TScratchFile bad(TempFolder() + Unique("damaged"), damaged);

    TOwned<TskFileTheme> theme = CreateOwned<TskFileTheme>();
    theme->SetThemeFile(good.Name);
    EXPECT_THROW(theme->SetThemeFile(bad.Name), EReadError);
    EXPECT_EQ(theme->ThemeFile(), good.Name);
    EXPECT_TRUE(theme->IsLoaded());
    EXPECT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), 5);
}

TEST(TskFileTheme, NewFileIsGivenAgainToTheSkinnedComponentsOfItsFormThatUseIt) {
    TScratchFile first(TempFolder() + Unique("first"), ThemeBytes(1));
    TScratchFile second(TempFolder() + Unique("second"), ThemeBytes(2));
    TOwned<TForm> form = CreateOwned<TForm>();
    auto* theme = Create<TskFileTheme>(form.get());
    theme->SetName("Theme1");
    auto* other = Create<TskFileTheme>(form.get());
    other->SetName("Theme2");
    auto* user = Create<TskTestControl>(form.get());
    auto* elsewhere = Create<TskTestControl>(form.get());
    auto* plain = Create<TPlainThemedControl>(form.get());
    user->SetUIStyle(TskUIStyle::FromThemeFile);
    user->SetFileTheme(theme);
    elsewhere->SetFileTheme(other);
    plain->SetFileTheme(theme);
    for (TskTestControl* c : {user, elsewhere, static_cast<TskTestControl*>(plain)}) c->Log.clear();

    theme->SetThemeFile(first.Name);
    EXPECT_EQ(user->Log, std::vector<std::string>{"FileTheme=Theme1"});
    EXPECT_TRUE(user->FromFile);
    EXPECT_EQ(user->RoundCorner, 1);
    theme->SetThemeFile(second.Name);
    EXPECT_EQ(user->RoundCorner, 2);
    EXPECT_TRUE(elsewhere->Log.empty());
    EXPECT_TRUE(plain->Log.empty());

    // Removing the theme from the form: the control falls back to DeepBlue.
    theme->Free();
    EXPECT_EQ(user->FileTheme(), nullptr);
    EXPECT_EQ(user->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(user->RoundCorner, BuiltInThemeInt(TskUIStyle::DeepBlue, TskThemeKey::FormRoundCornerInt));
}

TEST(TskBuiltInFileTheme, OwnThemeFileIsOnlyStored) {
    TScratchFile file(TempFolder() + Unique("embed"), ThemeBytes(3));
    TOwned<TskBuiltInFileTheme> theme = CreateOwned<TskBuiltInFileTheme>();
    SetStrProp(theme.get(), "ThemeFile", file.Name);
    EXPECT_EQ(theme->ThemeFile(), file.Name);
    EXPECT_EQ(GetStrProp(theme.get(), "ThemeFile"), file.Name);
    EXPECT_FALSE(theme->IsLoaded());
    EXPECT_TRUE(theme->TskFileTheme::ThemeFile().empty());
}

// The temporary copies of embedded themes share one folder and one name, so
// these run as one test.
TEST(TskBuiltInFileTheme, SkinDataGoesThroughNumberedTemporaryCopiesThatAreDeleted) {
    const std::string folder = TempFolder();
    const std::string plainName = folder + "RAZIRAV.skn", one = folder + "RAZIRAV1.skn", two = folder + "RAZIRAV2.skn";
    for (const std::string& n : {plainName, one, two}) DeleteFileA(n.c_str());

    // Free name: the plain one, deleted afterwards.
    {
        TOwned<TskBuiltInFileTheme> theme = CreateOwned<TskBuiltInFileTheme>();
        const auto bytes = ThemeBytes(11);
        TMemoryStream data;
        data.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        data.SetPosition(0);
        theme->ReadSkinData(data);
        EXPECT_TRUE(theme->IsLoaded());
        EXPECT_TRUE(SameText(theme->TskFileTheme::ThemeFile(), plainName)) << theme->TskFileTheme::ThemeFile();
        EXPECT_FALSE(Exists(plainName));
        EXPECT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), 11);

        // Read again: the same temporary name, and the new data is loaded.
        const auto again = ThemeBytes(12);
        TMemoryStream data2;
        data2.WriteBuffer(again.data(), static_cast<std::int64_t>(again.size()));
        data2.SetPosition(0);
        theme->ReadSkinData(data2);
        EXPECT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), 12);
        EXPECT_FALSE(Exists(plainName));
    }

    TScratchFile taken(plainName, {1, 2, 3});
    TScratchFile takenOne(one, {4, 5, 6});
    {
        TOwned<TskBuiltInFileTheme> theme = CreateOwned<TskBuiltInFileTheme>();
        const auto bytes = ThemeBytes(13);
        TMemoryStream data;
        data.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        data.SetPosition(0);
        theme->ReadSkinData(data);
        EXPECT_TRUE(SameText(theme->TskFileTheme::ThemeFile(), two)) << theme->TskFileTheme::ThemeFile();
        EXPECT_EQ(theme->ReadInt(TskThemeKey::FormRoundCornerInt), 13);
        EXPECT_FALSE(Exists(two));
        EXPECT_TRUE(Exists(plainName));
        EXPECT_TRUE(Exists(one));
    }

    // Data that is no theme, or a damaged theme: refused, and the copy is gone too.
    const std::vector<std::uint8_t> notTheme{'M', 'Z', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<std::uint8_t> damaged = ThemeBytes(14);
    PutLE(damaged, 20, 0x7FFFFFF0);
    for (const auto& bytes : {notTheme, damaged}) {
        TOwned<TskBuiltInFileTheme> theme = CreateOwned<TskBuiltInFileTheme>();
        TMemoryStream data;
        data.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        data.SetPosition(0);
        if (bytes == notTheme) {
            try {
                theme->ReadSkinData(data);
                ADD_FAILURE() << "no exception";
            } catch (const Exception& e) {
                EXPECT_STREQ(e.what(), "Invalid skin file for VIVIvuz!");
            }
        } else {
            EXPECT_THROW(theme->ReadSkinData(data), EReadError);
        }
        EXPECT_FALSE(theme->IsLoaded());
        EXPECT_FALSE(Exists(two));
    }
}

class ThemeManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = CreateOwned<TForm>();
        manager = Create<TskThemeManager>(form.get());
        first = Create<TskTestControl>(form.get());
        first->SetName("First");
        second = Create<TskTestControl>(form.get());
        second->SetName("Second");
        unlisted = Create<TskTestControl>(form.get());
        unlisted->SetName("Unlisted");
        theme = Create<TskFileTheme>(form.get());
        theme->SetName("Theme1");
        manager->OnUIStyleChanged = TNotifyEvent::Bind<&ThemeManagerTest::StyleChanged>(this);
    }
    void StyleChanged(TObject* Sender) {
        EXPECT_EQ(Sender, manager);
        ++events;
    }
    void ClearLogs() {
        for (TskTestControl* c : {first, second, unlisted}) c->Log.clear();
    }

    TOwned<TForm> form;
    TskThemeManager* manager = nullptr;
    TskTestControl *first = nullptr, *second = nullptr, *unlisted = nullptr;
    TskFileTheme* theme = nullptr;
    int events = 0;
};

TEST_F(ThemeManagerTest, PushesStyleThenFileThemeToTheListedComponentsInOrder) {
    EXPECT_EQ(manager->UIStyle(), TskUIStyle::DeepBlue);
    TStringList names;
    for (const char* n : {"Second", "NoSuchComponent", "first"}) names.Add(n);
    manager->SetCompList(&names);
    manager->SetFileTheme(theme);
    EXPECT_EQ(events, 0);  // the style did not change
    ClearLogs();

    manager->SetUIStyle(TskUIStyle::WinXP);
    const std::vector<std::string> pushed{"UIStyle=WinXP", "FileTheme=Theme1"};
    EXPECT_EQ(first->Log, pushed);
    EXPECT_EQ(second->Log, pushed);
    EXPECT_TRUE(unlisted->Log.empty());
    EXPECT_EQ(events, 1);

    ClearLogs();
    manager->SetUIStyle(TskUIStyle::WinXP);  // unchanged: pushed again, no event
    EXPECT_EQ(first->Log, pushed);
    EXPECT_EQ(events, 1);

    // Through the property tables, as a stored description sets it.
    ClearLogs();
    SetEnumProp(manager, "UIStyle", "Protein");
    EXPECT_EQ(first->Log, (std::vector<std::string>{"UIStyle=Protein", "FileTheme=Theme1"}));
    EXPECT_EQ(GetEnumProp(manager, "UIStyle"), "Protein");
    EXPECT_EQ(GetObjectProp(manager, "FileTheme"), theme);
    EXPECT_EQ(events, 2);
}

TEST_F(ThemeManagerTest, RemovedComponentsLeaveTheListAndTheThemeFallsBack) {
    for (const char* n : {"First", "Second"}) manager->CompList()->Add(n);
    manager->SetUIStyle(TskUIStyle::MacOS);
    manager->SetFileTheme(theme);
    events = 0;

    first->Free();
    ASSERT_EQ(manager->CompList()->Count(), 1);
    EXPECT_EQ(manager->CompList()->Strings(0), "Second");

    theme->Free();
    EXPECT_EQ(manager->FileTheme(), nullptr);
    EXPECT_EQ(manager->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(events, 0);
}

TEST_F(ThemeManagerTest, ListedComponentWithoutStylePropertiesRaisesThePropertyError) {
    auto* styleOnly = Create<TskStyleOnlyControl>(form.get());
    styleOnly->SetName("StyleOnly");
    manager->CompList()->Add("StyleOnly");
    EXPECT_THROW(manager->SetUIStyle(TskUIStyle::WinXP), EPropertyError);
}

TEST(TskThemeManager, PushesNothingWithoutAFormOrFrameAsOwner) {
    TOwned<TskTestControl> owner = CreateOwned<TskTestControl>();
    auto* manager = Create<TskThemeManager>(owner.get());
    auto* listed = Create<TskTestControl>(owner.get());
    listed->SetName("Listed");
    manager->CompList()->Add("Listed");
    manager->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_TRUE(listed->Log.empty());
}

}  // namespace
