// Linked into every fuzz target. libFuzzer writes the input of a crash, leak
// or timeout into the current folder unless told otherwise, and a fuzzer is
// often started from the source tree; so unless the command line names a
// place, the findings go to the folder of the build that CMake gave this
// target, and the target says where before it starts.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifndef TESSALOOM_FUZZ_CRASHES
#error "the build names the folder for crash files"
#endif

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::string prefixFlag;
    static std::vector<char*> args;
    for (int i = 1; i < *argc; ++i) {
        const char* a = (*argv)[i];
        if (std::strncmp(a, "-artifact_prefix=", 17) == 0 || std::strncmp(a, "-exact_artifact_path=", 21) == 0) {
            std::fprintf(stderr, "Crash files of this run: as %s says\n", a);
            return 0;
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(TESSALOOM_FUZZ_CRASHES, ec);
    if (ec) {
        std::fprintf(stderr, "Cannot create %s: %s\n", TESSALOOM_FUZZ_CRASHES, ec.message().c_str());
        std::exit(1);
    }
    prefixFlag = std::string("-artifact_prefix=") + TESSALOOM_FUZZ_CRASHES + "/";
    // The flag is added to the arguments libFuzzer parses next (and hands to
    // the processes it starts for -fork or -jobs).
    args.assign(*argv, *argv + *argc);
    args.push_back(prefixFlag.data());
    args.push_back(nullptr);
    *argv = args.data();
    *argc += 1;
    std::fprintf(stderr, "Crash files of this run go to %s/\n", TESSALOOM_FUZZ_CRASHES);
    return 0;
}
