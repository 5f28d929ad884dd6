#include "Fakes.h"
#include "OwnFileReader.h"

#include "CompileUnit.h"
#include "Exceptions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace {

std::string Bytes(std::unique_ptr<TMemoryStream> S) { return S ? BytesOf(*S) : std::string("<null>"); }

TOwnFileReader::TOpen Opening(std::string Bytes) {
    return [bytes = std::move(Bytes)]() -> std::unique_ptr<TStream> { return StreamOf(bytes); };
}

TEST(OwnFileReader, HandsOutTheProjectTextAndEveryMovieInflated) {
    TProject project;
    project.Title = "Clouds";
    project.BuildId = kBuildId;
    project.FlashList->Add("one.swf");
    const std::string movieTwo(300000, 'x');  // large enough to be inflated in many steps
    TOwnFileReader reader(Opening(InstalledFile(project, {"FWS one", movieTwo, "FWS three"})));

    TProject read;
    read.ProjectStream->LoadFromStream(reader.TakeProjectText().get());
    read.LoadFromStream();
    EXPECT_EQ(read.Title, "Clouds");
    EXPECT_EQ(read.FlashList->Strings(0), "one.swf");
    ASSERT_EQ(reader.MovieCount(), 3);
    EXPECT_EQ(Bytes(reader.TakeMovie(0)), "FWS one");
    EXPECT_EQ(Bytes(reader.TakeMovie(1)), movieTwo);
    EXPECT_EQ(Bytes(reader.TakeMovie(2)), "FWS three");
    EXPECT_TRUE(reader.Done());
    EXPECT_THROW(reader.TakeMovie(3), EReadError) << "past the container's end";
}

// A package whose parts are stored as named, so that one of them is not the
// zlib data the reader inflates it as.
std::string PackageWith(bool RawText, bool RawContainer, int RawMovie) {
    TProject project;
    project.BuildId = kBuildId;
    TCompileStream movies;
    for (int i = 0; i < 3; ++i) {
        auto m = StreamOf("FWS movie " + std::to_string(i));
        movies.AddStream(m.get(), i != RawMovie);
    }
    TCompileStream file;
    auto program = StreamOf("MZ program");
    file.AddStream(program.get(), false);
    file.AddStream(movies.Compile(), !RawContainer);
    project.SaveToStream();
    file.AddStream(project.ProjectStream.get(), !RawText);
    return BytesOf(*file.Compile());
}

struct TFailureCase {
    const char* Name;
    std::function<std::string()> Bytes;  // empty: the file cannot be opened
    // The first part that fails: 0 the text, 1 the count, 2 + i movie i.
    int FirstFailing;
};

class ReaderFailure : public testing::TestWithParam<TFailureCase> {};

// Each part raises what went wrong with it, and every part after it raises
// too, so that nobody is left waiting for a part that will never come.
TEST_P(ReaderFailure, RaisesAtThePartThatFailedAndEveryPartAfterIt) {
    const TFailureCase& c = GetParam();
    TOwnFileReader::TOpen open = c.Bytes ? Opening(c.Bytes()) : TOwnFileReader::TOpen([]() -> std::unique_ptr<TStream> {
        throw EFOpenError("Cannot open file C:\\saver.scr");
    });
    TOwnFileReader reader(std::move(open));
    auto part = [&](int Index) {
        if (Index == 0) return Bytes(reader.TakeProjectText());
        if (Index == 1) return std::to_string(reader.MovieCount());
        return Bytes(reader.TakeMovie(Index - 2));
    };
    reader.WaitForFile();  // returns, whatever became of the file
    for (int i = 0; i < 5; ++i) {
        if (i < c.FirstFailing)
            EXPECT_NO_THROW(part(i)) << "part " << i;
        else
            EXPECT_THROW(part(i), Exception) << "part " << i;
    }
    EXPECT_TRUE(reader.Done());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReaderFailure,
    testing::Values(TFailureCase{"FileCannotBeOpened", nullptr, 0},
                    TFailureCase{"NotAPackage", [] { return std::string("not a package"); }, 0},
                    TFailureCase{"TextNotInflatable", [] { return PackageWith(true, false, -1); }, 0},
                    TFailureCase{"ContainerNotInflatable", [] { return PackageWith(false, true, -1); }, 1},
                    TFailureCase{"SecondMovieNotInflatable", [] { return PackageWith(false, false, 1); }, 3}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// A file whose reading waits until the test lets it go on.
class TGatedFile : public TMemoryStream {
public:
    TGatedFile(const std::string& Bytes, std::shared_future<void> Gate) : gate_(std::move(Gate)) {
        WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
        SetPosition(0);
    }
    std::int64_t Read(void* Buffer, std::int64_t Count) override {
        gate_.wait();
        return TMemoryStream::Read(Buffer, Count);
    }

private:
    std::shared_future<void> gate_;
};

TEST(OwnFileReader, WaitForFileReturnsOnlyOnceTheFileHasBeenRead) {
    TProject project;
    project.Title = "Gated";
    project.BuildId = kBuildId;
    project.FlashList->Add("one.swf");
    const std::string file = InstalledFile(project, {"FWS one"});
    std::promise<void> release;
    std::shared_future<void> gate = release.get_future().share();
    TOwnFileReader reader([&]() -> std::unique_ptr<TStream> { return std::make_unique<TGatedFile>(file, gate); });

    auto waiting = std::async(std::launch::async, [&] { reader.WaitForFile(); });
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout)
        << "returned while the file was still being read";
    release.set_value();
    EXPECT_EQ(waiting.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    ASSERT_EQ(reader.MovieCount(), 1);
    EXPECT_EQ(Bytes(reader.TakeMovie(0)), "FWS one");
}

TEST(OwnFileReader, KeepsTheFailureOfOpeningAsItWas) {
    TOwnFileReader reader([]() -> std::unique_ptr<TStream> { throw EFOpenError("Cannot open file C:\\saver.scr"); });
    try {
        reader.TakeProjectText();
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file C:\\saver.scr");
    }
}

TEST(OwnFileReader, EndsPromptlyWhenDroppedBeforeAnythingIsTaken) {
    TProject project;
    project.BuildId = kBuildId;
    std::vector<std::string> movies(40, std::string(200000, 'm'));
    const std::string file = InstalledFile(project, movies);
    const auto t0 = std::chrono::steady_clock::now();
    {
        TOwnFileReader reader(Opening(file));
        reader.TakeProjectText();
    }
    // Reading on would inflate 8 MB; stopping lets at most one movie finish.
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
}

}  // namespace
