#pragma once
// The installed screensaver file is a package: the program, then the movie
// container, the project text and the logo.

#include "DecompileUnit.h"
#include "ProjectUnit.h"

constexpr int kMoviesStream = 1;
constexpr int kProjectStream = 2;
constexpr int kLogoStream = 3;

// Reads the project text of Package into Project and parses it.
void LoadProject(TDecompileStream& Package, TProject& Project);
// Inflates the movie container of Package and reads it into Movies, which
// takes the inflated bytes over without copying them.
void OpenMovies(TDecompileStream& Package, TDecompileStream& Movies);
