#pragma once
// A library loaded by name while the program runs, so that a program using
// one of its entries still starts on systems that lack it. Freed with the
// object.

#include <windows.h>

#include <string>

class TDynamicLibrary {
public:
    explicit TDynamicLibrary(const std::string& Name) : module_(LoadLibraryA(Name.c_str())) {}
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;
    ~TDynamicLibrary() {
        if (module_) FreeLibrary(module_);
    }

    bool Loaded() const { return module_ != nullptr; }

    // The entry as a pointer to a function of type F; null when the library
    // did not load or has no such entry.
    template <class F>
    F* Entry(const char* Name) const {
        if (!module_) return nullptr;
        return reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module_, Name)));
    }

private:
    HMODULE module_;
};
