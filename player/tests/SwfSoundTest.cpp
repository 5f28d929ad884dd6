#include "SwfAdpcm.h"
#include "SwfMovie.h"
#include "SwfPlayer.h"
#include "SwfSound.h"
#include "SwfSoundMixer.h"
#include "SwfSoundWriter.h"
#include "SwfTestMovies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

// A tone of Hz at Rate, Frames samples per channel, the right channel a fifth above.
std::vector<int16_t> Tone(int Rate, size_t Frames, int Channels, double Hz = 440, double Amplitude = 12000) {
    std::vector<int16_t> out;
    for (size_t i = 0; i < Frames; ++i)
        for (int c = 0; c < Channels; ++c)
            out.push_back(static_cast<int16_t>(Amplitude * std::sin(2 * std::numbers::pi * Hz * (c ? 1.5 : 1) * i / Rate)));
    return out;
}

double RmsError(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += double(a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(sum / std::max<size_t>(1, a.size()));
}

std::unique_ptr<TSwfMovie> MovieWithSound(const TSwfSoundFormat& f, uint32_t Count, const std::vector<uint8_t>& Data) {
    TSwfWriter w(100, 80, 10, 8);
    uint16_t id = DefineSound(w, f, Count, Data);
    w.Main.ShowFrame();
    w.Main.End();
    auto m = TSwfMovie::FromBytes(w.Finish());
    EXPECT_EQ(id, 1);
    return m;
}

}  // namespace

// Each format decodes to what the writer put in: exactly for 16-bit samples,
// within the 8-bit step for 8-bit ones, and for ADPCM within the codec's loss,
// which grows as the codes narrow and the rate falls (RMS error as a share
// of the amplitude; measured 4.5%, 3.1%, 0.65% and 1.7% for the four cases).
TEST(SwfSound, EachFormatDecodesToWhatWasWritten) {
    struct TCase {
        const char* Name;
        uint8_t Codec;
        int Rate;
        bool Wide, Stereo;
        unsigned AdpcmBits;
        double MaxRms;  // of the 12000 amplitude
    };
    const std::vector<TCase> cases = {
        {"raw 16-bit little-endian mono 44.1 kHz", TSwfSoundFormat::RawLittle, 44100, true, false, 0, 0},
        {"raw 16-bit native stereo 22 kHz", TSwfSoundFormat::RawNative, 22050, true, true, 0, 0},
        {"raw 8-bit mono 11 kHz", TSwfSoundFormat::RawLittle, 11025, false, false, 0, 256},
        {"raw 8-bit stereo 5.5 kHz", TSwfSoundFormat::RawNative, 5512, false, true, 0, 256},
        {"ADPCM 2 bits mono", TSwfSoundFormat::Adpcm, 22050, true, false, 2, 0.08 * 12000},
        {"ADPCM 3 bits stereo", TSwfSoundFormat::Adpcm, 22050, true, true, 3, 0.05 * 12000},
        {"ADPCM 4 bits mono", TSwfSoundFormat::Adpcm, 44100, true, false, 4, 0.015 * 12000},
        {"ADPCM 5 bits stereo", TSwfSoundFormat::Adpcm, 11025, true, true, 5, 0.03 * 12000},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSwfSoundFormat f{c.Codec, c.Rate, c.Wide, c.Stereo};
        const size_t frames = 10000;  // more than two ADPCM packets
        std::vector<int16_t> tone = Tone(c.Rate, frames, f.Channels());
        std::vector<uint8_t> data = c.AdpcmBits ? EncodeAdpcmSound(tone, f.Channels(), c.AdpcmBits) : EncodeRawSound(tone, c.Wide);
        auto m = MovieWithSound(f, frames, data);
        ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
        ASSERT_EQ(m->Sounds.count(1), 1u);
        const TSwfSound& s = m->Sounds.at(1);
        EXPECT_EQ(s.Format.Codec, c.Codec);
        EXPECT_EQ(s.Format.Rate, c.Rate);
        EXPECT_EQ(s.Format.Stereo, c.Stereo);
        EXPECT_EQ(s.SampleCount, frames);
        TSwfPcm pcm;
        EXPECT_TRUE(DecodeSound(s.Format, s.Data, s.SampleCount, pcm));
        EXPECT_EQ(pcm.Rate, c.Rate);
        EXPECT_EQ(pcm.Channels, f.Channels());
        ASSERT_EQ(pcm.Samples.size(), tone.size());
        const double rms = RmsError(pcm.Samples, tone);
        EXPECT_LE(rms, c.MaxRms);
        if (c.AdpcmBits) {
            // Packet starts carry the sample itself.
            EXPECT_EQ(pcm.Samples[4096 * f.Channels()], tone[4096 * f.Channels()]);
            EXPECT_GT(rms, 0) << "a lossy codec that lost nothing was not used";
        }
    }
}

TEST(SwfSound, MalformedSoundsEndThemselvesOnly) {
    const TSwfSoundFormat raw{TSwfSoundFormat::RawLittle, 22050, true, false};
    struct TCase {
        const char* Name;
        uint16_t Code;
        std::vector<uint8_t> Body;
    };
    std::vector<uint8_t> huge{1, 0, SoundFormatBits(raw), 0xFF, 0xFF, 0xFF, 0x7F, 1, 2};
    const std::vector<TCase> cases = {
        {"sound header cut", 14, {1, 0, SoundFormatBits(raw), 5}},
        {"sample count past any sound", 14, huge},
        {"start with its info cut", 15, {1, 0, 0x04, 1}},
        {"start of a name with no end", 89, {'a', 'b'}},
        {"stream head cut", 18, {0, SoundFormatBits(raw)}},
        {"export list cut", 56, {2, 0, 1, 0, 'x', 0}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSwfWriter w(100, 80, 10, 8);
        const std::vector<int16_t> tone = Tone(22050, 100, 1);
        const uint16_t good = DefineSound(w, raw, 100, EncodeRawSound(tone, true));
        w.Main.Tag(c.Code, c.Body);
        StartSound(w.Main, {good});
        w.Main.ShowFrame();
        w.Main.End();
        auto m = TSwfMovie::FromBytes(w.Finish());
        EXPECT_EQ(m->Status, TSwfStatus::Malformed);
        EXPECT_EQ(m->Sounds.size(), 1u) << "the good sound stays";
        ASSERT_EQ(m->TotalFrames(), 1);
        ASSERT_FALSE(m->Frames[0].Sounds.empty());
        EXPECT_EQ(m->Frames[0].Sounds.back().SoundId, good);
    }
    // Data shorter than its sample count decodes what is there and says so.
    TSwfPcm pcm;
    EXPECT_FALSE(DecodeSound(raw, std::vector<uint8_t>{1, 0, 2}, 5, pcm));
    EXPECT_EQ(pcm.Samples, (std::vector<int16_t>{1}));
    EXPECT_FALSE(DecodeSound({TSwfSoundFormat::Adpcm, 22050, true, false}, std::vector<uint8_t>{0x40, 0, 0}, 5, pcm));
    EXPECT_FALSE(DecodeSound({TSwfSoundFormat::Mp3, 44100, true, true}, std::vector<uint8_t>{0xFF, 0xFB}, 5, pcm));
    EXPECT_TRUE(pcm.Samples.empty());
}

TEST(SwfSound, StartInfoAndExportedNames) {
    TSwfWriter w(100, 80, 10, 8);
    const TSwfSoundFormat raw{TSwfSoundFormat::RawLittle, 44100, true, false};
    const uint16_t id = DefineSound(w, raw, 10, EncodeRawSound(Tone(44100, 10, 1), true));
    ExportName(w, id, "chime");
    TSwfSoundEvent e{id, false, true, 3, 2, 8};
    StartSound(w.Main, e);
    StartSound2(w.Main, "chime", {0, true});
    StartSound2(w.Main, "nothing", {});
    w.Main.ShowFrame();
    w.Main.End();
    auto m = TSwfMovie::FromBytes(w.Finish());
    ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    const auto& s = m->Frames[0].Sounds;
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].SoundId, id);
    EXPECT_TRUE(s[0].NoMultiple);
    EXPECT_FALSE(s[0].Stop);
    EXPECT_EQ(s[0].Loops, 3);
    EXPECT_EQ(s[0].InPoint, 2u);
    EXPECT_EQ(s[0].OutPoint, 8u);
    EXPECT_EQ(s[1].SoundId, id);
    EXPECT_TRUE(s[1].Stop);
    EXPECT_EQ(s[2].SoundId, 0) << "a name no character exports starts nothing";
}

namespace {

// Mixes N output samples per channel and returns the left channel.
std::vector<int16_t> Left(TSwfSoundMixer& m, size_t N) {
    std::vector<int16_t> out(N * 2);
    m.Mix(out);
    std::vector<int16_t> left;
    for (size_t i = 0; i < N; ++i) left.push_back(out[2 * i]);
    return left;
}

class TFakeClock : public TSwfClock {
public:
    double NowMs() const override { return now; }
    double now = 0;
};

}  // namespace

TEST(SwfSoundMixer, EventsStartStopLoopAndKeepToOneCopy) {
    // A sound of 4 samples at 44.1 kHz: 1000, 2000, 3000, 4000.
    std::map<uint16_t, TSwfSound> sounds;
    sounds[5] = {{TSwfSoundFormat::RawLittle, 44100, true, false}, 4, EncodeRawSound({1000, 2000, 3000, 4000}, true)};
    TSwfStreamHead none;
    TSwfSoundMixer m;
    m.SetSounds(&sounds, &none);
    m.Event({5, false, false, 2});
    EXPECT_EQ(Left(m, 10), (std::vector<int16_t>{1000, 2000, 3000, 4000, 1000, 2000, 3000, 4000, 0, 0})) << "looped twice";
    EXPECT_FALSE(m.Active());
    m.Event({5});
    m.Event({5});
    EXPECT_EQ(Left(m, 2), (std::vector<int16_t>{2000, 4000})) << "two copies add up";
    m.Event({5, false, true});
    EXPECT_EQ(Left(m, 2), (std::vector<int16_t>{6000, 8000})) << "no second start while copies play";
    m.Event({5, true});
    EXPECT_FALSE(m.Active());
    EXPECT_EQ(Left(m, 1), (std::vector<int16_t>{0}));
    // In and out points, and a sound at a quarter of the rate held 4 samples each.
    sounds[6] = {{TSwfSoundFormat::RawLittle, 11025, true, false}, 3, EncodeRawSound({100, 200, 300}, true)};
    m.SetSounds(&sounds, &none);
    m.Event({5, false, false, 1, 1, 3});
    EXPECT_EQ(Left(m, 3), (std::vector<int16_t>{2000, 3000, 0}));
    m.Event({6});
    EXPECT_EQ(Left(m, 13), (std::vector<int16_t>{100, 100, 100, 100, 200, 200, 200, 200, 300, 300, 300, 300, 0}));
}

// A movie of 8 frames at 10 per second whose stream block of frame f holds
// 4410 samples of value 100 * (f + 1): the mix after each frame is that
// frame's block, so the stream keeps step with the frames over the movie.
TEST(SwfSoundMixer, StreamKeepsStepWithTheFrames) {
    for (bool adpcm : {false, true}) {
        SCOPED_TRACE(adpcm ? "ADPCM" : "raw");
        TSwfWriter w(100, 80, 10, 8);
        const TSwfSoundFormat f{adpcm ? uint8_t(TSwfSoundFormat::Adpcm) : uint8_t(TSwfSoundFormat::RawLittle), 44100, true, false};
        SoundStreamHead(w.Main, f, 4410, adpcm);
        for (int frame = 0; frame < 8; ++frame) {
            std::vector<int16_t> block(4410, static_cast<int16_t>(100 * (frame + 1)));
            SoundStreamBlock(w.Main, adpcm ? EncodeAdpcmSound(block, 1, 4) : EncodeRawSound(block, true));
            w.Main.ShowFrame();
        }
        w.Main.End();
        TFakeClock clock;
        TSwfPlayer p(clock);
        p.LoadFromBytes(w.Finish());
        ASSERT_EQ(p.Movie()->Status, TSwfStatus::Ok) << p.Movie()->Problem;
        ASSERT_TRUE(p.Movie()->Stream.Present);
        EXPECT_EQ(p.Movie()->Stream.SamplesPerBlock, 4410);
        for (int frame = 0; frame < 8; ++frame) {
            ASSERT_EQ(p.Timeline().CurrentFrame(), frame);
            std::vector<int16_t> left = Left(p.Sound(), 4410);
            // ADPCM reaches a flat level within a few steps of a packet start.
            EXPECT_NEAR(left[4000], 100 * (frame + 1), adpcm ? 8 : 0) << frame;
            EXPECT_NEAR(left[10], 100 * (frame + 1), adpcm ? 8 : 0) << frame;
            clock.now += 100;
            p.Update();
        }
        // Played out and stopped: silence, nothing left to play.
        p.Timeline().Stop();
        p.StopSound();
        EXPECT_FALSE(p.Sound().Active());
    }
}

TEST(SwfSoundMixer, StreamFallingBehindDropsItsOldestSound) {
    TSwfStreamHead head{true, {TSwfSoundFormat::RawLittle, 44100, true, false}, 44100};
    std::map<uint16_t, TSwfSound> none;
    TSwfSoundMixer m;
    m.SetSounds(&none, &head);
    m.StreamBlock(EncodeRawSound(std::vector<int16_t>(44100, 1), true));
    m.StreamBlock(EncodeRawSound(std::vector<int16_t>(44100, 2), true));
    // Two seconds queued: only the last half second is kept.
    std::vector<int16_t> left = Left(m, TSwfSoundMixer::MaxStreamAhead + 1);
    EXPECT_EQ(left.front(), 2);
    EXPECT_EQ(left[TSwfSoundMixer::MaxStreamAhead - 1], 2);
    EXPECT_EQ(left.back(), 0);
}

TEST(SwfSoundMixer, FramesStartSoundsAndJumpsRestartTheStream) {
    // Frame 1 starts the sound; frame 3 jumps back to 1, which starts it again.
    TSwfWriter w(100, 80, 10, 8);
    const uint16_t id = DefineSound(w, {TSwfSoundFormat::RawLittle, 44100, true, false}, 3, EncodeRawSound({7, 7, 7}, true));
    for (int f = 0; f < 4; ++f) {
        if (f == 1) StartSound(w.Main, {id});
        w.Main.ShowFrame();
    }
    w.Main.End();
    TFakeClock clock;
    TSwfPlayer p(clock);
    p.LoadFromBytes(w.Finish());
    EXPECT_FALSE(p.Sound().Active());
    clock.now += 100;
    p.Update();
    EXPECT_TRUE(p.Sound().Active());
    EXPECT_EQ(Left(p.Sound(), 4), (std::vector<int16_t>{7, 7, 7, 0}));
    clock.now += 300;  // frames 2, 3 and round to 0
    p.Update();
    EXPECT_FALSE(p.Sound().Active());
    clock.now += 100;
    p.Update();
    EXPECT_TRUE(p.Sound().Active()) << "the loop entered frame 1 again";
}

// MP3 is not decoded here: its data is kept for the platform's codec, after
// the seek samples, and the mixer stays silent without a codec.
TEST(SwfSound, Mp3IsKeptForThePlatformCodec) {
    TSwfWriter w(100, 80, 10, 8);
    const TSwfSoundFormat f{TSwfSoundFormat::Mp3, 22050, true, true};
    std::vector<uint8_t> data{0x10, 0x00, 0xFF, 0xFB, 0x90, 0x64};  // seek samples, then a frame's start
    const uint16_t id = DefineSound(w, f, 1152, data);
    SoundStreamHead(w.Main, f, 576, true);
    StartSound(w.Main, {id});
    SoundStreamBlock(w.Main, {0x40, 0x02, 0, 0, 0xFF, 0xFB});
    w.Main.ShowFrame();
    w.Main.End();
    auto m = TSwfMovie::FromBytes(w.Finish());
    ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    EXPECT_EQ(m->Sounds.at(id).Data, (std::vector<uint8_t>{0xFF, 0xFB, 0x90, 0x64}));
    EXPECT_EQ(m->Stream.Format.Codec, TSwfSoundFormat::Mp3);
    EXPECT_EQ(m->Stream.Format.Rate, 22050);
    EXPECT_EQ(m->Stream.SamplesPerBlock, 576);
    EXPECT_EQ(m->Frames[0].StreamBlock.size(), 6u);
    TSwfSoundMixer mixer;
    mixer.SetSounds(&m->Sounds, &m->Stream);
    mixer.Event(m->Frames[0].Sounds[0]);
    mixer.StreamBlock(m->Frames[0].StreamBlock);
    EXPECT_FALSE(mixer.Active());
}
