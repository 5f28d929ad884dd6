#include "SwfBitmap.h"

#include "SwfBitReader.h"

#include <zlib.h>

#include <algorithm>

namespace {

uint32_t Premultiplied(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
    auto mul = [a](uint8_t c) { return uint32_t((c * a + 127) / 255); };
    return uint32_t(a) << 24 | mul(r) << 16 | mul(g) << 8 | mul(b);
}

// Colour already multiplied by alpha; a channel above its alpha cannot be
// right and would brighten what lies beneath, so it is held at the alpha.
uint32_t KeptPremultiplied(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
    return uint32_t(a) << 24 | uint32_t(std::min(r, a)) << 16 | uint32_t(std::min(g, a)) << 8 | std::min(b, a);
}

}  // namespace

bool InflateBounded(std::span<const uint8_t> In, size_t Limit, std::vector<uint8_t>& Out, bool& Complete) {
    Out.clear();
    Complete = false;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(In.data());
    z.avail_in = static_cast<uInt>(std::min<size_t>(In.size(), 0xFFFFFFFFu));
    uint8_t chunk[16 * 1024];
    int rc = Z_OK;
    bool tooLong = false;
    while (rc == Z_OK) {
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        rc = inflate(&z, Z_NO_FLUSH);
        size_t got = size_t(z.next_out - chunk);
        if (Out.size() + got > Limit) {
            tooLong = true;
            got = Limit - Out.size();
        }
        Out.insert(Out.end(), chunk, chunk + got);
        if (tooLong) break;
        if (rc == Z_BUF_ERROR && z.avail_in == 0) break;
    }
    inflateEnd(&z);
    Complete = rc == Z_STREAM_END;
    return !tooLong && (rc == Z_STREAM_END || rc == Z_BUF_ERROR || rc == Z_OK);
}

bool ReadLosslessBitmap(std::span<const uint8_t> Body, int Version, TSwfBitmap& Out) {
    TSwfBitReader r(Body);
    uint8_t format = r.U8();
    int w = r.U16(), h = r.U16();
    unsigned colors = format == 3 ? r.U8() + 1u : 0;
    if (r.Overrun() || w == 0 || h == 0 || uint64_t(w) * uint64_t(h) > MaxBitmapPixels) return false;
    const bool alpha = Version >= 2;
    size_t entry = alpha ? 4 : 3, stride = 0, table = 0;
    switch (format) {
    case 3:
        table = colors * entry;
        stride = (size_t(w) + 3) & ~size_t(3);
        break;
    case 4:
        if (alpha) return false;  // no 15-bit pixels with alpha
        stride = (size_t(w) * 2 + 3) & ~size_t(3);
        break;
    case 5:
        stride = size_t(w) * 4;
        break;
    default:
        return false;
    }
    const size_t need = table + stride * size_t(h);
    std::vector<uint8_t> raw;
    bool complete = false;
    // Data beyond the picture is ignored; data short of it leaves no picture.
    InflateBounded(r.Rest(), need, raw, complete);
    if (raw.size() < need) return false;

    TSwfImage& img = Out.Image;
    img.Width = w;
    img.Height = h;
    img.Pixels.assign(size_t(w) * size_t(h), 0);
    const uint8_t* p = raw.data();
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = p + table + stride * size_t(y);
        uint32_t* out = img.Pixels.data() + size_t(y) * size_t(w);
        for (int x = 0; x < w; ++x) {
            switch (format) {
            case 3: {
                unsigned i = row[x];
                // An index past the table shows as transparent.
                if (i >= colors) break;
                const uint8_t* c = p + i * entry;
                out[x] = alpha ? Premultiplied(c[3], c[0], c[1], c[2]) : Premultiplied(255, c[0], c[1], c[2]);
                break;
            }
            case 4: {
                unsigned v = unsigned(row[2 * x]) << 8 | row[2 * x + 1];
                auto five = [](unsigned c) { return uint8_t((c << 3) | (c >> 2)); };
                out[x] = Premultiplied(255, five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31));
                break;
            }
            case 5: {
                const uint8_t* c = row + 4 * size_t(x);
                out[x] = alpha ? KeptPremultiplied(c[0], c[1], c[2], c[3]) : Premultiplied(255, c[1], c[2], c[3]);
                break;
            }
            }
        }
    }
    return true;
}

std::vector<uint8_t> JoinJpeg(std::span<const uint8_t> Tables, std::span<const uint8_t> Data) {
    auto dropBadPairs = [](std::span<const uint8_t> s) {
        // The pair appears as end-of-image then start-of-image before the real start.
        while (s.size() >= 4 && s[0] == 0xFF && s[1] == 0xD9 && s[2] == 0xFF && s[3] == 0xD8) s = s.subspan(4);
        return s;
    };
    auto isMarker = [](std::span<const uint8_t> s, size_t at, uint8_t m) {
        return s.size() >= at + 2 && s[at] == 0xFF && s[at + 1] == m;
    };
    Data = dropBadPairs(Data);
    Tables = dropBadPairs(Tables);
    std::vector<uint8_t> out;
    if (Tables.size() >= 4) {
        // The tables stream ends with its own end-of-image marker, the image
        // data starts with another start-of-image: one of each goes.
        std::span<const uint8_t> t = Tables;
        if (isMarker(t, t.size() - 2, 0xD9)) t = t.first(t.size() - 2);
        out.assign(t.begin(), t.end());
        std::span<const uint8_t> d = Data;
        if (isMarker(d, 0, 0xD8)) d = d.subspan(2);
        out.insert(out.end(), d.begin(), d.end());
        return out;
    }
    // Some writers put the pair in the middle, between tables and image.
    out.reserve(Data.size());
    for (size_t i = 0; i < Data.size(); ++i) {
        if (i > 2 && i + 3 < Data.size() && Data[i] == 0xFF && Data[i + 1] == 0xD9 && Data[i + 2] == 0xFF &&
            Data[i + 3] == 0xD8 && isMarker(Data, 0, 0xD8)) {
            i += 3;
            continue;
        }
        out.push_back(Data[i]);
    }
    return out;
}

bool ApplyAlphaPlane(std::span<const uint8_t> Compressed, TSwfImage& Image) {
    const size_t n = size_t(Image.Width) * size_t(Image.Height);
    if (n == 0 || Image.Pixels.size() != n) return false;
    std::vector<uint8_t> a;
    bool complete = false;
    InflateBounded(Compressed, n, a, complete);
    if (a.size() < n) return false;
    for (size_t i = 0; i < n; ++i) {
        uint32_t c = Image.Pixels[i];
        Image.Pixels[i] = Premultiplied(a[i], uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c));
    }
    return true;
}

const TSwfImage* TSwfBitmap::Pixels(TDecoder Decode) const {
    if (!Image.Pixels.empty()) return &Image;
    if (!DecodeTried) {
        DecodeTried = true;
        TSwfImage img;
        bool ok = !Encoded.empty() && Decode && Decode(Encoded, img) && img.Width > 0 && img.Height > 0 &&
                  uint64_t(img.Width) * uint64_t(img.Height) <= MaxBitmapPixels &&
                  img.Pixels.size() == size_t(img.Width) * size_t(img.Height);
        // A JPEG with a damaged alpha plane still shows, opaque.
        if (ok && !Alpha.empty()) ApplyAlphaPlane(Alpha, img);
        if (ok) Decoded = std::move(img);
    }
    return Decoded.Pixels.empty() ? nullptr : &Decoded;
}
