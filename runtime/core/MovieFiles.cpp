#include "MovieFiles.h"

#include "Exceptions.h"
#include "SysUtils.h"

std::string FreeMovieName(TFileSystem& Files, const std::string& TempFolder, const std::string& OriginalPath) {
    std::string name = ExtractFileName(OriginalPath);
    while (Files.FileExists(TempFolder + name)) name = "$" + name;
    return TempFolder + name;
}

void ExtractMovies(TDecompileStream& Movies, TStrings& FlashList, const std::string& TempFolder, TFileSystem& Files,
                   std::vector<std::string>& Written) {
    for (int i = 0; i < FlashList.Count(); ++i) {
        const std::string path = FreeMovieName(Files, TempFolder, FlashList.Strings(i));
        FlashList.SetStrings(i, path);
        if (i >= Movies.Count()) throw EReadError("Stream read error");
        auto movie = Movies.GetStream(i, true);
        Files.WriteFile(path, *movie);
        Written.push_back(path);
    }
}
