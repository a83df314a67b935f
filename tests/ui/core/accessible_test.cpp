// The accessibility tree of a skinned window, read through WM_GETOBJECT from this
// process (the launcher's tests read it from a second one): roles, names, values,
// states and places, actions, events, lifetime, and the keyboard focus cue.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/a11y_walk.h"
#include "tests/ui/core/window_test_util.h"
#include "ui/controls/button.h"
#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/controls/progress.h"
#include "ui/core/accessible_model.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;
using wintest::EventLog;
using wintest::HostWindow;

namespace {

const wchar_t kPanel[] =
    L"<Window><VerticalLayout bkcolor=\"#FFFFFFFF\">"
    L"<HorizontalLayout height=\"40\" accname=\"\u5DE5\u5177\u680F\">"
    L"<Button name=\"close\" accname=\"\u5173\u95ED\" width=\"40\"/>"
    L"<Button name=\"ok\" text=\"\u786E\u5B9A\" tooltip=\"\u63D0\u4EA4\" width=\"60\"/>"
    L"<Button name=\"tip\" tooltip=\"\u5E2E\u52A9\" width=\"60\"/>"
    L"</HorizontalLayout>"
    L"<Label name=\"title\" text=\"Hello\" height=\"20\"/>"
    L"<Label name=\"deco\" height=\"10\"/>"
    L"<Control name=\"logo\" tooltip=\"\u6807\u5FD7\" height=\"10\"/>"
    L"<Progress name=\"bar\" min=\"0\" max=\"200\" value=\"50\" height=\"20\"/>"
    L"<Button name=\"hidden\" text=\"\u9690\u85CF\" visible=\"false\" height=\"20\"/>"
    L"<Button name=\"off\" text=\"\u7981\u7528\" enabled=\"false\" height=\"20\"/>"
    L"</VerticalLayout></Window>";

// COM for the test's thread, and the panel in a window at (40, 50).
class AccessibleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_TRUE(host.Open(40, 50, 300, 200));
        ASSERT_NE(host.Attach(kPanel), nullptr);
    }
    void TearDown() override {
        if (::IsWindow(host.GetHWND())) ::DestroyWindow(host.GetHWND());
        ::CoUninitialize();
    }
    void Show() {
        host.ShowAndPaint();
        wintest::Pump();
    }
    // The element of a role and name; released by the test.
    IAccessible* Element(IAccessible* client, LONG role, const wchar_t* name) {
        IAccessible* found = a11y::Find(client, role, name);
        EXPECT_NE(found, nullptr) << a11y::Utf8(name);
        return found;
    }

    EventLog log;
    HostWindow host{&log};
};

VARIANT Self() {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

std::wstring NameOfVariant(IAccessible* from, VARIANT& v) {
    std::wstring name;
    if (v.vt == VT_I4) name = a11y::Name(from, v.lVal);
    if (v.vt == VT_DISPATCH && v.pdispVal != nullptr) {
        IAccessible* acc = nullptr;
        if (SUCCEEDED(v.pdispVal->QueryInterface(a11y::kIIDAccessible, reinterpret_cast<void**>(&acc)))) {
            name = a11y::Name(acc);
            acc->Release();
        }
    }
    ::VariantClear(&v);
    return name;
}

}  // namespace

TEST(AccessibleModel, NameComesFromTheAttributeThenTheTextThenTheTooltip) {
    const struct {
        const wchar_t* attributes;
        const wchar_t* name;
    } kCases[] = {
        {L"accname=\"A\" text=\"T\" tooltip=\"P\"", L"A"},
        {L"text=\"T\" tooltip=\"P\"", L"T"},
        {L"tooltip=\"P\"", L"P"},
        {L"accname=\"\" text=\"T\"", L"T"},
        {L"", L""},
    };
    for (const auto& c : kCases) {
        CButtonUI button;
        button.ApplyAttributeString(c.attributes);
        EXPECT_STREQ(Accessible::NameOf(&button), c.name) << a11y::Utf8(c.attributes);
    }
}

TEST_F(AccessibleTest, TreeMirrorsTheVisibleControls) {
    Show();
    IAccessible* client = a11y::ClientOf(host.GetHWND());
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(a11y::Role(client), ROLE_SYSTEM_CLIENT);
    EXPECT_EQ(a11y::Name(client), L"SkinUI test host");
    std::wstring dump = a11y::DumpTree(client);
    dump = dump.substr(dump.find(L'\n') + 1);
    EXPECT_EQ(a11y::Utf8(dump),
              a11y::Utf8(L"  grouping \"\u5DE5\u5177\u680F\" state=normal\n"
                         L"    push button \"\u5173\u95ED\" state=focusable,focused\n"
                         L"    push button \"\u786E\u5B9A\" state=focusable\n"
                         L"    push button \"\u5E2E\u52A9\" state=focusable\n"
                         L"  static text \"Hello\" state=readonly\n"
                         L"  graphic \"\u6807\u5FD7\" state=normal\n"
                         L"  progress bar \"\" value=25% state=readonly\n"
                         L"  push button \"\u9690\u85CF\" state=invisible\n"
                         L"  push button \"\u7981\u7528\" state=unavailable\n"));

    IAccessible* ok = Element(client, ROLE_SYSTEM_PUSHBUTTON, L"\u786E\u5B9A");
    ASSERT_NE(ok, nullptr);
    const RECT place = a11y::Location(ok);  // screen pixels: the window sits at (40, 50)
    EXPECT_EQ(place.left, 80);
    EXPECT_EQ(place.top, 50);
    EXPECT_EQ(place.right, 140);
    EXPECT_EQ(place.bottom, 90);
    BSTR description = nullptr;
    EXPECT_EQ(ok->get_accDescription(Self(), &description), S_OK);
    EXPECT_STREQ(description, L"\u63D0\u4EA4");
    ::SysFreeString(description);

    // Up the tree: the grouping, the client area, then the system's window object.
    IDispatch* up = nullptr;
    ASSERT_EQ(ok->get_accParent(&up), S_OK);
    IAccessible* group = nullptr;
    ASSERT_TRUE(SUCCEEDED(up->QueryInterface(a11y::kIIDAccessible, reinterpret_cast<void**>(&group))));
    up->Release();
    EXPECT_EQ(a11y::Name(group), L"\u5DE5\u5177\u680F");
    ASSERT_EQ(group->get_accParent(&up), S_OK);
    up->Release();
    ASSERT_EQ(client->get_accParent(&up), S_OK);
    IAccessible* frame = nullptr;  // the system's window object
    EXPECT_TRUE(SUCCEEDED(up->QueryInterface(a11y::kIIDAccessible, reinterpret_cast<void**>(&frame))));
    up->Release();
    if (frame != nullptr) frame->Release();
    group->Release();
    ok->Release();
    client->Release();
}

TEST_F(AccessibleTest, HitTestNavigationFocusAndDefaultAction) {
    Show();
    IAccessible* client = a11y::ClientOf(host.GetHWND());
    ASSERT_NE(client, nullptr);
    IAccessible* close = Element(client, ROLE_SYSTEM_PUSHBUTTON, L"\u5173\u95ED");
    IAccessible* ok = Element(client, ROLE_SYSTEM_PUSHBUTTON, L"\u786E\u5B9A");
    IAccessible* title = Element(client, ROLE_SYSTEM_STATICTEXT, L"Hello");
    IAccessible* off = Element(client, ROLE_SYSTEM_PUSHBUTTON, L"\u7981\u7528");
    ASSERT_TRUE(close && ok && title && off);

    VARIANT hit;
    EXPECT_EQ(client->accHitTest(40 + 70, 50 + 20, &hit), S_OK);  // inside "确定"
    EXPECT_EQ(NameOfVariant(client, hit), L"\u786E\u5B9A");
    EXPECT_EQ(client->accHitTest(40 + 150, 50 + 65, &hit), S_OK);  // the unnamed label: the client itself
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(client->accHitTest(5, 5, &hit), S_FALSE);  // outside the window
    EXPECT_EQ(hit.vt, VT_EMPTY);

    const struct {
        IAccessible* from;
        long dir;
        const wchar_t* to;  // null: nothing there
    } kMoves[] = {
        {close, NAVDIR_NEXT, L"\u786E\u5B9A"},      {close, NAVDIR_PREVIOUS, nullptr},
        {close, NAVDIR_RIGHT, L"\u786E\u5B9A"},     {ok, NAVDIR_LEFT, L"\u5173\u95ED"},
        {title, NAVDIR_UP, L"\u5DE5\u5177\u680F"},  {client, NAVDIR_FIRSTCHILD, L"\u5DE5\u5177\u680F"},
        {client, NAVDIR_LASTCHILD, L"\u7981\u7528"}, {client, NAVDIR_NEXT, nullptr},
    };
    for (const auto& m : kMoves) {
        VARIANT end;
        const HRESULT hr = m.from->accNavigate(m.dir, Self(), &end);
        if (m.to == nullptr) {
            EXPECT_EQ(hr, S_FALSE) << m.dir;
            EXPECT_EQ(end.vt, VT_EMPTY);
        } else {
            EXPECT_EQ(hr, S_OK) << m.dir;
            EXPECT_EQ(NameOfVariant(m.from, end), m.to) << m.dir;
        }
    }

    EXPECT_EQ(ok->accSelect(SELFLAG_TAKEFOCUS, Self()), S_OK);
    EXPECT_EQ(host.pm.GetFocus(), host.pm.FindControlByName(L"ok"));
    EXPECT_NE(a11y::State(ok) & STATE_SYSTEM_FOCUSED, 0);
    VARIANT focus;
    EXPECT_EQ(client->get_accFocus(&focus), S_OK);
    EXPECT_EQ(NameOfVariant(client, focus), L"\u786E\u5B9A");
    EXPECT_EQ(off->accSelect(SELFLAG_TAKEFOCUS, Self()), E_FAIL);

    // The default action is the click a mouse gives, from the window's queue.
    BSTR action = nullptr;
    EXPECT_EQ(ok->get_accDefaultAction(Self(), &action), S_OK);
    EXPECT_STREQ(action, L"\u6309\u4E0B");
    ::SysFreeString(action);
    log.Clear();
    EXPECT_EQ(ok->accDoDefaultAction(Self()), S_OK);
    EXPECT_FALSE(log.Contains("note:click:ok"));
    wintest::Pump();
    EXPECT_TRUE(log.Contains("note:click:ok"));
    EXPECT_EQ(off->accDoDefaultAction(Self()), E_FAIL);
    EXPECT_EQ(title->accDoDefaultAction(Self()), DISP_E_MEMBERNOTFOUND);
    wintest::Pump();
    EXPECT_FALSE(log.Contains("note:click:off"));

    for (IAccessible* acc : {close, ok, title, off, client}) acc->Release();
}

TEST_F(AccessibleTest, HeldElementsAnswerNotConnectedOnceTheirControlOrWindowIsGone) {
    Show();
    IAccessible* client = a11y::ClientOf(host.GetHWND());
    ASSERT_NE(client, nullptr);
    IAccessible* ok = Element(client, ROLE_SYSTEM_PUSHBUTTON, L"\u786E\u5B9A");
    IAccessible* title = Element(client, ROLE_SYSTEM_STATICTEXT, L"Hello");
    ASSERT_TRUE(ok && title);
    EXPECT_EQ(ok->AddRef(), 2u);  // the test's reference and the one taken here
    EXPECT_EQ(ok->Release(), 1u);

    auto* bar = static_cast<CContainerUI*>(host.pm.FindControlByName(L"ok")->GetParent()->GetInterface(L"Container"));
    ASSERT_TRUE(bar->Remove(host.pm.FindControlByName(L"ok")));
    wintest::Pump();  // a delayed clean-up, if any
    BSTR text = nullptr;
    EXPECT_EQ(ok->get_accName(Self(), &text), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(a11y::Name(title), L"Hello");

    ::DestroyWindow(host.GetHWND());
    wintest::Pump();
    long count = -1;
    VARIANT role;
    for (IAccessible* acc : {client, title, ok}) {
        EXPECT_EQ(acc->get_accName(Self(), &text), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->get_accRole(Self(), &role), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->accDoDefaultAction(Self()), CO_E_OBJNOTCONNECTED);
    }
    for (IAccessible* acc : {client, title, ok}) EXPECT_EQ(acc->Release(), 0u);
}

namespace {

struct TRecordedEvent {
    DWORD event;
    LONG child;
};
HWND g_watched = nullptr;
std::vector<TRecordedEvent> g_events;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (hwnd == g_watched && object == OBJID_CLIENT) g_events.push_back({event, child});
}

// The name (or, for value changes, the value) of the element an event names.
std::wstring ReadEventSource(HWND hwnd, const TRecordedEvent& e) {
    IAccessible* acc = nullptr;
    VARIANT child;
    ::VariantInit(&child);
    if (FAILED(::AccessibleObjectFromEvent(hwnd, static_cast<DWORD>(OBJID_CLIENT), static_cast<DWORD>(e.child), &acc,
                                           &child))) {
        return L"<none>";
    }
    const LONG id = child.vt == VT_I4 ? child.lVal : CHILDID_SELF;
    std::wstring text = e.event == EVENT_OBJECT_VALUECHANGE ? a11y::Value(acc, id) : a11y::Name(acc, id);
    acc->Release();
    return text;
}

}  // namespace

TEST_F(AccessibleTest, EventsFollowShowFocusNameAndValue) {
    g_watched = host.GetHWND();
    g_events.clear();
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_VALUECHANGE, nullptr, &RecordEvent,
                                           ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    Show();
    host.pm.FindControlByName(L"ok")->SetFocus();
    host.pm.FindControlByName(L"title")->SetText(L"World");
    static_cast<CProgressUI*>(host.pm.FindControlByName(L"bar")->GetInterface(L"Progress"))->SetValue(100);
    wintest::Pump(100);
    ::UnhookWinEvent(hook);

    std::vector<std::string> seen;
    for (const TRecordedEvent& e : g_events) {
        const char* kind = e.event == EVENT_OBJECT_SHOW          ? "show"
                           : e.event == EVENT_OBJECT_FOCUS       ? "focus"
                           : e.event == EVENT_OBJECT_NAMECHANGE  ? "name"
                           : e.event == EVENT_OBJECT_VALUECHANGE ? "value"
                                                                 : nullptr;
        if (kind != nullptr) seen.push_back(std::string(kind) + ":" + a11y::Utf8(ReadEventSource(g_watched, e)));
    }
    const std::vector<std::string> expected = {
        // The window takes the keyboard focus first, then its first tab stop.
        "show:SkinUI test host", "focus:SkinUI test host", "focus:" + a11y::Utf8(L"\u5173\u95ED"), "focus:" + a11y::Utf8(L"\u786E\u5B9A"),
        "name:World", "value:50%"};
    EXPECT_EQ(seen, expected);
}

TEST_F(AccessibleTest, FocusCueIsDrawnOnlyAfterKeyboardUse) {
    Show();
    CControlUI* close = host.pm.FindControlByName(L"close");
    ASSERT_EQ(host.pm.GetFocus(), close);
    const RECT at = close->GetPos();
    // Two neighbouring pixels of the cue's top edge, 3 pixels inside the button.
    auto cueShows = [&] {
        ::UpdateWindow(host.GetHWND());
        HDC dc = ::GetDC(host.GetHWND());
        const COLORREF a = ::GetPixel(dc, at.left + 10, at.top + 3);
        const COLORREF b = ::GetPixel(dc, at.left + 11, at.top + 3);
        ::ReleaseDC(host.GetHWND(), dc);
        return a != b && (a == RGB(0, 0, 0) || b == RGB(0, 0, 0));
    };
    EXPECT_FALSE(cueShows());
    wintest::SendMouse(host.GetHWND(), WM_LBUTTONDOWN, at.left + 5, at.top + 5, MK_LBUTTON);
    wintest::SendMouse(host.GetHWND(), WM_LBUTTONUP, at.left + 5, at.top + 5);
    wintest::Pump();
    EXPECT_FALSE(cueShows());
    EXPECT_FALSE(host.pm.IsFocusCueShown());

    MSG tab = {host.GetHWND(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(CPaintManagerUI::TranslateUIMessage(&tab));
    EXPECT_TRUE(host.pm.IsFocusCueShown());
    ASSERT_EQ(host.pm.GetFocus(), host.pm.FindControlByName(L"ok"));
    const RECT okAt = host.pm.GetFocus()->GetPos();
    EXPECT_FALSE(cueShows());  // the cue left the close button...
    HDC dc = ::GetDC(host.GetHWND());
    const COLORREF a = ::GetPixel(dc, okAt.left + 10, okAt.top + 3);
    const COLORREF b = ::GetPixel(dc, okAt.left + 11, okAt.top + 3);
    ::ReleaseDC(host.GetHWND(), dc);
    EXPECT_NE(a, b);  // ...for the button that has the focus now
}
