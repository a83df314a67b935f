// CRichEditUI: keyboard, pointer, focus and timers go to the text services; the
// Tab and Enter keys follow the box's "wanttab" and "wantreturn".
#include <oleacc.h>

#include "ui/core/paint_manager.h"
#include "ui/widgets/input/rich_edit.h"
#include "ui/widgets/input/text_services.h"

namespace SkinUI {

void CRichEditUI::TextChanged() {
    if (m_pManager == nullptr) return;
    m_pManager->SendNotify(this, L"textchanged");
    m_pManager->NotifyAccessible(EVENT_OBJECT_VALUECHANGE, this);
}

bool CRichEditUI::ForwardKey(TUIEvent& event) {
    const UINT msg = event.Type == UIEVENT_KEYDOWN ? WM_KEYDOWN : event.Type == UIEVENT_KEYUP ? WM_KEYUP : WM_CHAR;
    if (msg == WM_KEYDOWN && event.chKey == VK_TAB) {
        m_bTakeTabChar = m_bWantTab && !m_bReadOnly;
        if (!m_bTakeTabChar) {
            // Not ours: the Tab key moves the focus as everywhere else.
            if (m_pManager != nullptr) m_pManager->SetNextTabControl(::GetKeyState(VK_SHIFT) >= 0);
            return true;
        }
    }
    if (msg == WM_KEYDOWN && event.chKey == VK_RETURN) {
        m_bDropReturnChar = !m_bWantReturn || !m_bMultiLine;
        if (m_bDropReturnChar) {
            if (m_pManager != nullptr) m_pManager->SendNotify(this, L"return");
            return true;
        }
    }
    if (msg == WM_CHAR && event.chKey == L'\t') {
        if (!m_bTakeTabChar) return true;  // the character of a Tab that moved the focus here
        m_bTakeTabChar = false;
    }
    if (msg == WM_CHAR && (event.chKey == L'\r' || event.chKey == L'\n') && m_bDropReturnChar) {
        m_bDropReturnChar = false;
        return true;
    }
    Send(msg, event.wParam, event.lParam);
    return true;
}

void CRichEditUI::ForwardMouse(UINT msg, const TUIEvent& event) {
    Send(msg, event.wParam, MAKELPARAM(event.ptMouse.x, event.ptMouse.y));
}

void CRichEditUI::HandleEvent(TUIEvent& event) {
    if (!IsMouseEnabled() && event.Type >= UIEVENT_MOUSEMOVE && event.Type <= UIEVENT_SCROLLWHEEL) {
        CContainerUI::HandleEvent(event);
        return;
    }
    if (m_pServices == nullptr) {
        if (event.Type == UIEVENT_SETFOCUS || event.Type == UIEVENT_KILLFOCUS) CContainerUI::HandleEvent(event);
        return;
    }
    const bool inText = TextRect().PtInRect(event.ptMouse);
    switch (event.Type) {
    case UIEVENT_SETFOCUS:
        m_bFocused = true;
        Send(WM_SETFOCUS);
        m_pServices->OnTxUIActivate();
        Repaint();
        return;
    case UIEVENT_KILLFOCUS:
        m_bFocused = false;
        m_bTakeTabChar = m_bDropReturnChar = false;
        Send(WM_KILLFOCUS);
        m_pServices->OnTxUIDeactivate();
        Repaint();
        return;
    case UIEVENT_TIMER:
        Send(WM_TIMER, event.wParam, 0);
        return;
    case UIEVENT_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, inText ? IDC_IBEAM : IDC_ARROW));
        return;
    case UIEVENT_KEYDOWN:
    case UIEVENT_KEYUP:
    case UIEVENT_CHAR:
        if (IsEnabled()) ForwardKey(event);
        return;
    case UIEVENT_BUTTONDOWN:
        if (inText) ForwardMouse(WM_LBUTTONDOWN, event);
        return;
    case UIEVENT_DBLCLICK:
        if (inText) ForwardMouse(WM_LBUTTONDBLCLK, event);
        return;
    case UIEVENT_BUTTONUP:
        ForwardMouse(WM_LBUTTONUP, event);
        return;
    case UIEVENT_MOUSEMOVE:
        ForwardMouse(WM_MOUSEMOVE, event);
        return;
    case UIEVENT_RBUTTONDOWN:
        if (inText) ForwardMouse(WM_RBUTTONDOWN, event);
        return;
    case UIEVENT_RBUTTONUP:
        ForwardMouse(WM_RBUTTONUP, event);
        return;
    case UIEVENT_SCROLLWHEEL:
        if (LOWORD(event.wParam) == 0) {
            LineUp();
        } else {
            LineDown();
        }
        return;
    default:
        CContainerUI::HandleEvent(event);
        return;
    }
}

LRESULT CRichEditUI::FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (uMsg < WM_IME_STARTCOMPOSITION || (uMsg > WM_IME_KEYLAST && uMsg != WM_IME_CHAR)) return 0;
    if (m_pServices == nullptr || m_pManager == nullptr || m_pManager->GetFocus() != this) return 0;
    // The input method's composition goes to the services, which draw it in place.
    LRESULT result = 0;
    if (m_pServices->TxSendMessage(uMsg, wParam, lParam, &result) == S_OK) bHandled = true;
    return result;
}

void CRichEditUI::DescribeAccessible(TUIAccessibleInfo& info) const {
    // The text is the value, not the name: the name is the accessible name or the tooltip.
    const wchar_t* given = GetExtraAttribute(kAccessibleNameAttribute);
    info.name = given != nullptr && *given != 0 ? CUIString(given) : GetToolTip();
    info.value = GetText();
    if (m_bReadOnly) info.state |= STATE_SYSTEM_READONLY;
}

}  // namespace SkinUI
