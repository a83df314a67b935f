// Pre-translation (filters, tab order, accelerators), the message loop, cursor
// requests, reflected child messages and the layered-window message rules.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/ui/core/window_test_util.h"
#include "ui/controls/control.h"
#include "ui/core/skin_builder.h"

using namespace SkinUI;
using wintest::EventLog;
using wintest::HostWindow;

namespace {

const wchar_t kButtons[] =
    L"<Window><HorizontalLayout>"
    L"<Button name=\"one\" width=\"50\"/><Label name=\"text\" width=\"50\"/>"
    L"<Button name=\"two\" width=\"50\"/><Control/>"
    L"</HorizontalLayout></Window>";

TEST(PaintManagerLoop, TabMovesTheFocusAlongTheTabStopsAndShiftTabBack) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 100));
    ASSERT_NE(host.Attach(kButtons), nullptr);
    host.ShowAndPaint();
    CControlUI* one = host.pm.FindControlByName(L"one");
    CControlUI* two = host.pm.FindControlByName(L"two");
    EXPECT_EQ(host.pm.GetFocus(), one);  // the first tab stop takes the focus on the first paint

    MSG tab = {host.GetHWND(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(CPaintManagerUI::TranslateUIMessage(&tab));
    EXPECT_EQ(host.pm.GetFocus(), two);
    EXPECT_TRUE(CPaintManagerUI::TranslateUIMessage(&tab));
    EXPECT_EQ(host.pm.GetFocus(), one);  // wraps around

    // Other keys are left to the window.
    MSG key = {host.GetHWND(), WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_FALSE(CPaintManagerUI::TranslateUIMessage(&key));
}

TEST(PaintManagerLoop, AFocusChosenBeforeTheFirstPaintKeepsIt) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 100));
    ASSERT_NE(host.Attach(kButtons), nullptr);
    CControlUI* two = host.pm.FindControlByName(L"two");
    two->SetFocus();
    host.ShowAndPaint();
    EXPECT_EQ(host.pm.GetFocus(), two);  // not moved on to the next tab stop
}

TEST(PaintManagerLoop, PreFiltersAndAcceleratorsCanConsumeAMessage) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 100));
    ASSERT_NE(host.Attach(kButtons), nullptr);
    struct Accel : ITranslateAccelerator {
        int seen = 0;
        LRESULT TranslateAccelerator(MSG* msg) override {
            ++seen;
            return msg->message == WM_APP + 3 ? 0 : 1;  // 0: translated
        }
    } accel;
    struct Filter : IMessageFilterUI {
        LRESULT FilterMessage(UINT msg, WPARAM, LPARAM, bool& handled) override {
            handled = msg == WM_APP + 4;
            return 0;
        }
    } filter;
    host.pm.AddTranslateAccelerator(&accel);
    host.pm.AddPreMessageFilter(&filter);
    MSG translated = {host.GetHWND(), WM_APP + 3, 0, 0, 0, {0, 0}};
    MSG filtered = {host.GetHWND(), WM_APP + 4, 0, 0, 0, {0, 0}};
    MSG passed = {host.GetHWND(), WM_APP + 5, 0, 0, 0, {0, 0}};
    EXPECT_TRUE(CPaintManagerUI::TranslateUIMessage(&translated));
    EXPECT_TRUE(CPaintManagerUI::TranslateUIMessage(&filtered));
    EXPECT_FALSE(CPaintManagerUI::TranslateUIMessage(&passed));
    EXPECT_EQ(accel.seen, 3);
    MSG elsewhere = {nullptr, WM_APP + 3, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(CPaintManagerUI::TranslateUIMessage(&elsewhere));
    host.pm.RemoveTranslateAccelerator(&accel);
    host.pm.RemovePreMessageFilter(&filter);
}

// A window whose handler throws for one message and quits on another.
class ThrowingWnd : public CWindowWnd {
public:
    ~ThrowingWnd() {
        if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
    }
    LPCWSTR ClassName() const override { return L"SkinUITestThrowing"; }
    LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_APP + 1) throw std::runtime_error("handler failure");
        if (msg == WM_APP + 2) {
            ++after;
            ::PostQuitMessage(0);
            return 0;
        }
        return CWindowWnd::ProcessMessage(msg, wParam, lParam);
    }
    int after = 0;
};

TEST(PaintManagerLoop, TheLoopSurvivesAHandlerThatThrowsAndEndsOnQuit) {
    ThrowingWnd wnd;
    ASSERT_NE(wnd.CreateWnd(nullptr, L"throwing", WS_POPUP, 0, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(wnd.SendMsg(WM_APP + 1), 0);  // a sent message gets the default answer
    wnd.PostMsg(WM_APP + 1);
    wnd.PostMsg(WM_APP + 2);
    CPaintManagerUI::RunMessageLoop();
    EXPECT_EQ(wnd.after, 1);
}

// A child that answers reflected messages.
class ReflectingChild : public CWindowWnd {
public:
    ~ReflectingChild() {
        if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
    }
    LPCWSTR ClassName() const override { return L"SkinUITestReflecting"; }
    LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_COMMAND + 0x2000) return 42;
        if (msg == WM_NOTIFY + 0x2000) return 43;
        if (msg == WM_CTLCOLORSTATIC + 0x2000) return 0;
        return CWindowWnd::ProcessMessage(msg, wParam, lParam);
    }
};

TEST(PaintManagerLoop, ChildMessagesAreReflectedToTheirSender) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 100));
    ReflectingChild child;
    ASSERT_NE(child.CreateWnd(host.GetHWND(), nullptr, WS_CHILD, 0, 0, 0, 10, 10), nullptr);
    LRESULT result = 0;
    EXPECT_TRUE(host.pm.MessageHandler(WM_COMMAND, 1, reinterpret_cast<LPARAM>(child.GetHWND()), result));
    EXPECT_EQ(result, 42);
    EXPECT_FALSE(host.pm.MessageHandler(WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(child.GetHWND()), result));
    EXPECT_FALSE(host.pm.MessageHandler(WM_COMMAND, 1, 0, result));
    NMHDR header = {child.GetHWND(), 1, 0};
    EXPECT_TRUE(host.pm.MessageHandler(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header), result));
    EXPECT_EQ(result, 43);
    EXPECT_FALSE(host.pm.MessageHandler(WM_NOTIFY, 1, 0, result));
}

TEST(PaintManagerLoop, CursorRequestsOutsideTheClientAreaAreLeftAlone) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 100));
    ASSERT_NE(host.Attach(kButtons), nullptr);
    host.ShowAndPaint();
    LRESULT result = 0;
    EXPECT_FALSE(host.pm.MessageHandler(WM_SETCURSOR, reinterpret_cast<WPARAM>(host.GetHWND()),
                                        MAKELPARAM(HTCAPTION, WM_MOUSEMOVE), result));
    host.pm.SetCapture();
    EXPECT_TRUE(host.pm.MessageHandler(WM_SETCURSOR, reinterpret_cast<WPARAM>(host.GetHWND()),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), result));
    host.pm.ReleaseCapture();
}

TEST(PaintManagerLoop, LayeredWindowsHaveNoNonClientPartAndStillPaint) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 200, 100));
    ASSERT_NE(host.Attach(L"<Window layered=\"true\"><VerticalLayout bkcolor=\"#FF00FF00\"/></Window>"), nullptr);
    ASSERT_TRUE(host.pm.IsLayered());
    host.ShowAndPaint();
    wintest::Pump(50);
    ::UpdateWindow(host.GetHWND());
    EXPECT_NE(::GetWindowLongPtrW(host.GetHWND(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_TRUE(log.Contains("note:windowinit:"));
    LRESULT result = 5;
    EXPECT_TRUE(host.pm.MessageHandler(WM_NCCALCSIZE, 0, 0, result));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(host.pm.MessageHandler(WM_NCACTIVATE, 0, 0, result));
    EXPECT_EQ(result, TRUE);
    EXPECT_TRUE(host.pm.MessageHandler(WM_NCACTIVATE, 1, 0, result));
    EXPECT_EQ(result, FALSE);
}

}  // namespace
