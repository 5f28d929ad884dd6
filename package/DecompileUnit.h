#pragma once
// Reads a package container (see CompileUnit.h for the layout). Containers
// arrive in files a user can be sent, so the size table is checked against
// the data before anything is taken from it.

#include "Object.h"
#include "Streams.h"

#include <cstdint>
#include <memory>
#include <vector>

class TDecompileStream : public TObject {
public:
    TDecompileStream();
    std::string ClassName() const override { return "TDecompileStream"; }

    // Copies the whole of Source (from its start) and reads its size table.
    // A container too short for its count, with a negative size, or whose
    // streams would run into the table raises EReadError "Stream read error"
    // and leaves the reader empty.
    void Decompile(TStream* Source);
    // The same for a container already in memory (a stream inflated from
    // another container): the reader takes it over instead of copying it.
    void Decompile(std::unique_ptr<TMemoryStream> Source);
    // A new stream, owned by the caller, holding stream Index, positioned at
    // its end; empty for Index >= Count. A stream whose stored and unpacked
    // sizes differ, or any stream when Decompress is true, is inflated to
    // exactly its unpacked size ("error" for data that is not zlib, "Stream
    // read error" for the wrong amount). A negative Index raises EListError.
    std::unique_ptr<TMemoryStream> GetStream(int Index, bool Decompress);

    int Count() const { return count_; }
    TMemoryStream* Data() const { return data_.get(); }
    const std::vector<std::int32_t>& UnpackedSizes() const { return unpackedSizes_; }
    const std::vector<std::int32_t>& StoredSizes() const { return storedSizes_; }

private:
    // Empties the reader; it then holds Data, or nothing when Data is null.
    void Reset(std::unique_ptr<TMemoryStream> Data);
    // Reads the size table of the container in data_.
    void ReadTable();

    int count_ = 0;
    std::unique_ptr<TMemoryStream> data_;
    std::vector<std::int32_t> unpackedSizes_;
    std::vector<std::int32_t> storedSizes_;
    std::vector<std::int64_t> offsets_;  // where each stream starts in Data
};
