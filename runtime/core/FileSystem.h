#pragma once
// The few file operations the runtime needs, so its handling of temporary
// files can be exercised without a disk.

#include "Streams.h"

#include <string>

class TFileSystem {
public:
    virtual ~TFileSystem() = default;
    virtual bool FileExists(const std::string& Path) = 0;
    // Creates or replaces Path with the whole of Data. On failure raises the
    // library's stream error and leaves no partial file behind.
    virtual void WriteFile(const std::string& Path, TMemoryStream& Data) = 0;
    virtual bool RemoveFile(const std::string& Path) = 0;
};

// Deletes its file, when it has one, on every way out of a scope.
class TTemporaryFile {
public:
    TTemporaryFile(TFileSystem& Files, std::string Path) : files_(Files), path_(std::move(Path)) {}
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile() { files_.RemoveFile(path_); }
    const std::string& Path() const { return path_; }

private:
    TFileSystem& files_;
    std::string path_;
};
