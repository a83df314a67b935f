#include <windows.h>

#include "launcher/run_sequence.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    return RunLauncher(instance);
}
