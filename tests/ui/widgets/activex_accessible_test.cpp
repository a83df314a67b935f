// What a screen reader reads of hosted content, through the window's own accessible
// object: the test control's accessible tree below its host element, windowed and
// windowless, and hosted objects that fail, lie about their children or name
// themselves as their own child, call back into their host, or go away while a client
// holds the host.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

#include "tests/common/a11y_walk.h"
#include "tests/ui/widgets/activex_probe.h"
#include "tests/ui/widgets/field_host.h"
#include "ui/widgets/hosting/activex.h"

using namespace SkinUI;
using fieldtest::CHost;

namespace {

const wchar_t kMarkup[] =
    L"<Window><VerticalLayout><Button name=\"before\" height=\"30\" text=\"Before\"/>"
    L"<ActiveX name=\"ax\" height=\"100\" accname=\"Game news\" clsid=\"{6A1B7C3E-2F40-4D8A-9E15-3C7B0A9D4E21}\"/>"
    L"</VerticalLayout></Window>";

VARIANT Child(LONG id) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// A navigation or hit answer as text: "self", "#2", "object \"Headline\"" or "none".
std::string Answer(HRESULT hr, VARIANT& v) {
    std::string text = hr != S_OK ? "none" : "?";
    if (v.vt == VT_I4) text = v.lVal == CHILDID_SELF ? "self" : "#" + std::to_string(v.lVal);
    if (v.vt == VT_DISPATCH && v.pdispVal != nullptr) {
        IAccessible* acc = nullptr;
        v.pdispVal->QueryInterface(a11y::kIIDAccessible, reinterpret_cast<void**>(&acc));
        text = acc != nullptr ? "object \"" + a11y::Utf8(a11y::Name(acc)) + "\"" : "object";
        if (acc != nullptr) acc->Release();
    }
    ::VariantClear(&v);
    return text;
}

std::string Navigate(IAccessible* acc, long dir, LONG start) {
    VARIANT end;
    ::VariantInit(&end);
    const HRESULT hr = acc->accNavigate(dir, Child(start), &end);
    return Answer(hr, end);
}

std::string HitTest(IAccessible* acc, POINT pt) {
    VARIANT hit;
    ::VariantInit(&hit);
    const HRESULT hr = acc->accHitTest(pt.x, pt.y, &hit);
    return Answer(hr, hit);
}

// A point on the vertical middle line of `rc`, `eighths` of its height down.
POINT Middle(const RECT& rc, int eighths) {
    return POINT{(rc.left + rc.right) / 2, rc.top + (rc.bottom - rc.top) * eighths / 8};
}

// A window with a "Store" button, made by a thread of its own, which pumps its messages
// or (`answers` false) hangs until the end.
class COtherThreadWindow {
public:
    explicit COtherThreadWindow(bool answers) {
        m_thread = std::thread([this, answers] {
            HWND window = ::CreateWindowExW(0, L"STATIC", L"Elsewhere", WS_POPUP, 0, 0, 120, 60, nullptr, nullptr,
                                            nullptr, nullptr);
            ::CreateWindowExW(0, L"BUTTON", L"Store", WS_CHILD | WS_VISIBLE, 0, 0, 80, 30, window, nullptr, nullptr,
                              nullptr);
            m_window = window;
            ::SetEvent(m_ready);
            if (answers) {
                while (::MsgWaitForMultipleObjects(1, &m_end, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
                    MSG msg;
                    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
                }
            } else {
                ::WaitForSingleObject(m_end, INFINITE);
            }
            ::DestroyWindow(window);
        });
        ::WaitForSingleObject(m_ready, INFINITE);
    }
    ~COtherThreadWindow() {
        ::SetEvent(m_end);
        m_thread.join();
        ::CloseHandle(m_ready);
        ::CloseHandle(m_end);
    }
    COtherThreadWindow(const COtherThreadWindow&) = delete;
    COtherThreadWindow& operator=(const COtherThreadWindow&) = delete;
    HWND Window() const { return m_window; }

private:
    HANDLE m_ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE m_end = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND m_window = nullptr;
    std::thread m_thread;
};

class HostedAccessible : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        CActiveXUI::DisallowAllClasses();
        CActiveXUI::AllowClass(probe::kProbeClsid);
    }
    void TearDown() override {
        CActiveXUI::DisallowAllClasses();
        ::OleUninitialize();
    }

    // Shows the test control in a window and hands `body` the window's accessible
    // object and the host's; afterwards, every reference must be back.
    template <class Body>
    void WithHost(probe::EMode mode, probe::EAccessible accessible, long claimed, Body&& body,
                  HWND reportedWindow = nullptr) {
        probe::TProbeState state;
        state.mode = mode;
        state.accessible = accessible;
        state.accCount = claimed;
        state.reportedWindow = reportedWindow;
        probe::CProbeClass registration(state);
        {
            CHost host;
            ASSERT_TRUE(host.Open(kMarkup, 300, 200));
            IAccessible* client = a11y::ClientOf(host.GetHWND());
            ASSERT_NE(client, nullptr);
            IAccessible* ax = a11y::Find(client, ROLE_SYSTEM_CLIENT, L"Game news");
            if (ax != nullptr) body(host, client, ax);
            EXPECT_NE(ax, nullptr) << a11y::Utf8(a11y::DumpTree(client));
            if (ax != nullptr) ax->Release();
            client->Release();
        }
        EXPECT_EQ(state.accRefs, 0);
        EXPECT_EQ(state.refs, 0);
        EXPECT_FALSE(state.callAfterRelease);
    }
};

TEST_F(HostedAccessible, TheHostedTreeShowsBelowTheHost) {
    for (probe::EMode mode : {probe::kWindowed, probe::kWindowless}) {
        SCOPED_TRACE(mode);
        WithHost(mode, probe::kTwoChildren, 0, [&](CHost& host, IAccessible* client, IAccessible* ax) {
            EXPECT_EQ(a11y::Utf8(a11y::DumpTree(ax)),
                      "client \"Game news\" state=focusable\n"
                      "  static text \"Headline\" state=readonly\n"
                      "  push button \"Story\" (simple)\n");
            const RECT whole = a11y::Location(ax);
            const RECT story = a11y::Location(ax, 2);
            EXPECT_EQ(story.bottom, whole.bottom);
            EXPECT_EQ(story.top, (whole.top + whole.bottom) / 2);
            const struct {
                long dir;
                LONG start;
                const char* expected;
            } kMoves[] = {
                {NAVDIR_FIRSTCHILD, CHILDID_SELF, "object \"Headline\""},
                {NAVDIR_LASTCHILD, CHILDID_SELF, "#2"},
                {NAVDIR_NEXT, 1, "#2"},
                {NAVDIR_PREVIOUS, 2, "object \"Headline\""},
                {NAVDIR_NEXT, 2, "none"},
                {NAVDIR_FIRSTCHILD, 2, "none"},
                {NAVDIR_NEXT, 3, "none"},
            };
            for (const auto& m : kMoves) {
                EXPECT_EQ(Navigate(ax, m.dir, m.start), m.expected) << m.dir << " from " << m.start;
            }
            // The window's element hits the host; the host hits into its content.
            EXPECT_EQ(HitTest(client, Middle(whole, 2)), "object \"Game news\"");
            EXPECT_EQ(HitTest(ax, Middle(whole, 2)), "object \"Headline\"");
            EXPECT_EQ(HitTest(ax, Middle(whole, 6)), "#2");
            IDispatch* none = nullptr;
            EXPECT_EQ(ax->get_accChild(Child(3), &none), E_INVALIDARG);

            // The object goes while the client holds the host and a child of the content.
            IDispatch* headline = nullptr;
            ASSERT_EQ(ax->get_accChild(Child(1), &headline), S_OK);
            auto* control = static_cast<CActiveXUI*>(host.Find(L"ax")->GetInterface(L"ActiveX"));
            control->ReleaseControl();
            long count = -1;
            EXPECT_EQ(ax->get_accChildCount(&count), S_OK);
            EXPECT_EQ(count, 0);
            EXPECT_EQ(a11y::Name(ax, 2), L"<error>");
            EXPECT_EQ(HitTest(ax, Middle(whole, 2)), "self");
            static_cast<CContainerUI*>(host.pm.GetRoot())->Remove(control);
            EXPECT_EQ(ax->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
            headline->Release();
        });
    }
}

TEST_F(HostedAccessible, FaultyHostedObjectsCannotHarmTheTree) {
    const struct {
        probe::EAccessible accessible;
        long claimed;
        long shown;  // the host's child count
    } kCases[] = {
        {probe::kAccessibleFails, 0, 0},
        {probe::kAccessibleLoops, -5, 0},
        {probe::kAccessibleLoops, 3, 3},
        {probe::kAccessibleLoops, 1000000, 4096},
        {probe::kAccessibleAsksBack, 0, 8},  // each call nests one deeper, up to the bound
    };
    for (probe::EMode mode : {probe::kWindowed, probe::kWindowless}) {
        for (const auto& c : kCases) {
            SCOPED_TRACE(testing::Message() << mode << " " << c.accessible << " " << c.claimed);
            WithHost(mode, c.accessible, c.claimed, [&](CHost&, IAccessible*, IAccessible* ax) {
                long count = -1;
                EXPECT_EQ(ax->get_accChildCount(&count), S_OK);
                EXPECT_EQ(count, c.shown);
                // A child that is the object itself is shown by number, never handed out.
                IDispatch* child = nullptr;
                EXPECT_EQ(ax->get_accChild(Child(1), &child), c.shown > 0 ? S_FALSE : E_INVALIDARG);
                EXPECT_EQ(child, nullptr);
                EXPECT_EQ(ax->get_accChild(Child(c.shown + 1), &child), E_INVALIDARG);
                EXPECT_EQ(Navigate(ax, NAVDIR_FIRSTCHILD, CHILDID_SELF), c.shown > 0 ? "#1" : "none");
                EXPECT_EQ(Navigate(ax, NAVDIR_LASTCHILD, CHILDID_SELF),
                          c.shown > 0 ? "#" + std::to_string(c.shown) : "none");
                EXPECT_EQ(Navigate(ax, NAVDIR_RIGHT, 1), "none");
                EXPECT_EQ(HitTest(ax, Middle(a11y::Location(ax), 4)), "self");
                if (c.shown <= 3) {
                    const std::wstring tree = a11y::DumpTree(ax);  // ends, and reads each child once
                    EXPECT_EQ(std::count(tree.begin(), tree.end(), L'\n'), c.shown + 1) << a11y::Utf8(tree);
                }
            });
        }
    }
}

// A windowed object whose window belongs to another thread: read through that thread
// while it answers (the system's object of the window, with its button); while it
// hangs, the host shows no hosted children, and the reader (and the window's thread)
// goes on.
TEST_F(HostedAccessible, AHostedWindowOfAHungThreadCannotHangTheTree) {
    for (bool answers : {true, false}) {
        SCOPED_TRACE(answers);
        COtherThreadWindow other(answers);
        WithHost(probe::kWindowed, probe::kNoAccessible, 0, [&](CHost&, IAccessible*, IAccessible* ax) {
            long count = -1;
            EXPECT_EQ(ax->get_accChildCount(&count), S_OK);
            EXPECT_EQ(count, answers ? 1 : 0);
            const std::wstring tree = a11y::DumpTree(ax);
            EXPECT_EQ(std::count(tree.begin(), tree.end(), L'\n'), count + 1) << a11y::Utf8(tree);
        }, other.Window());
    }
}

}  // namespace
