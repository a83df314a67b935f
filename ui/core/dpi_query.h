// Replaces the system's answer to "what DPI is this window at" that CDpiAwareness
// asks (tests pose as a monitor of a chosen DPI). Not part of the installed headers.
#pragma once

#include <windows.h>

namespace SkinUI {

typedef UINT (*DpiQueryFn)(HWND window);

// Null restores the system query. Returns the previous one.
DpiQueryFn SetDpiQuery(DpiQueryFn query);

}  // namespace SkinUI
