#include <windows.h>

#include "launcher/run_sequence.h"
#include "support/win/system_library.h"
#include "ui/core/dpi_awareness.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    // The game's folder may be writable by any user: no library is taken from it. Every load
    // of the launcher's own is by full path; where the loader offers it, loads made by the
    // system's libraries are kept to the system directory too. (A test build leaves this out,
    // to play the loader of Windows XP, which has no such restriction.)
#ifndef QVX_LOADER_UNRESTRICTED
    RestrictLibrarySearchToSystem();
#endif
    // The manifest declares the awareness; the windows then follow the monitor's DPI.
    SkinUI::CDpiAwareness::Enable(true);
    return RunLauncher(instance);
}
