#pragma once
// How the project-loading fuzz target reads its input (ProjectLoadingSeeds
// writes inputs the same way). The first byte chooses: odd, the rest is a
// project file as the builder saves it; even, the rest is cut at the bytes
// PartSeparator into the project text (packed into a project file the way the
// builder packs it), the logo file and up to MaxMovies movie files. Project
// text mentioning MoviesFolder names the folder the target writes the logo
// and movies into, so the project can name them wherever the target runs.

#include <cstddef>
#include <string_view>

namespace ProjectFuzzInput {
inline constexpr char PartSeparator = '\x1F';
inline constexpr std::size_t MaxMovies = 4;
inline constexpr std::string_view MoviesFolder = "%FILES%/";
inline constexpr std::string_view LogoName = "logo.bmp";
// "movie-1.swf" ... in the files folder.
inline constexpr std::string_view MoviePrefix = "movie-", MovieSuffix = ".swf";
}  // namespace ProjectFuzzInput
