// Option groups and check boxes in a real window, driven by window messages: clicks,
// Space, Enter and the arrow keys; Tab stops; options that leave their group when
// they go. (What a screen reader reads of them: skinview_reader_test.cpp.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/controls/container.h"
#include "ui/core/paint_manager.h"
#include "ui/core/skin_builder.h"
#include "ui/core/window_wnd.h"
#include "ui/widgets/input/option.h"
#include "ui/widgets/widget_registry.h"

using namespace SkinUI;

namespace {

// A radio group (b is selected after a, so b keeps the selection; c is disabled), two
// check boxes and an option without a group.
const wchar_t kChoices[] =
    L"<Window><VerticalLayout>"
    L"<HorizontalLayout name=\"radios\" height=\"30\">"
    L"<Option name=\"a\" text=\"A\" group=\"g\" width=\"50\" selected=\"true\"/>"
    L"<Option name=\"b\" text=\"B\" group=\"g\" width=\"50\" selected=\"true\"/>"
    L"<Option name=\"c\" text=\"C\" group=\"g\" width=\"50\" enabled=\"false\"/>"
    L"<Option name=\"d\" text=\"D\" group=\"g\" width=\"50\"/>"
    L"</HorizontalLayout>"
    L"<HorizontalLayout height=\"30\">"
    L"<CheckBox name=\"x\" text=\"X\" width=\"50\"/>"
    L"<CheckBox name=\"y\" text=\"Y\" width=\"50\" selected=\"true\"/>"
    L"<Option name=\"t\" text=\"T\" width=\"50\"/>"
    L"</HorizontalLayout>"
    L"</VerticalLayout></Window>";
const wchar_t* const kNames[] = {L"a", L"b", L"c", L"d", L"x", L"y", L"t"};

std::string Narrow(const wchar_t* s) {
    std::string out;
    for (; s != nullptr && *s != 0; ++s) out.push_back(static_cast<char>(*s));
    return out;
}

// A window whose messages all go to its paint manager first; it writes down the
// "selectchanged" and "click" notifications it receives.
class CHost final : public CWindowWnd, public INotifyUI {
public:
    ~CHost() {
        if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    }
    LPCWSTR ClassName() const override { return L"ChoicesTestHost"; }
    LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (pm.MessageHandler(msg, wParam, lParam, result)) return result;
        return CWindowWnd::ProcessMessage(msg, wParam, lParam);
    }
    void ReceiveNotify(TUINotify& msg) override {
        const std::string sender = Narrow(msg.pSender->GetName());
        if (msg.sType == L"selectchanged") notes += "selectchanged:" + sender + "=" + std::to_string(msg.wParam) + " ";
        if (msg.sType == L"click") notes += "click:" + sender + " ";
    }

    bool Open() {
        RegisterWidgetControls();
        if (CreateWnd(nullptr, L"choices", WS_POPUP, WS_EX_TOOLWINDOW, 30, 40, 200, 60) == nullptr) return false;
        pm.Init(m_hWnd);
        CSkinBuilder builder;
        CControlUI* root = builder.Create(kChoices, nullptr, nullptr, &pm, nullptr);
        if (root == nullptr || !pm.AttachRoot(root)) return false;
        pm.AddNotifier(this);
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        ::UpdateWindow(m_hWnd);
        return true;
    }
    COptionUI* Option(const wchar_t* name) {
        CControlUI* control = pm.FindControlByName(name);
        return control != nullptr ? static_cast<COptionUI*>(control->GetInterface(L"Option")) : nullptr;
    }
    void Click(const wchar_t* name) {
        const RECT rc = pm.FindControlByName(name)->GetPos();
        const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        ::SendMessageW(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(m_hWnd, WM_LBUTTONUP, 0, at);
    }
    void Key(UINT vk) {
        ::SendMessageW(m_hWnd, WM_KEYDOWN, vk, 1);
        ::SendMessageW(m_hWnd, WM_KEYUP, vk, 1);
    }
    // The names of the selected options and checked boxes, in markup order.
    std::string Selected() {
        std::string out;
        for (const wchar_t* name : kNames) {
            if (Option(name)->IsSelected()) out += (out.empty() ? "" : " ") + Narrow(name);
        }
        return out;
    }
    std::string Focus() const { return pm.GetFocus() != nullptr ? Narrow(pm.GetFocus()->GetName()) : ""; }
    std::string Group(const wchar_t* group) const {
        std::string out;
        const CUIPtrArray* members = pm.GetOptionGroup(group);
        for (int i = 0; members != nullptr && i < members->GetSize(); ++i) {
            out += (out.empty() ? "" : " ") + Narrow(static_cast<CControlUI*>(members->GetAt(i))->GetName());
        }
        return out;
    }

    CPaintManagerUI pm;
    std::string notes;
};

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

TEST(Choices, MouseAndKeysSelectInGroupsAndToggleCheckBoxes) {
    CHost host;
    ASSERT_TRUE(host.Open());
    EXPECT_EQ(host.Selected(), "b y");  // of two selected in markup, the later keeps it
    EXPECT_EQ(host.Focus(), "b");       // the first paint focuses the group's selected option
    const struct {
        const wchar_t* click;  // or a key
        UINT key;
        const char* selected;
        const char* notes;
        const char* focus;
    } kSteps[] = {
        {L"a", 0, "a y", "selectchanged:b=0 selectchanged:a=1 click:a ", "a"},
        {nullptr, VK_RIGHT, "b y", "selectchanged:a=0 selectchanged:b=1 click:b ", "b"},
        {nullptr, VK_RIGHT, "d y", "selectchanged:b=0 selectchanged:d=1 click:d ", "d"},  // c is disabled
        {nullptr, VK_DOWN, "a y", "selectchanged:d=0 selectchanged:a=1 click:a ", "a"},   // wraps
        {nullptr, VK_LEFT, "d y", "selectchanged:a=0 selectchanged:d=1 click:d ", "d"},
        {nullptr, VK_SPACE, "d y", "click:d ", "d"},
        {nullptr, VK_RETURN, "d y", "", "d"},
        {L"x", 0, "d x y", "selectchanged:x=1 click:x ", "x"},
        {nullptr, VK_SPACE, "d y", "selectchanged:x=0 click:x ", "x"},
        {nullptr, VK_RIGHT, "d y", "", "x"},  // a check box leaves the arrows alone
        {L"t", 0, "d y t", "selectchanged:t=1 click:t ", "t"},
        {L"t", 0, "d y", "selectchanged:t=0 click:t ", "t"},  // no group: it toggles
        {L"c", 0, "d y", "", ""},
    };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.click != nullptr ? "click " + Narrow(step.click) : "key " + std::to_string(step.key));
        host.notes.clear();
        if (step.click != nullptr)
            host.Click(step.click);
        else
            host.Key(step.key);
        EXPECT_EQ(host.Selected(), step.selected);
        EXPECT_EQ(host.notes, step.notes);
        EXPECT_EQ(host.Focus(), step.focus);
    }
    // Tab enters the group at its selected option only; disabled c is no stop either.
    host.pm.SetFocusControl(nullptr);
    std::string stops;
    for (int i = 0; i < 5; ++i) {
        host.pm.SetNextTabControl(true);
        stops += host.Focus() + " ";
    }
    EXPECT_EQ(stops, "d x y t d ");
}

TEST(Choices, OptionsLeaveTheirGroupWhenTheyGoOrChangeIt) {
    CHost host;
    ASSERT_TRUE(host.Open());
    EXPECT_EQ(host.Group(L"g"), "a b c d");
    host.Option(L"a")->SetGroup(L"h");
    EXPECT_EQ(host.Group(L"g"), "b c d");
    EXPECT_EQ(host.Group(L"h"), "a");
    host.Option(L"a")->Selected(true);  // alone in its new group: b keeps the selection
    EXPECT_EQ(host.Selected(), "a b y");

    // Removed from the tree, d is destroyed by the manager's deferred clean-up.
    auto* radios = static_cast<IContainerUI*>(host.pm.FindControlByName(L"radios")->GetInterface(L"IContainer"));
    ASSERT_TRUE(radios->Remove(host.Option(L"d")));
    Pump();
    EXPECT_EQ(host.Group(L"g"), "b c");
    // The arrows walk what is left: from b there is only disabled c, so nothing moves.
    host.Click(L"b");
    host.notes.clear();
    host.Key(VK_RIGHT);
    EXPECT_EQ(host.notes, "");
    EXPECT_EQ(host.Focus(), "b");

    // An emptied group goes from the map; the window ends with options still in groups.
    host.Option(L"a")->SetGroup(L"");
    EXPECT_EQ(host.pm.GetOptionGroup(L"h"), nullptr);
}

}  // namespace
