// Small owners for Win32 handles used by the framework. Each closes its handle
// when it goes out of scope.
#pragma once

#include <windows.h>

namespace SkinUI {

// A kernel handle closed with CloseHandle (INVALID_HANDLE_VALUE and null are "none").
class CUIScopedHandle {
public:
    explicit CUIScopedHandle(HANDLE h = nullptr) : m_h(h) {}
    ~CUIScopedHandle() { Reset(); }
    CUIScopedHandle(const CUIScopedHandle&) = delete;
    CUIScopedHandle& operator=(const CUIScopedHandle&) = delete;
    bool IsValid() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    void Reset(HANDLE h = nullptr) {
        if (IsValid()) CloseHandle(m_h);
        m_h = h;
    }

private:
    HANDLE m_h;
};

// A GDI object (bitmap, font, pen, brush, region) deleted with DeleteObject.
template <typename T>
class CUIScopedGdiObject {
public:
    explicit CUIScopedGdiObject(T h = nullptr) : m_h(h) {}
    ~CUIScopedGdiObject() { Reset(); }
    CUIScopedGdiObject(const CUIScopedGdiObject&) = delete;
    CUIScopedGdiObject& operator=(const CUIScopedGdiObject&) = delete;
    T Get() const { return m_h; }
    // Gives up ownership.
    T Release() {
        T h = m_h;
        m_h = nullptr;
        return h;
    }
    void Reset(T h = nullptr) {
        if (m_h) DeleteObject(m_h);
        m_h = h;
    }

private:
    T m_h;
};

// A memory device context deleted with DeleteDC.
class CUIScopedMemDC {
public:
    explicit CUIScopedMemDC(HDC h = nullptr) : m_h(h) {}
    ~CUIScopedMemDC() {
        if (m_h) DeleteDC(m_h);
    }
    CUIScopedMemDC(const CUIScopedMemDC&) = delete;
    CUIScopedMemDC& operator=(const CUIScopedMemDC&) = delete;
    HDC Get() const { return m_h; }

private:
    HDC m_h;
};

// A window (or screen) device context from GetDC, released with ReleaseDC.
class CUIScopedWindowDC {
public:
    explicit CUIScopedWindowDC(HWND hWnd) : m_hWnd(hWnd), m_h(GetDC(hWnd)) {}
    ~CUIScopedWindowDC() {
        if (m_h) ReleaseDC(m_hWnd, m_h);
    }
    CUIScopedWindowDC(const CUIScopedWindowDC&) = delete;
    CUIScopedWindowDC& operator=(const CUIScopedWindowDC&) = delete;
    HDC Get() const { return m_h; }

private:
    HWND m_hWnd;
    HDC m_h;
};

// Selects an object into a DC and selects the previous one back at scope end.
class CUIScopedSelect {
public:
    CUIScopedSelect(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(dc && obj ? SelectObject(dc, obj) : nullptr) {}
    ~CUIScopedSelect() {
        if (m_dc && m_old) SelectObject(m_dc, m_old);
    }
    CUIScopedSelect(const CUIScopedSelect&) = delete;
    CUIScopedSelect& operator=(const CUIScopedSelect&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

}  // namespace SkinUI
