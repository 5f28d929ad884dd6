#include "DiskFileSystem.h"

#include "FileStream.h"

#include <windows.h>

#include <memory>

bool FileExists(const std::string& FileName) {
    const DWORD attributes = GetFileAttributesA(FileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TDiskFileSystem::FileExists(const std::string& Path) { return ::FileExists(Path); }

void TDiskFileSystem::WriteFile(const std::string& Path, TMemoryStream& Data) {
    auto file = std::make_unique<TFileStream>(Path, fmCreate);
    try {
        file->WriteBuffer(Data.Memory(), Data.Size());
    } catch (...) {
        // A movie cut short must not be left for the player or the user.
        file.reset();
        ::DeleteFileA(Path.c_str());
        throw;
    }
}

bool TDiskFileSystem::RemoveFile(const std::string& Path) { return ::DeleteFileA(Path.c_str()) != 0; }
