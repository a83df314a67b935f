#include "ui/widgets/input/hosted_window.h"

namespace SkinUI {

bool CHostedWindow::Create(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, const RECT& rc) {
    Destroy();
    if (parent == nullptr || !::IsWindow(parent)) return false;
    HWND hwnd = ::CreateWindowExW(exStyle, className, L"", style | WS_CHILD, rc.left, rc.top, rc.right - rc.left,
                                  rc.bottom - rc.top, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr) return false;
    m_hwnd = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_system = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CHostedWindow::Proc)));
    return m_system != nullptr;
}

void CHostedWindow::Destroy() {
    HWND hwnd = m_hwnd;
    if (hwnd == nullptr) return;
    m_hwnd = nullptr;
    // From here on the window is the system's alone.
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_system));
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    HWND parent = ::GetParent(hwnd);
    const HWND focus = ::GetFocus();
    if (parent != nullptr && (focus == hwnd || ::IsChild(hwnd, focus))) ::SetFocus(parent);
    if (m_depth > 0) {
        // Inside one of its own messages: the system code below us still uses it.
        if (m_gone != nullptr) *m_gone = true;
        ::ShowWindow(hwnd, SW_HIDE);
        ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    } else {
        ::DestroyWindow(hwnd);
    }
    m_depth = 0;
    m_gone = nullptr;
}

LRESULT CHostedWindow::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return m_hwnd != nullptr ? ::SendMessageW(m_hwnd, msg, wParam, lParam) : 0;
}

LRESULT CHostedWindow::CallSystem(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return m_hwnd != nullptr ? ::CallWindowProcW(m_system, m_hwnd, msg, wParam, lParam) : 0;
}

LRESULT CALLBACK CHostedWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CHostedWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr || self->m_hwnd != hwnd) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    const WNDPROC system = self->m_system;
    bool gone = false;
    bool* const outer = self->m_gone;
    self->m_gone = &gone;
    ++self->m_depth;
    bool handled = false;
    LRESULT result = self->m_owner->HostedMessage(msg, wParam, lParam, handled);
    if (!gone && !handled) result = ::CallWindowProcW(system, hwnd, msg, wParam, lParam);
    if (!gone && msg != WM_NCDESTROY) self->m_owner->HostedMessageDone(msg, wParam, lParam);
    if (gone) {
        // The host was destroyed meanwhile; tell the handlers further out.
        if (outer != nullptr) *outer = true;
        return result;
    }
    --self->m_depth;
    self->m_gone = outer;
    if (msg == WM_NCDESTROY) {
        self->m_hwnd = nullptr;
        self->m_depth = 0;
        self->m_owner->HostedWindowGone();
    }
    return result;
}

}  // namespace SkinUI
