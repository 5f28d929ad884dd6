#include "FileStream.h"

#include "Exceptions.h"
#include "SysUtils.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// Single system calls move at most this much, so counts fit every API.
constexpr std::int64_t MaxTransfer = 1 << 30;
}

#ifdef _WIN32

namespace {
HANDLE AsHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

DWORD ShareFlags(std::uint32_t Mode) {
    switch (Mode & 0xF0) {
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyRead: return FILE_SHARE_WRITE;
    case fmShareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;  // compat and exclusive
    }
}
}  // namespace

std::wstring SystemFilePath(const std::wstring& Path) {
    constexpr std::size_t ClassicLimit = MAX_PATH - 12;  // room for a file name made inside a folder
    if (Path.size() < ClassicLimit || Path.rfind(L"\\\\?\\", 0) == 0) return Path;
    // The prefix turns off the system's own tidying of the path, so the
    // full form (no "." or "..", backslashes only) is made first.
    const DWORD n = GetFullPathNameW(Path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return Path;
    std::wstring full(n, L'\0');
    full.resize(GetFullPathNameW(Path.c_str(), n, full.data(), nullptr));
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring WidePath(const std::string& Path) {
    if (Path.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, Path.data(), static_cast<int>(Path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, Path.data(), static_cast<int>(Path.size()), wide.data(), n);
    return wide;
}

std::wstring SystemFilePath(const std::string& Path) { return SystemFilePath(WidePath(Path)); }

std::string CodePagePath(const std::wstring& Path) {
    if (Path.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, Path.data(), static_cast<int>(Path.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, Path.data(), static_cast<int>(Path.size()), s.data(), n, nullptr, nullptr);
    return s;
}

std::optional<std::string> CodePageName(const std::wstring& Wide) {
    const std::string plain = CodePagePath(Wide);
    if (WidePath(plain) == Wide) return plain;
    const DWORD n = GetShortPathNameW(Wide.c_str(), nullptr, 0);
    std::wstring shortPath(n, L'\0');
    shortPath.resize(n ? GetShortPathNameW(Wide.c_str(), shortPath.data(), n) : 0);
    const std::string shortName = CodePagePath(shortPath);
    if (!shortPath.empty() && WidePath(shortName) == shortPath) return shortName;
    return std::nullopt;
}

namespace {
HANDLE OpenFile(const std::wstring& FileName, const std::string& Shown, std::uint32_t Mode) {
    const std::wstring path = SystemFilePath(FileName);
    HANDLE h;
    if ((Mode & fmCreate) == fmCreate) {
        h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, ShareFlags(Mode), nullptr,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) throw EFCreateError(Format("Cannot create file %s", Shown));
    } else {
        static constexpr DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
        const std::uint32_t a = Mode & 3;
        if (a > 2) throw EFOpenError(Format("Cannot open file %s", Shown));
        h = CreateFileW(path.c_str(), access[a], ShareFlags(Mode), nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) throw EFOpenError(Format("Cannot open file %s", Shown));
    }
    return h;
}
}  // namespace

TFileStream::TFileStream(const std::string& FileName, std::uint32_t Mode) : fileName_(FileName) {
    handle_ = reinterpret_cast<std::intptr_t>(OpenFile(WidePath(FileName), FileName, Mode));
}

TFileStream::TFileStream(const std::wstring& FileName, std::uint32_t Mode) : fileName_(CodePagePath(FileName)) {
    handle_ = reinterpret_cast<std::intptr_t>(OpenFile(FileName, fileName_, Mode));
}

TFileStream::~TFileStream() {
    CloseHandle(AsHandle(handle_));
}

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count) {
    std::int64_t done = 0;
    while (done < Count) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min(Count - done, MaxTransfer));
        if (!ReadFile(AsHandle(handle_), static_cast<char*>(Buffer) + done, want, &got, nullptr) || got == 0)
            break;
        done += got;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count) {
    std::int64_t done = 0;
    while (done < Count) {
        DWORD put = 0;
        const DWORD want = static_cast<DWORD>(std::min(Count - done, MaxTransfer));
        if (!WriteFile(AsHandle(handle_), static_cast<const char*>(Buffer) + done, want, &put, nullptr) || put == 0)
            break;
        done += put;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
    static constexpr DWORD method[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance, result;
    distance.QuadPart = Offset;
    if (!SetFilePointerEx(AsHandle(handle_), distance, &result, method[Origin]))
        throw EStreamError("Invalid stream position");
    return result.QuadPart;
}

std::int64_t TFileStream::Size() {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(AsHandle(handle_), &size)) return TStream::Size();
    return size.QuadPart;
}

void TFileStream::SetSize(std::int64_t NewSize) {
    const std::int64_t pos = Position();
    Seek(NewSize, soBeginning);
    if (!SetEndOfFile(AsHandle(handle_))) throw EWriteError("Stream write error");
    Seek(std::min(pos, NewSize), soBeginning);
}

#else

TFileStream::TFileStream(const std::string& FileName, std::uint32_t Mode) : fileName_(FileName) {
    int fd;
    if ((Mode & fmCreate) == fmCreate) {
        fd = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) throw EFCreateError(Format("Cannot create file %s", FileName));
    } else {
        static constexpr int access[] = {O_RDONLY, O_WRONLY, O_RDWR};
        const std::uint32_t a = Mode & 3;
        if (a > 2) throw EFOpenError(Format("Cannot open file %s", FileName));
        fd = ::open(FileName.c_str(), access[a] | O_CLOEXEC);
        struct stat st;
        // A directory opens on POSIX but is no file to stream.
        if (fd >= 0 && (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode))) {
            ::close(fd);
            fd = -1;
        }
        if (fd < 0) throw EFOpenError(Format("Cannot open file %s", FileName));
    }
    handle_ = fd;
}

TFileStream::~TFileStream() {
    ::close(static_cast<int>(handle_));
}

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count) {
    std::int64_t done = 0;
    while (done < Count) {
        const ssize_t got = ::read(static_cast<int>(handle_), static_cast<char*>(Buffer) + done,
                                   static_cast<std::size_t>(std::min(Count - done, MaxTransfer)));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += got;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count) {
    std::int64_t done = 0;
    while (done < Count) {
        const ssize_t put = ::write(static_cast<int>(handle_), static_cast<const char*>(Buffer) + done,
                                    static_cast<std::size_t>(std::min(Count - done, MaxTransfer)));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) break;
        done += put;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
    static constexpr int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    const off_t r = ::lseek(static_cast<int>(handle_), static_cast<off_t>(Offset), whence[Origin]);
    if (r < 0) throw EStreamError("Invalid stream position");
    return r;
}

std::int64_t TFileStream::Size() {
    struct stat st;
    if (::fstat(static_cast<int>(handle_), &st) != 0) return TStream::Size();
    return st.st_size;
}

void TFileStream::SetSize(std::int64_t NewSize) {
    const std::int64_t pos = Position();
    if (::ftruncate(static_cast<int>(handle_), static_cast<off_t>(NewSize)) != 0)
        throw EWriteError("Stream write error");
    Seek(std::min(pos, NewSize), soBeginning);
}

#endif
