// Draws the builder's default logo (128 x 128: bands woven over and under on
// a deep blue ground) and writes it as a JPEG file.
//
//     builder_logo <output.jpg>

#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <vector>

namespace {

constexpr int kSize = 128;

struct TRgb {
    double R, G, B;
};

TRgb Mix(TRgb A, TRgb B, double T) { return {A.R + (B.R - A.R) * T, A.G + (B.G - A.G) * T, A.B + (B.B - A.B) * T}; }
TRgb Scale(TRgb A, double F) { return {A.R * F, A.G * F, A.B * F}; }

// Where a pixel lies across a band of the weave: -1 outside, else 0..1
// from one edge to the other.
double Across(int V, int Start, int Width) {
    if (V < Start || V >= Start + Width) return -1;
    return (V - Start + 0.5) / Width;
}

TRgb Pixel(int X, int Y) {
    // Ground: deep blue, lighter towards the top left.
    const double d = std::hypot(X, Y) / (kSize * std::sqrt(2.0));
    TRgb c = Mix(TRgb{40, 74, 150}, TRgb{10, 22, 64}, d);

    constexpr int kBands = 4, kPitch = 28, kWidth = 18, kMargin = 12;
    const TRgb warp{242, 176, 58}, weft{96, 196, 214};
    int col = -1, row = -1;
    double across = -1, along = -1;
    for (int i = 0; i < kBands; ++i) {
        if (double a = Across(X, kMargin + i * kPitch, kWidth); a >= 0) col = i, across = a;
        if (double a = Across(Y, kMargin + i * kPitch, kWidth); a >= 0) row = i, along = a;
    }
    const bool inside = X >= kMargin - 4 && X < kSize - kMargin + 4 && Y >= kMargin - 4 && Y < kSize - kMargin + 4;
    if (!inside) return c;
    // Rounded shading across a band makes it look like a strip of cloth.
    auto shade = [](double t) { return 0.75 + 0.25 * std::sin(t * 3.14159265); };
    if (col >= 0 && row >= 0) {
        // Crossing: the warp is on top where row and column differ in parity.
        return (row + col) % 2 ? Scale(warp, shade(across)) : Scale(weft, shade(along));
    }
    if (col >= 0) return Scale(warp, shade(across));
    if (row >= 0) return Scale(weft, shade(along));
    return c;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: builder_logo <output.jpg>\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path());

    std::vector<uint8_t> rgb(size_t(kSize) * kSize * 3);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const TRgb c = Pixel(x, y);
            uint8_t* p = &rgb[(size_t(y) * kSize + x) * 3];
            p[0] = uint8_t(std::clamp(c.R, 0.0, 255.0));
            p[1] = uint8_t(std::clamp(c.G, 0.0, 255.0));
            p[2] = uint8_t(std::clamp(c.B, 0.0, 255.0));
        }

    FILE* file = std::fopen(out.string().c_str(), "wb");
    if (!file) {
        std::cerr << "builder_logo: cannot create " << out << "\n";
        return 1;
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = kSize;
    info.image_height = kSize;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = &rgb[size_t(info.next_scanline) * kSize * 3];
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const bool ok = std::fclose(file) == 0;
    return ok ? 0 : 1;
}
