#pragma once
// Byte streams: the abstract TStream with its buffer helpers, and TMemoryStream,
// which keeps all its bytes in one growable block.

#include "Object.h"

#include <cstdint>
#include <memory>
#include <string>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    std::string ClassName() const override { return "TStream"; }

    // Transfer up to Count bytes; the result is the number moved (0 at the end).
    virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
    virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
    // Returns the new position.
    virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t Value) { Seek(Value, soBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t NewSize);

    // Transfer exactly Count bytes or raise EReadError / EWriteError.
    void ReadBuffer(void* Buffer, std::int64_t Count);
    void WriteBuffer(const void* Buffer, std::int64_t Count);

    // Appends Count bytes of Source from its current position; Count 0 copies
    // the whole of Source from its start. Returns the number of bytes copied.
    std::int64_t CopyFrom(TStream* Source, std::int64_t Count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    ~TMemoryStream() override;
    std::string ClassName() const override { return "TMemoryStream"; }

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    std::int64_t Size() override { return size_; }
    // Growing keeps the bytes and fills the new ones with zeros; the position
    // is pulled back when it would lie past the end.
    void SetSize(std::int64_t NewSize) override;

    // The bytes themselves; valid until the size or capacity changes.
    void* Memory() { return data_; }
    const void* Memory() const { return data_; }
    std::int64_t Capacity() const { return capacity_; }
    // Makes room for at least NewCapacity bytes without changing the size, so a
    // known final size costs one allocation and no copies.
    void SetCapacity(std::int64_t NewCapacity);

    void Clear();
    // Replaces the content with the whole of Stream (from its start); the
    // position ends at 0.
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const std::string& FileName);
    // Writes the whole content, whatever the position.
    void SaveToStream(TStream* Stream);
    void SaveToFile(const std::string& FileName);

private:
    void Grow(std::int64_t Needed);

    char* data_ = nullptr;
    std::int64_t size_ = 0;
    std::int64_t capacity_ = 0;
    std::int64_t position_ = 0;
};
