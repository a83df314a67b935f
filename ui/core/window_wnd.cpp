#include "ui/core/window_wnd.h"

#include "ui/core/entry_guard.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

const wchar_t kObjectProperty[] = L"WndX";

// Registration succeeds when the class is new or already registered.
bool RegistrationSucceeded(ATOM atom) {
    return atom != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

int RoundUpTo16(int v) { return (v + 15) / 16 * 16; }

// The object arrives with WM_NCCREATE as the first field of the creation structure.
CWindowWnd* ObjectFromCreate(LPARAM lParam) {
    auto* cs = reinterpret_cast<LPCREATESTRUCTW>(lParam);
    return cs ? static_cast<CWindowWnd*>(cs->lpCreateParams) : nullptr;
}

// The object's handler answers; a handler that throws gets the default handling.
LRESULT Dispatch(CWindowWnd* self, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto byDefault = [&] { return ::DefWindowProcW(hWnd, msg, wParam, lParam); };
    if (self == nullptr) return byDefault();
    return CatchAtEntry([&] { return self->ProcessMessage(msg, wParam, lParam); }, byDefault);
}

}  // namespace

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd() {
    if (m_bigIcon) ::DestroyIcon(m_bigIcon);
    if (m_smallIcon) ::DestroyIcon(m_smallIcon);
}

LPCWSTR CWindowWnd::SuperClassName() const { return nullptr; }

UINT CWindowWnd::ClassStyle() const { return 0; }

LRESULT CWindowWnd::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(m_prevWndProc, m_hWnd, msg, wParam, lParam);
}

void CWindowWnd::OnLastMessage(HWND) {}

bool CWindowWnd::RegisterOwnClass() {
    WNDCLASSW wc = {};
    wc.style = ClassStyle();
    wc.lpfnWndProc = &CWindowWnd::OwnClassProc;
    wc.hInstance = CPaintManagerUI::GetInstance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = ClassName();
    return RegistrationSucceeded(::RegisterClassW(&wc));
}

bool CWindowWnd::RegisterSuperClass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    HINSTANCE instance = CPaintManagerUI::GetInstance();
    if (!::GetClassInfoExW(nullptr, SuperClassName(), &wc) &&
        !::GetClassInfoExW(instance, SuperClassName(), &wc)) {
        return false;
    }
    m_prevWndProc = wc.lpfnWndProc;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &CWindowWnd::SuperClassProc;
    wc.hInstance = instance;
    wc.lpszClassName = ClassName();
    return RegistrationSucceeded(::RegisterClassExW(&wc));
}

HWND CWindowWnd::CreateWnd(HWND parent, LPCWSTR title, DWORD style, DWORD exStyle, int x, int y,
                           int cx, int cy, HMENU menu) {
    const bool registered = SuperClassName() != nullptr ? RegisterSuperClass() : RegisterOwnClass();
    if (!registered) return nullptr;
    m_hWnd = ::CreateWindowExW(exStyle, ClassName(), title, style, x, y, cx, cy, parent, menu,
                               CPaintManagerUI::GetInstance(), this);
    return m_hWnd;
}

HWND CWindowWnd::CreateWnd(HWND parent, LPCWSTR title, DWORD style, DWORD exStyle, const RECT& rc,
                           HMENU menu) {
    return CreateWnd(parent, title, style, exStyle, rc.left, rc.top, rc.right - rc.left,
                     rc.bottom - rc.top, menu);
}

LRESULT CALLBACK CWindowWnd::OwnClassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWindowWnd* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = ObjectFromCreate(lParam);
        if (self) {
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->m_hWnd = hWnd;
        }
    } else {
        self = reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (msg == WM_NCDESTROY && self) {
            LRESULT result = ::CallWindowProcW(self->m_prevWndProc, hWnd, msg, wParam, lParam);
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
            self->m_hWnd = nullptr;
            CatchAtEntry([&] { self->OnLastMessage(hWnd); }, [] {});
            return result;
        }
    }
    return Dispatch(self, hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::SuperClassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWindowWnd* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = ObjectFromCreate(lParam);
        if (self) {
            ::SetPropW(hWnd, kObjectProperty, static_cast<HANDLE>(self));
            self->m_hWnd = hWnd;
        }
    } else {
        self = static_cast<CWindowWnd*>(::GetPropW(hWnd, kObjectProperty));
        if (msg == WM_NCDESTROY && self) {
            LRESULT result = ::CallWindowProcW(self->m_prevWndProc, hWnd, msg, wParam, lParam);
            ::RemovePropW(hWnd, kObjectProperty);
            self->m_hWnd = nullptr;
            CatchAtEntry([&] { self->OnLastMessage(hWnd); }, [] {});
            return result;
        }
    }
    return Dispatch(self, hWnd, msg, wParam, lParam);
}

POINT CenterRectIn(const RECT& centre, const RECT& work, int w, int h) {
    // Integer division truncates toward zero, as the centring rule asks.
    int left = (centre.left + centre.right) / 2 - w / 2;
    int top = (centre.top + centre.bottom) / 2 - h / 2;
    if (left < work.left) {
        left = work.left;
    } else if (left + w > work.right) {
        left = work.right - w;
    }
    if (top < work.top) {
        top = work.top;
    } else if (top + h > work.bottom) {
        top = work.bottom - h;
    }
    return POINT{left, top};
}

void CWindowWnd::CenterOnOwner() {
    if (!::IsWindow(m_hWnd)) return;
    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    HWND reference = owner ? owner : m_hWnd;

    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST), &mi);
    const RECT work = mi.rcWork;
    RECT centre = work;
    if (owner) ::GetWindowRect(owner, &centre);

    const POINT pt = CenterRectIn(centre, work, w, h);
    ::SetWindowPos(m_hWnd, nullptr, pt.x, pt.y, -1, -1,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::ShowWnd(bool show, bool takeFocus) {
    if (!::IsWindow(m_hWnd)) return;
    ::ShowWindow(m_hWnd, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

void CWindowWnd::PostClose(UINT code) {
    if (!::IsWindow(m_hWnd)) return;
    ::PostMessageW(m_hWnd, WM_CLOSE, static_cast<WPARAM>(code), 0);
}

void CWindowWnd::SetWindowIcon(UINT iconResId) {
    const int cx = RoundUpTo16(::GetSystemMetrics(SM_CXICON));
    const int cy = RoundUpTo16(::GetSystemMetrics(SM_CYICON));
    HINSTANCE instance = CPaintManagerUI::GetInstance();
    // The window keeps using the icons it was given; the object releases the previous pair
    // once they are replaced, and the last pair when it is destroyed.
    HICON bigIcon = static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(iconResId), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    HICON smallIcon = static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(iconResId), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    if (m_bigIcon) ::DestroyIcon(m_bigIcon);
    if (m_smallIcon) ::DestroyIcon(m_smallIcon);
    m_bigIcon = bigIcon;
    m_smallIcon = smallIcon;
}

LRESULT CWindowWnd::SendMsg(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(m_hWnd, msg, wParam, lParam);
}

LRESULT CWindowWnd::PostMsg(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(m_hWnd, msg, wParam, lParam);
}

}  // namespace SkinUI
