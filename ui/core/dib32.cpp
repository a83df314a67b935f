#include "ui/core/dib32.h"

namespace SkinUI {

HBITMAP CreateDib32(HDC dc, int width, int height, BYTE** bits) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = bitmap != nullptr ? static_cast<BYTE*>(pixels) : nullptr;
    return bitmap;
}

}  // namespace SkinUI
