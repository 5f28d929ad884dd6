#include "SwfActions.h"
#include "SwfMovie.h"
#include "SwfPlayer.h"
#include "SwfScene.h"
#include "SwfScriptWriter.h"
#include "SwfTestMovies.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class TFakeClock : public TSwfClock {
public:
    double NowMs() const override { return now; }
    double now = 1000;
};

// A movie of Count frames at 10 per second, a red square at depth 1 moved
// to x = 10 * frame pixels on every frame, so the picture tells the frame;
// Script(frame) writes that frame's scripts and labels.
std::vector<uint8_t> ScriptedMovie(int Count, const std::function<void(TSwfTagWriter&, int)>& Script,
                                   const std::function<void(TSwfWriter&)>& Defs = {}) {
    TSwfWriter w(200, 100, 10, 6);
    TSwfShapeBuilder s;
    s.Rectangle(0, 0, 5 * TwipsPerPixel, 5 * TwipsPerPixel, s.SolidFill(TestRed), 0);
    uint16_t id = w.DefineShape(s);
    if (Defs) Defs(w);
    for (int f = 0; f < Count; ++f) {
        if (f == 0)
            w.Main.Place(1, id, TSwfMatrix::Translate(0, 0));
        else
            w.Main.Move(1, TSwfMatrix::Translate(f * 10 * TwipsPerPixel, 0));
        Script(w.Main, f);
        w.Main.ShowFrame();
    }
    w.Main.End();
    return w.Finish();
}

class SwfScriptPlayerTest : public ::testing::Test {
protected:
    TFakeClock clock;
    TSwfPlayer player{clock};

    // The frames on screen after each of N frame intervals.
    std::vector<int> Frames(int N) {
        std::vector<int> seen;
        for (int i = 0; i < N; ++i) {
            clock.now += 100;
            player.Update();
            seen.push_back(player.Timeline().CurrentFrame());
        }
        return seen;
    }
};

}  // namespace

TEST(SwfActionReader, EachActionDecoded) {
    TSwfActionWriter a;
    a.Stop().Play().NextFrame().PrevFrame().GotoFrame(7).GotoLabel("Loop");
    a.ConstantPool({"x", "start"}).PushConstant(1).PushString("s").PushDouble(2.5).PushFloat(-1.5f).PushInteger(-3);
    a.GotoFrame2(true, 4).GotoFrame2(false).Simple(0x17).Record(0x8D, {3}).Simple(0x0A);
    std::vector<TSwfAction> out;
    ASSERT_TRUE(ReadActions(a.Encode(), out));
    using A = TSwfAction;
    std::vector<A::TOp> ops;
    for (const A& x : out) ops.push_back(x.Op);
    EXPECT_EQ(ops, (std::vector<A::TOp>{A::Stop, A::Play, A::NextFrame, A::PrevFrame, A::GotoFrame, A::GotoLabel, A::ConstantPool,
                                         A::Push, A::Push, A::Push, A::Push, A::Push, A::GotoComputed, A::GotoComputed, A::Other}))
        << "three skipped records in a row leave one marker";
    EXPECT_EQ(out[4].Frame, 7);
    EXPECT_EQ(out[5].Label, "Loop");
    EXPECT_EQ(out[6].Strings, (std::vector<std::string>{"x", "start"}));
    EXPECT_EQ(out[7].Values[0].Kind, TSwfActionValue::ConstantValue);
    EXPECT_EQ(out[7].Values[0].Index, 1);
    EXPECT_EQ(out[8].Values[0].Text, "s");
    EXPECT_EQ(out[9].Values[0].Number, 2.5);
    EXPECT_EQ(out[10].Values[0].Number, -1.5);
    EXPECT_EQ(out[11].Values[0].Number, -3);
    EXPECT_TRUE(out[12].PlayAfter);
    EXPECT_EQ(out[12].SceneBias, 4);
    EXPECT_FALSE(out[13].PlayAfter);
    EXPECT_EQ(out[13].SceneBias, 0);
}

TEST(SwfActionReader, LabelsAndScriptsBelongToTheirFrames) {
    auto m = TSwfMovie::FromBytes(ScriptedMovie(4, [](TSwfTagWriter& t, int f) {
        if (f == 1) FrameLabel(t, "Spin");
        if (f == 3) {
            DoAction(t, TSwfActionWriter().GotoLabel("spin"));
            DoAction(t, TSwfActionWriter().Play());
        }
    }));
    ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    ASSERT_EQ(m->TotalFrames(), 4);
    EXPECT_EQ(m->Frames[1].Labels, std::vector<std::string>{"Spin"});
    EXPECT_EQ(FindLabel(m->Frames, "SPIN"), 1);
    EXPECT_EQ(FindLabel(m->Frames, "Spi"), -1);
    ASSERT_EQ(m->Frames[3].Actions.size(), 2u) << "two scripts of one frame run in order";
    EXPECT_EQ(m->Frames[3].Actions[0].Op, TSwfAction::GotoLabel);
    EXPECT_EQ(m->Frames[3].Actions[1].Op, TSwfAction::Play);
    EXPECT_TRUE(m->Frames[0].Actions.empty());
}

TEST(SwfActionReader, MalformedScriptsKeepWhatCameBefore) {
    struct TCase {
        const char* Name;
        std::vector<uint8_t> Bytes;
        bool Ok;
        size_t Kept;  // actions read
    };
    const std::vector<TCase> cases = {
        {"record longer than the script", {0x07, 0x81, 0x10, 0x00, 0x01}, false, 2},
        {"length field cut", {0x06, 0x81, 0x02}, false, 2},
        {"go-to with a short body", {0x81, 0x01, 0x00, 0x05}, false, 1},
        {"label without its end", {0x8C, 0x02, 0x00, 'a', 'b'}, false, 1},
        {"push of an unknown kind", {0x96, 0x02, 0x00, 0x0B, 0x00}, false, 1},
        {"push of a cut double", {0x96, 0x03, 0x00, 0x06, 0x00, 0x00}, false, 1},
        {"pool counting more strings than it has", {0x88, 0x04, 0x00, 0x05, 0x00, 'a', 0}, false, 1},
        {"no end action", {0x07, 0x06}, true, 2},
        {"empty", {}, true, 0},
        {"records after the end are not read", {0x07, 0x00, 0x06}, true, 1},
    };
    for (const TCase& c : cases) {
        std::vector<TSwfAction> out;
        EXPECT_EQ(ReadActions(c.Bytes, out), c.Ok) << c.Name;
        EXPECT_EQ(out.size(), c.Kept) << c.Name;
        // A broken record is kept only as a marker: it can feed no go-to.
        if (!c.Ok && !out.empty()) {
            EXPECT_EQ(out.back().Op, TSwfAction::Other) << c.Name;
        }
    }
}

TEST(SwfActionReader, DamagedScriptTagMarksTheMovieAndKeepsItsFrames) {
    TSwfWriter w(100, 80, 10, 6);
    w.Main.Tag(12, std::vector<uint8_t>{0x07, 0x81, 0x09});
    w.Main.ShowFrame();
    w.Main.Tag(43, std::vector<uint8_t>{'n', 'o', 'e', 'n', 'd'});
    w.Main.ShowFrame();
    w.Main.End();
    auto m = TSwfMovie::FromBytes(w.Finish());
    EXPECT_EQ(m->Status, TSwfStatus::Malformed);
    ASSERT_EQ(m->TotalFrames(), 2);
    ASSERT_EQ(m->Frames[0].Actions.size(), 2u);
    EXPECT_EQ(m->Frames[0].Actions[0].Op, TSwfAction::Stop);
    EXPECT_TRUE(m->Frames[1].Labels.empty());
}

TEST_F(SwfScriptPlayerTest, StopAtAFrameReportsNotPlaying) {
    player.LoadFromBytes(ScriptedMovie(5, [](TSwfTagWriter& t, int f) {
        if (f == 2) DoAction(t, TSwfActionWriter().Stop());
    }));
    EXPECT_EQ(Frames(5), (std::vector<int>{1, 2, 2, 2, 2}));
    EXPECT_FALSE(player.Timeline().Playing());
    EXPECT_FALSE(player.NeedsTicks());
    // The picture is that of the frame stopped at.
    const TSwfFrameImage& img = player.Image();
    ASSERT_FALSE(img.Items.empty());
    EXPECT_EQ(img.Items[0].Segments[0].To.X, 20 * TwipsPerPixel);
}

TEST_F(SwfScriptPlayerTest, StopOnTheFirstFrameActsAtLoad) {
    player.LoadFromBytes(ScriptedMovie(3, [](TSwfTagWriter& t, int f) {
        if (f == 0) DoAction(t, TSwfActionWriter().Stop());
    }));
    EXPECT_FALSE(player.Timeline().Playing());
    EXPECT_EQ(Frames(2), (std::vector<int>{0, 0}));
}

TEST_F(SwfScriptPlayerTest, LabelLoopVisitsItsFramesInOrderAndNeverTheLast) {
    // Frames 0..5; "loop" on 2; frame 4 goes back to it by label, computed
    // from a constant pool as compilers write it.
    player.LoadFromBytes(ScriptedMovie(6, [](TSwfTagWriter& t, int f) {
        if (f == 2) FrameLabel(t, "loop");
        if (f == 4) DoAction(t, TSwfActionWriter().ConstantPool({"loop"}).PushConstant(0).GotoFrame2(true));
    }));
    player.Timeline().Loop = false;
    EXPECT_EQ(Frames(9), (std::vector<int>{1, 2, 3, 2, 3, 2, 3, 2, 3}))
        << "entering frame 4 jumps at once to frame 2, which is what is shown";
    EXPECT_TRUE(player.Timeline().Playing());
}

TEST_F(SwfScriptPlayerTest, GoToFormsAndClamping) {
    struct TCase {
        const char* Name;
        TSwfActionWriter Script;
        int Frame;        // after entering frame 1 of 6
        bool Playing;
    };
    const std::vector<TCase> cases = {
        {"go to frame", TSwfActionWriter().GotoFrame(4), 4, true},
        {"go to and stop", TSwfActionWriter().GotoFrame(3).Stop(), 3, false},
        {"go to past the end takes the last frame", TSwfActionWriter().GotoFrame(900).Stop(), 5, false},
        {"go to label", TSwfActionWriter().GotoLabel("four").Stop(), 4, false},
        {"go to a missing label stays", TSwfActionWriter().GotoLabel("none").Stop(), 1, false},
        {"next frame stops there", TSwfActionWriter().NextFrame(), 2, false},
        {"previous frame stops there", TSwfActionWriter().PrevFrame(), 0, false},
        {"computed, a number counts from 1", TSwfActionWriter().PushInteger(4).GotoFrame2(false), 3, false},
        {"computed, with scene bias", TSwfActionWriter().PushDouble(2).GotoFrame2(false, 2), 3, false},
        {"computed, number in text", TSwfActionWriter().PushString("5").GotoFrame2(false), 4, false},
        {"computed, below the first frame", TSwfActionWriter().PushInteger(-7).GotoFrame2(false), 0, false},
        {"computed, label and play", TSwfActionWriter().Stop().PushString("four").GotoFrame2(true), 4, true},
        {"computed, value from skipped code is not used",
         TSwfActionWriter().PushString("four").Simple(0x1C).GotoFrame2(false), 1, true},
        {"computed, a path elsewhere is not followed", TSwfActionWriter().PushString("/clip:four").GotoFrame2(false), 1, true},
        {"computed, empty stack", TSwfActionWriter().GotoFrame2(false), 1, true},
        {"play after stop", TSwfActionWriter().Stop().Play(), 1, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        player.LoadFromBytes(ScriptedMovie(6, [&](TSwfTagWriter& t, int f) {
            if (f == 1) DoAction(t, c.Script);
            if (f == 4) FrameLabel(t, "four");
        }));
        Frames(1);
        EXPECT_EQ(player.Timeline().CurrentFrame(), c.Frame);
        EXPECT_EQ(player.Timeline().Playing(), c.Playing);
        // The display list follows the jump.
        const TSwfFrameImage& img = player.Image();
        ASSERT_FALSE(img.Items.empty());
        EXPECT_EQ(img.Items[0].Segments[0].To.X, c.Frame * 10 * TwipsPerPixel);
    }
}

TEST_F(SwfScriptPlayerTest, TargetFrameScriptRunsAfterTheJump) {
    // 1 jumps to 3, whose script stops the movie.
    player.LoadFromBytes(ScriptedMovie(5, [](TSwfTagWriter& t, int f) {
        if (f == 1) DoAction(t, TSwfActionWriter().GotoFrame(3));
        if (f == 3) DoAction(t, TSwfActionWriter().Stop());
    }));
    EXPECT_EQ(Frames(3), (std::vector<int>{3, 3, 3}));
    EXPECT_FALSE(player.Timeline().Playing());
}

TEST_F(SwfScriptPlayerTest, JumpingInACircleIsStoppedAfterTheBound) {
    // 1 -> 3 -> 1 -> ... without a frame ever being shown.
    player.LoadFromBytes(ScriptedMovie(5, [](TSwfTagWriter& t, int f) {
        if (f == 1) DoAction(t, TSwfActionWriter().GotoFrame(3));
        if (f == 3) DoAction(t, TSwfActionWriter().GotoFrame(1));
    }));
    Frames(1);
    EXPECT_FALSE(player.Timeline().Playing());
    int stoppedAt = player.Timeline().CurrentFrame();
    EXPECT_TRUE(stoppedAt == 1 || stoppedAt == 3) << stoppedAt;
    EXPECT_EQ(Frames(2), (std::vector<int>{stoppedAt, stoppedAt}));
}

namespace {

// A clip of 4 frames (a square at x = 0, 10, 20, 30 pixels) placed on a main
// timeline of Main frames; ClipScript writes the clip's frame scripts.
std::vector<uint8_t> ClipMovie(int Main, const std::function<void(TSwfTagWriter&, int)>& ClipScript,
                               const std::function<void(TSwfTagWriter&, int)>& MainScript) {
    TSwfWriter w(200, 100, 10, 6);
    TSwfShapeBuilder s;
    s.Rectangle(0, 0, 5 * TwipsPerPixel, 5 * TwipsPerPixel, s.SolidFill(TestRed), 0);
    uint16_t shape = w.DefineShape(s);
    TSwfTagWriter clip;
    for (int f = 0; f < 4; ++f) {
        if (f == 0)
            clip.Place(1, shape);
        else
            clip.Move(1, TSwfMatrix::Translate(f * 10 * TwipsPerPixel, 0));
        ClipScript(clip, f);
        clip.ShowFrame();
    }
    clip.End();
    uint16_t clipId = w.DefineSprite(clip);
    for (int f = 0; f < Main; ++f) {
        if (f == 0) w.Main.Place(1, clipId);
        MainScript(w.Main, f);
        w.Main.ShowFrame();
    }
    w.Main.End();
    return w.Finish();
}

int32_t ClipX(TSwfPlayer& p) {
    const TSwfFrameImage& img = p.Image();
    return img.Items.empty() ? -1 : img.Items[0].Segments[0].To.X / TwipsPerPixel;
}

}  // namespace

TEST_F(SwfScriptPlayerTest, ClipStopsItselfWhileTheMovieGoesOn) {
    player.LoadFromBytes(ClipMovie(
        8, [](TSwfTagWriter& t, int f) { if (f == 2) DoAction(t, TSwfActionWriter().Stop()); },
        [](TSwfTagWriter&, int) {}));
    std::vector<int32_t> xs;
    for (int i = 0; i < 5; ++i) {
        clock.now += 100;
        player.Update();
        xs.push_back(ClipX(player));
    }
    EXPECT_EQ(xs, (std::vector<int32_t>{10, 20, 20, 20, 20}));
    EXPECT_TRUE(player.Timeline().Playing()) << "the clip's stop is its own";
    EXPECT_EQ(player.Timeline().CurrentFrame(), 5);
}

TEST_F(SwfScriptPlayerTest, ClipPlaysOnWhenTheMovieStopsAndLoopsByItsOwnLabel) {
    player.LoadFromBytes(ClipMovie(
        3,
        [](TSwfTagWriter& t, int f) {
            if (f == 1) FrameLabel(t, "again");
            if (f == 3) DoAction(t, TSwfActionWriter().GotoLabel("again"));
        },
        [](TSwfTagWriter& t, int f) { if (f == 0) DoAction(t, TSwfActionWriter().Stop()); }));
    EXPECT_FALSE(player.Timeline().Playing());
    EXPECT_TRUE(player.NeedsTicks()) << "the clip still moves";
    std::vector<int32_t> xs;
    for (int i = 0; i < 5; ++i) {
        clock.now += 100;
        EXPECT_TRUE(player.Update());
        xs.push_back(ClipX(player));
    }
    EXPECT_EQ(xs, (std::vector<int32_t>{10, 20, 10, 20, 10}));
    EXPECT_EQ(player.Timeline().CurrentFrame(), 0);
}

TEST_F(SwfScriptPlayerTest, ClipJumpingInACircleStopsTheClipOnly) {
    player.LoadFromBytes(ClipMovie(
        4,
        [](TSwfTagWriter& t, int f) {
            if (f == 1) DoAction(t, TSwfActionWriter().GotoFrame(2));
            if (f == 2) DoAction(t, TSwfActionWriter().PrevFrame().Play());
        },
        [](TSwfTagWriter&, int) {}));
    clock.now += 100;
    player.Update();
    const int32_t x = ClipX(player);
    EXPECT_TRUE(x == 10 || x == 20) << x;
    EXPECT_TRUE(player.Timeline().Playing());
    clock.now += 100;
    player.Update();
    EXPECT_EQ(player.Timeline().CurrentFrame(), 2) << "the movie goes on";
}

TEST(SwfButton, UpStateIsDrawnInBothVersions) {
    for (int version : {1, 2}) {
        SCOPED_TRACE(version);
        TSwfWriter w(100, 80, 10, 8);
        TSwfShapeBuilder up, over;
        up.Rectangle(0, 0, 100, 100, up.SolidFill(TestRed), 0);
        over.Rectangle(0, 0, 100, 100, over.SolidFill({0, 0, 255, 255}), 0);
        uint16_t upId = w.DefineShape(up), overId = w.DefineShape(over);
        TSwfButtonRecord a{0x01, upId, 2, TSwfMatrix::Translate(200, 0)};
        a.BlurFilter = true;  // read past in the second version
        a.BlendMode = 1;
        TSwfButtonRecord b{0x0E, overId, 1};
        uint16_t button = DefineButton(w, version, {a, b});
        w.Main.Place(1, button, TSwfMatrix::Translate(20, 40));
        w.Main.ShowFrame();
        w.Main.End();
        auto m = TSwfMovie::FromBytes(w.Finish());
        ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
        TSwfScene scene(*m);
        scene.GotoFrame(0);
        TSwfFrameImage img;
        scene.Compose(img);
        ASSERT_EQ(img.Items.size(), 1u) << "over, down and hit-test states are not drawn";
        EXPECT_EQ(img.Items[0].Color, TestRed);
        EXPECT_EQ(img.Items[0].Segments[0].To.X, 220);
        EXPECT_EQ(img.Items[0].Segments[0].To.Y, 40);
    }
}

TEST(SwfButton, MalformedButtonsEndThemselvesOnly) {
    struct TCase {
        const char* Name;
        int Version;
        std::function<void(std::vector<uint8_t>&)> Damage;
    };
    const std::vector<TCase> cases = {
        {"records without their end", 1, [](std::vector<uint8_t>& b) { b.resize(b.size() - 2); }},
        {"record cut inside", 2, [](std::vector<uint8_t>& b) { b.resize(6); }},
        {"unknown filter kind", 2, [](std::vector<uint8_t>& b) {
             b[5] |= 0x10;
             b.insert(b.end() - 1, {1, 99});
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<uint8_t> body{7, 0};
        std::vector<uint8_t> rest = EncodeButton(c.Version, {{0x01, 9, 1}});
        body.insert(body.end(), rest.begin(), rest.end());
        c.Damage(body);
        TSwfWriter w(100, 80, 10, 8);
        w.DefinitionTag(c.Version == 1 ? 7 : 34, body);
        w.Main.Place(1, 7);
        w.Main.ShowFrame();
        w.Main.End();
        auto m = TSwfMovie::FromBytes(w.Finish());
        EXPECT_EQ(m->Status, TSwfStatus::Malformed);
        EXPECT_EQ(m->TotalFrames(), 1);
        TSwfScene scene(*m);
        scene.GotoFrame(0);
        TSwfFrameImage img;
        scene.Compose(img);  // a button of nothing draws nothing
        EXPECT_TRUE(img.Items.empty());
    }
}

TEST_F(SwfScriptPlayerTest, PlayAtTheEndStartsOverWithTheFirstFramesScript) {
    // Frame 0 stops the movie; played on, it runs to its end and stops there.
    player.LoadFromBytes(ScriptedMovie(3, [](TSwfTagWriter& t, int f) {
        if (f == 0) DoAction(t, TSwfActionWriter().Stop());
    }));
    player.Timeline().Loop = false;
    player.Play();
    EXPECT_EQ(Frames(3), (std::vector<int>{1, 2, 2}));
    EXPECT_FALSE(player.Timeline().Playing());
    player.Play();
    EXPECT_EQ(player.Timeline().CurrentFrame(), 0);
    EXPECT_FALSE(player.Timeline().Playing()) << "frame 0's stop ran again";
}
