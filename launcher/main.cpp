#include <windows.h>

#include "launcher/run_sequence.h"
#include "support/win/system_library.h"
#include "ui/core/dpi_awareness.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    // The game's folder may be writable by any user: no library is taken from it.
    RestrictLibrarySearchToSystem();
    // The manifest declares the awareness; the windows then follow the monitor's DPI.
    SkinUI::CDpiAwareness::Enable(true);
    return RunLauncher(instance);
}
