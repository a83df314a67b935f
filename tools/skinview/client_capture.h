#pragma once
// Picture of a skinned window's client area, painted by its paint manager into
// a 32-bit bitmap (WM_PRINTCLIENT), as opaque RGBA rows top to bottom.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace skinview {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

// False when the window has no client area or the bitmap cannot be made.
bool CaptureClient(HWND hWnd, Picture& picture);

}  // namespace skinview
