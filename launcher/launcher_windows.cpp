#include "launcher/launcher_windows.h"

#include "launcher/run_sequence.h"
#include "launcher/startup_timeline.h"
#include "ui/controls/control.h"
#include "ui/controls/progress.h"

using SkinUI::TUINotify;

bool IsLauncherCloseButton(const wchar_t* name) {
    return name && (_wcsicmp(name, L"sysclosebutton") == 0 || _wcsicmp(name, L"btn_ok") == 0);
}

LRESULT CLauncherWndBase::HandleWmDestroy(UINT, WPARAM, LPARAM, bool& bHandled) {
    PostQuitMessage(0);
    bHandled = false;
    return 0;
}

LRESULT CLauncherWndBase::HandleOtherMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    bHandled = false;
    if (uMsg != WM_PAINT || m_painted) return 0;
    // The first frame: let the framework paint it, then note the moment.
    m_painted = true;
    LRESULT result = 0;
    bHandled = m_pm.MessageHandler(uMsg, wParam, lParam, result);
    MarkStartupPhase(StartupPhase::FirstPaint);
    return result;
}

LRESULT CLauncherWndBase::HandleWmKeyDown(UINT, WPARAM wParam, LPARAM, bool& bHandled) {
    bHandled = false;
    if (wParam != VK_ESCAPE) return 0;
    SkinUI::CControlUI* close = m_pm.FindControlByName(L"sysclosebutton");
    if (!close) close = m_pm.FindControlByName(L"btn_ok");
    // The same click a mouse would give, so that Esc ends the window the same way.
    if (close) bHandled = close->Activate();
    return 0;
}

bool CLauncherWndBase::CloseOnButton(TUINotify& msg) {
    if (msg.sType != L"click" || !msg.pSender) return false;
    SkinUI::CUIString name = msg.pSender->GetName();
    if (!IsLauncherCloseButton(name.GetData())) return false;
    DestroyWindow(GetHWND());
    return true;
}

// ---------------------------------------------------------------- repair window

SKINUI_BEGIN_NOTIFY_MAP(CMainWnd, SkinUI::WindowImplBase)
SKINUI_END_NOTIFY_MAP()

void CMainWnd::OnWindowReady() {
    MarkStartupPhase(StartupPhase::SkinBuilt);
    SetWindowIcon(kLauncherIconId);
    SkinUI::CControlUI* root = m_pm.GetRoot();
    if (root) {
        m_pm.KillControlTimer(root, kProgressTimerId);
        m_pm.SetControlTimer(root, kProgressTimerId, kProgressTimerPeriodMs);
    }
    SkinUI::CControlUI* found = m_pm.FindControlByName(L"progress_doing");
    m_progress = found ? static_cast<SkinUI::CProgressUI*>(found->GetInterface(L"Progress")) : nullptr;
    if (m_progress) m_progress->SetValue(kProgressStart);
}

void CMainWnd::ReceiveNotify(TUINotify& msg) {
    if (CloseOnButton(msg)) return;
    if (msg.sType == L"timer" && msg.wParam == kProgressTimerId && m_progress) {
        const int value = m_progress->GetValue();
        if (value < kProgressStepBelow) m_progress->SetValue(value + kProgressStep);
    }
    WindowImplBase::ReceiveNotify(msg);
}

// ---------------------------------------------------------------- notice window

SKINUI_BEGIN_NOTIFY_MAP(CNoTipsWnd, SkinUI::WindowImplBase)
SKINUI_END_NOTIFY_MAP()

void CNoTipsWnd::OnWindowReady() {
    MarkStartupPhase(StartupPhase::SkinBuilt);
    SetWindowIcon(kLauncherIconId);
    if (SkinUI::CControlUI* name = m_pm.FindControlByName(L"soft_name")) name->SetText(launcher::kDisplayName);
    // The "退出" button takes the focus so that Enter or Space answers the notice. A skin
    // that names both buttons "sysclosebutton" gets the later one: the name map keeps it.
    SkinUI::CControlUI* exit = m_pm.FindControlByName(L"btn_ok");
    if (exit == nullptr) exit = m_pm.FindControlByName(L"sysclosebutton");
    if (exit != nullptr) exit->SetFocus();
}

void CNoTipsWnd::ReceiveNotify(TUINotify& msg) {
    if (CloseOnButton(msg)) return;
    WindowImplBase::ReceiveNotify(msg);
}
