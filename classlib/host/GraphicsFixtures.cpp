// graphics_fixtures <folder>: writes paletted.bmp (8 bits, 16x8, four 4x4
// blocks per row in palette colours), truecolor.bmp (24 bits, 3x2) and
// mainicon.ico (16x16 all red, 32x32 all blue, 32 bits with masks).
#include "BitmapFile.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

bool Save(const std::string& Path, const std::vector<uint8_t>& Data) {
    FILE* f = std::fopen(Path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(Data.data(), 1, Data.size(), f) == Data.size();
    return std::fclose(f) == 0 && ok;
}

void InfoHeader(std::vector<uint8_t>& v, int32_t W, int32_t H, uint16_t Bits, uint32_t ImageSize, uint32_t Colors) {
    Put32(v, 40);
    Put32(v, static_cast<uint32_t>(W));
    Put32(v, static_cast<uint32_t>(H));
    Put16(v, 1);
    Put16(v, Bits);
    Put32(v, 0);
    Put32(v, ImageSize);
    Put32(v, 2835);
    Put32(v, 2835);
    Put32(v, Colors);
    Put32(v, 0);
}

// Palette colours as $00RRGGBB: fuchsia, red, green, blue, white, black, grey, yellow.
const uint32_t kPalette[8] = {0xFF00FF, 0xFF0000, 0x008000, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080, 0xFFFF00};

std::vector<uint8_t> Paletted() {
    const int w = 16, h = 8, stride = 16;
    std::vector<uint8_t> v = {'B', 'M'};
    const uint32_t bitsAt = 14 + 40 + 256 * 4;
    Put32(v, bitsAt + stride * h);
    Put32(v, 0);
    Put32(v, bitsAt);
    InfoHeader(v, w, h, 8, stride * h, 0);
    for (int i = 0; i < 256; ++i) Put32(v, i < 8 ? kPalette[i] : 0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) v.push_back(static_cast<uint8_t>(x / 4 + (y / 4) * 4));
    return v;
}

std::vector<uint8_t> TrueColor() {
    const uint32_t px[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFF00FF};
    return EncodeBmp24(3, 2, px);
}

// One icon image: header with double height, 32-bit colour, AND mask (all opaque).
std::vector<uint8_t> IconImage(int Size, uint32_t Color) {
    std::vector<uint8_t> v;
    const uint32_t maskStride = ((Size + 31) / 32) * 4;
    InfoHeader(v, Size, Size * 2, 32, Size * Size * 4 + maskStride * Size, 0);
    for (int i = 0; i < Size * Size; ++i) Put32(v, 0xFF000000u | Color);
    v.insert(v.end(), maskStride * Size, 0);
    return v;
}

std::vector<uint8_t> Icon() {
    const std::vector<uint8_t> images[2] = {IconImage(16, 0xFF0000), IconImage(32, 0x0000FF)};
    std::vector<uint8_t> v;
    Put16(v, 0);
    Put16(v, 1);
    Put16(v, 2);
    uint32_t offset = 6 + 2 * 16;
    for (int i = 0; i < 2; ++i) {
        const int size = i == 0 ? 16 : 32;
        v.push_back(static_cast<uint8_t>(size));
        v.push_back(static_cast<uint8_t>(size));
        v.push_back(0);
        v.push_back(0);
        Put16(v, 1);
        Put16(v, 32);
        Put32(v, static_cast<uint32_t>(images[i].size()));
        Put32(v, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& img : images) v.insert(v.end(), img.begin(), img.end());
    return v;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: graphics_fixtures <folder>\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (!Save(dir + "/paletted.bmp", Paletted()) || !Save(dir + "/truecolor.bmp", TrueColor()) ||
        !Save(dir + "/mainicon.ico", Icon())) {
        std::fprintf(stderr, "graphics_fixtures: cannot write to %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
