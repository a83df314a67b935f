#include "ui/core/dib32.h"
#include "ui/core/shadow.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ui/controls/render.h"
#include "ui/core/entry_guard.h"
#include "ui/core/paint_manager.h"
#include "ui/core/system_library.h"
#include "ui/core/ui_handles.h"

namespace SkinUI {

const wchar_t CShadowUI::kWindowClassName[] = L"ObrinShadowWnd";

namespace {

typedef BOOL(WINAPI* UpdateLayeredWindowFn)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                            DWORD);

UpdateLayeredWindowFn LayeredUpdater() {
    static UpdateLayeredWindowFn fn = reinterpret_cast<UpdateLayeredWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "UpdateLayeredWindow")));
    return fn;
}

// Window subclassing from comctl32, looked up at run time (by name, else by its
// ordinal) so that a system without it only loses the shadow.
struct TSubclassApi {
    typedef BOOL(WINAPI* SetFn)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
    typedef BOOL(WINAPI* RemoveFn)(HWND, SUBCLASSPROC, UINT_PTR);
    typedef LRESULT(WINAPI* DefFn)(HWND, UINT, WPARAM, LPARAM);
    SetFn set = nullptr;
    RemoveFn remove = nullptr;
    DefFn def = nullptr;
    bool Usable() const { return set != nullptr && remove != nullptr && def != nullptr; }
};

FARPROC LookUp(HMODULE module, const char* name, WORD ordinal) {
    FARPROC fn = ::GetProcAddress(module, name);
    return fn != nullptr ? fn : ::GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
}

const TSubclassApi& SubclassApi() {
    static const TSubclassApi api = [] {
        TSubclassApi a;
        HMODULE module = ::GetModuleHandleW(L"comctl32.dll");
        if (module == nullptr) module = LoadSystemLibrary(L"comctl32.dll");  // stays loaded for the process
        if (module == nullptr) return a;
        a.set = reinterpret_cast<TSubclassApi::SetFn>(
            reinterpret_cast<void*>(LookUp(module, "SetWindowSubclass", 410)));
        a.remove = reinterpret_cast<TSubclassApi::RemoveFn>(
            reinterpret_cast<void*>(LookUp(module, "RemoveWindowSubclass", 412)));
        a.def = reinterpret_cast<TSubclassApi::DefFn>(
            reinterpret_cast<void*>(LookUp(module, "DefSubclassProc", 413)));
        return a;
    }();
    return api;
}

// Distance in pixels from (x, y) to the rectangle; negative inside it.
int DistanceOutside(int x, int y, const RECT& rc) {
    const int dx = std::max(static_cast<int>(rc.left) - x, x - (static_cast<int>(rc.right) - 1));
    const int dy = std::max(static_cast<int>(rc.top) - y, y - (static_cast<int>(rc.bottom) - 1));
    if (dx <= 0 && dy <= 0) return std::max(dx, dy) - 1;
    if (dx <= 0) return dy;
    if (dy <= 0) return dx;
    return static_cast<int>(std::lround(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy)));
}

}  // namespace

CShadowUI::CShadowUI() = default;

CShadowUI::~CShadowUI() { Destroy(); }

bool CShadowUI::RegisterWindowClass(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &CShadowUI::ShadowWndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClassName;
    registered = ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

void CShadowUI::SetManager(CPaintManagerUI* manager) { m_manager = manager; }

void CShadowUI::ShowShadow(bool show) {
    m_show = show;
    if (!show) Destroy();
}

bool CShadowUI::SetSize(int size) {
    if (size < 0 || size > 255) return false;
    m_size = size;
    m_lastSize = SIZE{-1, -1};
    return true;
}

bool CShadowUI::SetSharpness(int sharpness) {
    if (sharpness < 0 || sharpness > 20) return false;
    m_sharpness = sharpness;
    m_lastSize = SIZE{-1, -1};
    return true;
}

bool CShadowUI::SetDarkness(int darkness) {
    if (darkness < 0 || darkness > 255) return false;
    m_darkness = darkness;
    m_lastSize = SIZE{-1, -1};
    return true;
}

bool CShadowUI::SetPosition(int x, int y) {
    if (std::abs(x) > 255 || std::abs(y) > 255) return false;
    m_offset = POINT{x, y};
    m_lastSize = SIZE{-1, -1};
    return true;
}

void CShadowUI::SetColor(DWORD argb) {
    m_color = argb;  // drawing uses the colour part only
    m_lastSize = SIZE{-1, -1};
}

bool CShadowUI::SetImage(const wchar_t* name) {
    if (name == nullptr) return false;
    m_image = name;
    m_lastSize = SIZE{-1, -1};
    return true;
}

bool CShadowUI::SetShadowCorner(const RECT& corner) {
    if (corner.left < 0 || corner.top < 0 || corner.right < 0 || corner.bottom < 0) return false;
    m_corner = corner;
    m_lastSize = SIZE{-1, -1};
    return true;
}

int CShadowUI::DrawnSize() const { return m_manager != nullptr ? m_manager->ScaleValue(m_size) : m_size; }

POINT CShadowUI::DrawnOffset() const {
    if (m_manager == nullptr) return m_offset;
    return POINT{m_manager->ScaleValue(m_offset.x), m_manager->ScaleValue(m_offset.y)};
}

RECT CShadowUI::ShadowRectFor(const RECT& ownerRect) const {
    const int size = DrawnSize();
    const POINT offset = DrawnOffset();
    return RECT{ownerRect.left - size + offset.x, ownerRect.top - size + offset.y, ownerRect.right + size + offset.x,
                ownerRect.bottom + size + offset.y};
}

void CShadowUI::Refresh() {
    m_lastSize = SIZE{-1, -1};
    Update();
}

BYTE CShadowUI::ComputedAlpha(int distance, int size, int sharpness, int darkness) {
    if (distance < 0) return static_cast<BYTE>(darkness);
    if (size <= 0 || distance >= size) return 0;
    // Falls from `darkness` at the edge to 0 at `size`; sharpness bends the curve.
    const double t = 1.0 - static_cast<double>(distance) / size;
    const double curve = std::pow(t, 2.0 - sharpness / 10.0);
    return static_cast<BYTE>(std::lround(darkness * curve));
}

void CShadowUI::Create(HWND owner) {
    if (!m_show || m_hWnd != nullptr || owner == nullptr || LayeredUpdater() == nullptr ||
        !SubclassApi().Usable()) {
        return;
    }
    if ((::GetWindowLongPtrW(owner, GWL_STYLE) & WS_CHILD) != 0) return;
    // The shadow shares the skinned window's owner so that it can sit right behind it.
    HWND sharedOwner = ::GetWindow(owner, GW_OWNER);
    m_hWnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                               kWindowClassName, nullptr, WS_POPUP, 0, 0, 0, 0, sharedOwner, nullptr,
                               CPaintManagerUI::GetInstance(), nullptr);
    if (m_hWnd == nullptr) return;
    m_owner = owner;
    m_lastSize = SIZE{-1, -1};
    const TSubclassApi& api = SubclassApi();
    m_subclassed = api.set != nullptr &&
                   api.set(owner, &CShadowUI::OwnerSubclassProc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    Update();
}

void CShadowUI::Destroy() {
    if (m_subclassed && m_owner != nullptr && SubclassApi().remove != nullptr) {
        SubclassApi().remove(m_owner, &CShadowUI::OwnerSubclassProc, reinterpret_cast<UINT_PTR>(this));
    }
    m_subclassed = false;
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    m_owner = nullptr;
}

void CShadowUI::Update() {
    if (m_hWnd == nullptr || m_owner == nullptr) return;
    const bool showing = ::IsWindowVisible(m_owner) && !::IsIconic(m_owner) && !::IsZoomed(m_owner);
    if (!showing) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        return;
    }
    RECT rcOwner = {};
    ::GetWindowRect(m_owner, &rcOwner);
    const SIZE ownerSize = {rcOwner.right - rcOwner.left, rcOwner.bottom - rcOwner.top};
    if (ownerSize.cx != m_lastSize.cx || ownerSize.cy != m_lastSize.cy) {
        if (!Redraw(rcOwner)) {
            ::ShowWindow(m_hWnd, SW_HIDE);
            return;
        }
        m_lastSize = ownerSize;
    }
    const RECT rc = ShadowRectFor(rcOwner);
    if (::IsWindowVisible(m_hWnd)) {
        ::SetWindowPos(m_hWnd, m_owner, rc.left, rc.top, 0, 0,
                       SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
        return;
    }
    // Coming on screen. The shadow's native window is newer than its owner's, and a
    // window system may stack a newly shown window on top of its siblings whatever
    // place it takes in the z-order: the shadow would then hide the window it belongs
    // to. So it is shown just above the owner, and the owner is then moved back over
    // it, which every window system carries out as a raise of the owner.
    HWND above = ::GetWindow(m_owner, GW_HWNDPREV);
    if (above == m_hWnd) above = ::GetWindow(m_hWnd, GW_HWNDPREV);
    const HWND insertAfter = above != nullptr ? above : HWND_TOP;
    ::SetWindowPos(m_hWnd, insertAfter, rc.left, rc.top, 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    ::SetWindowPos(m_owner, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

bool CShadowUI::Redraw(const RECT& ownerRect) {
    const RECT rc = ShadowRectFor(ownerRect);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) return false;

    CUIScopedMemDC dc(::CreateCompatibleDC(nullptr));
    BYTE* bits = nullptr;
    CUIScopedGdiObject<HBITMAP> bitmap(CreateDib32(nullptr, width, height, &bits));
    if (dc.Get() == nullptr || bitmap.Get() == nullptr) return false;
    HGDIOBJ old = ::SelectObject(dc.Get(), bitmap.Get());
    std::memset(bits, 0, static_cast<size_t>(width) * height * 4);

    bool drawn = false;
    if (!m_image.IsEmpty()) drawn = DrawImage(dc.Get(), width, height);
    if (!drawn) {
        // The window sits at (size - x, size - y) inside the shadow bitmap.
        const int size = DrawnSize();
        const POINT offset = DrawnOffset();
        const RECT inner = {size - offset.x, size - offset.y, size - offset.x + (ownerRect.right - ownerRect.left),
                            size - offset.y + (ownerRect.bottom - ownerRect.top)};
        DrawComputed(bits, width, height, inner);
    }

    POINT ptDest = {rc.left, rc.top};
    SIZE size = {width, height};
    POINT ptSrc = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const BOOL ok = LayeredUpdater()(m_hWnd, nullptr, &ptDest, &size, dc.Get(), &ptSrc, 0, &blend, ULW_ALPHA);
    ::SelectObject(dc.Get(), old);
    return ok != FALSE;
}

bool CShadowUI::DrawImage(HDC dc, int width, int height) {
    if (m_manager == nullptr) return false;
    // Through the description parser: at other scales the name and corners are
    // those of the scale's own bitmap ("Shadow@150.png").
    const TUIImageSpec* spec = m_manager->GetImageSpec(m_image);
    if (spec == nullptr) return false;
    const TUIImage* image = m_manager->GetImageEx(spec->sImageName);
    if (image == nullptr || image->hBitmap == nullptr) return false;
    const RECT corner = m_manager->ScaleRect(m_corner);
    CUIScopedMemDC src(::CreateCompatibleDC(dc));
    if (src.Get() == nullptr) return false;
    HGDIOBJ old = ::SelectObject(src.Get(), image->hBitmap);

    // Nine-grid: corners keep their size, edges stretch along one axis, the centre both.
    const int iw = image->nWidth, ih = image->nHeight;
    const int l = std::min<int>(corner.left, iw), r = std::min<int>(corner.right, iw - l);
    const int t = std::min<int>(corner.top, ih), b = std::min<int>(corner.bottom, ih - t);
    const int dl = std::min(l, width / 2), dr = std::min(r, width - dl);
    const int dt = std::min(t, height / 2), db = std::min(b, height - dt);
    const int srcX[4] = {0, l, iw - r, iw};
    const int srcY[4] = {0, t, ih - b, ih};
    const int dstX[4] = {0, dl, width - dr, width};
    const int dstY[4] = {0, dt, height - db, height};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const int dw = dstX[col + 1] - dstX[col], dh = dstY[row + 1] - dstY[row];
            const int sw = srcX[col + 1] - srcX[col], sh = srcY[row + 1] - srcY[row];
            if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) continue;
            ::GdiAlphaBlend(dc, dstX[col], dstY[row], dw, dh, src.Get(), srcX[col], srcY[row], sw, sh, blend);
        }
    }
    ::SelectObject(src.Get(), old);
    return true;
}

void CShadowUI::DrawComputed(BYTE* pixels, int width, int height, const RECT& ownerRect) {
    const BYTE cr = static_cast<BYTE>((m_color >> 16) & 0xFF);
    const BYTE cg = static_cast<BYTE>((m_color >> 8) & 0xFF);
    const BYTE cb = static_cast<BYTE>(m_color & 0xFF);
    const int size = DrawnSize();
    for (int y = 0; y < height; ++y) {
        BYTE* p = pixels + static_cast<size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x, p += 4) {
            const BYTE a = ComputedAlpha(DistanceOutside(x, y, ownerRect), size, m_sharpness, m_darkness);
            // Premultiplied BGRA.
            p[0] = static_cast<BYTE>(cb * a / 255);
            p[1] = static_cast<BYTE>(cg * a / 255);
            p[2] = static_cast<BYTE>(cr * a / 255);
            p[3] = a;
        }
    }
}

LRESULT CALLBACK CShadowUI::OwnerSubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR data) {
    auto* self = reinterpret_cast<CShadowUI*>(data);
    const TSubclassApi& api = SubclassApi();
    const LRESULT result =
        api.def != nullptr ? api.def(hWnd, msg, wParam, lParam) : ::DefWindowProcW(hWnd, msg, wParam, lParam);
    switch (msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    case WM_SIZE:
    case WM_ACTIVATE:
        if (msg == WM_SHOWWINDOW && wParam == FALSE) {
            if (self->m_hWnd != nullptr) ::ShowWindow(self->m_hWnd, SW_HIDE);
        } else {
            CatchAtEntry([self] { self->Update(); }, [] {});  // the owner is answered already
        }
        break;
    case WM_DESTROY:
        if (self->m_hWnd != nullptr) ::DestroyWindow(self->m_hWnd);
        self->m_hWnd = nullptr;
        break;
    case WM_NCDESTROY:
        if (api.remove != nullptr) api.remove(hWnd, &CShadowUI::OwnerSubclassProc, id);
        self->m_subclassed = false;
        self->m_owner = nullptr;
        break;
    default:
        break;
    }
    return result;
}

LRESULT CALLBACK CShadowUI::ShadowWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

}  // namespace SkinUI
