#pragma once
// COM for a decoding thread and owning pointers to the COM objects it makes;
// shared by every picture decoder that goes through the Windows Imaging
// Component.

#include <objbase.h>

// COM for the calling thread: initialised here when nobody did it before,
// and only then uninitialised again.
class TComScope {
public:
    TComScope() : owned_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComScope() {
        if (owned_) CoUninitialize();
    }
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;

private:
    bool owned_;
};

template <class T>
class TComPtr {
public:
    TComPtr() = default;
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    ~TComPtr() {
        if (p_) p_->Release();
    }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    T** Put() { return &p_; }

private:
    T* p_ = nullptr;
};
