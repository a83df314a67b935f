// Control timers of the paint manager on a real window.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/ui/core/window_test_util.h"
#include "ui/controls/control.h"

using namespace SkinUI;
using wintest::EventLog;
using wintest::HostWindow;

namespace {

const UINT kLongTime = 3600 * 1000;  // never fires during a test

// Records the timer events a control receives as (key, lParam).
struct TimerProbe {
    std::vector<WPARAM> keys;
    bool OnEvent(void* p) {
        auto* e = static_cast<TUIEvent*>(p);
        if (e->Type == UIEVENT_TIMER) keys.push_back(e->wParam);
        return true;
    }
};

class PaintManagerTimers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(0, 0, 100, 100));
        root = host.Attach(L"<Window><VerticalLayout name=\"root\"/></Window>");
        ASSERT_NE(root, nullptr);
    }
    // A control attached to the manager (as the tree's controls are), owned by the test.
    CControlUI* NewControl(TimerProbe* probe) {
        controls.emplace_back(new CControlUI);
        CControlUI* c = controls.back().get();
        c->SetManager(&host.pm, root, false);
        if (probe != nullptr) c->OnEvent += MakeDelegate(probe, &TimerProbe::OnEvent);
        return c;
    }
    void FireWindowTimer(UINT id) { ::SendMessageW(host.GetHWND(), WM_TIMER, id, 0); }

    EventLog log;
    HostWindow host{&log};
    CControlUI* root = nullptr;
    std::vector<std::unique_ptr<CControlUI>> controls;
};

TEST_F(PaintManagerTimers, SameKeyFailsWhileActiveAndWorksAgainAfterKill) {
    TimerProbe probe;
    CControlUI* c = NewControl(&probe);
    EXPECT_TRUE(host.pm.SetControlTimer(c, 5, kLongTime));
    EXPECT_FALSE(host.pm.SetControlTimer(c, 5, kLongTime));
    EXPECT_TRUE(host.pm.SetControlTimer(c, 6, kLongTime));  // another key is another timer
    EXPECT_TRUE(host.pm.KillControlTimer(c, 5));
    EXPECT_FALSE(host.pm.KillControlTimer(c, 5));
    EXPECT_TRUE(host.pm.SetControlTimer(c, 5, kLongTime));  // the killed record is reused
    // Ids are handed out from 17 on: key 5 got 17 (and keeps it), key 6 got 18.
    FireWindowTimer(17);
    FireWindowTimer(18);
    EXPECT_EQ(probe.keys, (std::vector<WPARAM>{5, 6}));
    host.pm.KillControlTimer(c);
    FireWindowTimer(17);
    EXPECT_EQ(probe.keys.size(), 2u);
    EXPECT_FALSE(host.pm.KillControlTimer(c, 6));
}

TEST_F(PaintManagerTimers, The241stTimerReusesTheFirstId) {
    TimerProbe first;
    TimerProbe last;
    CControlUI* firstControl = NewControl(&first);
    ASSERT_TRUE(host.pm.SetControlTimer(firstControl, 1, kLongTime));
    for (int i = 0; i < 239; ++i) ASSERT_TRUE(host.pm.SetControlTimer(NewControl(nullptr), 1, kLongTime));
    CControlUI* lastControl = NewControl(&last);
    ASSERT_TRUE(host.pm.SetControlTimer(lastControl, 2, kLongTime));
    // Both records now carry id 17; a tick of 17 reaches the first live one.
    FireWindowTimer(17);
    EXPECT_EQ(first.keys, std::vector<WPARAM>{1});
    EXPECT_TRUE(last.keys.empty());
    host.pm.KillControlTimer(firstControl, 1);
    FireWindowTimer(17);
    EXPECT_EQ(last.keys, std::vector<WPARAM>{2});
    EXPECT_EQ(first.keys.size(), 1u);
}

TEST_F(PaintManagerTimers, ARealTimerTicksIntoItsControl) {
    TimerProbe probe;
    CControlUI* c = NewControl(&probe);
    ASSERT_TRUE(host.pm.SetControlTimer(c, 9, 10));
    const DWORD start = ::GetTickCount();
    while (probe.keys.empty() && ::GetTickCount() - start < 5000) wintest::Pump(20);
    ASSERT_FALSE(probe.keys.empty());
    EXPECT_EQ(probe.keys[0], 9u);
    host.pm.KillControlTimer(c, 9);
}

TEST_F(PaintManagerTimers, DestroyingAControlRemovesItsTimers) {
    TimerProbe probe;
    auto* doomed = new CControlUI;
    doomed->SetManager(&host.pm, root, false);
    doomed->OnEvent += MakeDelegate(&probe, &TimerProbe::OnEvent);
    ASSERT_TRUE(host.pm.SetControlTimer(doomed, 3, kLongTime));
    delete doomed;
    FireWindowTimer(17);  // must not reach the freed control
    EXPECT_TRUE(probe.keys.empty());
}

}  // namespace
