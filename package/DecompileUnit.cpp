#include "DecompileUnit.h"

#include "Exceptions.h"
#include "SysUtils.h"
#include "ZlibStreams.h"

#include <algorithm>

namespace {

std::int32_t GetInt32(const unsigned char* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                     static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

[[noreturn]] void ReadError() { throw EReadError("Stream read error"); }

// The most bytes deflate can make from one input byte is about 1032; a size
// field larger than that allows is not trusted for reserving memory.
constexpr std::int64_t MaxInflateRatio = 1032;

}  // namespace

TDecompileStream::TDecompileStream() : data_(std::make_unique<TMemoryStream>()) {}

void TDecompileStream::Decompile(TStream* Source) {
    Reset(nullptr);
    try {
        data_->LoadFromStream(Source);
    } catch (...) {
        data_->Clear();
        throw;
    }
    ReadTable();
}

void TDecompileStream::Decompile(std::unique_ptr<TMemoryStream> Source) {
    Reset(std::move(Source));
    ReadTable();
}

void TDecompileStream::Reset(std::unique_ptr<TMemoryStream> Data) {
    count_ = 0;
    unpackedSizes_.clear();
    storedSizes_.clear();
    offsets_.clear();
    if (Data)
        data_ = std::move(Data);
    else
        data_->Clear();
}

void TDecompileStream::ReadTable() {
    try {
        const std::int64_t length = data_->Size();
        if (length < 4) ReadError();
        const auto* bytes = static_cast<const unsigned char*>(data_->Memory());
        const std::int32_t count = GetInt32(bytes + length - 4);
        if (count < 0) ReadError();
        const std::int64_t tableStart = length - 4 - 8 * std::int64_t{count};
        if (tableStart < 0) ReadError();

        std::vector<std::int32_t> unpacked, stored;
        std::vector<std::int64_t> offsets;
        unpacked.reserve(static_cast<std::size_t>(count));
        stored.reserve(static_cast<std::size_t>(count));
        offsets.reserve(static_cast<std::size_t>(count));
        std::int64_t offset = 0;
        for (std::int32_t i = 0; i < count; ++i) {
            const unsigned char* entry = bytes + tableStart + 8 * std::int64_t{i};
            const std::int32_t u = GetInt32(entry), s = GetInt32(entry + 4);
            if (u < 0 || s < 0 || s > tableStart - offset) ReadError();
            unpacked.push_back(u);
            stored.push_back(s);
            offsets.push_back(offset);
            offset += s;
        }
        count_ = count;
        unpackedSizes_ = std::move(unpacked);
        storedSizes_ = std::move(stored);
        offsets_ = std::move(offsets);
    } catch (...) {
        data_->Clear();
        throw;
    }
}

std::unique_ptr<TMemoryStream> TDecompileStream::GetStream(int Index, bool Decompress) {
    auto result = std::make_unique<TMemoryStream>();
    if (Index < 0) throw EListError(Format("List index out of bounds (%d)", Index));
    if (Index >= count_) return result;

    const auto i = static_cast<std::size_t>(Index);
    const std::int64_t stored = storedSizes_[i], unpacked = unpackedSizes_[i];
    const char* bytes = static_cast<const char*>(data_->Memory()) + offsets_[i];
    if (stored != unpacked || Decompress) {
        result->SetCapacity(std::min(unpacked, stored * MaxInflateRatio + 64));
        ZDecompressBuffer(bytes, stored, unpacked, result.get());
    } else {
        result->WriteBuffer(bytes, stored);
    }
    return result;
}
