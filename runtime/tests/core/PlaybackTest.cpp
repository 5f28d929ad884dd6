#include "Fakes.h"
#include "Playback.h"

#include <gtest/gtest.h>

namespace {

const std::string kTemp = "C:\\Temp\\";

struct Rig {
    TMemoryFileSystem files;
    TMemorySettings settings;
    TRecordingVolume volume;
    TRecordingWindow window;
    TFixedPlatform platform;
    TScriptedPassword password;
    std::string own;
    std::vector<int> draws{1, 0};
    std::size_t nextDraw = 0;

    void Install(const std::vector<std::string>& Movies, const std::vector<std::string>& Paths, bool Random = false) {
        TProject p;
        p.Title = "Clouds";
        p.BuildId = kBuildId;
        p.RandomPlay = Random;
        for (const std::string& path : Paths) p.FlashList->Add(path);
        own = InstalledFile(p, Movies);
    }
    void SetSetting(const char* Name, bool Value) { settings.Keys[ScreensaverKeyName(kBuildId)][Name] = Value; }

    TPlaybackServices Services() {
        TPlaybackServices s;
        s.OpenOwnFile = [this]() -> std::unique_ptr<TStream> { return StreamOf(own); };
        s.Settings = &settings;
        s.Volume = &volume;
        s.Files = &files;
        s.TempFolder = kTemp;
        s.Platform = &platform;
        s.Password = &password;
        s.Draw = [this](int) { return draws[nextDraw++ % draws.size()]; };
        return s;
    }
};

TEST(Playback, ShowReadsSettingsWritesMoviesAndStartsTheFirst) {
    Rig rig;
    rig.Install({"M1", "M2"}, {"C:\\a\\one.swf", "C:\\b\\two.swf"});
    rig.SetSetting("ignore", true);
    TPlayback p(rig.window, rig.Services());
    EXPECT_EQ(p.Filter().StartPoint, (TScreenPoint{100, 200}));
    p.Show();
    EXPECT_TRUE(p.Settings().IgnoreMouse);
    EXPECT_FALSE(p.Settings().Mute);
    EXPECT_TRUE(p.Filter().IgnoreMouse);
    EXPECT_TRUE(p.Shown());
    EXPECT_EQ(rig.files.Files[kTemp + "one.swf"], "M1");
    EXPECT_EQ(rig.files.Files[kTemp + "two.swf"], "M2");
    const std::vector<std::string> expected = {"cover screen", "hide cursor", "play " + kTemp + "one.swf", "timer on",
                                               "invalidate"};
    EXPECT_EQ(rig.window.Log, expected);
    EXPECT_TRUE(rig.volume.Log.empty()) << "volume touched without mute";
    EXPECT_EQ(rig.settings.Log.front(), "open Software\\Nimbrel\\Screensavers\\" + std::string(kBuildId) + "\\");
    EXPECT_EQ(rig.settings.Log.back(), "close");
}

TEST(Playback, ShowAndFinishTakeTheirStepsInOrder) {
    Rig rig;
    rig.Install({"M1", "M2"}, {"one.swf", "two.swf"});
    rig.SetSetting("mute", true);
    std::vector<std::string> journal;
    rig.files.Journal = rig.settings.Journal = rig.volume.Journal = rig.window.Journal = &journal;
    const std::string key = ScreensaverKeyName(kBuildId);
    {
        TPlayback p(rig.window, rig.Services());
        p.Show();
        const std::vector<std::string> shown = {"open " + key,           "close",
                                                "get",                   "set 0",
                                                "cover screen",          "hide cursor",
                                                "write " + kTemp + "one.swf", "write " + kTemp + "two.swf",
                                                "play " + kTemp + "one.swf",  "timer on",
                                                "invalidate"};
        EXPECT_EQ(journal, shown);
        journal.clear();
    }
    const std::vector<std::string> finished = {"set " + std::to_string(0x80004000u), "delete " + kTemp + "one.swf",
                                               "delete " + kTemp + "two.swf", "show cursor"};
    EXPECT_EQ(journal, finished);
}

TEST(Playback, TwoMoviesAdvanceAtTheLastFrameInOrder) {
    Rig rig;
    rig.Install({"M1", "M2"}, {"one.swf", "two.swf"});
    TPlayback p(rig.window, rig.Services());
    p.Show();
    p.Poll(20, 18);
    EXPECT_EQ(rig.window.Movie, kTemp + "one.swf");
    p.Poll(20, 19);
    EXPECT_EQ(rig.window.Movie, kTemp + "two.swf");
    EXPECT_FALSE(rig.window.Loop);
    p.Poll(20, 19);
    EXPECT_EQ(rig.window.Movie, kTemp + "one.swf");
    EXPECT_EQ(p.CurrentIndex(), 0);
}

TEST(Playback, RandomOrderUsesTheDraw) {
    Rig rig;
    rig.Install({"M1", "M2", "M3"}, {"one.swf", "two.swf", "three.swf"}, true);
    rig.draws = {0, 2, 2, 1};
    TPlayback p(rig.window, rig.Services());
    p.Show();
    p.Poll(1, 0);
    EXPECT_EQ(p.CurrentIndex(), 2);
    p.Poll(1, 0);
    EXPECT_EQ(p.CurrentIndex(), 1);
    EXPECT_EQ(rig.window.Movie, kTemp + "two.swf");
}

TEST(Playback, OneMovieLoopsWithTheTimerOff) {
    Rig rig;
    rig.Install({"M1"}, {"one.swf"});
    TPlayback p(rig.window, rig.Services());
    p.Show();
    EXPECT_TRUE(rig.window.Loop);
    EXPECT_FALSE(rig.window.Timer);
    p.Poll(1, 0);
    EXPECT_EQ(rig.window.Log.back(), "invalidate");
}

TEST(Playback, MuteSavesTheVolumeAndRestoresItOnFinish) {
    Rig rig;
    rig.Install({"M1"}, {"one.swf"});
    rig.SetSetting("mute", true);
    {
        TPlayback p(rig.window, rig.Services());
        p.Show();
        EXPECT_EQ(rig.volume.Volume, 0u);
        EXPECT_TRUE(p.Muted());
    }
    EXPECT_EQ(rig.volume.Log, (std::vector<std::string>{"get", "set 0", "set " + std::to_string(0x80004000u)}));
    EXPECT_EQ(rig.volume.Volume, 0x80004000u);
}

TEST(Playback, WithoutAWaveDeviceMuteLeavesTheVolumeAlone) {
    Rig rig;
    rig.Install({"M1"}, {"one.swf"});
    rig.SetSetting("mute", true);
    rig.volume.HasDevice = false;
    {
        TPlayback p(rig.window, rig.Services());
        p.Show();
        EXPECT_FALSE(p.Muted());
    }
    EXPECT_EQ(rig.volume.Log, std::vector<std::string>{"get"});
}

TEST(Playback, FinishDeletesExactlyTheFilesThisRunWroteAndShowsTheCursor) {
    Rig rig;
    rig.Install({"M1", "M2"}, {"a.swf", "x\\a.swf"});
    rig.files.Files[kTemp + "a.swf"] = "user's";
    TPlayback p(rig.window, rig.Services());
    p.Show();
    EXPECT_EQ(rig.window.CursorCount, -1);
    p.Finish();
    p.Finish();
    EXPECT_EQ(rig.window.CursorCount, 0);
    EXPECT_EQ(rig.files.Files, (std::map<std::string, std::string>{{kTemp + "a.swf", "user's"}}));
    EXPECT_EQ(std::count_if(rig.files.Log.begin(), rig.files.Log.end(),
                            [](const std::string& l) { return l.rfind("delete", 0) == 0; }),
              2);
}

TEST(Playback, NoMoviesIsAnErrorWithTheCursorBackAndTheWindowStillClosing) {
    Rig rig;
    rig.Install({}, {});
    TPlayback p(rig.window, rig.Services());
    try {
        p.Show();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), kNoMoviesMessage);
        EXPECT_EQ(rig.window.CursorCount, 0) << "cursor must be back before the error box";
    }
    EXPECT_EQ(p.FilterInput(msgKeyDown, {}), TInputVerdict::Close);
    EXPECT_EQ(p.FilterInput(msgMouseMove, {500, 500}), TInputVerdict::Close);
    EXPECT_TRUE(p.CloseQuery());
    p.Finish();
    EXPECT_EQ(rig.window.CursorCount, 0);
}

TEST(Playback, AnUnwritableMovieIsAnErrorAndTheWrittenOnesAreDeleted) {
    Rig rig;
    rig.Install({"M1", "M2"}, {"one.swf", "two.swf"});
    rig.files.Unwritable.insert(kTemp + "two.swf");
    TPlayback p(rig.window, rig.Services());
    EXPECT_THROW(p.Show(), EFCreateError);
    EXPECT_EQ(rig.window.CursorCount, 0);
    EXPECT_EQ(rig.window.Movie, "");
    EXPECT_EQ(p.FilterInput(msgLButtonDown, {}), TInputVerdict::Close);
    p.Finish();
    EXPECT_TRUE(rig.files.Files.empty());
}

TEST(Playback, ClosedBeforeItStartedItWritesAndPlaysNothing) {
    Rig rig;
    rig.Install({"M1", "M2"}, {"one.swf", "two.swf"});
    TPlayback p(rig.window, rig.Services());
    p.Finish();
    p.Show();
    EXPECT_TRUE(rig.files.Files.empty());
    EXPECT_EQ(rig.window.Movie, "");
    EXPECT_EQ(rig.window.CursorCount, 0);
    EXPECT_FALSE(p.Shown());
}

// The own file as the playback sees it, counting how it is read.
class TCountingFile : public TMemoryStream {
public:
    int Reads = 0;
    std::int64_t Read(void* Buffer, std::int64_t Count) override {
        ++Reads;
        return TMemoryStream::Read(Buffer, Count);
    }
};

TEST(Playback, TheOwnFileIsOpenedOnceAndReadInOneRead) {
    Rig rig;
    rig.Install({"M1", "M2", "M3"}, {"one.swf", "two.swf", "three.swf"});
    TPlaybackServices services = rig.Services();
    int opened = 0, reads = -1;
    services.OpenOwnFile = [&]() -> std::unique_ptr<TStream> {
        ++opened;
        struct TFile : TCountingFile {
            int* Reported;
            ~TFile() override { *Reported = Reads; }
        };
        auto file = std::make_unique<TFile>();
        file->Reported = &reads;
        file->WriteBuffer(rig.own.data(), static_cast<std::int64_t>(rig.own.size()));
        return file;
    };
    TPlayback p(rig.window, services);
    p.Show();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(rig.files.Files[kTemp + "three.swf"], "M3");
}

TEST(Playback, ABrokenOwnFileStopsBeforeTheCursorIsHidden) {
    Rig rig;
    rig.own = "not a package";
    TPlayback p(rig.window, rig.Services());
    EXPECT_THROW(p.Show(), EReadError);
    EXPECT_TRUE(rig.window.Log.empty());
    EXPECT_FALSE(p.Shown());
}

TEST(Playback, PasswordIsAskedOnlyOnWin9xAfterShowWithAPasswordSet) {
    for (int c = 0; c < 4; ++c) {
        Rig rig;
        rig.Install({"M1"}, {"one.swf"});
        rig.platform.Win9x = c != 0;
        rig.password.Set = c != 1;
        TPlayback p(rig.window, rig.Services());
        if (c != 2) p.Show();
        EXPECT_EQ(p.CloseQuery(), c != 3) << c;
        EXPECT_EQ(rig.password.Asked, c == 3 ? 1 : 0) << c;
    }
}

TEST(Playback, RefusedPasswordHidesTheCursorAgainAndTakesANewReference) {
    Rig rig;
    rig.Install({"M1"}, {"one.swf"});
    rig.platform.Win9x = true;
    TPlayback p(rig.window, rig.Services());
    p.Show();
    rig.window.Cursor = {640, 480};
    rig.password.WhileAsking = [&] {
        EXPECT_EQ(rig.window.CursorCount, 0) << "the dialog needs the cursor";
        EXPECT_EQ(p.FilterInput(msgKeyDown, {}), TInputVerdict::Pass);
    };
    EXPECT_FALSE(p.CloseQuery());
    EXPECT_EQ(rig.window.CursorCount, -1);
    EXPECT_EQ(p.Filter().StartPoint, (TScreenPoint{640, 480}));
    EXPECT_EQ(p.FilterInput(msgMouseMove, {645, 485}), TInputVerdict::Pass);
    EXPECT_EQ(p.FilterInput(msgKeyDown, {}), TInputVerdict::Close);

    rig.password.Answer = true;
    EXPECT_TRUE(p.CloseQuery());
    p.Finish();
    EXPECT_EQ(rig.window.CursorCount, 0);
}

TEST(Playback, NoPasswordDialogLetsTheWindowClose) {
    Rig rig;
    rig.Install({"M1"}, {"one.swf"});
    rig.platform.Win9x = true;
    rig.password.Answer = std::nullopt;
    TPlayback p(rig.window, rig.Services());
    p.Show();
    EXPECT_TRUE(p.CloseQuery());
}

}  // namespace
