// CWindowWnd: centring arithmetic, both window procedures and the link between
// object and window from WM_NCCREATE to WM_NCDESTROY.
#include <gtest/gtest.h>

#include <vector>

#include "ui/core/window_wnd.h"

using namespace SkinUI;

namespace {

TEST(CenterRectIn, CentresWithTruncatingDivisionAndClampsToTheWorkArea) {
    const RECT work = {0, 0, 1280, 800};
    POINT pt = CenterRectIn(RECT{100, 100, 501, 301}, work, 101, 51);
    // (100 + 501) / 2 - 101 / 2 = 300 - 50; (100 + 301) / 2 - 51 / 2 = 200 - 25
    EXPECT_EQ(pt.x, 250);
    EXPECT_EQ(pt.y, 175);
    // Negative sums truncate toward zero: (-301 + 0) / 2 = -150.
    pt = CenterRectIn(RECT{-301, -301, 0, 0}, RECT{-2000, -2000, 2000, 2000}, 100, 100);
    EXPECT_EQ(pt.x, -200);
    EXPECT_EQ(pt.y, -200);
    // Pushed back inside on each side.
    pt = CenterRectIn(RECT{-400, -400, -300, -300}, work, 200, 100);
    EXPECT_EQ(pt.x, 0);
    EXPECT_EQ(pt.y, 0);
    pt = CenterRectIn(RECT{1250, 780, 1300, 820}, work, 200, 100);
    EXPECT_EQ(pt.x, 1080);
    EXPECT_EQ(pt.y, 700);
}

class RecordingWnd : public CWindowWnd {
public:
    explicit RecordingWnd(const wchar_t* super = nullptr) : m_super(super) {}
    ~RecordingWnd() {
        if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
    }
    LPCWSTR ClassName() const override { return m_super ? L"SkinUITestSuperButton" : L"SkinUITestOwnClass"; }
    LPCWSTR SuperClassName() const override { return m_super; }
    LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CREATE) sawCreate = true;
        if (msg == WM_APP + 7) return 77;
        return CWindowWnd::ProcessMessage(msg, wParam, lParam);
    }
    void OnLastMessage(HWND hWnd) override {
        lastHandle = hWnd;
        handleAtLast = m_hWnd;
    }

    bool sawCreate = false;
    HWND lastHandle = nullptr;
    HWND handleAtLast = reinterpret_cast<HWND>(1);

private:
    const wchar_t* m_super;
};

TEST(WindowWnd, OwnClassLinksObjectAndWindowUntilNcDestroy) {
    RecordingWnd wnd;
    HWND hWnd = wnd.CreateWnd(nullptr, L"own", WS_POPUP, 0, 10, 10, 120, 80);
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(wnd.GetHWND(), hWnd);
    EXPECT_TRUE(wnd.sawCreate);
    EXPECT_EQ(::GetWindowLongPtrW(hWnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&wnd));
    EXPECT_EQ(wnd.SendMsg(WM_APP + 7), 77);
    // A second window of the same class registers nothing new and works as well.
    RecordingWnd again;
    EXPECT_NE(again.CreateWnd(nullptr, L"own2", WS_POPUP, 0, 0, 0, 10, 10), nullptr);

    ::DestroyWindow(hWnd);
    EXPECT_EQ(wnd.lastHandle, hWnd);
    EXPECT_EQ(wnd.handleAtLast, nullptr);  // unlinked before OnLastMessage
    EXPECT_EQ(wnd.GetHWND(), nullptr);
    // Closing and showing a window that is gone do nothing.
    wnd.PostClose(1);
    wnd.ShowWnd(true);
}

TEST(WindowWnd, SuperclassKeepsTheObjectInAPropertyAndChainsToTheOldProcedure) {
    RecordingWnd wnd(L"BUTTON");
    HWND hWnd = wnd.CreateWnd(nullptr, L"press", WS_POPUP | BS_PUSHBUTTON, 0, 10, 10, 120, 40);
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(::GetPropW(hWnd, L"WndX"), static_cast<HANDLE>(&wnd));
    EXPECT_EQ(::GetWindowLongPtrW(hWnd, GWLP_USERDATA), 0);
    // The button's own procedure still answers its messages.
    wchar_t text[16] = {};
    ::GetWindowTextW(hWnd, text, 16);
    EXPECT_STREQ(text, L"press");
    EXPECT_EQ(wnd.SendMsg(BM_GETSTATE), 0);
    ::DestroyWindow(hWnd);
    EXPECT_EQ(wnd.lastHandle, hWnd);
    EXPECT_EQ(wnd.GetHWND(), nullptr);
}

TEST(WindowWnd, AnUnknownSuperclassFailsCreation) {
    RecordingWnd wnd(L"NoSuchClassAnywhere");
    EXPECT_EQ(wnd.CreateWnd(nullptr, L"x", WS_POPUP, 0, 0, 0, 10, 10), nullptr);
}

TEST(WindowWnd, CenterOnOwnerPutsTheWindowInTheMiddleOfItsOwner) {
    RecordingWnd owner;
    ASSERT_NE(owner.CreateWnd(nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, 100, 100, 400, 300), nullptr);
    RecordingWnd child;
    ASSERT_NE(child.CreateWnd(owner.GetHWND(), L"child", WS_POPUP, 0, 0, 0, 100, 50), nullptr);
    child.CenterOnOwner();
    RECT rc = {};
    ::GetWindowRect(child.GetHWND(), &rc);
    EXPECT_EQ(rc.left, 250);
    EXPECT_EQ(rc.top, 225);
    EXPECT_EQ(rc.right - rc.left, 100);
}

}  // namespace
