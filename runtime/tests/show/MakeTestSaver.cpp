// Writes an installed screensaver file of the build's program and sample
// movies, for looking at the program by hand:
//   make_test_saver <file.scr> [random] <sample>...
#include "SaverFixture.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_test_saver <file.scr> [random] <sample>...\n");
        return 2;
    }
    try {
        saver::TSaverParts parts;
        parts.Runtime = saver::RuntimeProgram();
        for (int i = 2; i < argc; ++i) {
            if (std::strcmp(argv[i], "random") == 0) {
                parts.RandomPlay = true;
                continue;
            }
            parts.Movies.push_back({std::string("C:\\movies\\") + argv[i] + ".swf", saver::Sample(argv[i])});
        }
        saver::WriteWhole(argv[1], saver::InstalledFile(parts));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
