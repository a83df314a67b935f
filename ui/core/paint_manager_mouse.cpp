// Paint manager: mouse routing (hover, capture, click control, wheel), the
// hover tooltip, mouse-leave tracking and cursor shapes.
#include <windowsx.h>

#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"
#include "ui/core/system_library.h"

namespace SkinUI {

namespace {

// The common controls (the tooltip class) are set up when the first tooltip is made, not
// with the first window: no frame waits for the library (about 9 ms to load under Wine),
// and a run nobody hovers over never loads it for this. It stays loaded for the process.
void InitCommonControlsOnce() {
    static const bool ready = [] {
        HMODULE comctl = LoadSystemLibrary(L"comctl32.dll");
        if (comctl == nullptr) return false;
        typedef BOOL(WINAPI * InitFn)(const INITCOMMONCONTROLSEX*);
        auto init = reinterpret_cast<InitFn>(reinterpret_cast<void*>(::GetProcAddress(comctl, "InitCommonControlsEx")));
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        return init != nullptr && init(&icc) != FALSE;
    }();
    (void)ready;
}

}  // namespace

bool CPaintManagerUI::OnMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (uMsg == WM_CONTEXTMENU || uMsg == WM_MOUSEWHEEL) {
        if (m_pRoot == nullptr) return false;
        ::ScreenToClient(m_hWndPaint, &pt);
    }
    m_ptLastMousePos = pt;

    if (uMsg == WM_CONTEXTMENU) {
        if (m_pEventClick == nullptr) return false;
        ReleaseCapture();
        CControlUI* click = m_pEventClick;
        m_pEventClick = nullptr;
        RaiseEventOn(click, UIEVENT_CONTEXTMENU, pt, wParam, reinterpret_cast<LPARAM>(click), MapKeyState());
        return false;
    }
    if (uMsg == WM_LBUTTONUP) {
        if (m_pEventClick == nullptr) return false;
        ReleaseCapture();
        CControlUI* click = m_pEventClick;
        m_pEventClick = nullptr;
        RaiseEventOn(click, UIEVENT_BUTTONUP, pt, wParam, lParam, static_cast<WORD>(wParam));
        return false;
    }
    if (uMsg == WM_RBUTTONUP || uMsg == WM_MBUTTONUP) {
        ReleaseCapture();
        CControlUI* control = FindControlAt(pt);
        if (control != nullptr && control->GetManager() != this) control = nullptr;
        m_pEventClick = control;
        if (control != nullptr) {
            RaiseEventOn(control, uMsg == WM_RBUTTONUP ? UIEVENT_RBUTTONUP : UIEVENT_MBUTTONUP, pt, wParam,
                         lParam, static_cast<WORD>(wParam));
        }
        return false;
    }

    if (uMsg == WM_MOUSEMOVE && !m_bMouseTracking) {
        TRACKMOUSEEVENT tme = {};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_HOVER | TME_LEAVE;
        tme.hwndTrack = m_hWndPaint;
        tme.dwHoverTime = m_hwndTooltip != nullptr
                              ? static_cast<DWORD>(::SendMessageW(m_hwndTooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0))
                              : m_dwHoverTime;
        ::TrackMouseEvent(&tme);
        m_bMouseTracking = true;
    }
    if (uMsg == WM_LBUTTONDOWN || uMsg == WM_LBUTTONDBLCLK || uMsg == WM_RBUTTONDOWN || uMsg == WM_MBUTTONDOWN) {
        if (!m_bNoActivate) ::SetFocus(m_hWndPaint);
    }
    if (m_pRoot == nullptr) return false;

    CControlUI* control = FindControlAt(pt);
    if (control != nullptr && control->GetManager() != this) return false;

    switch (uMsg) {
    case WM_MOUSEMOVE: {
        if (!m_bMouseCapture && control != m_pEventHover) {
            const WORD keyState = MapKeyState();
            if (m_pEventHover != nullptr) {
                CControlUI* old = m_pEventHover;
                TUIEvent leave;
                leave.Type = UIEVENT_MOUSELEAVE;
                leave.pSender = old;
                leave.dwTimestamp = ::GetTickCount();
                leave.ptMouse = pt;
                leave.wKeyState = keyState;
                old->RaiseEvent(leave);
                for (int i = 0; i < m_aNeedMouseLeave.GetSize(); ++i) {
                    auto* listed = static_cast<CControlUI*>(m_aNeedMouseLeave[i]);
                    if (listed != old) listed->RaiseEvent(leave);
                }
                m_pEventHover = nullptr;
                if (m_hwndTooltip != nullptr) {
                    ::SendMessageW(m_hwndTooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&m_ToolTip));
                }
            }
            if (control != nullptr) {
                RaiseEventOn(control, UIEVENT_MOUSEENTER, pt, wParam, lParam, keyState);
                m_pEventHover = control;
            }
        }
        CControlUI* target = m_pEventClick != nullptr ? m_pEventClick : control;
        RaiseEventOn(target, UIEVENT_MOUSEMOVE, pt, wParam, lParam, MapKeyState());
        return false;
    }
    case WM_LBUTTONDOWN:
        if (control == nullptr) return false;
        SetCapture();
        m_pEventClick = control;
        control->SetFocus();
        RaiseEventOn(control, UIEVENT_BUTTONDOWN, pt, wParam, lParam, static_cast<WORD>(wParam));
        return false;
    case WM_LBUTTONDBLCLK:
        if (control == nullptr) return false;
        SetCapture();
        RaiseEventOn(control, UIEVENT_DBLCLICK, pt, wParam, lParam, static_cast<WORD>(wParam));
        m_pEventClick = control;
        return false;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (control == nullptr) return false;
        control->SetFocus();
        SetCapture();
        RaiseEventOn(control, uMsg == WM_RBUTTONDOWN ? UIEVENT_RBUTTONDOWN : UIEVENT_MBUTTONDOWN, pt, wParam,
                     lParam, static_cast<WORD>(wParam));
        m_pEventClick = control;
        return false;
    case WM_MOUSEWHEEL: {
        if (control == nullptr) return false;
        const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        const WPARAM wheel = MAKEWPARAM(delta < 0 ? 1 : 0, static_cast<WORD>(delta));
        RaiseEventOn(control, UIEVENT_SCROLLWHEEL, pt, wheel, lParam, MapKeyState());
        // Let the hover follow the scrolled content.
        ::SendMessageW(m_hWndPaint, WM_MOUSEMOVE, 0, MAKELPARAM(m_ptLastMousePos.x, m_ptLastMousePos.y));
        return false;
    }
    default:
        return false;
    }
}

void CPaintManagerUI::OnMouseHover(LPARAM lParam) {
    m_bMouseTracking = false;
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    CControlUI* control = FindControlAt(pt);
    if (control == nullptr) return;
    if (m_pEventHover != nullptr) {
        RaiseEventOn(m_pEventHover, UIEVENT_MOUSEHOVER, pt, 0, lParam, MapKeyState());
    }
    const CUIString tip = control->GetToolTip();
    if (tip.IsEmpty()) return;

    m_ToolTip = TOOLINFOW{};
    m_ToolTip.cbSize = TTTOOLINFOW_V2_SIZE;
    m_ToolTip.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    m_ToolTip.hwnd = m_hWndPaint;
    m_ToolTip.uId = reinterpret_cast<UINT_PTR>(m_hWndPaint);
    m_ToolTip.hinst = GetInstance();
    m_ToolTip.lpszText = const_cast<wchar_t*>(tip.GetData());  // the tooltip copies the text
    m_ToolTip.rect = control->GetPos();
    if (m_hwndTooltip == nullptr) {
        InitCommonControlsOnce();
        m_hwndTooltip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                          m_hWndPaint, nullptr, GetInstance(), nullptr);
        if (m_hwndTooltip == nullptr) return;
        ::SendMessageW(m_hwndTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&m_ToolTip));
    }
    ::SendMessageW(m_hwndTooltip, TTM_SETMAXTIPWIDTH, 0, control->GetToolTipWidth());
    if (!::IsWindowVisible(m_hwndTooltip)) {
        ::SendMessageW(m_hwndTooltip, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&m_ToolTip));
        POINT at = {pt.x, pt.y + 20};
        ::ClientToScreen(m_hWndPaint, &at);
        ::SendMessageW(m_hwndTooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
        ::SendMessageW(m_hwndTooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&m_ToolTip));
    }
    m_ToolTip.lpszText = nullptr;  // `tip` ends here
}

void CPaintManagerUI::OnMouseLeave() {
    if (m_hwndTooltip != nullptr) {
        ::SendMessageW(m_hwndTooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&m_ToolTip));
    }
    if (m_bMouseTracking) {
        POINT pt = {};
        RECT rcClient = {};
        ::GetCursorPos(&pt);
        ::GetClientRect(m_hWndPaint, &rcClient);
        ::MapWindowPoints(m_hWndPaint, HWND_DESKTOP, reinterpret_cast<POINT*>(&rcClient), 2);
        const bool inside = !::IsIconic(m_hWndPaint) && ::GetActiveWindow() == m_hWndPaint &&
                            ::PtInRect(&rcClient, pt) &&
                            ::SendMessageW(m_hWndPaint, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) == HTCLIENT;
        if (inside) {
            ::ScreenToClient(m_hWndPaint, &pt);
            ::SendMessageW(m_hWndPaint, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        } else {
            ::SendMessageW(m_hWndPaint, WM_MOUSEMOVE, 0, static_cast<LPARAM>(-1));
        }
    }
    m_bMouseTracking = false;
}

bool CPaintManagerUI::OnSetCursor(LPARAM lParam) {
    if (m_pRoot == nullptr) return false;
    if (LOWORD(lParam) != HTCLIENT) return false;
    if (m_bMouseCapture) return true;
    POINT pt = {};
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWndPaint, &pt);
    CControlUI* control = FindControlAt(pt);
    if (control == nullptr || control->GetManager() != this) return false;
    if ((control->GetControlFlags() & UIFLAG_SETCURSOR) == 0) return false;
    RaiseEventOn(control, UIEVENT_SETCURSOR, pt, 0, lParam, MapKeyState());
    return true;
}

}  // namespace SkinUI
