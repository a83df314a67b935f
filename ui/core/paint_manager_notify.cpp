// Paint manager: notifications, delivered at once or queued behind the
// framework's private message, and the processing of that message.
#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"
#include "ui/core/shadow.h"

namespace SkinUI {

void CPaintManagerUI::SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM lParam,
                                 bool async) {
    TUINotify msg;
    msg.pSender = sender;
    msg.sType = type;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, async);
}

void CPaintManagerUI::SendNotify(TUINotify& msg, bool async) {
    msg.ptMouse = m_ptLastMousePos;
    msg.dwTimestamp = ::GetTickCount();
    if (m_bUsedVirtualWnd && msg.pSender != nullptr) msg.sVirtualWnd = msg.pSender->GetVirtualWnd();
    if (async) {
        auto* copy = new TUINotify(msg);
        if (!m_aAsyncNotify.Add(copy)) {
            delete copy;
            return;
        }
        PostAsyncMessage();
        return;
    }
    DeliverNotify(msg);
}

void CPaintManagerUI::DeliverNotify(TUINotify& msg) {
    if (msg.pSender != nullptr) msg.pSender->OnNotify(&msg);
    // Listeners may unregister themselves while being called.
    for (int i = 0; i < m_aNotifiers.GetSize(); ++i) {
        static_cast<INotifyUI*>(m_aNotifiers[i])->ReceiveNotify(msg);
    }
}

void CPaintManagerUI::FlushDelayedCleanup() {
    DestroyDelayedCleanups();
    for (int i = 0; i < m_aAsyncNotify.GetSize(); ++i) delete static_cast<TUINotify*>(m_aAsyncNotify[i]);
    m_aAsyncNotify.Empty();
    m_bAsyncNotifyPosted = false;
}

bool CPaintManagerUI::PostAsyncMessage() {
    if (!m_bAsyncNotifyPosted && m_hWndPaint != nullptr) {
        m_bAsyncNotifyPosted = ::PostMessageW(m_hWndPaint, WM_SKINUI_ASYNC, 0, 0) != FALSE;
    }
    return m_bAsyncNotifyPosted;
}

void CPaintManagerUI::ProcessAsyncQueue() {
    DestroyDelayedCleanups();
    m_bAsyncNotifyPosted = false;
    if (m_bShadowPending) {
        m_bShadowPending = false;
        if (m_pShadow != nullptr && m_hWndPaint != nullptr && ::IsWindow(m_hWndPaint)) m_pShadow->Create(m_hWndPaint);
    }
    // Only what was queued before this message: anything queued by a listener now has
    // posted a message of its own. A destroyed sender's notifications were dropped by
    // ReapObjects, so every sender delivered here is alive.
    int pending = m_aAsyncNotify.GetSize();
    while (pending-- > 0 && !m_aAsyncNotify.IsEmpty()) {
        auto* msg = static_cast<TUINotify*>(m_aAsyncNotify[0]);
        m_aAsyncNotify.Remove(0);
        DeliverNotify(*msg);
        delete msg;
    }
}

}  // namespace SkinUI
