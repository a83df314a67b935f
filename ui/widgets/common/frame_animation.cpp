#include "ui/widgets/common/frame_animation.h"

#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

const UINT kFrameMs = 16;

DWORD (*g_clock)() = nullptr;

DWORD Now() { return g_clock != nullptr ? g_clock() : ::GetTickCount(); }

}  // namespace

void CFrameAnimation::SetClock(DWORD (*clock)()) { g_clock = clock; }

CFrameAnimation::CFrameAnimation(CControlUI* owner, UINT timerKey) : m_owner(owner), m_key(timerKey) {}

CFrameAnimation::~CFrameAnimation() {
    // The owner is being destroyed: the manager drops its timers, the listener goes here.
    if (m_filtered != nullptr) m_filtered->RemoveMessageFilter(this);
}

bool CFrameAnimation::IsSeen() const {
    if (!m_owner->IsVisible()) return false;
    CPaintManagerUI* manager = m_owner->GetManager();
    HWND window = manager != nullptr ? manager->GetPaintWindow() : nullptr;
    if (window == nullptr || !::IsWindowVisible(window)) return false;
    // A child window is as minimised as the top-level window it lives in.
    HWND top = window;
    for (HWND up = ::GetParent(top); up != nullptr; up = ::GetParent(up)) top = up;
    return !::IsIconic(top);
}

bool CFrameAnimation::Start(DWORD durationMs) {
    Finish();
    CPaintManagerUI* manager = m_owner->GetManager();
    if (durationMs == 0 || !IsSeen()) return false;
    if (m_filtered != manager) {
        if (m_filtered != nullptr) m_filtered->RemoveMessageFilter(this);
        m_filtered = manager->AddMessageFilter(this) ? manager : nullptr;
    }
    // Without the listener a hidden window would go on ticking: then no animation at all.
    if (m_filtered == nullptr || !manager->SetControlTimer(m_owner, m_key, kFrameMs)) return false;
    m_start = Now();
    m_duration = durationMs;
    m_bRunning = true;
    return true;
}

void CFrameAnimation::Finish() {
    if (!m_bRunning) return;
    m_bRunning = false;
    if (m_filtered != nullptr) m_filtered->KillControlTimer(m_owner, m_key);
}

void CFrameAnimation::Stop() {
    if (!m_bRunning) return;
    Finish();
    m_owner->MarkDirty();
}

bool CFrameAnimation::IsTick(const TUIEvent& event) const {
    return event.Type == UIEVENT_TIMER && event.wParam == static_cast<WPARAM>(m_key);
}

void CFrameAnimation::OnTick() {
    if (m_bRunning && (Progress() >= 1.0 || !IsSeen())) Finish();
}

double CFrameAnimation::Progress() const {
    if (!m_bRunning || m_duration == 0) return 1.0;
    const DWORD gone = Now() - m_start;  // unsigned: right across the clock's wrap
    return gone >= m_duration ? 1.0 : static_cast<double>(gone) / m_duration;
}

double CFrameAnimation::EasedProgress() const {
    const double rest = 1.0 - Progress();
    return 1.0 - rest * rest * rest;
}

LRESULT CFrameAnimation::FilterMessage(UINT uMsg, WPARAM wParam, LPARAM /*lParam*/, bool& /*bHandled*/) {
    const bool hidden = uMsg == WM_SHOWWINDOW && wParam == FALSE;
    const bool minimised = uMsg == WM_SIZE && wParam == SIZE_MINIMIZED;
    if ((hidden || minimised) && m_bRunning) Stop();
    return 0;
}

}  // namespace SkinUI
