// Paint manager: pre-translation of queued messages (filters, tab, shortcuts,
// accelerators) and the process-wide message loop.
#include <cwctype>

#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

struct TShortcutSearch {
    wchar_t key;
};

CControlUI* MatchShortcut(CControlUI* control, void* data) {
    const auto* search = static_cast<const TShortcutSearch*>(data);
    if (!control->IsVisible()) return nullptr;
    if (CUIString(control->GetClass()).Find(L"LabelUI") >= 0) return nullptr;
    return control->GetShortcut() == search->key ? control : nullptr;
}

bool ClassContains(CControlUI* control, const wchar_t* part) {
    return CUIString(control->GetClass()).Find(part) >= 0;
}

}  // namespace

bool CPaintManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    for (int i = 0; i < m_aPreMessageFilters.GetSize(); ++i) {
        bool handled = false;
        LRESULT result =
            static_cast<IMessageFilterUI*>(m_aPreMessageFilters[i])->FilterMessage(uMsg, wParam, lParam, handled);
        if (handled) {
            lRes = result;
            return true;
        }
    }
    if (uMsg == WM_KEYDOWN || uMsg == WM_SYSKEYDOWN) NoteKeyboardUse(wParam);
    switch (uMsg) {
    case WM_KEYDOWN:
        if (wParam != VK_TAB) return false;
        // Rich text and web views keep the tab key for themselves.
        if (m_pFocus != nullptr && m_pFocus->IsVisible() && m_pFocus->IsEnabled() &&
            (ClassContains(m_pFocus, L"RichEditUI") || ClassContains(m_pFocus, L"WebViewUI"))) {
            return false;
        }
        SetNextTabControl(::GetKeyState(VK_SHIFT) >= 0);
        return true;
    case WM_SYSCHAR: {
        if (m_pRoot == nullptr) return false;
        TShortcutSearch search = {static_cast<wchar_t>(std::towupper(static_cast<wint_t>(wParam)))};
        CControlUI* control =
            m_pRoot->FindMatching(&MatchShortcut, &search, UIFIND_ENABLED | UIFIND_ME_FIRST | UIFIND_TOP_FIRST);
        if (control == nullptr) return false;
        control->SetFocus();
        control->Activate();
        return true;
    }
    case WM_SYSKEYDOWN:
        if (m_pFocus != nullptr) {
            RaiseEventOn(m_pFocus, UIEVENT_SYSKEY, m_ptLastMousePos, wParam, lParam, MapKeyState(),
                         static_cast<wchar_t>(wParam));
        }
        return false;
    default:
        return false;
    }
}

bool CPaintManagerUI::TranslateAccelerator(MSG* pMsg) {
    for (int i = 0; i < m_aTranslateAccelerator.GetSize(); ++i) {
        if (static_cast<ITranslateAccelerator*>(m_aTranslateAccelerator[i])->TranslateAccelerator(pMsg) == 0) {
            return true;
        }
    }
    return false;
}

bool CPaintManagerUI::TranslateUIMessage(const MSG* pMsg) {
    if (pMsg == nullptr) return false;
    MSG msg = *pMsg;
    LRESULT lRes = 0;
    const LONG_PTR style = ::GetWindowLongPtrW(msg.hwnd, GWL_STYLE);
    if ((style & WS_CHILD) != 0) {
        for (int i = 0; i < s_aPreMessages.GetSize(); ++i) {
            auto* manager = static_cast<CPaintManagerUI*>(s_aPreMessages[i]);
            for (HWND w = msg.hwnd; w != nullptr; w = ::GetParent(w)) {
                if (manager->m_hWndPaint != w) continue;
                if (manager->TranslateAccelerator(&msg)) return true;
                manager->PreMessageHandler(msg.message, msg.wParam, msg.lParam, lRes);
            }
        }
        return false;
    }
    for (int i = 0; i < s_aPreMessages.GetSize(); ++i) {
        auto* manager = static_cast<CPaintManagerUI*>(s_aPreMessages[i]);
        if (manager->m_hWndPaint != msg.hwnd) continue;
        if (manager->TranslateAccelerator(&msg)) return true;
        return manager->PreMessageHandler(msg.message, msg.wParam, msg.lParam, lRes);
    }
    return false;
}

void CPaintManagerUI::RunMessageLoop() {
    MSG msg = {};
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;  // WM_QUIT, or an invalid call that would repeat forever
        try {
            if (TranslateUIMessage(&msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } catch (...) {
            // A handler's failure must not end the loop of every window.
        }
    }
}

}  // namespace SkinUI
