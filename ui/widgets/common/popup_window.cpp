#include "ui/widgets/common/popup_window.h"

#include <windowsx.h>

#include <vector>

namespace SkinUI {

namespace {

// Posted to a popup: close for the reason in wParam (a press seen by the mouse hook).
const UINT kCloseMessage = WM_APP + 0x51;

// The open popups of the thread, oldest first, and the mouse hook they share.
std::vector<CPopupWindow*>& OpenPopups() {
    static std::vector<CPopupWindow*> popups;
    return popups;
}
HHOOK g_mouseHook = nullptr;

bool IsPress(WPARAM msg) {
    switch (msg) {
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_XBUTTONDOWN:
        case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN: case WM_NCXBUTTONDOWN:
            return true;
        default:
            return false;
    }
}

// Moves [lo, lo + size) back into [min, max) as far as it goes; the start wins.
LONG Fit(LONG lo, LONG size, LONG min, LONG max) {
    if (lo + size > max) lo = max - size;
    return lo < min ? min : lo;
}

}  // namespace

CPopupWindow::CPopupWindow(CPaintManagerUI* owner, CPopupWindow* parent, IPopupListener* listener)
    : m_pOwner(owner), m_pParent(parent), m_pListener(listener) {}

CPopupWindow::~CPopupWindow() = default;

CPopupWindow* CPopupWindow::Create(CPaintManagerUI* owner, CPopupWindow* parent, IPopupListener* listener) {
    HWND ownerWnd = owner != nullptr ? owner->GetPaintWindow() : nullptr;
    if (ownerWnd == nullptr || !::IsWindow(ownerWnd)) return nullptr;
    auto* popup = new CPopupWindow(owner, parent, listener);
    if (popup->CreateWnd(ownerWnd, L"", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, 0, 0, 0,
                         0) == nullptr) {
        delete popup;
        return nullptr;
    }
    ::GetWindowRect(ownerWnd, &popup->m_rcOwner);
    popup->m_pm.Init(popup->m_hWnd, L"popup");
    popup->m_pm.SetNoActivate(true);
    popup->m_pm.SetDpiScale(owner->GetDpiScale());
    owner->AddMessageFilter(popup);
    OpenPopups().push_back(popup);
    if (g_mouseHook == nullptr) {
        g_mouseHook = ::SetWindowsHookExW(WH_MOUSE, &CPopupWindow::MouseHook, nullptr, ::GetCurrentThreadId());
    }
    return popup;
}

RECT CPopupWindow::Place(const RECT& anchor, SIZE size, const RECT& work, EPopupSide side) {
    const bool below = side == EPopupSide::kBelow;
    // Along the main axis: after the anchor, before it, or on the roomier side, cut.
    const LONG after = below ? work.bottom - anchor.bottom : work.right - anchor.right;
    const LONG before = below ? anchor.top - work.top : anchor.left - work.left;
    LONG extent = below ? size.cy : size.cx;
    if (extent < 0) extent = 0;
    LONG start = 0;
    if (extent <= after || (extent > before && after >= before)) {
        if (extent > after) extent = after > 0 ? after : 0;
        start = below ? anchor.bottom : anchor.right;
    } else {
        if (extent > before) extent = before > 0 ? before : 0;
        start = (below ? anchor.top : anchor.left) - extent;
    }
    // Across: aligned with the anchor's start, moved back into the work area.
    LONG across = below ? size.cx : size.cy;
    if (across < 0) across = 0;
    RECT rc;
    if (below) {
        rc.left = Fit(anchor.left, across, work.left, work.right);
        rc.right = rc.left + across;
        rc.top = start;
        rc.bottom = start + extent;
    } else {
        rc.top = Fit(anchor.top, across, work.top, work.bottom);
        rc.bottom = rc.top + across;
        rc.left = start;
        rc.right = start + extent;
    }
    return rc;
}

void CPopupWindow::ShowAt(const RECT& anchor, SIZE size, EPopupSide side) {
    if (m_bClosed || m_hWnd == nullptr) return;
    RECT work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(::MonitorFromRect(&anchor, MONITOR_DEFAULTTONEAREST), &info)) work = info.rcWork;
    const RECT rc = Place(anchor, size, work, side);
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
}

void CPopupWindow::Close(EPopupClose why) { Shut(why, true); }

void CPopupWindow::Abandon() { Shut(EPopupClose::kProgram, false); }

void CPopupWindow::Shut(EPopupClose why, bool tell) {
    if (m_bClosed) return;
    m_bClosed = true;
    std::vector<CPopupWindow*>& open = OpenPopups();
    // Children first; each one takes itself out of the list.
    for (bool found = true; found;) {
        found = false;
        for (CPopupWindow* popup : open) {
            if (popup->m_pParent != this || popup->m_bClosed) continue;
            popup->Shut(why, true);
            found = true;
            break;
        }
    }
    for (auto it = open.begin(); it != open.end(); ++it) {
        if (*it != this) continue;
        open.erase(it);
        break;
    }
    if (open.empty() && g_mouseHook != nullptr) {
        ::UnhookWindowsHookEx(g_mouseHook);
        g_mouseHook = nullptr;
    }
    m_pOwner->RemoveMessageFilter(this);
    if (m_hWnd != nullptr) ::ShowWindow(m_hWnd, SW_HIDE);
    IPopupListener* listener = m_pListener;
    m_pListener = nullptr;
    if (tell && listener != nullptr) listener->OnPopupClosed(this, why);
    if (m_hWnd == nullptr) return;  // the window is going already (OnLastMessage deletes)
    if (m_nDepth > 0) {
        m_bDestroyPending = true;  // the popup's own handling is on the stack
        return;
    }
    ::DestroyWindow(m_hWnd);  // deletes this
}

bool CPopupWindow::IsInChain(HWND hwnd) const {
    if (hwnd == nullptr) return false;
    for (CPopupWindow* popup : OpenPopups()) {
        if (popup->m_hWnd != hwnd && !::IsChild(popup->m_hWnd, hwnd)) continue;
        for (const CPopupWindow* p = popup; p != nullptr; p = p->m_pParent) {
            if (p == this) return true;
        }
    }
    return false;
}

void CPopupWindow::PressAt(HWND hwnd, POINT screen) {
    if (m_bClosed || IsInChain(hwnd) || ::PtInRect(&m_rcPassThrough, screen)) return;
    Shut(EPopupClose::kOutsideClick, true);
}

LRESULT CALLBACK CPopupWindow::MouseHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && IsPress(wParam) && lParam != 0) {
        const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        // The hook runs inside the thread's message retrieval: the closing waits for the queue.
        for (CPopupWindow* popup : OpenPopups()) {
            if (popup->m_bClosed || popup->m_hWnd == nullptr || popup->IsInChain(mouse->hwnd) ||
                ::PtInRect(&popup->m_rcPassThrough, mouse->pt)) {
                continue;
            }
            ::PostMessageW(popup->m_hWnd, kCloseMessage, static_cast<WPARAM>(EPopupClose::kOutsideClick), 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LPCWSTR CPopupWindow::ClassName() const { return L"SkinUIPopup"; }

UINT CPopupWindow::ClassStyle() const { return CS_DROPSHADOW; }

LRESULT CPopupWindow::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    ++m_nDepth;
    LRESULT result = 0;
    if (msg == WM_MOUSEACTIVATE) {
        result = MA_NOACTIVATE;
    } else if (msg == kCloseMessage) {
        Shut(static_cast<EPopupClose>(wParam), true);
    } else if (!m_pm.MessageHandler(msg, wParam, lParam, result)) {
        result = CWindowWnd::ProcessMessage(msg, wParam, lParam);
    }
    --m_nDepth;
    if (m_nDepth == 0 && m_bDestroyPending && m_hWnd != nullptr) {
        m_bDestroyPending = false;
        ::DestroyWindow(m_hWnd);  // deletes this
    }
    return result;
}

void CPopupWindow::OnLastMessage(HWND) {
    // Destroyed by Shut, or with its owner: either way the object goes with the window.
    Shut(EPopupClose::kOwnerGone, true);
    delete this;
}

LRESULT CPopupWindow::FilterMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (m_bClosed) return 0;
    HWND ownerWnd = m_pOwner->GetPaintWindow();
    switch (msg) {
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: {
            POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::ClientToScreen(ownerWnd, &pt);
            PressAt(ownerWnd, pt);
            break;
        }
        case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
            PressAt(ownerWnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            break;
        case WM_ACTIVATE:
            // Activation handed to a popup of the chain (the display's doing: popups never
            // take it themselves) leaves the user in the menu.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const CPopupWindow* root = this;
                while (root->m_pParent != nullptr) root = root->m_pParent;
                if (!root->IsInChain(reinterpret_cast<HWND>(lParam))) Shut(EPopupClose::kOwnerDeactivated, true);
            }
            break;
        case WM_ACTIVATEAPP:
            if (wParam == FALSE) Shut(EPopupClose::kOwnerDeactivated, true);
            break;
        case WM_CANCELMODE:
            Shut(EPopupClose::kOwnerDeactivated, true);
            break;
        case WM_MOVE: {
            // The display's late report of where the window already stood is no move.
            RECT now = {};
            ::GetWindowRect(ownerWnd, &now);
            if (now.left != m_rcOwner.left || now.top != m_rcOwner.top) Shut(EPopupClose::kOwnerDeactivated, true);
            break;
        }
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) Shut(EPopupClose::kOwnerDeactivated, true);
            break;
        case WM_DESTROY:
            Shut(EPopupClose::kOwnerGone, true);
            break;
        case WM_MOUSEWHEEL: {
            // The wheel goes to the focused (owner) window: the innermost popup scrolls instead.
            for (CPopupWindow* popup : OpenPopups()) {
                if (popup->m_pParent == this && !popup->m_bClosed) return 0;
            }
            RECT rc = {};
            ::GetWindowRect(m_hWnd, &rc);
            POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (!::PtInRect(&rc, pt)) pt = POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
            ::SendMessageW(m_hWnd, WM_MOUSEWHEEL, wParam, MAKELPARAM(pt.x, pt.y));
            handled = true;
            break;
        }
        default:
            break;
    }
    return 0;
}

}  // namespace SkinUI
