#include "SetupLogo.h"

#include "MovieFiles.h"
#include "SysUtils.h"

std::string TempLogoPath(TFileSystem& Files, const std::string& TempFolder, const std::string& LogoFile) {
    const std::string name = ExtractFileName(LogoFile).empty() ? std::string("logo") : LogoFile;
    return FreeMovieName(Files, TempFolder, name);
}

void LoadLogoThroughFile(TFileSystem& Files, const std::string& TempFolder, const std::string& LogoFile,
                         TMemoryStream& Logo, const std::function<void(const std::string& Path)>& Load) {
    const std::string path = TempLogoPath(Files, TempFolder, LogoFile);
    Files.WriteFile(path, Logo);
    TTemporaryFile file(Files, path);
    Load(path);
}
