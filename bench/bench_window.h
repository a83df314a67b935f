// The benchmarks' window procedure: a window whose user data is its paint manager hands
// every message to it first; the window that owns such a manager; and a surface to
// paint into off screen.
#pragma once
#include <windows.h>

#include "ui/controls/gdi_guards.h"
#include "ui/core/paint_manager.h"

inline LRESULT CALLBACK BenchWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* pm = reinterpret_cast<SkinUI::CPaintManagerUI*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (pm != nullptr && pm->MessageHandler(msg, wp, lp, result)) return result;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// A borderless tool window of a class registered with BenchWndProc, and its paint
// manager, which gets the window's messages once Route is called.
struct TBenchWindow {
    HWND hwnd = nullptr;
    SkinUI::CPaintManagerUI pm;

    bool Create(HINSTANCE instance, const wchar_t* className, int width, int height, DWORD style,
                const wchar_t* name = L"bench") {
        hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, className, name, style, 0, 0, width, height, nullptr, nullptr,
                               instance, nullptr);
        if (hwnd == nullptr) return false;
        pm.Init(hwnd, name);
        return true;
    }
    void Route() { SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&pm)); }
    void Close() {
        if (hwnd == nullptr) return;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
        hwnd = nullptr;
    }
    TBenchWindow() = default;
    TBenchWindow(const TBenchWindow&) = delete;
    TBenchWindow& operator=(const TBenchWindow&) = delete;
    ~TBenchWindow() { Close(); }
};

// A 32-bit top-down DIB selected into its own memory DC.
struct TSurface {
    SkinUI::CDibSection dib;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib.Get());
    DWORD* bits = reinterpret_cast<DWORD*>(dib.Bits());
    int width, height;
    size_t pixels = bits != nullptr ? static_cast<size_t>(width) * height : 0;

    TSurface(int w, int h) : dib(nullptr, w, h), width(w), height(h) {}
    ~TSurface() {
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    TSurface(const TSurface&) = delete;
    TSurface& operator=(const TSurface&) = delete;
};
