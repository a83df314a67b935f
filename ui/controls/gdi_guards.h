// Small owners of GDI handles used by the drawing routines: each releases its
// handle when it goes out of scope.
#pragma once

#include <windows.h>

namespace SkinUI {

// A GDI object (pen, brush, bitmap, region, font) deleted with DeleteObject.
template <class H>
class CGdiObject {
public:
    explicit CGdiObject(H handle = nullptr) : m_h(handle) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    void Reset(H handle = nullptr) {
        if (m_h != nullptr) ::DeleteObject(m_h);
        m_h = handle;
    }
    H Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    H m_h;
};

// A memory device context compatible with another one.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatible) : m_dc(::CreateCompatibleDC(compatible)) {}
    ~CMemoryDC() {
        if (m_dc != nullptr) ::DeleteDC(m_dc);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc;
};

// Selects an object into a dc and selects the previous one back at the end.
class CSelectGuard {
public:
    CSelectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(nullptr) {
        if (m_dc != nullptr && object != nullptr) m_old = ::SelectObject(m_dc, object);
    }
    ~CSelectGuard() {
        if (m_old != nullptr) ::SelectObject(m_dc, m_old);
    }
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A 32-bit top-down DIB section with direct access to its BGRA pixels.
class CDibSection {
public:
    CDibSection(HDC dc, int width, int height) : m_bits(nullptr), m_width(width), m_height(height) {
        m_bitmap = nullptr;
        if (width <= 0 || height <= 0) return;
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = width;
        bmi.bmiHeader.biHeight = -height;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (m_bitmap != nullptr) m_bits = static_cast<BYTE*>(bits);
    }
    ~CDibSection() {
        if (m_bitmap != nullptr) ::DeleteObject(m_bitmap);
    }
    CDibSection(const CDibSection&) = delete;
    CDibSection& operator=(const CDibSection&) = delete;

    HBITMAP Get() const { return m_bitmap; }
    BYTE* Bits() const { return m_bits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    explicit operator bool() const { return m_bitmap != nullptr && m_bits != nullptr; }

private:
    HBITMAP m_bitmap;
    BYTE* m_bits;
    int m_width;
    int m_height;
};

}  // namespace SkinUI
