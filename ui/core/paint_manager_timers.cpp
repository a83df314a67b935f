// Paint manager: control timers. Each record ties a control's own timer number
// (its key) to a window timer id; killed records stay listed and are reused.
#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

bool CPaintManagerUI::SetControlTimer(CControlUI* control, UINT key, UINT elapse) {
    if (control == nullptr || m_hWndPaint == nullptr) return false;
    for (int i = 0; i < m_aTimers.GetSize(); ++i) {
        auto* timer = static_cast<TTimerInfo*>(m_aTimers[i]);
        if (timer->pSender != control || timer->hWnd != m_hWndPaint || timer->nLocalID != key) continue;
        if (!timer->bKilled) return false;
        if (::SetTimer(m_hWndPaint, timer->uWinTimer, elapse, nullptr) == 0) return false;
        timer->bKilled = false;
        return true;
    }
    // Window timer ids cycle through 0..239; the first one handed out is 17.
    m_uTimerID = (m_uTimerID + 1) % 240;
    if (::SetTimer(m_hWndPaint, m_uTimerID, elapse, nullptr) == 0) return false;
    auto* timer = new TTimerInfo;
    timer->pSender = control;
    timer->nLocalID = key;
    timer->hWnd = m_hWndPaint;
    timer->uWinTimer = m_uTimerID;
    timer->bKilled = false;
    if (!m_aTimers.Add(timer)) {
        ::KillTimer(m_hWndPaint, m_uTimerID);
        delete timer;
        return false;
    }
    return true;
}

bool CPaintManagerUI::KillControlTimer(CControlUI* control, UINT key) {
    for (int i = 0; i < m_aTimers.GetSize(); ++i) {
        auto* timer = static_cast<TTimerInfo*>(m_aTimers[i]);
        if (timer->pSender == control && timer->hWnd == m_hWndPaint && timer->nLocalID == key &&
            !timer->bKilled) {
            if (::IsWindow(m_hWndPaint)) ::KillTimer(timer->hWnd, timer->uWinTimer);
            timer->bKilled = true;
            return true;
        }
    }
    return false;
}

void CPaintManagerUI::KillControlTimer(CControlUI* control) {
    for (int i = m_aTimers.GetSize() - 1; i >= 0; --i) {
        auto* timer = static_cast<TTimerInfo*>(m_aTimers[i]);
        if (timer->pSender != control || timer->hWnd != m_hWndPaint) continue;
        if (!timer->bKilled && ::IsWindow(timer->hWnd)) ::KillTimer(timer->hWnd, timer->uWinTimer);
        m_aTimers.Remove(i);
        delete timer;
    }
}

void CPaintManagerUI::RemoveAllTimers() {
    for (int i = m_aTimers.GetSize() - 1; i >= 0; --i) {
        auto* timer = static_cast<TTimerInfo*>(m_aTimers[i]);
        if (timer->hWnd != m_hWndPaint) continue;
        if (!timer->bKilled && ::IsWindow(timer->hWnd)) ::KillTimer(timer->hWnd, timer->uWinTimer);
        m_aTimers.Remove(i);
        delete timer;
    }
}

}  // namespace SkinUI
