#pragma once
// Pictures of a movie. Lossless bitmaps are decoded here, portably; JPEG,
// PNG and GIF data are kept as bytes for the platform's decoder, which the
// renderer calls the first time a picture is drawn.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// No picture is allocated beyond this many pixels (64 MB of pixels).
constexpr uint64_t MaxBitmapPixels = uint64_t(1) << 24;

struct TSwfImage {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;  // premultiplied 0xAARRGGBB, rows top down
};

struct TSwfBitmap {
    // Decoded pixels, or empty while the bytes wait for the platform decoder.
    TSwfImage Image;
    std::vector<uint8_t> Encoded;  // a whole JPEG, PNG or GIF file
    std::vector<uint8_t> Alpha;    // zlib alpha plane of a JPEG with transparency
    // Set once decoding was tried: a picture that failed is drawn as nothing.
    mutable bool DecodeTried = false;
    mutable TSwfImage Decoded;

    // The pixels to draw, or nullptr when the picture cannot be shown.
    // Decode turns Encoded into an image (the platform decoder), or fails.
    using TDecoder = bool (*)(std::span<const uint8_t> Data, TSwfImage& Out);
    const TSwfImage* Pixels(TDecoder Decode) const;
};

// DefineBitsLossless (Version 1) and DefineBitsLossless2 (Version 2) after the
// character id. False when the data does not hold the picture it states.
bool ReadLosslessBitmap(std::span<const uint8_t> Body, int Version, TSwfBitmap& Out);

// A JPEG of a DefineBits tag put together with the movie's shared tables; a
// DefineBitsJPEG2/3 picture on its own (Tables empty). Leading end/start of
// image marker pairs that some files carry are dropped.
std::vector<uint8_t> JoinJpeg(std::span<const uint8_t> Tables, std::span<const uint8_t> Data);

// Multiplies Image by an alpha plane compressed with zlib: one byte per pixel.
// False (and the image left as it was) when the plane is damaged or of
// another size.
bool ApplyAlphaPlane(std::span<const uint8_t> Compressed, TSwfImage& Image);

// Inflates at most Limit bytes; false on damaged data or more than Limit.
bool InflateBounded(std::span<const uint8_t> In, size_t Limit, std::vector<uint8_t>& Out, bool& Complete);
