#pragma once
// Finding files by wildcard with an attribute mask, and short (8.3) names.
// A search record owns its search handle; FindClose ends it early.

#include <windows.h>

#include <cstdint>
#include <string>

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

struct TSearchRec {
    TSearchRec() = default;
    TSearchRec(const TSearchRec&) = delete;
    TSearchRec& operator=(const TSearchRec&) = delete;
    ~TSearchRec();

    std::string Name;  // the file name, without folder
    int Attr = 0;
    int64_t Size = 0;
    FILETIME Time{};  // last write, UTC

    HANDLE FindHandle = INVALID_HANDLE_VALUE;
    int ExcludeAttr = 0;
};

// Files matching Path (a wildcard) are found when they carry none of the
// hidden, system, volume and directory attributes that Attr leaves out; other
// attributes do not matter. 0 when a file was found, else the system's error
// code (ERROR_FILE_NOT_FOUND, ERROR_NO_MORE_FILES, ERROR_PATH_NOT_FOUND...).
int FindFirst(const std::string& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// The short form of an existing file's path; empty when there is none.
std::string ExtractShortPathName(const std::string& FileName);
