#pragma once
// A stream on a file of the file system. The open mode combines one access
// mode (or fmCreate) with one share mode, as the Windows programs expect:
// readers open with fmOpenRead | fmShareDenyNone so a file in use by another
// program can still be read. Share modes have no effect outside Windows.

#include "Streams.h"

#include <cstdint>
#include <optional>
#include <string>

constexpr std::uint32_t fmOpenRead = 0x0000;
constexpr std::uint32_t fmOpenWrite = 0x0001;
constexpr std::uint32_t fmOpenReadWrite = 0x0002;
constexpr std::uint32_t fmShareCompat = 0x0000;
constexpr std::uint32_t fmShareExclusive = 0x0010;
constexpr std::uint32_t fmShareDenyWrite = 0x0020;
constexpr std::uint32_t fmShareDenyRead = 0x0030;
constexpr std::uint32_t fmShareDenyNone = 0x0040;
// Creates the file, or empties an existing one, for reading and writing.
constexpr std::uint32_t fmCreate = 0xFF00;

#ifdef _WIN32
// The path as the wide system calls take it: from the system code page, and
// with the long-path prefix when it is longer than the classic 260-character
// limit, so that no file that exists is out of reach for its length alone.
std::wstring SystemFilePath(const std::string& Path);
std::wstring SystemFilePath(const std::wstring& Path);
// A wide path as the system code page shows it ("?" where it cannot).
std::string CodePagePath(const std::wstring& Path);
// A path of the system code page as a wide one.
std::wstring WidePath(const std::string& Path);
// A wide path as logic working in the system code page can use it: as it is
// when the code page holds it, else its short (8.3) form, which the code page
// holds. Nothing when neither serves (no short names on that volume, or the
// file does not exist).
std::optional<std::string> CodePageName(const std::wstring& Wide);
#endif

class TFileStream : public TStream {
public:
    // Raises EFCreateError "Cannot create file %s" or EFOpenError
    // "Cannot open file %s" with FileName as given.
    TFileStream(const std::string& FileName, std::uint32_t Mode);
    ~TFileStream() override;
    std::string ClassName() const override { return "TFileStream"; }

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    std::int64_t Size() override;
    void SetSize(std::int64_t NewSize) override;

    const std::string& FileName() const { return fileName_; }

#ifdef _WIN32
    // A file named by a wide path, whatever characters its name holds (the
    // program's own file, a file named on its command line). Messages name
    // it as the system code page shows it.
    TFileStream(const std::wstring& FileName, std::uint32_t Mode);
#endif

private:
    std::string fileName_;
    // The platform handle: a HANDLE on Windows, a descriptor elsewhere.
    std::intptr_t handle_;
};
