// CMotionBitmap: a 32-bit top-down DIB section of premultiplied pixels that a
// moving control fills and draws like an image, kept from frame to frame.
#pragma once

#include <windows.h>

#include <cstdint>

namespace SkinUI {

class CMotionBitmap {
public:
    CMotionBitmap() = default;
    ~CMotionBitmap() { Reset(); }
    CMotionBitmap(const CMotionBitmap&) = delete;
    CMotionBitmap& operator=(const CMotionBitmap&) = delete;

    // Makes it width x height (its pixels cleared when remade); false when it
    // cannot be made or the size is empty.
    bool Ensure(int width, int height);
    void Reset();
    HBITMAP Get() const { return m_bitmap; }
    uint32_t* Pixels() const { return m_bits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Draws it stretched over `dest`, within `paint`, blending its alpha.
    void Draw(HDC dc, const RECT& dest, const RECT& paint) const;

private:
    HBITMAP m_bitmap = nullptr;
    uint32_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace SkinUI
