#pragma once
// The few file-system questions the builder asks, answered by the platform
// (builder/posix or builder/windows). Paths are ANSI strings used as typed.

#include <string>

struct TBuilderFiles {
    // A file (not a folder) exists at Path.
    static bool Exists(const std::string& Path);
    // The system could not tell whether anything is at Path (a name it does
    // not take, one too long, a folder it may not look into), as against
    // nothing being there.
    static bool Unreachable(const std::string& Path);
    // Both paths name one existing file, however they are spelled.
    static bool Same(const std::string& A, const std::string& B);
    // Puts the finished file From in the place of To, replacing any file
    // there in one step; raises EFCreateError "Cannot create file %s" (with
    // To) when it cannot, leaving To as it was.
    static void MoveIntoPlace(const std::string& From, const std::string& To);
    // Deletes a file if it is there; failures are ignored.
    static void Remove(const std::string& Path);
};
