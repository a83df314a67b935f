// The window shadow: its computed fall-off, and a real shadow window that
// follows its skinned window's position, visibility and lifetime.
#include <gtest/gtest.h>

#include "tests/ui/core/window_test_util.h"
#include "ui/core/shadow.h"

using namespace SkinUI;
using wintest::EventLog;
using wintest::HostWindow;

namespace {

TEST(ShadowAlpha, FallsFromTheDarknessAtTheEdgeToNothingAtTheSize) {
    EXPECT_EQ(CShadowUI::ComputedAlpha(-3, 10, 5, 150), 150);  // under the window
    EXPECT_EQ(CShadowUI::ComputedAlpha(0, 10, 5, 150), 150);
    EXPECT_EQ(CShadowUI::ComputedAlpha(10, 10, 5, 150), 0);
    EXPECT_EQ(CShadowUI::ComputedAlpha(50, 10, 5, 150), 0);
    EXPECT_EQ(CShadowUI::ComputedAlpha(0, 0, 5, 150), 0);  // no size, no shadow
    EXPECT_EQ(CShadowUI::ComputedAlpha(1, 0, 5, 150), 0);
    int previous = 256;
    for (int d = 0; d <= 10; ++d) {
        const int a = CShadowUI::ComputedAlpha(d, 10, 5, 200);
        EXPECT_LT(a, previous) << d;
        previous = a;
    }
    // A sharper shadow keeps more of its darkness halfway out.
    EXPECT_GT(CShadowUI::ComputedAlpha(5, 10, 20, 200), CShadowUI::ComputedAlpha(5, 10, 0, 200));
}

TEST(ShadowSettings, RejectValuesOutOfRange) {
    CShadowUI shadow;
    EXPECT_TRUE(shadow.SetSize(30));
    EXPECT_FALSE(shadow.SetSize(-1));
    EXPECT_FALSE(shadow.SetSize(256));
    EXPECT_EQ(shadow.GetSize(), 30);
    EXPECT_FALSE(shadow.SetSharpness(21));
    EXPECT_FALSE(shadow.SetDarkness(300));
    EXPECT_FALSE(shadow.SetShadowCorner(RECT{-1, 0, 0, 0}));
    EXPECT_TRUE(shadow.SetPosition(2, 3));
    const RECT rc = shadow.ShadowRectFor(RECT{100, 100, 200, 150});
    EXPECT_EQ(rc.left, 72);
    EXPECT_EQ(rc.top, 73);
    EXPECT_EQ(rc.right, 232);
    EXPECT_EQ(rc.bottom, 183);
}

RECT WindowRect(HWND hWnd) {
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

TEST(ShadowWindow, AppearsAfterTheFirstPaintAndFollowsItsWindow) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(200, 150, 300, 100));
    ASSERT_NE(host.Attach(L"<Window showshadow=\"true\" shadowsize=\"12\" shadowdarkness=\"120\" "
                          L"shadowcolor=\"#FF000000\"><VerticalLayout bkcolor=\"#FFFFFFFF\"/></Window>"),
              nullptr);
    CShadowUI* shadow = host.pm.GetShadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->GetHWND(), nullptr);  // not before the first layout
    host.ShowAndPaint();
    EXPECT_EQ(shadow->GetHWND(), nullptr);  // the first frame does not wait for it
    wintest::Pump();
    HWND hShadow = shadow->GetHWND();
    ASSERT_NE(hShadow, nullptr);
    wchar_t cls[64] = {};
    ::GetClassNameW(hShadow, cls, 64);
    EXPECT_STREQ(cls, L"ObrinShadowWnd");
    EXPECT_TRUE(::IsWindowVisible(hShadow));
    EXPECT_NE(::GetWindowLongPtrW(hShadow, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    RECT rc = WindowRect(hShadow);
    EXPECT_EQ(rc.left, 188);
    EXPECT_EQ(rc.top, 138);

    ::SetWindowPos(host.GetHWND(), nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    rc = WindowRect(hShadow);
    EXPECT_EQ(rc.left, 388);
    EXPECT_EQ(rc.top, 288);
    ::SetWindowPos(host.GetHWND(), nullptr, 0, 0, 320, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    rc = WindowRect(hShadow);
    EXPECT_EQ(rc.right - rc.left, 344);
    EXPECT_EQ(rc.bottom - rc.top, 144);

    ::ShowWindow(host.GetHWND(), SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(hShadow));
    ::ShowWindow(host.GetHWND(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(::IsWindowVisible(hShadow));

    ::DestroyWindow(host.GetHWND());
    EXPECT_FALSE(::IsWindow(hShadow));
    EXPECT_EQ(shadow->GetHWND(), nullptr);
}

// What is on the screen at (x, y), as the user sees it.
COLORREF ScreenPixel(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

// The screen at (x, y) once it shows `expected`, or what it shows after `ms` of
// pumping: a loaded machine may take a while to put a moved window on screen.
COLORREF SettledScreenPixel(int x, int y, COLORREF expected, int ms = 10000) {
    COLORREF colour = ScreenPixel(x, y);
    for (int waited = 0; colour != expected && waited < ms; waited += 50) {
        wintest::Pump(50);
        colour = ScreenPixel(x, y);
    }
    return colour;
}

TEST(ShadowWindow, StaysBehindAWindowThatIsAlreadyOnScreen) {
    // The window is on screen before its first paint creates the shadow (as when it
    // is created visible and moved before the message loop runs): the shadow must
    // still come up underneath it, not over the window's content.
    EventLog log;
    HostWindow host(&log);
    // Top right of the screen: no other test puts a window there.
    ASSERT_TRUE(host.Open(1120, 80, 120, 80));
    ASSERT_NE(host.Attach(L"<Window showshadow=\"true\" shadowsize=\"10\" shadowdarkness=\"255\" "
                          L"shadowcolor=\"#FF000000\"><VerticalLayout bkcolor=\"#FF2080C0\"/></Window>"),
              nullptr);
    ::ShowWindow(host.GetHWND(), SW_SHOWNORMAL);
    ::SetWindowPos(host.GetHWND(), nullptr, 1100, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    wintest::Pump(300);
    ASSERT_NE(host.pm.GetShadow()->GetHWND(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(host.pm.GetShadow()->GetHWND()));
    EXPECT_EQ(SettledScreenPixel(1160, 100, RGB(0x20, 0x80, 0xC0)), RGB(0x20, 0x80, 0xC0));
    EXPECT_EQ(SettledScreenPixel(1102, 62, RGB(0x20, 0x80, 0xC0)), RGB(0x20, 0x80, 0xC0));
    EXPECT_EQ(SettledScreenPixel(1217, 137, RGB(0x20, 0x80, 0xC0)), RGB(0x20, 0x80, 0xC0));
}

TEST(ShadowWindow, StaysAwayWhenSwitchedOff) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 100, 100));
    ASSERT_NE(host.Attach(L"<Window shadowsize=\"12\"><VerticalLayout/></Window>"), nullptr);
    host.ShowAndPaint();
    EXPECT_EQ(host.pm.GetShadow()->GetHWND(), nullptr);
}

TEST(ShadowWindow, DestroyingTheManagerFirstLeavesTheWindowWorking) {
    EventLog log;
    auto* host = new HostWindow(&log);
    ASSERT_TRUE(host->Open(0, 0, 100, 100));
    ASSERT_NE(host->Attach(L"<Window showshadow=\"true\" shadowsize=\"8\"><VerticalLayout/></Window>"), nullptr);
    host->ShowAndPaint();
    wintest::Pump();
    HWND hShadow = host->pm.GetShadow()->GetHWND();
    ASSERT_NE(hShadow, nullptr);
    HWND hWnd = host->GetHWND();
    delete host;  // destroys the window, then the manager and its shadow
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(::IsWindow(hShadow));
}

}  // namespace
