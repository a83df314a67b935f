#include "ui/core/dpi_awareness.h"

#include "ui/core/dpi_query.h"

#include "ui/core/ui_handles.h"

namespace SkinUI {

namespace {

bool g_enabled = false;
DpiQueryFn g_query = nullptr;

typedef UINT(WINAPI* GetDpiForWindowFn)(HWND);

// Windows 10 1607 and later; absent on older systems.
GetDpiForWindowFn DpiForWindowApi() {
    static const GetDpiForWindowFn fn = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return fn;
}

}  // namespace

void CDpiAwareness::Enable(bool on) { g_enabled = on; }
bool CDpiAwareness::IsEnabled() { return g_enabled; }

DpiQueryFn SetDpiQuery(DpiQueryFn query) {
    const DpiQueryFn previous = g_query;
    g_query = query;
    return previous;
}

UINT CDpiAwareness::SystemWindowDpi(HWND window) {
    if (window != nullptr) {
        if (GetDpiForWindowFn fn = DpiForWindowApi()) {
            const UINT dpi = fn(window);
            if (dpi != 0) return dpi;
        }
    }
    CUIScopedWindowDC screen(nullptr);
    const int dpi = screen.Get() != nullptr ? ::GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : 96u;
}

UINT CDpiAwareness::WindowDpi(HWND window) {
    const UINT dpi = g_query != nullptr ? g_query(window) : SystemWindowDpi(window);
    return dpi != 0 ? dpi : 96u;
}

int CDpiAwareness::ScaleForDpi(UINT dpi) { return dpi == 0 ? 100 : ::MulDiv(static_cast<int>(dpi), 100, 96); }

int CDpiAwareness::WindowScale(HWND window) { return ScaleForDpi(WindowDpi(window)); }

}  // namespace SkinUI
