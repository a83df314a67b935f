// Paint manager with a real window and synthetic mouse and keyboard messages.
#include <gtest/gtest.h>

#include "tests/ui/core/window_test_util.h"
#include "ui/controls/control.h"

using namespace SkinUI;
using wintest::EventLog;
using wintest::EventRecorder;
using wintest::HostWindow;
using wintest::SendMouse;

namespace {

// a [0,100) x [0,100), button [100,200) x [0,100), c takes the rest; the lower half
// of the client area is an empty strip of the vertical root.
const wchar_t kRow[] =
    L"<Window><VerticalLayout name=\"root\">"
    L"<HorizontalLayout name=\"row\" height=\"100\">"
    L"<Control name=\"a\" width=\"100\"/>"
    L"<Button name=\"btn\" width=\"100\" text=\"OK\"/>"
    L"<Control name=\"c\"/>"
    L"</HorizontalLayout></VerticalLayout></Window>";

class PaintManagerInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(0, 0, 300, 200));
        ASSERT_NE(host.Attach(kRow), nullptr);
        host.ShowAndPaint();
        wintest::Pump();
        recA.Attach(host.pm.FindControlByName(L"a"));
        recBtn.Attach(host.pm.FindControlByName(L"btn"));
        recC.Attach(host.pm.FindControlByName(L"c"));
        log.Clear();
    }

    EventLog log;
    HostWindow host{&log};
    EventRecorder recA{&log, "a"};
    EventRecorder recBtn{&log, "btn"};
    EventRecorder recC{&log, "c"};
};

TEST_F(PaintManagerInput, HitTestFindsTheTopmostVisibleControl) {
    EXPECT_EQ(host.pm.FindControlAt(POINT{50, 50}), host.pm.FindControlByName(L"a"));
    EXPECT_EQ(host.pm.FindControlAt(POINT{150, 50}), host.pm.FindControlByName(L"btn"));
    EXPECT_EQ(host.pm.FindControlAt(POINT{150, 150}), host.pm.FindControlByName(L"root"));
    EXPECT_EQ(host.pm.FindControlAt(POINT{-5, -5}), nullptr);
    host.pm.FindControlByName(L"a")->SetVisible(false);
    ::UpdateWindow(host.GetHWND());
    EXPECT_NE(host.pm.FindControlAt(POINT{50, 50}), host.pm.FindControlByName(L"a"));
}

TEST_F(PaintManagerInput, MovingBetweenControlsGivesLeaveThenEnterThenMove) {
    SendMouse(host.GetHWND(), WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"enter:a", "move:a"}));
    log.Clear();
    SendMouse(host.GetHWND(), WM_MOUSEMOVE, 60, 50);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"move:a"}));
    log.Clear();
    SendMouse(host.GetHWND(), WM_MOUSEMOVE, 250, 50);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"leave:a", "enter:c", "move:c"}));
    log.Clear();
    // Leaving the window (the point the manager uses when the mouse has gone).
    ::SendMessageW(host.GetHWND(), WM_MOUSEMOVE, 0, static_cast<LPARAM>(-1));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"leave:c"}));
}

TEST_F(PaintManagerInput, PressOnButtonAndReleaseOutsideGoesToTheButtonWithoutClick) {
    SendMouse(host.GetHWND(), WM_LBUTTONDOWN, 150, 50, MK_LBUTTON);
    EXPECT_TRUE(host.pm.IsCaptured());
    SendMouse(host.GetHWND(), WM_MOUSEMOVE, 50, 50, MK_LBUTTON);
    SendMouse(host.GetHWND(), WM_LBUTTONUP, 50, 50);
    EXPECT_FALSE(host.pm.IsCaptured());
    EXPECT_EQ(log.With("down:"), std::vector<std::string>{"down:btn"});
    EXPECT_EQ(log.With("up:"), std::vector<std::string>{"up:btn"});
    // While captured, moves go to the pressed button, and the hover does not change.
    EXPECT_TRUE(log.Contains("move:btn"));
    EXPECT_FALSE(log.Contains("enter:a"));
    EXPECT_TRUE(log.With("note:click").empty());

    // Pressed and released inside, the button reports its click.
    log.Clear();
    SendMouse(host.GetHWND(), WM_LBUTTONDOWN, 150, 50, MK_LBUTTON);
    SendMouse(host.GetHWND(), WM_LBUTTONUP, 150, 50);
    EXPECT_EQ(log.With("note:click"), std::vector<std::string>{"note:click:btn"});
}

TEST_F(PaintManagerInput, RightButtonReleaseOverEmptySpaceClearsTheClickControl) {
    SendMouse(host.GetHWND(), WM_RBUTTONDOWN, 50, 50, MK_RBUTTON);
    EXPECT_EQ(log.With("rdown:"), std::vector<std::string>{"rdown:a"});
    log.Clear();
    ::SendMessageW(host.GetHWND(), WM_RBUTTONUP, 0, MAKELPARAM(-10, -10));
    // No control there: no event, and the click control is gone, so a later left-button
    // release and a context-menu request reach nobody.
    SendMouse(host.GetHWND(), WM_LBUTTONUP, 50, 50);
    POINT screen = {50, 50};
    ::ClientToScreen(host.GetHWND(), &screen);
    ::SendMessageW(host.GetHWND(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(host.GetHWND()),
                   MAKELPARAM(screen.x, screen.y));
    for (const std::string& line : log.lines) {
        EXPECT_TRUE(line.rfind("move", 0) == 0 || line.rfind("enter", 0) == 0) << line;
    }
    // A right-button release over a control gives it the event.
    SendMouse(host.GetHWND(), WM_RBUTTONUP, 250, 50);
    EXPECT_TRUE(log.Contains("rup:c"));
}

TEST_F(PaintManagerInput, KeysGoToTheFocusAndKeyUpToTheControlThatGotTheKeyDown) {
    CControlUI* a = host.pm.FindControlByName(L"a");
    CControlUI* c = host.pm.FindControlByName(L"c");
    host.pm.SetFocusControl(a);
    EXPECT_EQ(host.pm.GetFocus(), a);
    EXPECT_TRUE(log.Contains("setfocus:a"));
    EXPECT_TRUE(log.Contains("note:setfocus:a"));
    log.Clear();
    ::SendMessageW(host.GetHWND(), WM_KEYDOWN, 'X', 0);
    host.pm.SetFocusControl(c);
    EXPECT_EQ(log.With("note:"), (std::vector<std::string>{"note:killfocus:a", "note:setfocus:c"}));
    ::SendMessageW(host.GetHWND(), WM_KEYUP, 'X', 0);
    ::SendMessageW(host.GetHWND(), WM_CHAR, 'y', 0);
    EXPECT_TRUE(log.Contains("keydown:a"));
    EXPECT_TRUE(log.Contains("keyup:a"));
    EXPECT_TRUE(log.Contains("char:c"));
    EXPECT_FALSE(log.Contains("keyup:c"));

    // A hidden or disabled control does not take the focus.
    c->SetEnabled(false);
    host.pm.SetFocusControl(nullptr);
    host.pm.SetFocusControl(c);
    EXPECT_EQ(host.pm.GetFocus(), nullptr);
}

TEST_F(PaintManagerInput, WheelGoesToTheControlUnderThePointWithDirectionInTheLowWord) {
    struct WheelProbe {
        WPARAM last = 0;
        bool OnEvent(void* p) {
            auto* e = static_cast<TUIEvent*>(p);
            if (e->Type == UIEVENT_SCROLLWHEEL) last = e->wParam;
            return true;
        }
    } probe;
    host.pm.FindControlByName(L"c")->OnEvent += MakeDelegate(&probe, &WheelProbe::OnEvent);
    POINT screen = {250, 50};
    ::ClientToScreen(host.GetHWND(), &screen);
    ::SendMessageW(host.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)),
                   MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(LOWORD(probe.last), 1);
    EXPECT_EQ(static_cast<short>(HIWORD(probe.last)), -120);
    EXPECT_TRUE(log.Contains("wheel:c"));
    // The hover follows the point.
    EXPECT_TRUE(log.Contains("enter:c"));
    ::SendMessageW(host.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(LOWORD(probe.last), 0);
}

TEST_F(PaintManagerInput, CloseSendsLeaveAndButtonUpAndDropsTheFocus) {
    SendMouse(host.GetHWND(), WM_MOUSEMOVE, 50, 50);
    SendMouse(host.GetHWND(), WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
    EXPECT_EQ(host.pm.GetFocus(), host.pm.FindControlByName(L"a"));
    log.Clear();
    LRESULT result = 0;
    EXPECT_FALSE(host.pm.MessageHandler(WM_CLOSE, 0, 0, result));
    EXPECT_TRUE(log.Contains("leave:a"));
    EXPECT_TRUE(log.Contains("up:a"));
    EXPECT_EQ(host.pm.GetFocus(), nullptr);
}

TEST_F(PaintManagerInput, MessageFiltersComeFirstAndUpdateTheMousePosition) {
    struct Swallow : IMessageFilterUI {
        UINT swallowed = 0;
        LRESULT FilterMessage(UINT msg, WPARAM, LPARAM, bool& handled) override {
            if (msg == WM_LBUTTONDOWN) {
                handled = true;
                ++swallowed;
                return 7;
            }
            return 0;
        }
    } filter;
    host.pm.AddMessageFilter(&filter);
    EXPECT_EQ(SendMouse(host.GetHWND(), WM_LBUTTONDOWN, 42, 43, MK_LBUTTON), 7);
    EXPECT_EQ(filter.swallowed, 1u);
    EXPECT_TRUE(log.With("down:").empty());
    EXPECT_EQ(host.pm.GetMousePos().x, 42);
    EXPECT_EQ(host.pm.GetMousePos().y, 43);
    host.pm.RemoveMessageFilter(&filter);
    SendMouse(host.GetHWND(), WM_LBUTTONDOWN, 42, 43, MK_LBUTTON);
    EXPECT_TRUE(log.Contains("down:a"));
    SendMouse(host.GetHWND(), WM_LBUTTONUP, 42, 43);
}

TEST_F(PaintManagerInput, HoverShowsTheToolTipAndMouseLeaveEndsTheHover) {
    host.pm.FindControlByName(L"c")->SetToolTip(L"more room");
    SendMouse(host.GetHWND(), WM_MOUSEMOVE, 250, 50);
    EXPECT_EQ(host.pm.GetTooltipWindow(), nullptr);
    SendMouse(host.GetHWND(), WM_MOUSEHOVER, 250, 50);
    EXPECT_TRUE(log.Contains("hover:c"));
    HWND tip = host.pm.GetTooltipWindow();
    ASSERT_NE(tip, nullptr);
    wchar_t cls[32] = {};
    ::GetClassNameW(tip, cls, 32);
    EXPECT_STREQ(cls, L"tooltips_class32");
    EXPECT_EQ(::GetWindow(tip, GW_OWNER), host.GetHWND());
    // A control without a tooltip text creates nothing new.
    SendMouse(host.GetHWND(), WM_MOUSEHOVER, 50, 50);
    EXPECT_EQ(host.pm.GetTooltipWindow(), tip);

    // The window is not active, so leaving ends the hover through a move to nowhere.
    log.Clear();
    SendMouse(host.GetHWND(), WM_MOUSEMOVE, 250, 50);
    ::SendMessageW(host.GetHWND(), WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(log.Contains("leave:c"));
    // Closing the window's manager side destroys the tooltip.
    LRESULT result = 0;
    host.pm.MessageHandler(WM_CLOSE, 0, 0, result);
    EXPECT_EQ(host.pm.GetTooltipWindow(), nullptr);
    EXPECT_FALSE(::IsWindow(tip));
}

TEST(PaintManagerBare, MessagesBeforeInitAreNotHandled) {
    CPaintManagerUI pm;
    LRESULT result = 0;
    EXPECT_FALSE(pm.MessageHandler(WM_ERASEBKGND, 0, 0, result));
    EXPECT_FALSE(pm.MessageHandler(WM_PAINT, 0, 0, result));
}

}  // namespace
