// Small RAII owners for Win32 handles: each closes its handle when it goes out of scope,
// so every handle is released before the operation that opened it returns.
#pragma once
#include <windows.h>

#include <utility>

template <typename Traits>
class ScopedGeneric {
public:
    using Handle = typename Traits::Handle;
    ScopedGeneric() = default;
    explicit ScopedGeneric(Handle h) : h_(h) {}
    ~ScopedGeneric() { reset(); }
    ScopedGeneric(const ScopedGeneric&) = delete;
    ScopedGeneric& operator=(const ScopedGeneric&) = delete;
    ScopedGeneric(ScopedGeneric&& o) noexcept : h_(std::exchange(o.h_, Traits::Null())) {}
    ScopedGeneric& operator=(ScopedGeneric&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, Traits::Null());
        }
        return *this;
    }

    Handle get() const { return h_; }
    bool valid() const { return Traits::IsValid(h_); }
    explicit operator bool() const { return valid(); }
    // For out-parameters: releases the current handle and exposes the slot.
    Handle* receive() {
        reset();
        return &h_;
    }
    Handle release() { return std::exchange(h_, Traits::Null()); }
    void reset(Handle h = Traits::Null()) {
        if (Traits::IsValid(h_)) Traits::Close(h_);
        h_ = h;
    }

private:
    Handle h_ = Traits::Null();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};

struct LocalMemTraits {
    using Handle = HLOCAL;
    static Handle Null() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { LocalFree(h); }
};

using ScopedHandle = ScopedGeneric<KernelHandleTraits>;
using ScopedRegKey = ScopedGeneric<RegKeyTraits>;
using ScopedLibrary = ScopedGeneric<LibraryTraits>;
using ScopedLocalMem = ScopedGeneric<LocalMemTraits>;
