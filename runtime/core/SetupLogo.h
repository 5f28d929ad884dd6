#pragma once
// The picture loader wants a file whose extension names the format, so the
// setup dialog puts the logo in the temporary folder for as long as it loads.

#include "FileSystem.h"

#include <functional>
#include <string>

// A free name in TempFolder with the file name of LogoFile ("$" in front
// until no file has it), so a user's file is never overwritten.
std::string TempLogoPath(TFileSystem& Files, const std::string& TempFolder, const std::string& LogoFile);

// Writes Logo there, hands the path to Load and deletes the file again,
// also when Load raises.
void LoadLogoThroughFile(TFileSystem& Files, const std::string& TempFolder, const std::string& LogoFile,
                         TMemoryStream& Logo, const std::function<void(const std::string& Path)>& Load);
