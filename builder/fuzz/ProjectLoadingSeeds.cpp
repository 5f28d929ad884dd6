// Writes the seed inputs of the project-loading fuzz target into the folder
// given, made by our own writers: project texts and files as the builder
// saves them, a logo as the bitmap writer makes it, movies from the movie
// writer. Run by the build, so the seeds follow the formats as they change.

#include "BitmapFile.h"
#include "CompileUnit.h"
#include "FuzzInput.h"
#include "ProjectUnit.h"
#include "SwfWriter.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace ProjectFuzzInput;

std::string Bytes(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

std::string MovieName(int N) {
    return std::string(MoviesFolder) + std::string(MoviePrefix) + std::to_string(N) + std::string(MovieSuffix);
}

std::string ProjectText(const std::string& Logo, const std::vector<std::string>& Movies,
                        const std::vector<std::string>& Licence) {
    TProject p;
    p.Title = "Harbour Lights";
    p.LogoFile = Logo;
    p.Publisher = "Quayside Works";
    p.Homepage = "http://quayside.example/";
    p.Email = "info@quayside.example";
    p.Copyright = "(c) Quayside Works";
    for (const std::string& m : Movies) p.FlashList->Add(m);
    p.RandomPlay = true;
    p.ShowLicense = !Licence.empty();
    for (const std::string& l : Licence) p.LicenseText->Add(l);
    p.OutputFile = "C:\\Output\\Harbour Lights Setup.exe";
    p.SaveToStream();
    return Bytes(*p.ProjectStream);
}

std::string Logo() {
    std::vector<std::uint32_t> px(6 * 4);
    for (std::size_t i = 0; i < px.size(); ++i) px[i] = static_cast<std::uint32_t>(i * 0x0A1B2C);
    const std::vector<std::uint8_t> bmp = EncodeBmp24(6, 4, px.data());
    return std::string(bmp.begin(), bmp.end());
}

std::string Movie(bool Compressed, TSwfRgba Colour) {
    TSwfWriter w(40, 30, 12);
    TSwfShapeBuilder shape;
    shape.Rectangle(20, 20, 400, 300, shape.SolidFill(Colour), 0);
    const std::uint16_t id = w.DefineShape(shape);
    w.Main.Place(1, id);
    w.Main.ShowFrame();
    w.Main.Move(1, TSwfMatrix::Translate(40, 20));
    w.Main.ShowFrame();
    w.Main.End();
    const std::vector<std::uint8_t> file = w.Finish(Compressed);
    return std::string(file.begin(), file.end());
}

std::string Parts(const std::vector<std::string>& Parts) {
    std::string input(1, '\0');
    for (std::size_t i = 0; i < Parts.size(); ++i) {
        if (i) input += PartSeparator;
        input += Parts[i];
    }
    return input;
}

std::string ProjectFile(const std::string& Text) {
    TMemoryStream text;
    text.WriteBuffer(Text.data(), static_cast<std::int64_t>(Text.size()));
    TCompileStream writer;
    writer.AddStream(&text, true);
    return std::string(1, '\1') + Bytes(*writer.Compile());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::string logo = std::string(MoviesFolder) + std::string(LogoName);
    const TSwfRgba red{200, 30, 30, 255}, blue{20, 40, 220, 255};
    const struct {
        const char* name;
        std::string bytes;
    } seeds[] = {
        {"two-movies-and-licence",
         Parts({ProjectText(logo, {MovieName(1), MovieName(2)}, {"Use it freely.", "", "No warranty."}), Logo(),
                Movie(false, red), Movie(true, blue)})},
        // A movie twice and one that is not there: the list keeps one of each existing movie.
        {"repeated-and-missing-movies",
         Parts({ProjectText(logo, {MovieName(1), MovieName(3), MovieName(1)}, {}), Logo(), Movie(true, blue)})},
        {"no-movies", Parts({ProjectText(logo, {}, {"Licence"}), Logo()})},
        {"missing-logo", Parts({ProjectText(MovieName(4), {MovieName(1)}, {}), Logo(), Movie(false, red)})},
        {"saved-project-file", ProjectFile(ProjectText("C:\\Logos\\logo.jpg", {"C:\\Movies\\a.swf"}, {"Terms"}))},
    };
    for (const auto& s : seeds) {
        std::ofstream f(folder / (std::string("seed-") + s.name), std::ios::binary);
        f.write(s.bytes.data(), static_cast<std::streamsize>(s.bytes.size()));
        if (!f) {
            std::fprintf(stderr, "cannot write %s\n", (folder / s.name).string().c_str());
            return 1;
        }
    }
    return 0;
}
