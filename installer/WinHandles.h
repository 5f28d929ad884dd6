#pragma once
// Owners for the few system handles the installer holds.

#include <windows.h>

#include <utility>

class TFileHandle {
public:
    explicit TFileHandle(HANDLE Handle) : h_(Handle) {}
    ~TFileHandle() { Close(); }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    bool Valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE Get() const { return h_; }
    // Closes now; the result tells whether closing succeeded (a write can
    // still fail at that point on some file systems).
    bool Close() {
        if (!Valid()) return true;
        return CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != FALSE;
    }

private:
    HANDLE h_;
};

class TRegKey {
public:
    TRegKey() = default;
    ~TRegKey() {
        if (h_) RegCloseKey(h_);
    }
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;

    HKEY Get() const { return h_; }
    HKEY* Receive() { return &h_; }

private:
    HKEY h_ = nullptr;
};
