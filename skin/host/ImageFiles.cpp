#include "ImageFiles.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <stdexcept>

namespace {

void U16(std::vector<std::uint8_t>& o, std::uint32_t v) {
    o.push_back(v & 0xFF);
    o.push_back((v >> 8) & 0xFF);
}
void U32(std::vector<std::uint8_t>& o, std::uint32_t v) {
    U16(o, v & 0xFFFF);
    U16(o, v >> 16);
}
void U32BE(std::vector<std::uint8_t>& o, std::uint32_t v) {
    for (int i = 3; i >= 0; --i) o.push_back((v >> (8 * i)) & 0xFF);
}

void InfoHeader(std::vector<std::uint8_t>& o, int w, int h, int bits, std::uint32_t colors, std::uint32_t imageSize) {
    U32(o, 40);
    U32(o, static_cast<std::uint32_t>(w));
    U32(o, static_cast<std::uint32_t>(h));
    U16(o, 1);
    U16(o, static_cast<std::uint32_t>(bits));
    U32(o, 0);
    U32(o, imageSize);
    U32(o, 2835);
    U32(o, 2835);
    U32(o, colors);
    U32(o, 0);
}

void FileHeader(std::vector<std::uint8_t>& o, std::uint32_t size, std::uint32_t offBits) {
    o.push_back('B');
    o.push_back('M');
    U32(o, size);
    U32(o, 0);
    U32(o, offBits);
}

}  // namespace

std::vector<std::uint8_t> EncodeBitmap24(const Bitmap& b) {
    const std::uint32_t stride = (b.Width * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = stride * b.Height;
    std::vector<std::uint8_t> o;
    FileHeader(o, 54 + imageSize, 54);
    InfoHeader(o, b.Width, b.Height, 24, 0, imageSize);
    for (int y = b.Height - 1; y >= 0; --y) {
        for (int x = 0; x < b.Width; ++x) {
            const Rgb c = b.At(x, y);
            o.insert(o.end(), {c.b, c.g, c.r});
        }
        o.resize(o.size() + (stride - b.Width * 3), 0);
    }
    return o;
}

std::vector<std::uint8_t> EncodeBitmap8(const Bitmap& b) {
    std::vector<Rgb> palette{Fuchsia};
    std::map<std::uint32_t, std::uint8_t> index{{0xFF00FF, 0}};
    auto key = [](Rgb c) { return (std::uint32_t{c.r} << 16) | (c.g << 8) | c.b; };
    for (const Rgb& c : b.Pixels)
        if (!index.count(key(c))) {
            if (palette.size() == 256) throw std::runtime_error("more than 256 colours in an 8-bit bitmap");
            index[key(c)] = static_cast<std::uint8_t>(palette.size());
            palette.push_back(c);
        }
    const std::uint32_t stride = (b.Width + 3) / 4 * 4;
    const std::uint32_t imageSize = stride * b.Height;
    const std::uint32_t offBits = 54 + 256 * 4;
    std::vector<std::uint8_t> o;
    FileHeader(o, offBits + imageSize, offBits);
    InfoHeader(o, b.Width, b.Height, 8, 256, imageSize);
    palette.resize(256, Black);
    for (const Rgb& c : palette) o.insert(o.end(), {c.b, c.g, c.r, 0});
    for (int y = b.Height - 1; y >= 0; --y) {
        for (int x = 0; x < b.Width; ++x) o.push_back(index[key(b.At(x, y))]);
        o.resize(o.size() + (stride - b.Width), 0);
    }
    return o;
}

std::vector<std::uint8_t> EncodeIcon(const std::vector<IconImage>& images) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const IconImage& img : images) {
        const int s = img.Size;
        const std::uint32_t maskStride = (s + 31) / 32 * 4;
        std::vector<std::uint8_t> d;
        InfoHeader(d, s, s * 2, 32, 0, s * s * 4 + maskStride * s);
        for (int y = s - 1; y >= 0; --y)
            for (int x = 0; x < s; ++x) {
                const Color4& c = img.Pixels[y * s + x];
                auto ch = [](double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); };
                d.insert(d.end(), {ch(c.b), ch(c.g), ch(c.r), ch(c.a * 255)});
            }
        for (int y = s - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(maskStride, 0);
            for (int x = 0; x < s; ++x)
                if (img.Pixels[y * s + x].a < 0.5) row[x / 8] |= 0x80 >> (x % 8);
            d.insert(d.end(), row.begin(), row.end());
        }
        bodies.push_back(std::move(d));
    }
    std::vector<std::uint8_t> o;
    U16(o, 0);
    U16(o, 1);
    U16(o, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int s = images[i].Size;
        o.push_back(s >= 256 ? 0 : s);
        o.push_back(s >= 256 ? 0 : s);
        o.push_back(0);
        o.push_back(0);
        U16(o, 1);
        U16(o, 32);
        U32(o, static_cast<std::uint32_t>(bodies[i].size()));
        U32(o, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) o.insert(o.end(), body.begin(), body.end());
    return o;
}

std::vector<std::uint8_t> EncodePng(const Bitmap& b) {
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(b.Width * 3 + 1) * b.Height);
    for (int y = 0; y < b.Height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < b.Width; ++x) raw.insert(raw.end(), {b.At(x, y).r, b.At(x, y).g, b.At(x, y).b});
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        throw std::runtime_error("deflate failed");
    packed.resize(packedSize);

    std::vector<std::uint8_t> o{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto chunk = [&o](const char* type, const std::vector<std::uint8_t>& data) {
        U32BE(o, static_cast<std::uint32_t>(data.size()));
        const std::size_t start = o.size();
        o.insert(o.end(), type, type + 4);
        o.insert(o.end(), data.begin(), data.end());
        U32BE(o, static_cast<std::uint32_t>(crc32(0, o.data() + start, static_cast<uInt>(o.size() - start))));
    };
    std::vector<std::uint8_t> ihdr;
    U32BE(ihdr, static_cast<std::uint32_t>(b.Width));
    U32BE(ihdr, static_cast<std::uint32_t>(b.Height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    chunk("IHDR", ihdr);
    chunk("IDAT", packed);
    chunk("IEND", {});
    return o;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + path);
}
