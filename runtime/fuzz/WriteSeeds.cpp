// Writes the seeds of the installed-file fuzzer with the package writer:
// small installed files of the shapes the builder makes. Run once by hand
// into the fuzzer's corpus folder:
//     build/fuzz/runtime/fuzz/installed_file_seeds runtime/fuzz/corpus/installed_file_fuzzer

#include "Fakes.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct TSeed {
    const char* Name;
    std::vector<std::string> Paths;
    std::vector<std::string> Movies;
    bool Random;
    const char* LogoFile;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const TSeed seeds[] = {
        {"one-movie", {"C:\\art\\tide.swf"}, {"FWS\x06tide"}, false, "C:\\art\\logo.jpg"},
        {"same-names", {"C:\\a\\m.swf", "D:\\b\\m.swf", "m.swf"}, {"FWS one", "FWS two", "FWS three"}, true, "logo.bmp"},
        {"fewer-movies-than-listed", {"one.swf", "two.swf"}, {"FWS one"}, false, ""},
        {"no-movies", {}, {}, false, "logo.jpg"},
    };
    for (const TSeed& seed : seeds) {
        TProject project;
        project.Title = "Clouds";
        project.BuildId = kBuildId;
        project.RandomPlay = seed.Random;
        project.LogoFile = seed.LogoFile;
        for (const std::string& path : seed.Paths) project.FlashList->Add(path);
        const std::string bytes = InstalledFile(project, seed.Movies, "BM logo");
        std::ofstream(std::string(argv[1]) + "/" + seed.Name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    return 0;
}
