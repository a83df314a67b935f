// Test helpers for drawing: a 32-bit DIB section selected into a memory DC
// whose pixels can be read back, bitmaps built from a pixel function, and PNG
// files written for the image cache.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace drawtest {

// 0xAARRGGBB of the DIB's BGRA bytes (the same little-endian DWORD).
class CCanvas {
public:
    CCanvas(int width, int height, DWORD fill = 0xFFFFFFFF);
    ~CCanvas();
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void Fill(DWORD argb);
    DWORD At(int x, int y) const;
    // Colour without the alpha byte.
    DWORD Rgb(int x, int y) const { return At(x, y) & 0x00FFFFFF; }
    // Number of pixels that differ from `argb` (alpha ignored).
    int CountNot(DWORD argb) const;

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    DWORD* m_bits;
    int m_width;
    int m_height;
};

// A 32-bit top-down DIB filled by `pixel(x, y)` (premultiplied 0xAARRGGBB).
// The caller deletes it with DeleteObject.
HBITMAP MakeBitmap(int width, int height, const std::function<DWORD(int, int)>& pixel);

// Writes an RGBA PNG (straight alpha, 0xAARRGGBB per pixel) to `path`.
bool WritePng(const std::wstring& path, int width, int height, const std::function<DWORD(int, int)>& pixel);

// A path under %TEMP% for a test file of this process.
std::wstring TempPath(const wchar_t* name);

inline int R(DWORD c) { return (c >> 16) & 0xFF; }
inline int G(DWORD c) { return (c >> 8) & 0xFF; }
inline int B(DWORD c) { return c & 0xFF; }
inline int A(DWORD c) { return (c >> 24) & 0xFF; }
// Channels within `tol` of each other (alpha ignored).
bool Near(DWORD a, DWORD b, int tol = 2);

}  // namespace drawtest
