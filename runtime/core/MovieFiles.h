#pragma once
// Writing the movies of an installed screensaver to the temporary folder. The
// player is given file paths, and a file found there already (a movie of the
// same name earlier in the list, a user's file, a leftover of a run that did
// not clean up) is never overwritten: the new file gets "$" in front of its
// name until the name is free.

#include "DecompileUnit.h"
#include "FileSystem.h"
#include "Strings.h"

#include <string>
#include <vector>

// TempFolder ends in a path delimiter.
std::string FreeMovieName(TFileSystem& Files, const std::string& TempFolder, const std::string& OriginalPath);

// Writes stream i of Movies for each entry i of FlashList and replaces the
// entry with the path written. Each path is appended to Written as soon as
// its file is complete, so a failure part way leaves Written naming exactly
// the files this run made. A container with fewer movies than the list
// raises EReadError "Stream read error".
void ExtractMovies(TDecompileStream& Movies, TStrings& FlashList, const std::string& TempFolder, TFileSystem& Files,
                   std::vector<std::string>& Written);
