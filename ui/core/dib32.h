// 32-bit top-down DIB sections: the one pixel format the framework paints into.
#pragma once

#include <windows.h>

namespace SkinUI {

// A width x height BGRA bitmap whose rows run top to bottom; `*bits` receives its
// pixels (nullptr on failure). The caller owns the bitmap.
HBITMAP CreateDib32(HDC dc, int width, int height, BYTE** bits);

}  // namespace SkinUI
