#include "Streams.h"

#include "Exceptions.h"
#include "FileStream.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {
constexpr std::int64_t CopyChunk = 64 * 1024;
}

std::int64_t TStream::Size() {
    const std::int64_t pos = Seek(0, soCurrent);
    const std::int64_t end = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return end;
}

void TStream::SetSize(std::int64_t) {
    throw EStreamError("Stream size cannot be changed");
}

// Streams may move fewer bytes per call than asked (pipes, slow devices);
// only a call that moves nothing ends the transfer early.
void TStream::ReadBuffer(void* Buffer, std::int64_t Count) {
    if (Count < 0) throw EReadError("Stream read error");
    auto* p = static_cast<char*>(Buffer);
    while (Count > 0) {
        const std::int64_t n = Read(p, Count);
        if (n <= 0) throw EReadError("Stream read error");
        p += n;
        Count -= n;
    }
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count) {
    if (Count < 0) throw EWriteError("Stream write error");
    const auto* p = static_cast<const char*>(Buffer);
    while (Count > 0) {
        const std::int64_t n = Write(p, Count);
        if (n <= 0) throw EWriteError("Stream write error");
        p += n;
        Count -= n;
    }
}

std::int64_t TStream::CopyFrom(TStream* Source, std::int64_t Count) {
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    std::vector<char> buffer(static_cast<std::size_t>(std::min(Count, CopyChunk)));
    std::int64_t left = Count;
    while (left > 0) {
        const std::int64_t n = std::min(left, CopyChunk);
        Source->ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return Count;
}

TMemoryStream::~TMemoryStream() {
    ::operator delete(data_);
}

std::int64_t TMemoryStream::Read(void* Buffer, std::int64_t Count) {
    if (Count <= 0 || position_ >= size_) return 0;
    const std::int64_t n = std::min(Count, size_ - position_);
    std::memcpy(Buffer, data_ + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count) {
    if (Count <= 0) return 0;
    const std::int64_t end = position_ + Count;
    if (end > capacity_) Grow(end);
    if (position_ > size_)  // a seek past the end leaves a gap of zeros
        std::memset(data_ + size_, 0, static_cast<std::size_t>(position_ - size_));
    std::memcpy(data_ + position_, Buffer, static_cast<std::size_t>(Count));
    position_ = end;
    size_ = std::max(size_, end);
    return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
    std::int64_t base = 0;
    if (Origin == soCurrent) base = position_;
    else if (Origin == soEnd) base = size_;
    const std::int64_t target = base + Offset;
    if (target < 0) throw EStreamError("Invalid stream position");
    position_ = target;
    return position_;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
    if (NewSize < 0) throw EStreamError("Invalid stream size");
    if (NewSize > capacity_) SetCapacity(NewSize);
    if (NewSize > size_) std::memset(data_ + size_, 0, static_cast<std::size_t>(NewSize - size_));
    size_ = NewSize;
    position_ = std::min(position_, size_);
}

void TMemoryStream::SetCapacity(std::int64_t NewCapacity) {
    if (NewCapacity <= capacity_) return;
    if (static_cast<std::uint64_t>(NewCapacity) > SIZE_MAX) throw std::bad_alloc();
    char* block = static_cast<char*>(::operator new(static_cast<std::size_t>(NewCapacity)));
    if (size_ > 0) std::memcpy(block, data_, static_cast<std::size_t>(size_));
    ::operator delete(data_);
    data_ = block;
    capacity_ = NewCapacity;
}

void TMemoryStream::Grow(std::int64_t Needed) {
    // Half again the current capacity keeps appends linear without doubling
    // the memory of a large stream.
    SetCapacity(std::max({Needed, capacity_ + capacity_ / 2, std::int64_t{4096}}));
}

void TMemoryStream::Clear() {
    ::operator delete(data_);
    data_ = nullptr;
    size_ = capacity_ = position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
    Stream->SetPosition(0);
    const std::int64_t n = Stream->Size();
    if (n > capacity_) {
        // Replace rather than grow: the old bytes need not be copied.
        Clear();
        SetCapacity(n);
    }
    size_ = n;
    position_ = 0;
    try {
        if (n > 0) Stream->ReadBuffer(data_, n);
    } catch (...) {
        size_ = 0;  // no half-loaded content
        throw;
    }
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

void TMemoryStream::SaveToStream(TStream* Stream) {
    if (size_ > 0) Stream->WriteBuffer(data_, size_);
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
    TFileStream file(FileName, fmCreate);
    SaveToStream(&file);
}
