// Paint manager: the window message handler (everything but mouse routing and
// painting, which have files of their own).
#include <windowsx.h>

#include "ui/controls/control.h"
#include "ui/core/dpi_awareness.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

// Messages reflected to the child window that sent them.
const UINT kReflectBase = 0x2000;

bool IsMouseButtonMessage(UINT uMsg) {
    return uMsg == WM_MOUSEMOVE || uMsg == WM_LBUTTONDOWN || uMsg == WM_LBUTTONUP || uMsg == WM_LBUTTONDBLCLK;
}

}  // namespace

WORD CPaintManagerUI::MapKeyState() {
    WORD state = 0;
    if (::GetKeyState(VK_CONTROL) < 0) state |= UIKEYSTATE_CONTROL;
    if (::GetKeyState(VK_RBUTTON) < 0) state |= UIKEYSTATE_RBUTTON;
    if (::GetKeyState(VK_LBUTTON) < 0) state |= UIKEYSTATE_LBUTTON;
    if (::GetKeyState(VK_SHIFT) < 0) state |= UIKEYSTATE_SHIFT;
    if (::GetKeyState(VK_MENU) < 0) state |= UIKEYSTATE_ALT;
    return state;
}

void CPaintManagerUI::RaiseEventOn(CControlUI* control, int type, POINT pt, WPARAM wParam, LPARAM lParam,
                                   WORD keyState, wchar_t key) {
    if (control == nullptr) return;
    TUIEvent event;
    event.Type = type;
    event.pSender = control;
    event.dwTimestamp = ::GetTickCount();
    event.ptMouse = pt;
    event.chKey = key;
    event.wKeyState = keyState;
    event.wParam = wParam;
    event.lParam = lParam;
    control->RaiseEvent(event);
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    if (m_hWndPaint == nullptr) return false;
    if (AccessibleMessage(uMsg, wParam, lParam, lRes)) return true;

    for (int i = 0; i < m_aMessageFilters.GetSize(); ++i) {
        bool handled = false;
        LRESULT result =
            static_cast<IMessageFilterUI*>(m_aMessageFilters[i])->FilterMessage(uMsg, wParam, lParam, handled);
        if (!handled) continue;
        lRes = result;
        if (IsMouseButtonMessage(uMsg)) {
            m_ptLastMousePos = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        } else if (uMsg == WM_MOUSEWHEEL || uMsg == WM_CONTEXTMENU) {
            POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::ScreenToClient(m_hWndPaint, &pt);
            m_ptLastMousePos = pt;
        }
        return true;
    }

    if (m_bLayered) {
        switch (uMsg) {
        case WM_NCCALCSIZE:
        case WM_NCPAINT:
            lRes = 0;
            return true;
        case WM_NCACTIVATE:
            if (!::IsIconic(m_hWndPaint)) {
                lRes = wParam == 0 ? TRUE : FALSE;
                return true;
            }
            break;
        default:
            break;
        }
    }

    switch (uMsg) {
    case WM_SKINUI_ASYNC:
        ProcessAsyncQueue();
        return false;

    case WM_CLOSE: {
        const WORD keyState = MapKeyState();
        if (m_pEventHover != nullptr) {
            RaiseEventOn(m_pEventHover, UIEVENT_MOUSELEAVE, m_ptLastMousePos, 0, 0, keyState);
        }
        if (m_pEventClick != nullptr) {
            RaiseEventOn(m_pEventClick, UIEVENT_BUTTONUP, m_ptLastMousePos, 0, 0, keyState);
        }
        SetFocusControl(nullptr);
        if (::GetActiveWindow() == m_hWndPaint) {
            HWND owner = ::GetWindow(m_hWndPaint, GW_OWNER);
            if (owner != nullptr) ::SetFocus(owner);
        }
        if (m_hwndTooltip != nullptr) {
            ::DestroyWindow(m_hwndTooltip);
            m_hwndTooltip = nullptr;
        }
        return false;
    }

    case WM_DESTROY:
        RevokeDropTarget();  // while the window still exists
        return false;

    case WM_ERASEBKGND:
        lRes = 1;
        return true;

    case WM_PAINT:
        OnPaint();
        lRes = 0;
        return true;

    case WM_PRINTCLIENT:
        if (m_pRoot != nullptr) OnPrintClient(reinterpret_cast<HDC>(wParam), lParam);
        return false;

    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (info == nullptr) return false;
        const SIZE minInfo = GetMinInfo();
        const SIZE maxInfo = GetMaxInfo();
        if (minInfo.cx > 0) info->ptMinTrackSize.x = minInfo.cx;
        if (minInfo.cy > 0) info->ptMinTrackSize.y = minInfo.cy;
        if (maxInfo.cx > 0) info->ptMaxTrackSize.x = info->ptMaxSize.x = maxInfo.cx;
        if (maxInfo.cy > 0) info->ptMaxTrackSize.y = info->ptMaxSize.y = maxInfo.cy;
        return false;
    }

    case kWmDpiChanged: {
        if (!CDpiAwareness::IsEnabled() || LOWORD(wParam) == 0) return false;
        ChangeDpiScale(CDpiAwareness::ScaleForDpi(LOWORD(wParam)));
        // The system suggests where the window goes at the new scale.
        if (const RECT* suggested = reinterpret_cast<const RECT*>(lParam)) {
            ::SetWindowPos(m_hWndPaint, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                           suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        lRes = 0;
        return true;
    }

    case WM_SIZE:
        if (m_pFocus != nullptr) {
            RaiseEventOn(m_pFocus, UIEVENT_WINDOWSIZE, m_ptLastMousePos, wParam, lParam, MapKeyState());
        }
        if (m_pRoot != nullptr) m_pRoot->MarkDirty();
        lRes = 0;
        return true;

    case WM_TIMER:
        for (int i = 0; i < m_aTimers.GetSize(); ++i) {
            auto* timer = static_cast<TTimerInfo*>(m_aTimers[i]);
            if (timer->hWnd == m_hWndPaint && timer->uWinTimer == wParam && !timer->bKilled) {
                RaiseEventOn(timer->pSender, UIEVENT_TIMER, m_ptLastMousePos, timer->nLocalID, lParam,
                             MapKeyState());
                break;
            }
        }
        return false;

    case WM_MOUSEHOVER:
        OnMouseHover(lParam);
        lRes = 0;
        return true;

    case WM_MOUSELEAVE:
        OnMouseLeave();
        return false;

    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        OnMouseMessage(uMsg, wParam, lParam);
        return false;

    case WM_SETCURSOR:
        if (OnSetCursor(lParam)) {
            lRes = TRUE;
            return true;
        }
        return false;

    case WM_SETFOCUS:
        if (m_pFocus != nullptr) RaiseEventOn(m_pFocus, UIEVENT_SETFOCUS, m_ptLastMousePos, wParam, lParam);
        return false;

    case WM_KILLFOCUS:
        if (m_bMouseCapture) ReleaseCapture();
        return false;

    case WM_KEYDOWN:
        if (m_pRoot != nullptr && m_pFocus != nullptr) {
            m_pEventKey = m_pFocus;
            RaiseEventOn(m_pFocus, UIEVENT_KEYDOWN, m_ptLastMousePos, wParam, lParam, MapKeyState(),
                         static_cast<wchar_t>(wParam));
        }
        return false;

    case WM_KEYUP:
        if (m_pRoot != nullptr && m_pEventKey != nullptr) {
            CControlUI* key = m_pEventKey;
            m_pEventKey = nullptr;
            RaiseEventOn(key, UIEVENT_KEYUP, m_ptLastMousePos, wParam, lParam, MapKeyState(),
                         static_cast<wchar_t>(wParam));
        }
        return false;

    case WM_CHAR:
        if (m_pRoot != nullptr && m_pFocus != nullptr) {
            RaiseEventOn(m_pFocus, UIEVENT_CHAR, m_ptLastMousePos, wParam, lParam, MapKeyState(),
                         static_cast<wchar_t>(wParam));
        }
        return false;

    case WM_NOTIFY: {
        if (lParam == 0) return false;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        lRes = ::SendMessageW(header->hwndFrom, uMsg + kReflectBase, wParam, lParam);
        return true;
    }

    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (lParam == 0) return false;
        lRes = ::SendMessageW(reinterpret_cast<HWND>(lParam), uMsg + kReflectBase, wParam, lParam);
        return lRes != 0;

    default:
        return false;
    }
}

}  // namespace SkinUI
