// The bundled sample project opens as the builder opens it, names movies that
// exist and play in our player, and is big enough to time a build with.
#include "BitmapFile.h"
#include "DecompileUnit.h"
#include "FileStream.h"
#include "ProjectUnit.h"
#include "SwfMovie.h"
#include "SwfScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string ProjectFile = "../sample.qlm";

std::vector<uint8_t> ReadAll(const std::string& Path) {
    std::ifstream f(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

struct Loaded {
    int Streams = 0;
    TProject Project;
    Loaded() {
        TFileStream file(ProjectFile, fmOpenRead | fmShareDenyNone);
        TDecompileStream reader;
        reader.Decompile(&file);
        Streams = reader.Count();
        auto text = reader.GetStream(0, true);
        Project.ProjectStream->LoadFromStream(text.get());
        Project.LoadFromStream();
    }
};

std::vector<std::string> Movies(const TProject& P) {
    std::vector<std::string> m;
    for (int i = 0; i < P.FlashList->Count(); ++i) m.push_back(P.FlashList->Strings(i));
    return m;
}

// A summary of what a frame draws, to tell frames apart.
double Fingerprint(const TSwfFrameImage& Image) {
    double sum = static_cast<double>(Image.Items.size());
    for (const TSwfDrawItem& item : Image.Items)
        for (const TSwfPathSegment& s : item.Segments) sum += s.To.X * 0.5 + s.To.Y * 0.25 + item.Color.A;
    return sum;
}

std::string FileName(const std::string& Path) { return Path.substr(Path.find_last_of("\\/") + 1); }

TEST(SampleProject, IsAProjectFileWithPublisherDataAndSevenMoviesInOrder) {
    Loaded l;
    EXPECT_EQ(l.Streams, 1);
    const TProject& p = l.Project;
    EXPECT_EQ(p.Title, "Sample Screensaver");
    EXPECT_EQ(p.Publisher, "Example Studio");
    EXPECT_EQ(p.Homepage, "http://www.example.org/");
    EXPECT_EQ(p.Email, "screensavers@example.org");
    EXPECT_FALSE(p.Copyright.empty());
    EXPECT_TRUE(p.BuildId.empty()) << "a project file carries no build identifier";
    EXPECT_FALSE(p.RandomPlay) << "the tests expect the list order";
    EXPECT_FALSE(p.ShowLicense) << "installing with /auto must not stop at a licence";
    EXPECT_EQ(FileName(p.OutputFile), "SampleScreensaverSetup.exe");
    std::vector<std::string> names;
    for (const std::string& m : Movies(p)) names.push_back(FileName(m));
    EXPECT_EQ(names, (std::vector<std::string>{"orbits.swf", "equalizer.swf", "blossom.swf", "tide.swf", "daybreak.swf",
                                               "lantern.swf", "drift.swf"}));
}

// Programs open the project's paths as they stand: under Wine they are drive
// Z: paths of the build tree, natively the build machine's own.
TEST(SampleProject, PathsAreAbsoluteForThePrograms) {
    Loaded l;
    std::vector<std::string> paths = Movies(l.Project);
    paths.push_back(l.Project.LogoFile);
    paths.push_back(l.Project.OutputFile);
    for (const std::string& p : paths) {
#ifdef _WIN32
        EXPECT_EQ(p.rfind("Z:\\", 0), 0u) << p;
        EXPECT_EQ(p.find('/'), std::string::npos) << p;
#else
        EXPECT_EQ(p.rfind('/', 0), 0u) << p;
#endif
    }
}

TEST(SampleProject, MoviesTogetherWeighSeveralMegabytes) {
    Loaded l;
    size_t total = 0;
    for (const std::string& m : Movies(l.Project)) {
        const size_t size = ReadAll(m).size();
        EXPECT_GT(size, 0u) << m;
        total += size;
    }
    EXPECT_GE(total, 3u * 1000 * 1000);
}

// Every movie reads cleanly, and its frames compose into something
// to draw within the player's limits and changes over time.
TEST(SampleProject, EveryMoviePlaysInOurPlayer) {
    Loaded l;
    for (const std::string& path : Movies(l.Project)) {
        SCOPED_TRACE(path);
        auto movie = TSwfMovie::FromFile(path);
        ASSERT_EQ(movie->Status, TSwfStatus::Ok) << movie->Problem;
        EXPECT_GT(movie->TotalFrames(), 1);
        TSwfScene scene(*movie);
        TSwfFrameImage first, image;
        scene.GotoFrame(0);
        scene.Compose(first);
        ASSERT_FALSE(first.Items.empty());
        // Every frame of the short movies, an even spread of the long one's.
        const int step = std::max(1, movie->TotalFrames() / 120);
        size_t changed = 0, composed = 0;
        double before = Fingerprint(first);
        for (int f = 1; f < movie->TotalFrames(); f += step, ++composed) {
            scene.GotoFrame(f);
            scene.Compose(image);
            ASSERT_FALSE(image.Items.empty()) << "frame " << f;
            const double now = Fingerprint(image);
            if (now != before) ++changed;
            before = now;
        }
        EXPECT_GT(changed, composed / 2) << "the movie animates";
    }
}

TEST(SampleProject, LogoIsA128PixelSquareBitmap) {
    Loaded l;
    const std::vector<uint8_t> bytes = ReadAll(l.Project.LogoFile);
    ASSERT_FALSE(bytes.empty()) << l.Project.LogoFile;
    const TBmpLayout bmp = ParseBmp(bytes.data(), bytes.size(), true);
    EXPECT_EQ(bmp.Width, 128);
    EXPECT_EQ(bmp.Height, 128);
}

}  // namespace
