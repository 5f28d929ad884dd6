// The generated sample movies read cleanly and animate.
#include "SwfMovie.h"
#include "SwfScene.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TSample {
    const char* Name;
    const char* Signature;
    int Width, Height;
    double Rate;
    int Frames;
};

const TSample Samples[] = {
    {"orbits", "FWS", 800, 600, 30, 90},
    {"equalizer", "FWS", 640, 480, 24, 48},
    {"blossom", "FWS", 1024, 768, 20, 60},
    {"tide", "CWS", 320, 240, 12, 24},
    {"daybreak", "CWS", 800, 600, 20, 60},
};

void PrintTo(const TSample& s, std::ostream* os) { *os << s.Name; }

class SwfSampleTest : public ::testing::TestWithParam<TSample> {};

TEST_P(SwfSampleTest, ReadsCleanlyAndEveryFrameShowsSomething) {
    const TSample& s = GetParam();
    auto m = TSwfMovie::FromFile(std::string("../samples/") + s.Name + ".swf");
    ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    EXPECT_EQ(m->Header.Signature, s.Signature);
    EXPECT_EQ(m->Stage().Width(), s.Width * TwipsPerPixel);
    EXPECT_EQ(m->Stage().Height(), s.Height * TwipsPerPixel);
    EXPECT_DOUBLE_EQ(m->Header.FrameRate(), s.Rate);
    EXPECT_EQ(m->TotalFrames(), s.Frames);
    EXPECT_EQ(m->Header.FrameCount, s.Frames);
    TSwfScene scene(*m);
    TSwfFrameImage first, image;
    scene.GotoFrame(0);
    scene.Compose(first);
    EXPECT_GE(first.Items.size(), 3u);
    bool moved = false;
    for (int f = 1; f < m->TotalFrames(); ++f) {
        scene.GotoFrame(f);
        scene.Compose(image);
        EXPECT_FALSE(image.Items.empty());
        for (size_t i = 0; i < image.Items.size() && i < first.Items.size(); ++i) {
            const auto &a = image.Items[i].Segments, &b = first.Items[i].Segments;
            for (size_t k = 0; k < a.size() && k < b.size(); ++k) moved |= a[k].To != b[k].To;
        }
    }
    EXPECT_TRUE(moved) << "the movie animates";
}

INSTANTIATE_TEST_SUITE_P(Movies, SwfSampleTest, ::testing::ValuesIn(Samples),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
