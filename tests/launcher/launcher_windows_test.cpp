// The launcher's windows built from the real skin archive, in this process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "launcher/launcher_windows.h"
#include "launcher/window_phase.h"
#include "tests/common/test_env.h"
#include "ui/controls/control.h"
#include "ui/controls/progress.h"
#include "ui/core/paint_manager.h"

namespace {

// The archive the launcher embeds; the framework reads it in place, so it lives on.
void UseSkinArchive() {
    static const std::string archive = testenv::ReadFile(testenv::BinaryDir() + L"resources\\skin.zip");
    static const bool once = [] {
        SkinUI::CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
        SkinUI::CPaintManagerUI::SetResourceArchive(archive.data(), static_cast<unsigned>(archive.size()));
        return true;
    }();
    (void)once;
    ASSERT_FALSE(archive.empty());
}

SkinUI::TUINotify Timer(WPARAM id) {
    SkinUI::TUINotify n;
    n.sType = L"timer";
    n.wParam = id;
    return n;
}

// A launcher window whose class cannot be registered: its base class does not exist.
class CUnregistrableWnd : public CMainWnd {
public:
    LPCWSTR SuperClassName() const override { return L"QvxNoSuchBaseClass"; }
};

}  // namespace

TEST(LauncherWindows, CloseButtonNamesIgnoreCase) {
    EXPECT_TRUE(IsLauncherCloseButton(L"sysclosebutton"));
    EXPECT_TRUE(IsLauncherCloseButton(L"SysCloseButton"));
    EXPECT_TRUE(IsLauncherCloseButton(L"BTN_OK"));
    EXPECT_FALSE(IsLauncherCloseButton(L"closebtn"));
    EXPECT_FALSE(IsLauncherCloseButton(L""));
    EXPECT_FALSE(IsLauncherCloseButton(nullptr));
}

TEST(LauncherWindows, RepairProgressStartsAtTenAndStopsStepping) {
    UseSkinArchive();
    CMainWnd wnd;
    ASSERT_NE(nullptr, wnd.CreateWnd(nullptr, L"Tavrel", WS_POPUP, 0, 0, 0, 800, 572));
    RECT r{};
    GetWindowRect(wnd.GetHWND(), &r);
    EXPECT_EQ(300, r.right - r.left);  // the skin's size
    EXPECT_EQ(100, r.bottom - r.top);
    ASSERT_NE(nullptr, wnd.Progress());
    EXPECT_EQ(10, wnd.Progress()->GetValue());
    for (int n = 1; n <= 30; ++n) {
        SkinUI::TUINotify tick = Timer(kProgressTimerId);
        wnd.ReceiveNotify(tick);
        EXPECT_EQ(std::min(10 + 3 * n, 82), wnd.Progress()->GetValue()) << n;
    }
    SkinUI::TUINotify other = Timer(kProgressTimerId + 1);
    wnd.ReceiveNotify(other);
    EXPECT_EQ(82, wnd.Progress()->GetValue());
    DestroyWindow(wnd.GetHWND());
}

TEST(LauncherWindows, NoticeShowsTheProductNameAndItsButtonsClose) {
    UseSkinArchive();
    CNoTipsWnd wnd;
    ASSERT_NE(nullptr, wnd.CreateWnd(nullptr, L"Tavrel", WS_POPUP, 0, 0, 0, 800, 572));
    SkinUI::CControlUI* name = wnd.GetPaintManager().FindControlByName(L"soft_name");
    ASSERT_NE(nullptr, name);
    EXPECT_EQ(std::wstring(L"Tavrel"), name->GetText().GetData());
    SkinUI::TUINotify click;
    click.sType = L"click";
    click.pSender = wnd.GetPaintManager().FindControlByName(L"sysclosebutton");
    ASSERT_NE(nullptr, click.pSender);
    HWND hwnd = wnd.GetHWND();
    wnd.ReceiveNotify(click);
    EXPECT_FALSE(IsWindow(hwnd));
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the loop would end
}

TEST(WindowPhase, AWindowThatCannotBeCreatedSkipsThePhaseInsteadOfWaitingForever) {
    UseSkinArchive();
    CUnregistrableWnd wnd;
    bool placed = false;
    const DWORD start = GetTickCount();
    EXPECT_FALSE(RunWindowPhase(wnd, L"Tavrel", [&](HWND) { placed = true; }));
    EXPECT_FALSE(placed);
    EXPECT_LT(GetTickCount() - start, 5000u);
}

TEST(WindowPhase, BottomRightPlacementKeepsFiftyPixelsFromTheWorkArea) {
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 10, 10, 300, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, w);
    MoveToBottomRight(w, kRepairWindowMargin);
    RECT r{};
    GetWindowRect(w, &r);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi);
    EXPECT_EQ(mi.rcWork.right - 50, r.right);
    EXPECT_EQ(mi.rcWork.bottom - 50, r.bottom);
    EXPECT_EQ(300, r.right - r.left);
    DestroyWindow(w);
}
