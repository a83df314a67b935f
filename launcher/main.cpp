#include <windows.h>

#include "launcher/run_sequence.h"
#include "ui/core/dpi_awareness.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    // The manifest declares the awareness; the windows then follow the monitor's DPI.
    SkinUI::CDpiAwareness::Enable(true);
    return RunLauncher(instance);
}
