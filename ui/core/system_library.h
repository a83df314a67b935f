// Every library the framework loads at run time comes through here: from the system
// directory by full path, or from the system's side-by-side store when the program's
// manifest names the library's assembly (GDI+ on Windows XP lives only there). Never from
// the program's own folder, which a game installs where any user may write.
#pragma once

#include <windows.h>

namespace SkinUI {

// Loads the system library `name` (a bare file name such as L"msimg32.dll"). Null when the
// name is empty, holds a path, is too long, or the library is not there. The caller frees
// the module, or keeps it for the life of the process.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Readies a library the framework delay-imports (L"gdiplus.dll" or L"oleacc.dll"; any other
// name answers false) before its first call: loads it as LoadSystemLibrary does and resolves
// every function the program imports from it, so that no call ever goes through the
// delay-load thunk. False when the library or any of those functions is missing: the feature
// that needs it is then unavailable, and none of its functions may be called. The answer is
// kept; the work is done without holding a lock, so two threads may both do it, to the same
// result.
bool DelayImportsReady(const char* dllName);

// The same for any delay-imported library, given by the descriptor its delay-import library
// defines (__DELAY_IMPORT_DESCRIPTOR_lib<name>_delayed_a). The descriptor is a PE delay-import
// descriptor (delayimp.h's ImgDelayDescr).
bool DelayImportsReady(const void* descriptor);

}  // namespace SkinUI
