// The player control's sound, heard through a recording stand-in for the wave
// output: it starts with the frames that start it, loops as asked and stops
// with the movie; without a device the movie plays on silently.
#include "Form.h"
#include "Pump.h"
#include "ShockwaveFlash.h"
#include "SwfSoundWriter.h"
#include "SwfTestMovies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct TRecording {
    std::vector<int16_t> Left;   // everything written, left channel
    int Flushes = 0;
    int Opened = 0;
    bool Closed = false;
};

// Takes 50 ms of sound each time it is asked, as a device playing steadily would.
class TRecordingOut : public TSwfAudioOut {
public:
    explicit TRecordingOut(TRecording& R) : r_(R) { ++r_.Opened; }
    ~TRecordingOut() override { r_.Closed = true; }
    size_t Room() override { return 2205; }
    void Write(std::span<const int16_t> Samples) override {
        for (size_t i = 0; i + 1 < Samples.size(); i += 2) r_.Left.push_back(Samples[i]);
    }
    void Flush() override { ++r_.Flushes; }

private:
    TRecording& r_;
};

std::string WriteTemp(const std::string& Name, const std::vector<uint8_t>& Bytes) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    std::string path = std::string(dir) + "flash_sound_test_" + std::to_string(GetCurrentProcessId()) + "_" + Name;
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
    return path;
}

// Count samples of value Value in a row, from the first one.
size_t RunOf(const std::vector<int16_t>& s, int16_t Value) {
    auto first = std::find(s.begin(), s.end(), Value);
    return static_cast<size_t>(std::find_if(first, s.end(), [&](int16_t v) { return v != Value; }) - first);
}

class FlashSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        TShockwaveFlash::OpenAudioOut = [this]() -> std::unique_ptr<TSwfAudioOut> {
            if (noDevice) return nullptr;
            return std::make_unique<TRecordingOut>(rec);
        };
        form = CreateOwned<TForm>();
        form->SetBounds(0, 0, 240, 200);
        flash = Create<TShockwaveFlash>(form.get());
        flash->SetParent(form.get());
        flash->SetBounds(0, 0, 200, 160);
        form->Show();
        PumpFor(30);
    }
    void TearDown() override {
        form.reset();
        for (const std::string& f : files) std::remove(f.c_str());
        TShockwaveFlash::OpenAudioOut = [] { return OpenWaveOut(); };
    }
    std::string Movie(const std::string& Name, const std::vector<uint8_t>& Bytes) {
        files.push_back(WriteTemp(Name, Bytes));
        return files.back();
    }

    TRecording rec;
    bool noDevice = false;
    TOwned<TForm> form;
    TShockwaveFlash* flash = nullptr;
    std::vector<std::string> files;
};

// 6 frames at 20 per second; frame 1 starts a 1000-sample sound of value 900
// three times over.
std::vector<uint8_t> ChimeMovie() {
    TSwfWriter w(100, 80, 20, 8);
    const uint16_t id = DefineSound(w, {TSwfSoundFormat::RawLittle, 44100, true, false}, 1000,
                                    EncodeRawSound(std::vector<int16_t>(1000, 900), true));
    for (int f = 0; f < 6; ++f) {
        if (f == 1) StartSound(w.Main, {id, false, false, 3});
        w.Main.ShowFrame();
    }
    w.Main.End();
    return w.Finish();
}

}  // namespace

TEST_F(FlashSoundTest, EventSoundStartsWithItsFrameAndLoopsAsAsked) {
    flash->SetLoop(false);
    flash->SetMovie(Movie("chime.swf", ChimeMovie()));
    ASSERT_TRUE(PumpUntil([&] { return !flash->Playing(); }, 3000));
    ASSERT_TRUE(PumpUntil([&] { return RunOf(rec.Left, 900) >= 3000 && rec.Left.back() == 0; }, 3000))
        << "heard " << RunOf(rec.Left, 900);
    EXPECT_EQ(rec.Opened, 1);
    EXPECT_EQ(RunOf(rec.Left, 900), 3000u) << "three rounds of the sound, then silence";
    EXPECT_EQ(std::count(rec.Left.begin(), rec.Left.end(), int16_t(900)), 3000);
}

TEST_F(FlashSoundTest, SoundStopsWhenTheMovieIsStoppedChangedOrFreed) {
    // A stream of a steady level on every frame of a looping movie.
    TSwfWriter w(100, 80, 20, 8);
    SoundStreamHead(w.Main, {TSwfSoundFormat::RawLittle, 22050, true, false}, 1103);
    for (int f = 0; f < 4; ++f) {
        SoundStreamBlock(w.Main, EncodeRawSound(std::vector<int16_t>(1103, 500), true));
        w.Main.ShowFrame();
    }
    w.Main.End();
    const std::string stream = Movie("stream.swf", w.Finish());

    flash->SetMovie(stream);
    ASSERT_TRUE(PumpUntil([&] { return std::count(rec.Left.begin(), rec.Left.end(), int16_t(500)) > 20000; }, 4000));
    // Stopped: what is queued is dropped and nothing more is heard.
    const int flushes = rec.Flushes;
    flash->Stop();
    EXPECT_GT(rec.Flushes, flushes);
    size_t heard = rec.Left.size();
    PumpFor(300);
    EXPECT_TRUE(std::all_of(rec.Left.begin() + long(heard), rec.Left.end(), [](int16_t v) { return v == 0; }));

    // Played again, then another movie: the stream goes with the old one.
    flash->Play();
    ASSERT_TRUE(PumpUntil([&] { return rec.Left.size() > heard + 5000 && rec.Left.back() == 500; }, 3000));
    flash->SetMovie(Movie("silent.swf", ThreeFrameMovie()));
    heard = rec.Left.size();
    PumpFor(300);
    EXPECT_TRUE(std::all_of(rec.Left.begin() + long(heard), rec.Left.end(), [](int16_t v) { return v == 0; }));

    // Freed with its form: the output is closed.
    flash->SetMovie(stream);
    ASSERT_TRUE(PumpUntil([&] { return rec.Left.back() == 500; }, 3000));
    form.reset();
    EXPECT_TRUE(rec.Closed);
}

TEST_F(FlashSoundTest, WithoutADeviceTheMoviePlaysOnSilently) {
    noDevice = true;
    flash->SetLoop(false);
    flash->SetMovie(Movie("chime.swf", ChimeMovie()));
    ASSERT_TRUE(PumpUntil([&] { return flash->CurrentFrame() == 5; }, 3000)) << flash->CurrentFrame();
    EXPECT_TRUE(PumpUntil([&] { return !flash->Playing(); }, 1000));
    EXPECT_TRUE(rec.Left.empty());
    EXPECT_EQ(rec.Opened, 0);
}

#ifdef TESSALOOM_TONE_MP3
#include "SwfAcmMp3.h"
#include "SwfSoundMixer.h"

#include <chrono>
#include <cmath>
#include <iterator>

namespace {

std::vector<uint8_t> ToneMp3() {
    std::ifstream f(TESSALOOM_TONE_MP3, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Rises through zero per second on one channel of interleaved stereo, and
// the channel's RMS, over the samples from First on.
std::pair<double, double> Measure(const std::vector<int16_t>& s, size_t Channel, size_t First, size_t Frames) {
    int rises = 0;
    double sum = 0;
    for (size_t i = First; i < First + Frames; ++i) {
        const int16_t a = s[2 * i + Channel], b = s[2 * (i + 1) + Channel];
        if (a < 0 && b >= 0) ++rises;
        sum += double(a) * a;
    }
    return {rises * 44100.0 / Frames, std::sqrt(sum / Frames)};
}

}  // namespace

// MP3 goes through the platform's codec: our 440 Hz / 660 Hz signal comes
// back at its pitch and level (MP3 keeps neither samples nor phase exactly).
TEST(FlashMp3, EventSoundDecodesThroughThePlatformCodec) {
    const std::vector<uint8_t> mp3 = ToneMp3();
    ASSERT_GT(mp3.size(), 100000u);
    std::map<uint16_t, TSwfSound> sounds;
    const TSwfSoundFormat f{TSwfSoundFormat::Mp3, 44100, true, true};
    sounds[1] = {f, 44100 * 3, std::vector<uint8_t>(mp3.begin(), mp3.begin() + 16000 * 3)};  // about 3 s at 128 kbit/s
    TSwfStreamHead none;
    TSwfSoundMixer m;
    m.Mp3Codec = OpenAcmMp3;
    m.SetSounds(&sounds, &none);
    m.Event({1});
    ASSERT_TRUE(m.Active()) << "no MP3 codec on this system";
    std::vector<int16_t> out(2 * 44100 * 2);
    m.Mix(out);
    const auto [leftHz, leftRms] = Measure(out, 0, 22050, 44100);
    const auto [rightHz, rightRms] = Measure(out, 1, 22050, 44100);
    EXPECT_NEAR(leftHz, 440, 3);
    EXPECT_NEAR(rightHz, 660, 3);
    EXPECT_NEAR(leftRms, 12000 / std::sqrt(2.0), 600);
    EXPECT_NEAR(rightRms, 12000 / std::sqrt(2.0), 600);
}

// A minute of stereo 44.1 kHz MP3 as a stream, decoded and mixed block by
// block at 25 frames per second: the time taken as a share of the minute is
// reported (target below 0.02) and decides nothing.
TEST(FlashMp3, StreamOfAMinuteDecodesAndMixesInStep) {
    const std::vector<uint8_t> mp3 = ToneMp3();
    TSwfStreamHead head{true, {TSwfSoundFormat::Mp3, 44100, true, true}, 1764};
    std::map<uint16_t, TSwfSound> none;
    TSwfSoundMixer m;
    m.Mp3Codec = OpenAcmMp3;
    m.SetSounds(&none, &head);
    const size_t frames = 60 * 25, per = mp3.size() / frames;
    std::vector<int16_t> out(2 * 1764), left;
    const auto start = std::chrono::steady_clock::now();
    for (size_t k = 0; k < frames; ++k) {
        std::vector<uint8_t> block{0xE4, 0x06, 0, 0};  // sample count (1764), seek
        block.insert(block.end(), mp3.begin() + long(k * per), mp3.begin() + long((k + 1) * per));
        m.StreamBlock(block);
        m.Mix(out);
        if (k >= 500 && k < 525) left.insert(left.end(), out.begin(), out.end());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double share = seconds / 60;
    RecordProperty("mp3_share_of_playback", std::to_string(share));
    std::printf("decoding and mixing a minute of stereo MP3 stream: %.3f s, %.4f of playback (target below 0.02)\n",
                seconds, share);
    // The stream in step: a second in the middle is the signal, not silence or a stutter.
    ASSERT_EQ(left.size(), 2u * 44100);
    EXPECT_NEAR(Measure(left, 0, 0, 44099).first, 440, 5);
}
#endif
