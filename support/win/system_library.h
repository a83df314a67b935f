// Libraries the program loads at run time come from the system directory, never from a
// directory a user can write to (the game's own, the current one).
#pragma once

#include <windows.h>

// Loads the system library `name` (a bare file name such as L"msi.dll") by its full path
// in the system directory, so that a copy planted beside the program is never picked up
// in its place. Null when the name is empty, has a path in it, is too long, or the library
// cannot be loaded. The caller frees the module.
HMODULE LoadSystemLibrary(const wchar_t* name);

// From now on, libraries this process loads by bare name (delay-loaded ones too) are looked
// up in the system directory only. Works where the loader offers it (Windows 8 and later,
// and Windows Vista and 7 with their loader update); elsewhere nothing changes and false
// is returned. Child processes are not affected.
bool RestrictLibrarySearchToSystem();

// The function `name` of `module` as a pointer of type T; null when either is missing.
template <typename T>
T LookUpFunction(HMODULE module, const char* name)
{
    return module != nullptr ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
