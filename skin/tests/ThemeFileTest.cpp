#include "BitmapFile.h"
#include "Exceptions.h"
#include "TestBitmaps.h"
#include "ThemeFile.h"
#include "ThemeFileWriter.h"
#include "ThemeKeys.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace ThemeFileLayout;

Bytes Content(TMemoryStream* s) {
    const auto* p = static_cast<const std::uint8_t*>(s->Memory());
    return Bytes(p, p + s->Size());
}

std::uint32_t GetLE(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Offset of the n-th entry header (0-based) in a file laid out by the writer.
std::size_t EntryAt(const Bytes& file, int n) {
    std::size_t at = GetLE(file, 20);
    for (int i = 0; i < n; ++i) at = GetLE(file, at + 73);
    return at;
}

Bytes SampleTheme() {
    TskThemeFileWriter w;
    w.AddBitmap("ButtonImage", MakeBitmap(9, 7));
    w.AddInteger("TitleBarButtonRightOffsetInt", -6);
    w.AddInteger("FormRoundCornerInt", 11);
    w.AddInteger("FormBackgroundColor", 0x00F59F86);
    w.AddBoolean("ButtonTransparentBool", true);
    w.AddBoolean("TitleBarButtonTransparentBool", false);
    w.AddString("Author", "Nimbrel");
    return w.Bytes();
}

class TempFile {
public:
    explicit TempFile(const Bytes& content) {
        static int counter = 0;
        path_ = (std::filesystem::temp_directory_path() /
                 ("skin-theme-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  std::to_string(++counter) + ".skn"))
                    .string();
        std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(content.data()),
                                                     static_cast<std::streamsize>(content.size()));
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

TEST(ThemeFile, WriterLaysOutHeaderEntriesAndTerminator) {
    TskThemeFileWriter w;
    w.AddInteger("FormMinWidthInt", 200);
    const Bytes file = w.Bytes();
    ASSERT_EQ(file.size(), 24u + 77 + 4 + 77);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 10), "VIVIvuz_TB");
    EXPECT_EQ(file[10], 0);
    EXPECT_EQ(file[11], 0);
    EXPECT_EQ(GetLE(file, 12), 24u);
    EXPECT_EQ(GetLE(file, 16), 1u);
    EXPECT_EQ(GetLE(file, 20), 24u);
    EXPECT_EQ(file[24 + 64], TypeInteger);
    EXPECT_EQ(GetLE(file, 24 + 65), 24u + 77);
    EXPECT_EQ(GetLE(file, 24 + 69), 4u);
    EXPECT_EQ(GetLE(file, 24 + 73), 24u + 77 + 4);
    EXPECT_EQ(GetLE(file, 24 + 77), 200u);
    const std::size_t term = 24 + 77 + 4;
    EXPECT_EQ(file[term], 0);
    EXPECT_EQ(file[term + 64], TypeBoolean);
    EXPECT_EQ(GetLE(file, term + 65), 0u);
    EXPECT_EQ(GetLE(file, term + 69), 0u);
    EXPECT_EQ(GetLE(file, term + 73), 0u);
    EXPECT_THROW(w.AddInteger(std::string(64, 'x'), 1), std::invalid_argument);
}

TEST(ThemeFile, HeaderAndTerminatorOnlyGiveEmptyLists) {
    TskThemeFileReader reader(TskThemeFileWriter().Bytes());
    EXPECT_TRUE(reader.Images().empty());
    EXPECT_TRUE(reader.Integers().empty());
    EXPECT_TRUE(reader.Booleans().empty());
    EXPECT_TRUE(reader.Strings().empty());
    for (int k = 1; k <= ThemeKeyCount; ++k) {
        const auto name = ThemeKeyName(static_cast<TskThemeKey>(k));
        EXPECT_EQ(reader.ReadInt(name), -1);
        EXPECT_FALSE(reader.ReadBool(name));
        EXPECT_EQ(reader.ReadStream(name), nullptr);
    }
}

TEST(ThemeFile, SingleHeaderWithNextZeroIsTheTerminator) {
    // One header that names a key and points at real data, but ends the chain.
    Bytes file = SampleTheme();
    PutLE(file, EntryAt(file, 0) + 73, 0);
    TskThemeFileReader reader(file);
    EXPECT_TRUE(reader.Images().empty());
    EXPECT_TRUE(reader.Integers().empty());
    EXPECT_EQ(reader.ReadStream("ButtonImage"), nullptr);
}

TEST(ThemeFile, ValuesReadBackWithoutRegardToCase) {
    TskThemeFileReader reader(SampleTheme());
    EXPECT_EQ(reader.ReadInt("TitleBarButtonRightOffsetInt"), -6);
    EXPECT_EQ(reader.ReadInt("FormBackgroundColor"), 0x00F59F86);
    EXPECT_EQ(reader.ReadInt("formroundcornerint"), 11);
    EXPECT_EQ(reader.ReadInt("FORMROUNDCORNERINT"), 11);
    EXPECT_EQ(reader.ReadInt("FormRoundCorner"), -1);
    EXPECT_TRUE(reader.ReadBool("buttontransparentbool"));
    EXPECT_FALSE(reader.ReadBool("TitleBarButtonTransparentBool"));
    EXPECT_FALSE(reader.ReadBool("FormRoundCornerInt")) << "integers and booleans are separate lists";
    EXPECT_EQ(reader.ReadInt("ButtonTransparentBool"), -1);
    TMemoryStream* button = reader.ReadStream("BUTTONIMAGE");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(Content(button), MakeBitmap(9, 7));
    // A caller reads the stream to its end; the next lookup rewinds it.
    char two[2];
    button->ReadBuffer(two, 2);
    EXPECT_EQ(button->Position(), 2);
    EXPECT_EQ(reader.ReadStream("buttonimage"), button) << "the same stream each time";
    EXPECT_EQ(button->Position(), 0);
    EXPECT_EQ(reader.Integers(), (std::vector<std::string>{"TitleBarButtonRightOffsetInt=-6", "FormRoundCornerInt=11",
                                                           "FormBackgroundColor=16097158"}));
    EXPECT_EQ(reader.Booleans(), (std::vector<std::string>{"ButtonTransparentBool=1", "TitleBarButtonTransparentBool=0"}));
    EXPECT_EQ(reader.Strings(), (std::vector<std::string>{"Author=Nimbrel"}));
}

TEST(ThemeFile, FirstOfTwoEqualNamesAnswers) {
    TskThemeFileWriter w;
    w.AddInteger("FormMinWidthInt", 200);
    w.AddInteger("formminwidthint", 300);
    w.AddBoolean("ButtonTransparentBool", false);
    w.AddBoolean("ButtonTransparentBool", true);
    w.AddBitmap("TabControlTabImage", MakeBitmap(18, 18));
    w.AddBitmap("TabControlTabImage", MakeBitmap(4, 4));
    TskThemeFileReader reader(w.Bytes());
    EXPECT_EQ(reader.ReadInt("FormMinWidthInt"), 200);
    EXPECT_FALSE(reader.ReadBool("ButtonTransparentBool"));
    EXPECT_EQ(Content(reader.ReadStream("TabControlTabImage")), MakeBitmap(18, 18));
    EXPECT_EQ(reader.Images().size(), 2u);
}

TEST(ThemeFile, EntryDetails) {
    // A name filling all 64 bytes has no terminating NUL: it is cut at 64.
    Bytes file = SampleTheme();
    const std::size_t first = EntryAt(file, 1);
    for (std::size_t i = 0; i < NameSize; ++i) file[first + i] = 'a';
    // Unknown entry types are skipped; a boolean keeps its whole byte.
    file[EntryAt(file, 2) + 64] = 9;
    file[GetLE(file, EntryAt(file, 4) + 65)] = 0x100 - 2;
    TskThemeFileReader reader(file);
    EXPECT_EQ(reader.ReadInt(std::string(64, 'A')), -6);
    EXPECT_EQ(reader.ReadInt("FormRoundCornerInt"), -1);
    EXPECT_EQ(reader.Booleans().front(), "ButtonTransparentBool=254");
    EXPECT_TRUE(reader.ReadBool("ButtonTransparentBool"));
}

TEST(ThemeFile, DamagedFilesRaiseTheStreamReadError) {
    using Edit = std::function<void(Bytes&)>;
    const struct {
        const char* what;
        Edit edit;
    } cases[] = {
        {"shorter than the header", [](Bytes& f) { f.resize(15); }},
        {"header size past the end", [](Bytes& f) { PutLE(f, 12, static_cast<std::uint32_t>(f.size() + 1)); }},
        {"header size below 24", [](Bytes& f) { PutLE(f, 12, 16); }},
        {"first entry past the end", [](Bytes& f) { PutLE(f, 20, static_cast<std::uint32_t>(f.size())); }},
        {"first entry cut short", [](Bytes& f) { PutLE(f, 20, static_cast<std::uint32_t>(f.size() - 76)); }},
        {"terminator missing", [](Bytes& f) { f.resize(f.size() - 77); }},
        {"next offset past the end", [](Bytes& f) { PutLE(f, EntryAt(f, 1) + 73, 0xFFFFFFF0u); }},
        {"chain loops onto itself", [](Bytes& f) { PutLE(f, EntryAt(f, 2) + 73, static_cast<std::uint32_t>(EntryAt(f, 2))); }},
        {"chain loops back to the start", [](Bytes& f) { PutLE(f, EntryAt(f, 5) + 73, 24); }},
        {"bitmap runs past the end", [](Bytes& f) { PutLE(f, EntryAt(f, 0) + 69, static_cast<std::uint32_t>(f.size())); }},
        {"huge bitmap size", [](Bytes& f) { PutLE(f, EntryAt(f, 0) + 69, 0xFFFFFFFFu); }},
        {"bitmap data offset past the end", [](Bytes& f) { PutLE(f, EntryAt(f, 0) + 65, 0xFFFFFFFFu); }},
        {"integer data past the end", [](Bytes& f) { PutLE(f, EntryAt(f, 1) + 65, static_cast<std::uint32_t>(f.size() - 3)); }},
        {"boolean data past the end", [](Bytes& f) { PutLE(f, EntryAt(f, 4) + 65, static_cast<std::uint32_t>(f.size())); }},
        {"huge string size", [](Bytes& f) { PutLE(f, EntryAt(f, 6) + 69, 0xFFFFFFFFu); }},
    };
    for (const auto& c : cases) {
        Bytes file = SampleTheme();
        c.edit(file);
        try {
            TskThemeFileReader reader(file);
            ADD_FAILURE() << c.what << ": loaded";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Stream read error") << c.what;
        }
    }
}

TEST(ThemeFile, ABadPictureLoadsAsWrittenWithTheRestOfTheTheme) {
    // One picture entry of the sample made bad; every other value must still
    // be there, and the bad entry holds exactly the bytes the file gives it.
    using Edit = std::function<void(Bytes&)>;
    const struct {
        const char* what;
        Edit edit;
        std::function<Bytes(const Bytes&)> expected;  // the picture's bytes, from the edited file
    } cases[] = {
        {"empty bitmap entry", [](Bytes& f) { PutLE(f, EntryAt(f, 0) + 69, 0); }, [](const Bytes&) { return Bytes{}; }},
        {"entry that is no bitmap", [](Bytes& f) { f[EntryAt(f, 0) + 77] = 'X'; },
         [](const Bytes& f) {
             const std::size_t at = EntryAt(f, 0) + 77;
             return Bytes(f.begin() + static_cast<std::ptrdiff_t>(at), f.begin() + static_cast<std::ptrdiff_t>(at + GetLE(f, EntryAt(f, 0) + 69)));
         }},
        {"bitmap with cut pixel rows", [](Bytes& f) { PutLE(f, EntryAt(f, 0) + 69, GetLE(f, EntryAt(f, 0) + 69) - 1); },
         [](const Bytes&) {
             Bytes b = MakeBitmap(9, 7);
             b.pop_back();
             return b;
         }},
        {"entry pointing at an integer's data", [](Bytes& f) { PutLE(f, EntryAt(f, 0) + 65, GetLE(f, EntryAt(f, 1) + 65)); PutLE(f, EntryAt(f, 0) + 69, 4); },
         [](const Bytes&) { return Bytes{0xFA, 0xFF, 0xFF, 0xFF}; }},
    };
    for (const auto& c : cases) {
        Bytes file = SampleTheme();
        c.edit(file);
        std::optional<TskThemeFileReader> reader;
        try {
            reader.emplace(file);
        } catch (const EReadError&) {
            ADD_FAILURE() << c.what << ": refused";
            continue;
        }
        ASSERT_EQ(reader->Images().size(), 1u) << c.what;
        TMemoryStream* picture = reader->ReadStream("ButtonImage");
        ASSERT_NE(picture, nullptr) << c.what;
        EXPECT_EQ(Content(picture), c.expected(file)) << c.what;
        EXPECT_EQ(reader->ReadInt("TitleBarButtonRightOffsetInt"), -6) << c.what;
        EXPECT_EQ(reader->ReadInt("FormBackgroundColor"), 0x00F59F86) << c.what;
        EXPECT_TRUE(reader->ReadBool("ButtonTransparentBool")) << c.what;
        EXPECT_EQ(reader->Strings(), (std::vector<std::string>{"Author=Nimbrel"})) << c.what;
    }
}

// A file of one large bitmap, then four integer entries; Point(file, i, at)
// turns integer entry i (1 to 4) into a bitmap entry of the bitmap's size
// whose data starts at offset at.
struct TSharedPictures {
    Bytes bitmap = MakeBitmap(200, 200);
    Bytes file;
    TSharedPictures() {
        TskThemeFileWriter w;
        w.AddBitmap("ButtonImage", bitmap);
        for (const char* name : {"CheckBoxImage", "RadioButtonImage", "ScrollBarImage", "TrackBarImage"}) w.AddInteger(name, 1);
        file = w.Bytes();
    }
    std::uint32_t BitmapAt() const { return GetLE(file, EntryAt(file, 0) + 65); }
    void Point(int Entry, std::uint32_t At) {
        const std::size_t header = EntryAt(file, Entry);
        file[header + 64] = TypeBitmap;
        PutLE(file, header + 65, At);
        PutLE(file, header + 69, static_cast<std::uint32_t>(bitmap.size()));
    }
};

TEST(ThemeFile, EntriesSharingOnePictureReadItOnceEach) {
    // Four more entries pointing at the one large bitmap: each reads it, and
    // the reader holds it once, not five times the file.
    TSharedPictures t;
    for (int i = 1; i <= 4; ++i) t.Point(i, t.BitmapAt());
    TskThemeFileReader reader(t.file);
    ASSERT_EQ(reader.Images().size(), 5u);
    TMemoryStream* first = reader.ReadStream("ButtonImage");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Content(first), t.bitmap);
    for (const char* name : {"CheckBoxImage", "RadioButtonImage", "ScrollBarImage", "TrackBarImage"}) {
        TMemoryStream* shared = reader.ReadStream(name);
        ASSERT_NE(shared, nullptr) << name;
        EXPECT_EQ(shared, first) << name << ": one copy of the shared bytes";
        EXPECT_EQ(shared->Position(), 0) << name;
    }
}

TEST(ThemeFile, OverlappingPicturesCannotMultiplyTheMemory) {
    // Entries whose data overlap without being the same bytes would each need
    // a copy of nearly the whole file: the reader refuses the file instead.
    TSharedPictures t;
    for (int i = 1; i <= 4; ++i) t.Point(i, t.BitmapAt() - static_cast<std::uint32_t>(i));
    EXPECT_THROW(TskThemeFileReader{t.file}, EReadError);
}

TEST(ThemeFile, FailedLoadKeepsThePreviousContent) {
    TskThemeFileReader reader(SampleTheme());
    Bytes bad = SampleTheme();
    PutLE(bad, 20, 0xFFFFFF00u);
    EXPECT_THROW(reader.LoadFromBytes(bad), EReadError);
    EXPECT_EQ(reader.ReadInt("FormRoundCornerInt"), 11);
}

// A crafted file found by fuzzing: its one picture declares bit-field masks
// that would lie past the end of the file. Loading must not read them (the
// sanitizer builds catch it), and no picture it offers is one that cannot be read.
TEST(ThemeFile, PictureWithMasksPastTheEndIsNotOffered) {
    const Bytes file = {
        0x56, 0x49, 0x56, 0x49, 0x76, 0x75, 0x7A, 0x5F, 0x54, 0x42, 0x00, 0x00, 0x18, 0x00, 0x00, 0x00, 0x01, 0x00,
        0x00, 0x00, 0x18, 0x00, 0x00, 0x00, 0x42, 0x75, 0x49, 0x6F, 0x61, 0x6D, 0x74, 0x74, 0x6E, 0x67, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x4D, 0x5A, 0xCE, 0x00, 0x00, 0x00, 0x00, 0x00, 0xEC, 0x36, 0x00, 0x00, 0x00, 0x28, 0x00,
        0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x54, 0x65, 0x00, 0x00, 0x00, 0x5A, 0x00,
        0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x60, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x65,
        0x00, 0x00, 0x00, 0x37, 0x00, 0x00, 0x00, 0xBF, 0x00, 0x00, 0x00, 0x42, 0x4D, 0x5A, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x01, 0x54, 0x00, 0x00, 0x00, 0x29, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00,
        0x00, 0x01, 0x00, 0x10, 0x00, 0x03, 0x00, 0x00, 0x00, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83,
        0x83, 0x83, 0x83, 0x83, 0x01, 0x00, 0x00, 0x64, 0x83, 0x83, 0x83, 0x00};
    ASSERT_EQ(file.size(), 156u);
    std::optional<TskThemeFileReader> reader;
    try {
        reader.emplace(file);
    } catch (const EReadError&) {
        return;
    }
    for (const auto& image : reader->Images()) {
        const Bytes bytes = Content(reader->ReadStream(image.Name));
        EXPECT_NO_THROW(ParseBmp(bytes.data(), bytes.size(), true)) << image.Name;
    }
}

TEST(ThemeFile, ReaderFromFile) {
    TempFile file(SampleTheme());
    TskThemeFileReader reader(file.Path());
    EXPECT_EQ(reader.ReadInt("TitleBarButtonRightOffsetInt"), -6);
    try {
        TskThemeFileReader missing(file.Path() + ".missing");
        ADD_FAILURE() << "loaded a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + file.Path() + ".missing");
    }
}

TEST(ThemeFile, IsValidThemeFileLooksAtTheMagicOnly) {
    const auto withHead = [](std::string head) {
        Bytes b(head.begin(), head.end());
        return b;
    };
    const struct {
        Bytes content;
        bool valid;
        const char* what;
    } cases[] = {
        {SampleTheme(), true, "written theme"},
        {withHead(std::string("VIVIvuz_TB\0\0", 12)), true, "magic alone"},
        {withHead(std::string("VIVIvuz_TB\0Zjunk after", 22)), true, "any byte after the NUL"},
        {withHead(std::string("vivivuz_tb\0\0", 12)), false, "lower case"},
        {withHead(std::string("VIVIvuz_TBX\0", 12)), false, "longer text"},
        {withHead(std::string("VIVIvuz_TB12", 12)), false, "no NUL in 12 bytes"},
        {withHead(std::string("VIVIvuz\0\0\0\0\0", 12)), false, "shorter text"},
        {withHead(std::string("VIVIvuz_TB\0", 11)), false, "short file"},
        {{}, false, "empty file"},
    };
    for (const auto& c : cases) {
        TempFile file(c.content);
        EXPECT_EQ(IsValidThemeFile(file.Path()), c.valid) << c.what;
        EXPECT_EQ(IsThemeFileData(c.content), c.valid) << c.what;
    }
    EXPECT_FALSE(IsValidThemeFile((std::filesystem::temp_directory_path() / "skin-no-such-theme.skn").string()));
    EXPECT_FALSE(IsValidThemeFile(std::filesystem::temp_directory_path().string())) << "a folder";
}
