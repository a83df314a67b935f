#include "support/win/system_library.h"

#include <cwchar>

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    if (name == nullptr || *name == L'\0' || std::wcspbrk(name, L"\\/:") != nullptr)
        return nullptr;
    wchar_t path[MAX_PATH] = {};
    const UINT dirChars = GetSystemDirectoryW(path, MAX_PATH);
    const size_t nameChars = std::wcslen(name);
    if (dirChars == 0 || dirChars + 1 + nameChars >= MAX_PATH)
        return nullptr;
    path[dirChars] = L'\\';
    std::wmemcpy(path + dirChars + 1, name, nameChars + 1);
    return LoadLibraryW(path);
}

bool RestrictLibrarySearchToSystem()
{
    typedef BOOL(WINAPI * TSetDefaultDllDirectories)(DWORD);
    const auto setDefault =
        LookUpFunction<TSetDefaultDllDirectories>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    return setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}
