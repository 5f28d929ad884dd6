#pragma once
// Theme files that tests write into the temporary folder for a file theme to
// read; each test deletes its own file when the theme no longer needs it.

#include "ThemeFileWriter.h"

#include "SysUtils.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A name in the temporary folder, made from Stem and this process's id.
inline std::string ScratchThemeName(const std::string& Stem) {
    char path[MAX_PATH + 1] = {};
    return IncludeTrailingPathDelimiter(std::string(path, GetTempPathA(MAX_PATH, path))) + Stem + "_" +
           std::to_string(GetCurrentProcessId()) + ".skn";
}

// Writes the theme file; false when the file could not be created.
inline bool WriteThemeFile(const std::string& Name, const TskThemeFileWriter& Writer) {
    const std::vector<std::uint8_t> bytes = Writer.Bytes();
    FILE* f = std::fopen(Name.c_str(), "wb");
    if (!f) return false;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return true;
}
