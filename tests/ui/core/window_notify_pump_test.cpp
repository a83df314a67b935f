// Notification maps: lookup order along the class chain, name matching, call
// forms and sub-pumps named by virtual window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/controls/control.h"
#include "ui/core/notify_pump.h"

using namespace SkinUI;

namespace {

std::vector<std::string> g_calls;

class BasePump : public CNotifyPump {
public:
    void OnAnyClick(TUINotify&) { g_calls.push_back("base:any-click"); }
    void OnSelect(TUINotify&) { g_calls.push_back("base:select"); }
    SKINUI_DECLARE_NOTIFY_MAP()
};

class DerivedPump : public BasePump {
public:
    void OnFirstAny(TUINotify&) { g_calls.push_back("derived:first-any"); }
    void OnLastAny(TUINotify&) { g_calls.push_back("derived:last-any"); }
    void OnOk(TUINotify&) { g_calls.push_back("derived:ok"); }
    void OnArgs(WPARAM w, LPARAM l) { g_calls.push_back("derived:args:" + std::to_string(w) + "," + std::to_string(l)); }
    SKINUI_DECLARE_NOTIFY_MAP()
};

class SubPump : public CNotifyPump {
public:
    void OnClick(TUINotify&) { g_calls.push_back("sub:click"); }
    SKINUI_DECLARE_NOTIFY_MAP()
};

SKINUI_BEGIN_NOTIFY_MAP(BasePump, CNotifyPump)
SKINUI_NOTIFY_TYPE_HANDLER(L"click", BasePump, OnAnyClick)
SKINUI_NOTIFY_TYPE_HANDLER(L"itemselect", BasePump, OnSelect)
SKINUI_END_NOTIFY_MAP()

SKINUI_BEGIN_NOTIFY_MAP(DerivedPump, BasePump)
SKINUI_NOTIFY_TYPE_HANDLER(L"click", DerivedPump, OnFirstAny)
SKINUI_NOTIFY_NAME_HANDLER(L"click", L"ok", DerivedPump, OnOk)
SKINUI_NOTIFY_TYPE_HANDLER(L"click", DerivedPump, OnLastAny)
SKINUI_NOTIFY_NAME_HANDLER_ARGS(L"value", L"slider", DerivedPump, OnArgs)
SKINUI_END_NOTIFY_MAP()

SKINUI_BEGIN_NOTIFY_MAP(SubPump, CNotifyPump)
SKINUI_NOTIFY_TYPE_HANDLER(L"click", SubPump, OnClick)
SKINUI_END_NOTIFY_MAP()

struct Sender {
    CControlUI control;
    explicit Sender(const wchar_t* name) { control.SetName(name); }
};

TUINotify Make(const wchar_t* type, CControlUI* sender, const wchar_t* virtualWnd = L"") {
    TUINotify msg;
    msg.sType = type;
    msg.pSender = sender;
    msg.sVirtualWnd = virtualWnd;
    msg.wParam = 3;
    msg.lParam = 4;
    return msg;
}

class NotifyPump : public ::testing::Test {
protected:
    void SetUp() override { g_calls.clear(); }
};

TEST_F(NotifyPump, NamedEntryWinsOtherwiseTheLastAnySenderEntryOfTheMostDerivedMap) {
    DerivedPump pump;
    Sender ok(L"ok"), other(L"other");
    TUINotify m1 = Make(L"click", &ok.control);
    EXPECT_TRUE(pump.DispatchNotify(m1));
    TUINotify m2 = Make(L"click", &other.control);
    EXPECT_TRUE(pump.DispatchNotify(m2));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"derived:ok", "derived:last-any"}));
}

TEST_F(NotifyPump, FallsBackToTheBaseMapAndReportsUnknownTypes) {
    DerivedPump pump;
    Sender list(L"list");
    TUINotify select = Make(L"itemselect", &list.control);
    EXPECT_TRUE(pump.DispatchNotify(select));
    TUINotify unknown = Make(L"nothing", &list.control);
    EXPECT_FALSE(pump.DispatchNotify(unknown));
    TUINotify wrongCase = Make(L"CLICK", &list.control);
    EXPECT_FALSE(pump.DispatchNotify(wrongCase));  // types match exactly
    EXPECT_EQ(g_calls, std::vector<std::string>{"base:select"});
}

TEST_F(NotifyPump, ArgumentFormPassesWParamAndLParam) {
    DerivedPump pump;
    Sender slider(L"slider"), knob(L"knob");
    TUINotify msg = Make(L"value", &slider.control);
    EXPECT_TRUE(pump.DispatchNotify(msg));
    TUINotify otherSender = Make(L"value", &knob.control);
    EXPECT_FALSE(pump.DispatchNotify(otherSender));  // named entries match only their sender
    EXPECT_EQ(g_calls, std::vector<std::string>{"derived:args:3,4"});
}

TEST_F(NotifyPump, VirtualWindowGoesToTheSubPumpIgnoringCaseThenToThisPump) {
    DerivedPump pump;
    SubPump sub;
    ASSERT_TRUE(pump.AddVirtualWnd(L"Page1", &sub));
    EXPECT_FALSE(pump.AddVirtualWnd(L"Page1", &sub));
    Sender btn(L"btn");
    TUINotify toSub = Make(L"click", &btn.control, L"PAGE1");
    EXPECT_TRUE(pump.DispatchNotify(toSub));
    // The sub-pump does not know "itemselect": this pump's maps take it.
    TUINotify notForSub = Make(L"itemselect", &btn.control, L"page1");
    EXPECT_TRUE(pump.DispatchNotify(notForSub));
    TUINotify unnamed = Make(L"click", &btn.control, L"page2");
    EXPECT_TRUE(pump.DispatchNotify(unnamed));
    EXPECT_TRUE(pump.RemoveVirtualWnd(L"Page1"));
    TUINotify afterRemoval = Make(L"click", &btn.control, L"Page1");
    EXPECT_TRUE(pump.DispatchNotify(afterRemoval));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"sub:click", "base:select", "derived:last-any",
                                                 "derived:last-any"}));
}

TEST_F(NotifyPump, ThePlainPumpHandlesNothing) {
    SubPump pump;
    TUINotify msg = Make(L"anything", nullptr);
    EXPECT_FALSE(pump.DispatchNotify(msg));
}

}  // namespace
