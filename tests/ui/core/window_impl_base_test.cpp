// WindowImplBase on real windows: skin build at creation, caption and border
// hit tests, system commands, caption buttons, default keys, and the message
// box and exit code of a skin that cannot be built (in a child process).
#include <gtest/gtest.h>

#include <string>

#include "tests/common/test_env.h"
#include "tests/ui/core/window_test_util.h"
#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/core/window_impl_base.h"

using namespace SkinUI;

namespace {

// A container class that is not in the caption pass-through list.
class CustomBoxUI : public CContainerUI {
public:
    const wchar_t* GetClass() const override { return L"CustomBoxUI"; }
};

class TestWindow : public WindowImplBase {
public:
    TestWindow(const wchar_t* skin) : m_skin(skin) {}
    ~TestWindow() override = default;

    LPCWSTR ClassName() const override { return L"SkinUITestImplWindow"; }
    CUIString SkinFileName() const override { return m_skin; }
    void OnWindowReady() override { ++readyCalls; }
    CControlUI* CreateControl(const wchar_t* className) override {
        if (std::wstring(className) == L"CustomBox") return new CustomBoxUI;
        return nullptr;
    }
    LRESULT HandleWmClose(UINT, WPARAM wParam, LPARAM, bool& bHandled) override {
        ++closeCalls;
        closeCode = wParam;
        bHandled = false;  // default processing destroys the window
        return 0;
    }
    void ReceiveNotify(TUINotify& msg) override {
        notes.push_back(wintest::Narrow(msg.sType));
        WindowImplBase::ReceiveNotify(msg);
    }

    int readyCalls = 0;
    int closeCalls = 0;
    WPARAM closeCode = 0;
    std::vector<std::string> notes;

private:
    const wchar_t* m_skin;
};

const wchar_t kCaptionSkin[] =
    L"<Window caption=\"0,0,0,100\" roundcorner=\"6,6\">"
    L"<VerticalLayout name=\"root\">"
    L"<HorizontalLayout height=\"100\">"
    L"<Label name=\"lbl\" width=\"80\" text=\"title\"/>"
    L"<Button name=\"btn\" width=\"80\"/>"
    L"<Progress name=\"prog\" width=\"80\"/>"
    L"<CustomBox width=\"80\"><Label name=\"inner\"/></CustomBox>"
    L"</HorizontalLayout>"
    L"<HorizontalLayout><Label name=\"body\"/>"
    L"<Button name=\"maxbtn\" width=\"20\"/><Button name=\"restorebtn\" width=\"20\" visible=\"false\"/>"
    L"</HorizontalLayout>"
    L"</VerticalLayout></Window>";

const int kLeft = 40, kTop = 60, kWidth = 400, kHeight = 200;

class WindowImplBaseTest : public ::testing::Test {
protected:
    void Open(const wchar_t* skin) {
        wnd.reset(new TestWindow(skin));
        ASSERT_NE(wnd->CreateWnd(nullptr, L"impl", WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                                 WS_EX_TOOLWINDOW, kLeft, kTop, kWidth, kHeight),
                  nullptr);
        wnd->ShowWnd(true, false);
        ::UpdateWindow(wnd->GetHWND());
        wintest::Pump();
    }
    LRESULT HitAt(int x, int y) {
        POINT pt = {x, y};
        ::ClientToScreen(wnd->GetHWND(), &pt);
        return ::SendMessageW(wnd->GetHWND(), WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    }
    void TearDown() override { wnd.reset(); }

    std::unique_ptr<TestWindow> wnd;
};

TEST_F(WindowImplBaseTest, CreationBuildsTheSkinDropsTheCaptionStyleAndCallsReady) {
    Open(kCaptionSkin);
    EXPECT_EQ(wnd->readyCalls, 1);
    const LONG_PTR style = ::GetWindowLongPtrW(wnd->GetHWND(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_NE(style & WS_CLIPCHILDREN, 0);
    EXPECT_NE(style & WS_CLIPSIBLINGS, 0);
    EXPECT_EQ(wnd->WindowStyle() & WS_CAPTION, 0u);
    EXPECT_NE(wnd->GetPaintManager().FindControlByName(L"lbl"), nullptr);
    ASSERT_FALSE(wnd->notes.empty());
    EXPECT_EQ(wnd->notes.front(), "windowinit");
    // The window region follows the round corners.
    RECT box = {};
    EXPECT_NE(::GetWindowRgnBox(wnd->GetHWND(), &box), ERROR);
}

TEST_F(WindowImplBaseTest, CaptionHitTestPassesLabelsAndLayoutsButNotButtonsOrProgress) {
    Open(kCaptionSkin);
    EXPECT_EQ(HitAt(40, 50), HTCAPTION);    // label
    EXPECT_EQ(HitAt(120, 50), HTCLIENT);    // button
    EXPECT_EQ(HitAt(200, 5), HTCLIENT);     // progress bar (12 high by default)
    EXPECT_EQ(HitAt(200, 50), HTCAPTION);   // the row below the progress bar
    EXPECT_EQ(HitAt(280, 50), HTCLIENT);    // label inside an unlisted container
    EXPECT_EQ(HitAt(360, 50), HTCAPTION);   // the row layout itself
    EXPECT_EQ(HitAt(40, 150), HTCLIENT);    // below the caption
    // No size box: no resize border anywhere.
    EXPECT_EQ(HitAt(0, 0), HTCAPTION);
    EXPECT_EQ(HitAt(kWidth - 1, kHeight - 1), HTCLIENT);

    // A caption bottom of -1 reaches the client bottom.
    ApplyWindowAttribute(&wnd->GetPaintManager(), L"caption", L"0,0,0,-1");
    EXPECT_EQ(HitAt(40, 150), HTCAPTION);
}

TEST_F(WindowImplBaseTest, SizeBoxGivesResizeBordersExceptWhenMaximised) {
    Open(kCaptionSkin);
    ApplyWindowAttribute(&wnd->GetPaintManager(), L"sizebox", L"4,4,4,4");
    EXPECT_EQ(HitAt(1, 1), HTTOPLEFT);
    EXPECT_EQ(HitAt(200, 1), HTTOP);
    EXPECT_EQ(HitAt(kWidth - 2, 1), HTTOPRIGHT);
    EXPECT_EQ(HitAt(1, 150), HTLEFT);
    EXPECT_EQ(HitAt(kWidth - 2, 150), HTRIGHT);
    EXPECT_EQ(HitAt(1, kHeight - 2), HTBOTTOMLEFT);
    EXPECT_EQ(HitAt(200, kHeight - 2), HTBOTTOM);
    EXPECT_EQ(HitAt(kWidth - 2, kHeight - 2), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(40, 50), HTCAPTION);

    ::SendMessageW(wnd->GetHWND(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(::IsZoomed(wnd->GetHWND()));
    ::UpdateWindow(wnd->GetHWND());
    EXPECT_EQ(HitAt(1, 50), HTCAPTION);  // the label now starts at the left edge
    EXPECT_EQ(HitAt(200, 150), HTCLIENT);
}

TEST_F(WindowImplBaseTest, MaximiseAndRestoreToggleTheCaptionButtons) {
    Open(kCaptionSkin);
    CPaintManagerUI& pm = wnd->GetPaintManager();
    CControlUI* maxButton = pm.FindControlByName(L"maxbtn");
    CControlUI* restoreButton = pm.FindControlByName(L"restorebtn");
    ASSERT_NE(maxButton, nullptr);
    ASSERT_NE(restoreButton, nullptr);
    ::SendMessageW(wnd->GetHWND(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(::IsZoomed(wnd->GetHWND()));
    EXPECT_FALSE(maxButton->IsVisible());
    EXPECT_TRUE(restoreButton->IsVisible());
    // Maximised into the work area.
    RECT rc = {};
    ::GetWindowRect(wnd->GetHWND(), &rc);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromWindow(wnd->GetHWND(), MONITOR_DEFAULTTOPRIMARY), &mi);
    EXPECT_EQ(rc.right - rc.left, mi.rcWork.right - mi.rcWork.left);

    ::SendMessageW(wnd->GetHWND(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(::IsZoomed(wnd->GetHWND()));
    EXPECT_TRUE(maxButton->IsVisible());
    EXPECT_FALSE(restoreButton->IsVisible());
}

TEST_F(WindowImplBaseTest, SystemCloseGoesThroughWmCloseAndDefaultProcessingDestroys) {
    Open(kCaptionSkin);
    HWND hWnd = wnd->GetHWND();
    ::SendMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(wnd->closeCalls, 1);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(wnd->GetHWND(), nullptr);
}

TEST_F(WindowImplBaseTest, CloseButtonPostsCloseWithCodeOne) {
    Open(L"<Window><VerticalLayout><Button name=\"closebtn\"/></VerticalLayout></Window>");
    HWND hWnd = wnd->GetHWND();
    CControlUI* close = wnd->GetPaintManager().FindControlByName(L"closebtn");
    ASSERT_NE(close, nullptr);
    close->Activate();  // sends "click"
    EXPECT_EQ(wnd->closeCalls, 0);  // posted, not sent
    wintest::Pump();
    EXPECT_EQ(wnd->closeCalls, 1);
    EXPECT_EQ(wnd->closeCode, 1u);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(WindowImplBaseTest, ReturnAndEscapeChangeNothingByThemselves) {
    Open(kCaptionSkin);
    HWND hWnd = wnd->GetHWND();
    for (WPARAM key : {static_cast<WPARAM>(VK_RETURN), static_cast<WPARAM>(VK_ESCAPE)}) {
        MSG msg = {hWnd, WM_KEYDOWN, key, 0, 0, {0, 0}};
        EXPECT_FALSE(CPaintManagerUI::TranslateUIMessage(&msg));
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    wintest::Pump();
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(wnd->closeCalls, 0);
    EXPECT_EQ(wnd->AnswerDefaultKey(VK_ESCAPE), TRUE);
    EXPECT_EQ(wnd->AnswerDefaultKey(VK_RETURN), FALSE);
}

TEST(StaticClassControl, EveryAncestorMustBeAPassThroughClass) {
    EXPECT_TRUE(IsCaptionPassThroughClass(L"LabelUI"));
    EXPECT_TRUE(IsCaptionPassThroughClass(L"verticallayoutui"));
    EXPECT_FALSE(IsCaptionPassThroughClass(L"ButtonUI"));
    EXPECT_FALSE(IsCaptionPassThroughClass(L"ProgressUI"));
    EXPECT_FALSE(IsCaptionPassThroughClass(nullptr));
}

// ---- the skin-load failure, run in a child copy of this test program ----

const wchar_t kChildOutVar[] = L"SKINUI_TEST_MSGBOX_OUT";

std::string ToUtf8(const std::wstring& w) {
    if (w.empty()) return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), &out[0], n, nullptr, nullptr);
    return out;
}

struct BoxSearch {
    HWND box = nullptr;
};

BOOL CALLBACK FindBox(HWND hWnd, LPARAM param) {
    wchar_t cls[32] = {};
    ::GetClassNameW(hWnd, cls, 32);
    if (std::wstring(cls) == L"#32770") {
        reinterpret_cast<BoxSearch*>(param)->box = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND hWnd, LPARAM param) {
    wchar_t text[512] = {};
    ::GetWindowTextW(hWnd, text, 512);
    *reinterpret_cast<std::wstring*>(param) += std::wstring(text) + L"\n";
    return TRUE;
}

// Runs inside the message box's own loop: records caption and texts, then closes it.
void CALLBACK CloseTheBox(HWND, UINT, UINT_PTR, DWORD) {
    BoxSearch search;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.box == nullptr) return;
    wchar_t caption[64] = {};
    ::GetWindowTextW(search.box, caption, 64);
    std::wstring texts;
    ::EnumChildWindows(search.box, &CollectText, reinterpret_cast<LPARAM>(&texts));
    wchar_t out[MAX_PATH] = {};
    ::GetEnvironmentVariableW(kChildOutVar, out, MAX_PATH);
    testenv::WriteFile(out, ToUtf8(std::wstring(L"caption=") + caption + L"\n" + texts));
    ::PostMessageW(search.box, WM_CLOSE, 0, 0);
}

// Ends a child that is still alive long after the box should have come and gone.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { ::ExitProcess(3); }

TEST(WindowImplBaseChild, DISABLED_MissingSkinShowsTheBoxAndExits) {
    ::SetTimer(nullptr, 0, 100, &CloseTheBox);
    ::SetTimer(nullptr, 0, 20000, &GiveUp);
    TestWindow wnd(L"no_such_skin.xml");
    wnd.CreateWnd(nullptr, L"missing", WS_POPUP, 0, 0, 0, 100, 100);
    ::ExitProcess(2);  // not reached: the failed build ends the process with 1
}

TEST(WindowImplBaseFailure, MissingSkinShowsTheMessageBoxAndEndsTheProcessWithOne) {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring dir = testenv::MakeTempDir(L"msgbox");
    const std::wstring out = dir + L"box.txt";
    ::SetEnvironmentVariableW(kChildOutVar, out.c_str());
    const std::wstring cmd = std::wstring(L"\"") + exe +
                             L"\" --gtest_also_run_disabled_tests "
                             L"--gtest_filter=WindowImplBaseChild.DISABLED_MissingSkinShowsTheBoxAndExits";
    const int code = testenv::RunAndWait(cmd, 60000, dir);
    ::SetEnvironmentVariableW(kChildOutVar, nullptr);
    EXPECT_EQ(code, 1);
    const std::string seen = testenv::ReadFile(out);
    EXPECT_NE(seen.find("caption=SkinUI\n"), std::string::npos) << seen;
    EXPECT_NE(seen.find(ToUtf8(std::wstring(WindowImplBase::SkinLoadFailureText(L"no_such_skin.xml")))),
              std::string::npos)
        << seen;
    testenv::RemoveTree(dir);
}

}  // namespace
