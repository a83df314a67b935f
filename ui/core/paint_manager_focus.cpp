// Paint manager: keyboard focus among controls, tab order and mouse capture.
#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

struct TTabStops {
    CUIPtrArray controls;
};

CControlUI* CollectTabStop(CControlUI* control, void* data) {
    if ((control->GetControlFlags() & UIFLAG_TABSTOP) != 0 && control->IsVisible() &&
        control->IsEnabled() && control->IsKeyboardEnabled()) {
        static_cast<TTabStops*>(data)->controls.Add(control);
    }
    return nullptr;
}

}  // namespace

void CPaintManagerUI::SetFocusControl(CControlUI* control) {
    if (m_hWndPaint != nullptr && ::GetFocus() != m_hWndPaint && control != m_pFocus) {
        ::SetFocus(m_hWndPaint);
    }
    if (control == m_pFocus) return;
    CControlUI* const previous = m_pFocus;
    if (m_pFocus != nullptr) {
        CControlUI* old = m_pFocus;
        TUIEvent event;
        event.Type = UIEVENT_KILLFOCUS;
        event.pSender = control;  // the focus-lost event names the control taking the focus
        event.dwTimestamp = ::GetTickCount();
        event.ptMouse = m_ptLastMousePos;
        old->RaiseEvent(event);
        SendNotify(old, L"killfocus");
        m_pFocus = nullptr;
    }
    if (control != nullptr && control->GetManager() == this && control->IsVisible() && control->IsEnabled()) {
        m_pFocus = control;
        m_bFocusNeeded = false;  // a focus chosen before the first paint stays
        // Focus from the keyboard or the program brings the control into view; a click
        // (the mouse is captured) leaves the content where the pointer found it.
        if (!m_bMouseCapture) CContainerUI::ScrollIntoView(control);
        RaiseEventOn(control, UIEVENT_SETFOCUS, m_ptLastMousePos);
        SendNotify(control, L"setfocus");
    }
    FocusMoved(previous, m_pFocus);
}

bool CPaintManagerUI::SetNextTabControl(bool forward) {
    m_bFocusNeeded = false;
    if (m_pRoot == nullptr) return false;
    TTabStops stops;
    m_pRoot->FindMatching(&CollectTabStop, &stops, UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_ME_FIRST);
    const int count = stops.controls.GetSize();
    if (count == 0) return false;
    const int current = m_pFocus != nullptr ? stops.controls.Find(m_pFocus) : -1;
    int next = 0;
    if (current < 0) {
        next = forward ? 0 : count - 1;
    } else {
        next = (current + (forward ? 1 : count - 1)) % count;
    }
    SetFocusControl(static_cast<CControlUI*>(stops.controls[next]));
    return true;
}

void CPaintManagerUI::SetCapture() {
    if (m_hWndPaint != nullptr) ::SetCapture(m_hWndPaint);
    m_bMouseCapture = true;
}

void CPaintManagerUI::ReleaseCapture() {
    m_bMouseCapture = false;
    ::ReleaseCapture();
}

}  // namespace SkinUI
