// The benchmarks' window procedure: a window whose user data is its paint manager hands
// every message to it first.
#pragma once
#include <windows.h>

#include "ui/core/paint_manager.h"

inline LRESULT CALLBACK BenchWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* pm = reinterpret_cast<SkinUI::CPaintManagerUI*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (pm != nullptr && pm->MessageHandler(msg, wp, lp, result)) return result;
    return DefWindowProcW(hwnd, msg, wp, lp);
}
