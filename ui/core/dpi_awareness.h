// Where a window's DPI percentage comes from. A program opts in once (the
// launcher does, and declares the matching awareness in its manifest); from then
// on every paint manager takes the percentage of the monitor its window is
// created on, and follows WM_DPICHANGED. Programs that do not opt in stay at
// 100 percent unless they set a percentage themselves.
#pragma once

#include <windows.h>

namespace SkinUI {

// WM_DPICHANGED, for headers that predate it.
const UINT kWmDpiChanged = 0x02E0;

class CDpiAwareness {
public:
    static void Enable(bool on);
    static bool IsEnabled();

    // The DPI of the monitor showing `window`: the window's own DPI where the
    // system offers it (looked up at run time), else the system DPI. Never 0.
    static UINT WindowDpi(HWND window);
    // The same as a percentage of 96 DPI.
    static int WindowScale(HWND window);
    static int ScaleForDpi(UINT dpi);

    // What the system answers, without the replaceable query.
    static UINT SystemWindowDpi(HWND window);
};

}  // namespace SkinUI
