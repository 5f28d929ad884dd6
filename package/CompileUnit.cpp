#include "CompileUnit.h"

#include "Exceptions.h"
#include "ZlibStreams.h"

#include <algorithm>
#include <climits>

namespace {

// Room kept free behind every stream so the size table can be appended
// without moving the whole container once more.
constexpr std::int64_t TableReserve = 64 * 1024;

void PutInt32(TStream* Stream, std::int32_t Value) {
    const auto v = static_cast<std::uint32_t>(Value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                    static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    Stream->WriteBuffer(bytes, 4);
}

// zlib's worst case for deflating n bytes (deflateBound for default settings).
std::int64_t DeflateBound(std::int64_t n) {
    return n + (n >> 12) + (n >> 14) + (n >> 25) + 13 + 6;
}

}  // namespace

TCompileStream::TCompileStream() : data_(std::make_unique<TMemoryStream>()) {}

void TCompileStream::AddStream(TStream* Source, bool Compress) {
    if (compiled_) throw EInvalidOperation("Cannot add a stream to a compiled container");
    const std::int64_t unpacked = Source->Size();
    if (unpacked > INT_MAX) throw EWriteError("Stream write error");

    // Deflate straight onto the end of Data: the container is the only copy
    // of the compressed bytes, and one reservation of the worst case keeps a
    // large stream from being moved while it grows.
    const std::int64_t start = data_->Size();
    const std::int64_t worst = Compress ? DeflateBound(unpacked) : unpacked;
    const std::int64_t needed = start + worst + TableReserve;
    if (needed > data_->Capacity())  // a quarter more keeps many small streams from copying it all each time
        data_->SetCapacity(std::max(needed, data_->Capacity() + data_->Capacity() / 4));
    data_->Seek(0, soEnd);
    try {
        if (Compress) ZCompressStream(Source, data_.get(), 9);
        else if (unpacked > 0) data_->CopyFrom(Source, 0);
    } catch (...) {
        data_->SetSize(start);  // nothing half added
        throw;
    }
    const std::int64_t stored = data_->Size() - start;
    // Offsets are 32-bit in the format: the table must stay addressable.
    if (stored > INT_MAX || data_->Size() + 8 * (std::int64_t{count_} + 1) + 4 > INT_MAX) {
        data_->SetSize(start);
        throw EWriteError("Stream write error");
    }
    unpackedSizes_.push_back(static_cast<std::int32_t>(unpacked));
    storedSizes_.push_back(static_cast<std::int32_t>(stored));
    ++count_;
}

TMemoryStream* TCompileStream::Compile() {
    if (compiled_) return data_.get();
    data_->Seek(0, soEnd);
    for (int i = 0; i < count_; ++i) {
        PutInt32(data_.get(), unpackedSizes_[static_cast<std::size_t>(i)]);
        PutInt32(data_.get(), storedSizes_[static_cast<std::size_t>(i)]);
    }
    PutInt32(data_.get(), count_);
    compiled_ = true;
    return data_.get();
}
