#include "BuilderFiles.h"

#include "Exceptions.h"
#include "SysUtils.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool TBuilderFiles::Exists(const std::string& Path) {
    struct stat st;
    return ::stat(Path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool TBuilderFiles::Unreachable(const std::string& Path) {
    struct stat st;
    return ::stat(Path.c_str(), &st) != 0 && errno != ENOENT && errno != ENOTDIR;
}

bool TBuilderFiles::Same(const std::string& A, const std::string& B) {
    struct stat a, b;
    return ::stat(A.c_str(), &a) == 0 && ::stat(B.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

void TBuilderFiles::MoveIntoPlace(const std::string& From, const std::string& To) {
    // The bytes are on the disk before the name points at them, so a crash
    // leaves the old file or the new one, never an empty one.
    const int fd = ::open(From.c_str(), O_RDONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    // A file the user may not write is not replaced behind their back.
    const bool writable = ::access(To.c_str(), F_OK) != 0 || ::access(To.c_str(), W_OK) == 0;
    if (!synced || !writable || ::rename(From.c_str(), To.c_str()) != 0)
        throw EFCreateError(Format("Cannot create file %s", To));
}

void TBuilderFiles::Remove(const std::string& Path) { ::unlink(Path.c_str()); }
