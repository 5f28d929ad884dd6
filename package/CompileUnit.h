#pragma once
// Writes a package container: streams laid back to back, each raw or as one
// zlib stream, then for every stream its int32 unpacked and stored sizes, then
// the int32 stream count (all little-endian). A program may come first as
// stream 0: offsets count from the first byte.

#include "Object.h"
#include "Streams.h"

#include <cstdint>
#include <memory>
#include <vector>

class TCompileStream : public TObject {
public:
    TCompileStream();
    std::string ClassName() const override { return "TCompileStream"; }

    // Appends the whole of Source (from its start, whatever its position),
    // deflated at level 9 when Compress is true. A stream or container that
    // would not fit 32-bit sizes raises EWriteError "Stream write error".
    void AddStream(TStream* Source, bool Compress);
    // Appends the size table and the count and returns Data, which stays owned
    // by the writer. Later calls return the same finished container.
    TMemoryStream* Compile();

    int Count() const { return count_; }
    TMemoryStream* Data() const { return data_.get(); }
    const std::vector<std::int32_t>& UnpackedSizes() const { return unpackedSizes_; }
    const std::vector<std::int32_t>& StoredSizes() const { return storedSizes_; }

private:
    int count_ = 0;
    std::unique_ptr<TMemoryStream> data_;
    std::vector<std::int32_t> unpackedSizes_;
    std::vector<std::int32_t> storedSizes_;
    bool compiled_ = false;
};
