#include "ui/core/system_library.h"

#include <delayimp.h>

#include <atomic>
#include <cwchar>

// The image this code is linked into (the exe, or a DLL that links the framework).
extern "C" IMAGE_DOS_HEADER __ImageBase;
// The runtime's delay-load helper: resolves one slot of a delay-import descriptor.
extern "C" FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr descriptor, FARPROC* slot);
// The descriptors of the framework's delay-import libraries (cmake/delay-import.cmake). The
// names are the libraries' own on both builds, without the 32-bit build's extra underscore.
extern "C" const ImgDelayDescr g_gdiplusDelay __asm__("__DELAY_IMPORT_DESCRIPTOR_libgdiplus_delayed_a");
extern "C" const ImgDelayDescr g_oleaccDelay __asm__("__DELAY_IMPORT_DESCRIPTOR_liboleacc_delayed_a");

namespace SkinUI {

namespace {

const size_t kMaxName = 64;

// Windows XP's size of the structure; later systems accept it too.
struct TSectionKeyedData2600 {
    ULONG cbSize;
    ULONG ulDataFormatVersion;
    PVOID lpData;
    ULONG ulLength;
    PVOID lpSectionGlobalData;
    ULONG ulSectionGlobalDataLength;
    PVOID lpSectionBase;
    ULONG ulSectionTotalLength;
    HANDLE hActCtx;
    ULONG ulAssemblyRosterIndex;
};

// Whether the active activation context sends `name` to a side-by-side assembly. A load of
// such a name by bare name is answered from the assembly, before any folder is searched.
bool SideBySide(const wchar_t* name) {
    typedef BOOL(WINAPI * FindFn)(DWORD, const GUID*, ULONG, LPCWSTR, TSectionKeyedData2600*);
    static const FindFn find = reinterpret_cast<FindFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "FindActCtxSectionStringW")));
    if (find == nullptr) return false;
    TSectionKeyedData2600 data = {};
    data.cbSize = sizeof(data);
    return find(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, name, &data) != FALSE;
}

// A descriptor's addresses are image-relative (the usual form) or, in the oldest form, absolute.
template <typename T>
T* At(const ImgDelayDescr* d, ULONG_PTR where) {
    const ULONG_PTR base = (d->grAttrs & dlattrRva) != 0 ? reinterpret_cast<ULONG_PTR>(&__ImageBase) : 0;
    return reinterpret_cast<T*>(base + where);
}

FARPROC Import(HMODULE module, const ImgDelayDescr* d, const IMAGE_THUNK_DATA& entry) {
    if (IMAGE_SNAP_BY_ORDINAL(entry.u1.Ordinal))
        return ::GetProcAddress(module, MAKEINTRESOURCEA(IMAGE_ORDINAL(entry.u1.Ordinal)));
    return ::GetProcAddress(module, At<const IMAGE_IMPORT_BY_NAME>(d, entry.u1.AddressOfData)->Name);
}

// Library names compare without regard to ASCII letter case.
bool SameAsciiName(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const char x = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a - 'A' + 'a') : *a;
        const char y = (*b >= 'A' && *b <= 'Z') ? static_cast<char>(*b - 'A' + 'a') : *b;
        if (x != y) return false;
        if (x == '\0') return true;
    }
}

bool Widen(const char* name, wchar_t (&out)[kMaxName]) {
    size_t n = 0;
    for (; name[n] != '\0'; ++n) {
        if (n + 1 >= kMaxName || static_cast<unsigned char>(name[n]) >= 0x80) return false;
        out[n] = static_cast<wchar_t>(name[n]);
    }
    out[n] = L'\0';
    return n > 0;
}

bool Resolve(const ImgDelayDescr* d) {
    wchar_t wide[kMaxName];
    if (d->rvaDLLName == 0 || !Widen(At<const char>(d, d->rvaDLLName), wide)) return false;
    HMODULE module = LoadSystemLibrary(wide);
    if (module == nullptr) return false;
    const IMAGE_THUNK_DATA* names = At<const IMAGE_THUNK_DATA>(d, d->rvaINT);
    bool complete = true;
    for (size_t i = 0; complete && names[i].u1.AddressOfData != 0; ++i) complete = Import(module, d, names[i]) != nullptr;
    if (complete) {
        // Every slot is filled by the runtime's own helper, as a first call would fill it (it
        // also keeps the module for the program); the loads it makes come back to the hook
        // below. Later calls go straight to the library.
        FARPROC* slots = At<FARPROC>(d, d->rvaIAT);
        for (size_t i = 0; names[i].u1.AddressOfData != 0; ++i) __delayLoadHelper2(d, &slots[i]);
    }
    ::FreeLibrary(module);
    return complete;
}

// The answers so far: per descriptor, 1 ready or 2 unavailable (0: a free entry).
struct TAnswer {
    std::atomic<const ImgDelayDescr*> descriptor{nullptr};
    std::atomic<int> state{0};
};
TAnswer g_answers[8];

// The delay-load helper asks before it loads a library: the library is taken as
// LoadSystemLibrary takes it. A null answer (a name this cannot load) lets the helper fail
// as it would have; the program asks DelayImportsReady before its first call, so that
// never happens for a library it uses.
FARPROC WINAPI DelayLoadNotify(unsigned notify, PDelayLoadInfo info) {
    if (notify != dliNotePreLoadLibrary || info == nullptr || info->szDll == nullptr) return nullptr;
    wchar_t wide[kMaxName];
    return Widen(info->szDll, wide) ? reinterpret_cast<FARPROC>(LoadSystemLibrary(wide)) : nullptr;
}

}  // namespace

HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (name == nullptr || *name == L'\0' || std::wcspbrk(name, L"\\/:") != nullptr) return nullptr;
    const size_t nameChars = std::wcslen(name);
    if (nameChars >= kMaxName) return nullptr;
    if (SideBySide(name)) return ::LoadLibraryW(name);
    wchar_t path[MAX_PATH] = {};
    const UINT dirChars = ::GetSystemDirectoryW(path, MAX_PATH);
    if (dirChars == 0 || dirChars + 1 + nameChars >= MAX_PATH) return nullptr;
    path[dirChars] = L'\\';
    std::wmemcpy(path + dirChars + 1, name, nameChars + 1);
    return ::LoadLibraryW(path);
}

bool DelayImportsReady(const void* descriptor) {
    const auto* d = static_cast<const ImgDelayDescr*>(descriptor);
    if (d == nullptr) return false;
    for (TAnswer& answer : g_answers) {
        const ImgDelayDescr* known = answer.descriptor.load(std::memory_order_acquire);
        if (known == d) {
            const int state = answer.state.load(std::memory_order_acquire);
            if (state != 0) return state == 1;
            break;  // being answered by another thread: answer here too
        }
        if (known == nullptr) break;
    }
    const bool ready = Resolve(d);
    for (TAnswer& answer : g_answers) {
        const ImgDelayDescr* expected = nullptr;
        if (answer.descriptor.compare_exchange_strong(expected, d, std::memory_order_acq_rel) || expected == d) {
            answer.state.store(ready ? 1 : 2, std::memory_order_release);
            break;
        }
    }
    return ready;
}

bool DelayImportsReady(const char* dllName) {
    if (dllName == nullptr) return false;
    if (SameAsciiName(dllName, "gdiplus.dll")) return DelayImportsReady(static_cast<const void*>(&g_gdiplusDelay));
    if (SameAsciiName(dllName, "oleacc.dll")) return DelayImportsReady(static_cast<const void*>(&g_oleaccDelay));
    return false;
}

}  // namespace SkinUI

// The runtime's delay-load helper asks this hook before each load it makes.
extern "C" {
PfnDliHook __pfnDliNotifyHook2 = &SkinUI::DelayLoadNotify;
}
