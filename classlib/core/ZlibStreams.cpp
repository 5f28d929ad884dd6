#include "ZlibStreams.h"

#include "Exceptions.h"
#include "Streams.h"

#include <algorithm>
#include <new>
#include <vector>
#include <zlib.h>

namespace {

constexpr std::int64_t Chunk = 64 * 1024;
// zlib counts in 32-bit units; larger buffers go in in slices.
constexpr std::int64_t MaxSlice = 1 << 30;

// zlib's working memory comes from the same allocator as the rest of the
// program, so memory accounting sees it.
voidpf Alloc(voidpf, uInt Items, uInt Size) {
    return ::operator new(static_cast<std::size_t>(Items) * Size, std::nothrow);
}
void Free(voidpf, voidpf Address) { ::operator delete(Address); }

class Deflater {
public:
    explicit Deflater(int Level) {
        z.zalloc = Alloc;
        z.zfree = Free;
        if (deflateInit(&z, Level) != Z_OK) throw ECompressionError("error");
    }
    ~Deflater() { deflateEnd(&z); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
    z_stream z{};
};

class Inflater {
public:
    Inflater() {
        z.zalloc = Alloc;
        z.zfree = Free;
        if (inflateInit(&z) != Z_OK) throw EDecompressionError("error");
    }
    ~Inflater() { inflateEnd(&z); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    z_stream z{};
};

}  // namespace

std::int64_t ZCompressStream(TStream* Source, TStream* Dest, int Level) {
    Deflater d(Level);
    std::vector<unsigned char> out(Chunk);
    std::int64_t written = 0;

    // A memory stream is deflated in place; anything else goes through a buffer.
    auto* memory = dynamic_cast<TMemoryStream*>(Source);
    std::vector<unsigned char> in;
    if (!memory) in.resize(Chunk);
    const std::int64_t total = Source->Size();
    Source->SetPosition(0);
    std::int64_t consumed = 0;

    int flush = Z_NO_FLUSH;
    do {
        if (d.z.avail_in == 0 && flush == Z_NO_FLUSH) {
            const std::int64_t n = std::min(total - consumed, memory ? MaxSlice : Chunk);
            if (memory) {
                d.z.next_in = static_cast<Bytef*>(memory->Memory()) + consumed;
            } else {
                Source->ReadBuffer(in.data(), n);
                d.z.next_in = in.data();
            }
            d.z.avail_in = static_cast<uInt>(n);
            consumed += n;
            if (consumed == total) flush = Z_FINISH;
        }
        d.z.next_out = out.data();
        d.z.avail_out = static_cast<uInt>(out.size());
        const int r = deflate(&d.z, flush);
        if (r == Z_STREAM_ERROR) throw ECompressionError("error");
        const std::int64_t produced = static_cast<std::int64_t>(out.size()) - d.z.avail_out;
        Dest->WriteBuffer(out.data(), produced);
        written += produced;
        if (r == Z_STREAM_END) break;
    } while (true);
    if (memory) Source->SetPosition(total);
    return written;
}

void ZDecompressBuffer(const void* Data, std::int64_t Size, std::int64_t OutSize, TStream* Dest) {
    if (Size < 0 || OutSize < 0) throw EReadError("Stream read error");
    if (Size == 0 && OutSize == 0) return;  // nothing stored, nothing to make

    Inflater f;
    std::vector<unsigned char> out(Chunk);
    const auto* in = static_cast<const Bytef*>(Data);
    std::int64_t fed = 0, produced = 0;
    for (;;) {
        if (f.z.avail_in == 0 && fed < Size) {
            const std::int64_t n = std::min(Size - fed, MaxSlice);
            f.z.next_in = const_cast<Bytef*>(in + fed);
            f.z.avail_in = static_cast<uInt>(n);
            fed += n;
        }
        f.z.next_out = out.data();
        f.z.avail_out = static_cast<uInt>(out.size());
        const int r = inflate(&f.z, Z_NO_FLUSH);
        const std::int64_t got = static_cast<std::int64_t>(out.size()) - f.z.avail_out;
        if (r != Z_OK && r != Z_STREAM_END && r != Z_BUF_ERROR) throw EDecompressionError("error");
        if (got > OutSize - produced) throw EReadError("Stream read error");
        Dest->WriteBuffer(out.data(), got);
        produced += got;
        if (r == Z_STREAM_END) break;
        // No progress with all input given: the stream was cut off.
        if (r == Z_BUF_ERROR && f.z.avail_in == 0 && fed == Size) throw EReadError("Stream read error");
    }
    if (produced != OutSize) throw EReadError("Stream read error");
}
