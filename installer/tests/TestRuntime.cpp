// Stands in for the screensaver program in the installer tests: it reads its
// own file the way the screensaver does (streams 1-3, inflated) and writes
// what it found to the file named by its argument.

#include "DecompileUnit.h"
#include "Exceptions.h"
#include "FileStream.h"
#include "ProjectUnit.h"

#include <windows.h>

#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 4;
    try {
        char path[MAX_PATH];
        const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return 5;
        TFileStream file(path, fmOpenRead | fmShareDenyNone);
        TDecompileStream self;
        self.Decompile(&file);

        auto movies = self.GetStream(1, true);
        TDecompileStream movieContainer;
        movieContainer.Decompile(movies.get());
        TProject project;
        auto text = self.GetStream(2, true);
        project.ProjectStream->LoadFromStream(text.get());
        project.LoadFromStream();
        auto logo = self.GetStream(3, true);

        std::ofstream report(argv[1], std::ios::binary);
        report << self.Count() << '\n'
               << project.Title << '\n'
               << project.BuildId << '\n'
               << movieContainer.Count() << '\n'
               << logo->Size() << '\n';
        return report ? 0 : 6;
    } catch (const Exception&) {
        return 3;
    }
}
