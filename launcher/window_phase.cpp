#include "launcher/window_phase.h"

#include <thread>

#include "launcher/launcher_windows.h"
#include "launcher/repair_worker.h"
#include "launcher/startup_timeline.h"
#include "ui/core/paint_manager.h"

void MoveToBottomRight(HWND window, int margin) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return;
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi)) return;
    const RECT& w = mi.rcWork;
    SetWindowPos(window, nullptr, r.left + (w.right - r.right) - margin, r.top + (w.bottom - r.bottom) - margin, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool RunWindowPhase(SkinUI::WindowImplBase& window, const std::wstring& title,
                    const std::function<void(HWND)>& placed) {
    // Without a window no quit message would ever come: the loop would never end.
    HWND hwnd = window.CreateWnd(nullptr, title.c_str(), kLauncherWindowStyle, 0, 0, 0, 800, 572);
    if (!hwnd) return false;
    window.CenterOnOwner();
    if (placed) placed(hwnd);
    MarkStartupPhase(StartupPhase::WindowCreated);
    SkinUI::CPaintManagerUI::RunMessageLoop();
    return true;
}

void RunRepairWindowPhase(const std::wstring& title) {
    CMainWnd window;
    RunWindowPhase(window, title, [&window](HWND hwnd) {
        MoveToBottomRight(hwnd, window.GetPaintManager().ScaleValue(kRepairWindowMargin));
        std::thread(static_cast<void (*)(HWND)>(RepairWorker), hwnd).detach();
    });
}

void RunNoticeWindowPhase(const std::wstring& title) {
    CNoTipsWnd window;
    RunWindowPhase(window, title);
}
