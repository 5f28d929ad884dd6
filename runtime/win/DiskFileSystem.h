#pragma once
// The runtime's file operations on the real disk.

#include "FileSystem.h"

// True for an existing file; folders do not count.
bool FileExists(const std::string& FileName);

class TDiskFileSystem : public TFileSystem {
public:
    bool FileExists(const std::string& Path) override;
    void WriteFile(const std::string& Path, TMemoryStream& Data) override;
    bool RemoveFile(const std::string& Path) override;
};
