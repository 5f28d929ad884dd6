#include "FileSearch.h"

#include <vector>

namespace {

constexpr int kSpecial = faHidden | faSysFile | faVolumeID | faDirectory;

// Skips entries with excluded attributes; fills F from the first that matches.
int Match(TSearchRec& F, WIN32_FIND_DATAA& Data) {
    while (static_cast<int>(Data.dwFileAttributes) & F.ExcludeAttr) {
        if (!FindNextFileA(F.FindHandle, &Data)) return static_cast<int>(GetLastError());
    }
    F.Name = Data.cFileName;
    F.Attr = static_cast<int>(Data.dwFileAttributes);
    F.Size = (static_cast<int64_t>(Data.nFileSizeHigh) << 32) | Data.nFileSizeLow;
    F.Time = Data.ftLastWriteTime;
    return 0;
}

}  // namespace

TSearchRec::~TSearchRec() { FindClose(*this); }

int FindFirst(const std::string& Path, int Attr, TSearchRec& F) {
    FindClose(F);
    F.ExcludeAttr = ~Attr & kSpecial;
    WIN32_FIND_DATAA data{};
    F.FindHandle = FindFirstFileA(Path.c_str(), &data);
    if (F.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
    const int rc = Match(F, data);
    if (rc != 0) FindClose(F);
    return rc;
}

int FindNext(TSearchRec& F) {
    if (F.FindHandle == INVALID_HANDLE_VALUE) return ERROR_NO_MORE_FILES;
    WIN32_FIND_DATAA data{};
    if (!FindNextFileA(F.FindHandle, &data)) return static_cast<int>(GetLastError());
    return Match(F, data);
}

void FindClose(TSearchRec& F) {
    if (F.FindHandle != INVALID_HANDLE_VALUE) ::FindClose(F.FindHandle);
    F.FindHandle = INVALID_HANDLE_VALUE;
}

std::string ExtractShortPathName(const std::string& FileName) {
    const DWORD n = GetShortPathNameA(FileName.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::vector<char> buf(n);
    const DWORD got = GetShortPathNameA(FileName.c_str(), buf.data(), n);
    return got == 0 || got >= n ? std::string() : std::string(buf.data(), got);
}
