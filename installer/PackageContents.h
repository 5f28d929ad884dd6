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

// The formats whose damage only a full decode shows (a JPEG file's scan, an
// icon's image) are decoded by the decoders the screensaver itself will use,
// which only the system has: the installer passes its own, portable callers
// pass a stand-in and say so. Each answers whether the bytes decode to a
// picture; it is handed only bytes whose headers were already walked here.
class TLogoDecoder {
public:
    virtual ~TLogoDecoder() = default;
    virtual bool JpegDecodes(const void* Data, std::size_t Size) const = 0;
    virtual bool IconDecodes(const void* Data, std::size_t Size) const = 0;
};

// The logo as the screensaver's picture loader will take it: the extension
// of LogoFile chooses the format (".bmp", ".jpg", ".jpeg", ".ico", any case)
// and the bytes must be a picture of that format with a size. Bitmaps are
// read through the bitmap reader. JPEG files and icons have their headers
// walked first (markers up to the scan with a frame size; the icon directory
// and its entries within the data), and only then go to Decoder.
bool IsLoadableLogo(const std::string& LogoFile, const void* Data, std::size_t Size, const TLogoDecoder& Decoder);
