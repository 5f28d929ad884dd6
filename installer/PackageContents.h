#pragma once
// What the screensaver needs of the files a package carries, checked before
// anything is installed: a package the builder would never write (crafted or
// damaged) must not become the current screensaver when it can never run.

#include <cstddef>
#include <string>

// A Windows program the system will start: an executable image (not a
// library) with the PE signature, for x86, x64 or ARM64, for the windowed or
// console subsystem, all within Size bytes.
bool IsWindowsProgram(const void* Data, std::size_t Size);

// The logo as the screensaver's picture loader will take it: the extension
// of LogoFile chooses the format (".bmp", ".jpg", ".jpeg", ".ico", any case)
// and the bytes must be a picture of that format with a size. Bitmaps are
// read through the bitmap reader; JPEG files and icons have their headers
// walked (markers up to the scan with a frame size; the icon directory and
// its entries within the data).
bool IsLoadableLogo(const std::string& LogoFile, const void* Data, std::size_t Size);
