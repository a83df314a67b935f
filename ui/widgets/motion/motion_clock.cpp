#include "ui/widgets/motion/motion_clock.h"

#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

const UINT kShortestInterval = 10;

DWORD (*g_clock)() = nullptr;
int g_running = 0;
unsigned long g_ticks = 0;

// The control is in its manager's tree: each ancestor still lists its child,
// up to the manager's root.
bool IsInTree(CControlUI* control, CPaintManagerUI* manager) {
    for (int depth = 0; depth < 4096; ++depth) {
        CControlUI* parent = control->GetParent();
        if (parent == nullptr) return control == manager->GetRoot();
        auto* container = static_cast<IContainerUI*>(parent->GetInterface(L"IContainer"));
        if (container != nullptr && container->GetItemIndex(control) < 0) return false;
        control = parent;
    }
    return false;
}

}  // namespace

void CMotionClock::SetClock(DWORD (*clock)()) { g_clock = clock; }
DWORD CMotionClock::Now() { return g_clock != nullptr ? g_clock() : ::GetTickCount(); }
int CMotionClock::RunningTimers() { return g_running; }
unsigned long CMotionClock::TicksTaken() { return g_ticks; }

CMotionClock::CMotionClock(CControlUI* owner, UINT timerKey, UINT intervalMs)
    : m_owner(owner), m_key(timerKey), m_interval(intervalMs < kShortestInterval ? kShortestInterval : intervalMs) {}

CMotionClock::~CMotionClock() {
    Stop();
    if (m_filtered != nullptr) m_filtered->RemoveMessageFilter(this);
}

void CMotionClock::Play() {
    m_bWanted = true;
    Refresh();
}

void CMotionClock::Pause() {
    m_bWanted = false;
    Stop();
}

void CMotionClock::SetInterval(UINT ms) {
    if (ms < kShortestInterval) ms = kShortestInterval;
    if (ms == m_interval) return;
    m_interval = ms;
    if (!m_bTicking) return;
    m_filtered->KillControlTimer(m_owner, m_key);
    if (!m_filtered->SetControlTimer(m_owner, m_key, m_interval)) {
        m_bTicking = false;
        --g_running;
    }
}

bool CMotionClock::IsSeen() const {
    CPaintManagerUI* manager = m_owner->GetManager();
    if (manager == nullptr || !m_owner->IsVisible()) return false;
    HWND window = manager->GetPaintWindow();
    if (window == nullptr || !::IsWindowVisible(window)) return false;
    // A child window is as minimised as the top-level window it lives in.
    HWND top = window;
    for (HWND up = ::GetParent(top); up != nullptr; up = ::GetParent(up)) top = up;
    return !::IsIconic(top) && IsInTree(m_owner, manager);
}

void CMotionClock::Refresh() {
    // A clock whose owner moved to another manager stops with the old one first.
    if (m_filtered != nullptr && m_filtered != m_owner->GetManager()) {
        Stop();
        m_filtered->RemoveMessageFilter(this);
        m_filtered = nullptr;
    }
    const bool run = m_bWanted && IsSeen();
    if (run && !m_bTicking) Start();
    if (!run && m_bTicking) Stop();
}

void CMotionClock::Listen(CPaintManagerUI* manager) {
    if (m_filtered == manager) return;
    if (m_filtered != nullptr) m_filtered->RemoveMessageFilter(this);
    m_filtered = manager->AddMessageFilter(this) ? manager : nullptr;
}

void CMotionClock::Start() {
    Listen(m_owner->GetManager());
    // Without the listener a hidden window would go on ticking: then no timer at all.
    if (m_filtered == nullptr || !m_filtered->SetControlTimer(m_owner, m_key, m_interval)) return;
    m_bTicking = true;
    ++g_running;
    m_last = Now();
}

void CMotionClock::Stop() {
    if (!m_bTicking) return;
    m_bTicking = false;
    --g_running;
    m_filtered->KillControlTimer(m_owner, m_key);
}

bool CMotionClock::IsTick(const TUIEvent& event) const {
    return event.Type == UIEVENT_TIMER && event.wParam == static_cast<WPARAM>(m_key);
}

DWORD CMotionClock::OnTick() {
    if (!m_bTicking) return 0;
    if (!IsSeen()) {
        Stop();
        return 0;
    }
    ++g_ticks;
    const DWORD now = Now();
    const DWORD gone = now - m_last;  // unsigned: right across the clock's wrap
    m_last = now;
    return gone > kLongestStep ? DWORD(kLongestStep) : gone;
}

LRESULT CMotionClock::FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& /*bHandled*/) {
    if (!m_bWanted) return 0;
    if ((uMsg == WM_SHOWWINDOW && wParam == FALSE) || (uMsg == WM_SIZE && wParam == SIZE_MINIMIZED)) {
        Stop();
    } else if ((uMsg == WM_SIZE && (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED)) ||
               (uMsg == WM_WINDOWPOSCHANGED &&
                (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0)) {
        Refresh();
    }
    return 0;
}

}  // namespace SkinUI
