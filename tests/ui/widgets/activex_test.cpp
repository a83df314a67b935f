// The ActiveX host against the test control (activex_probe.h), windowed and windowless:
// creation and the in-place activation sequence, resizing, hiding, the accelerator turn,
// Tab in and out, destruction order with every reference returned; classes that are
// malformed, unknown, not allowed or failing, a thread without OLE, a layered window,
// a control that calls back into the host, and what a screen reader is given.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/ui/widgets/activex_probe.h"
#include "tests/ui/widgets/field_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/hosting/activex.h"

using namespace SkinUI;
using fieldtest::CHost;

namespace {

const wchar_t kProbeText[] = L"{6A1B7C3E-2F40-4D8A-9E15-3C7B0A9D4E21}";

std::wstring Markup(const wchar_t* classAttr) {
    return std::wstring(L"<Window><VerticalLayout>") + L"<Button name=\"before\" height=\"30\" text=\"Before\"/>" +
           L"<ActiveX name=\"ax\" height=\"100\" " + classAttr + L"/>" +
           L"<Button name=\"after\" height=\"30\" text=\"After\"/></VerticalLayout></Window>";
}

std::wstring ProbeMarkup() { return Markup((std::wstring(L"clsid=\"") + kProbeText + L"\"").c_str()); }

// Notifications of the hosts, as "type:wParam" in hexadecimal.
std::string g_notes;
void Record(TUINotify& msg) {
    if (msg.sType.Find(L"activex") != 0) return;
    char text[64];
    wsprintfA(text, "%s:%08lx ", fieldtest::Narrow(msg.sType).c_str(), static_cast<unsigned long>(msg.wParam));
    g_notes += text;
}

CActiveXUI* Host(CHost& host) { return static_cast<CActiveXUI*>(host.Find(L"ax")->GetInterface(L"ActiveX")); }

class ActiveX : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        CActiveXUI::DisallowAllClasses();
        CActiveXUI::AllowClass(probe::kProbeClsid);
        g_notes.clear();
    }
    void TearDown() override {
        CActiveXUI::DisallowAllClasses();
        ::OleUninitialize();
    }
};

TEST_F(ActiveX, HostsTheControlWindowedAndWindowless) {
    const struct {
        probe::EMode mode;
        const char* activation;  // the calls up to the first place
    } kCases[] = {
        {probe::kWindowed,
         "GetMiscStatus SetClientSite InitNew SetExtent DoVerb(INPLACEACTIVATE) site:OnInPlaceActivateEx "
         "SetObjectRects(300x100)"},
        {probe::kWindowless,
         "GetMiscStatus SetClientSite InitNew SetExtent DoVerb(INPLACEACTIVATE) "
         "site:OnInPlaceActivateEx(windowless) SetObjectRects(300x100)"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mode);
        probe::TProbeState state;
        state.mode = c.mode;
        probe::CProbeClass registration(state);
        ASSERT_TRUE(registration.Registered());
        g_notes.clear();
        {
            CHost host;
            host.onNotify = &Record;
            ASSERT_TRUE(host.Open(ProbeMarkup().c_str(), 300, 200));
            CActiveXUI* ax = Host(host);
            // Creation and the activation sequence.
            EXPECT_EQ(g_notes, "activexcreated:00000000 ");
            ASSERT_TRUE(ax->IsCreated());
            EXPECT_TRUE(ax->IsInPlaceActive());
            EXPECT_EQ(ax->IsWindowless(), c.mode == probe::kWindowless);
            EXPECT_EQ(state.Joined({"Draw"}), c.activation);
            EXPECT_EQ(ax->GetHostWindow() != nullptr, c.mode == probe::kWindowed);
            EXPECT_EQ(state.Count("Draw") > 0, c.mode == probe::kWindowless);
            IOleObject* object = nullptr;
            ASSERT_EQ(ax->GetControl(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
            object->Release();

            // Resizing follows the control.
            state.calls.clear();
            ax->SetFixedHeight(60);
            host.pm.NeedUpdate();
            ::RedrawWindow(host.GetHWND(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            EXPECT_EQ(state.Joined({"Draw"}), "SetExtent SetObjectRects(300x60)");
            EXPECT_EQ(state.pos.bottom - state.pos.top, 60);
            if (HWND window = ax->GetHostWindow()) {
                RECT rc;
                ::GetWindowRect(window, &rc);
                EXPECT_EQ(rc.bottom - rc.top, 60);
            }

            // Tab into it: UI activation, and the keyboard goes to the object.
            host.pm.SetFocusControl(host.Find(L"before"));
            state.calls.clear();
            CHost::Key(VK_TAB);
            EXPECT_EQ(host.pm.GetFocus(), ax);
            EXPECT_EQ(state.Count("DoVerb(UIACTIVATE)"), 1);
            if (c.mode == probe::kWindowed) {
                EXPECT_EQ(::GetFocus(), ax->GetHostWindow());
            }
            // Its accelerator (F5) is consumed; other keys go on to the window.
            state.calls.clear();
            CHost::Key(VK_F5);
            EXPECT_EQ(state.Count("TranslateAccelerator(116)"), 1);
            EXPECT_EQ(state.Count("OnWindowMessage(WM_KEYDOWN 116)"), 0);
            CHost::Key('A');
            EXPECT_EQ(state.Count("TranslateAccelerator(65)"), 1);
            EXPECT_EQ(state.Count("OnWindowMessage(WM_KEYDOWN 65)"), c.mode == probe::kWindowless ? 1 : 0);
            // Tab out: the next control has the focus, the object is UI-deactivated.
            state.calls.clear();
            CHost::Key(VK_TAB);
            EXPECT_EQ(host.pm.GetFocus(), host.Find(L"after"));
            EXPECT_EQ(state.Count("UIDeactivate"), 1);
            EXPECT_EQ(::GetFocus(), host.GetHWND());

            // Hidden: deactivated, its window gone; shown: active again.
            state.calls.clear();
            ax->SetVisible(false);
            EXPECT_FALSE(ax->IsInPlaceActive());
            EXPECT_EQ(state.Joined(), "InPlaceDeactivate");
            EXPECT_EQ(state.window, nullptr);
            ax->SetVisible(true);
            ::RedrawWindow(host.GetHWND(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            EXPECT_TRUE(ax->IsInPlaceActive());
            EXPECT_EQ(state.Count("DoVerb(INPLACEACTIVATE)"), 1);

            // The window goes: released in OLE's order.
            state.calls.clear();
            ::DestroyWindow(host.GetHWND());
            fieldtest::Pump();
            EXPECT_EQ(state.Joined({"Draw", "UIDeactivate"}), "InPlaceDeactivate Close SetClientSite(null) released");
            EXPECT_FALSE(ax->IsCreated());
        }
        EXPECT_EQ(state.refs, 0);
        EXPECT_EQ(state.addRefs, state.releases);
        EXPECT_FALSE(state.callAfterRelease);
    }
}

TEST_F(ActiveX, BadClassesFailCleanlyAndTheWindowWorks) {
    const struct {
        const wchar_t* attr;
        probe::EMode mode;
        bool allowed;
        HRESULT expected;
    } kCases[] = {
        {L"clsid=\"{6A1B7C3E-2F40-4D8A-9E15\"", probe::kWindowed, true, CO_E_CLASSSTRING},
        {L"clsid=\"{ZZZZZZZZ-2F40-4D8A-9E15-3C7B0A9D4E21}\"", probe::kWindowed, true, CO_E_CLASSSTRING},
        {L"progid=\"no such&amp;class\"", probe::kWindowed, true, CO_E_CLASSSTRING},
        {L"progid=\"\"", probe::kWindowed, true, CO_E_CLASSSTRING},
        {L"progid=\"Tavrel.NoSuchControl.1\"", probe::kWindowed, true, CO_E_CLASSSTRING},
        {L"clsid=\"{00000000-0000-0000-0000-0000000000AA}\"", probe::kWindowed, true, REGDB_E_CLASSNOTREG},
        {L"clsid=\"{6A1B7C3E-2F40-4D8A-9E15-3C7B0A9D4E21}\"", probe::kWindowed, false, E_ACCESSDENIED},
        {L"clsid=\"{6A1B7C3E-2F40-4D8A-9E15-3C7B0A9D4E21}\"", probe::kFailCreate, true, E_OUTOFMEMORY},
        {L"clsid=\"6A1B7C3E-2F40-4D8A-9E15-3C7B0A9D4E21\"", probe::kFailEveryCall, true, E_FAIL},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(fieldtest::Narrow(c.attr));
        probe::TProbeState state;
        state.mode = c.mode;
        probe::CProbeClass registration(state);
        if (!c.allowed) CActiveXUI::DisallowClass(probe::kProbeClsid);
        // An allowed class that nothing provides.
        const CLSID kNowhere = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0xAA}};
        CActiveXUI::AllowClass(kNowhere);
        g_notes.clear();
        {
            CHost host;
            host.onNotify = &Record;
            ASSERT_TRUE(host.Open(Markup(c.attr).c_str(), 300, 200));
            CActiveXUI* ax = Host(host);
            EXPECT_FALSE(ax->IsCreated());
            char expected[64];
            wsprintfA(expected, "activexfailed:%08lx ", static_cast<unsigned long>(c.expected));
            // An unknown ProgID may be reported by the registry's own code.
            if (std::wstring(c.attr).find(L"Tavrel.") == std::wstring::npos) {
                EXPECT_EQ(g_notes, expected);
            } else {
                EXPECT_EQ(g_notes.compare(0, 14, "activexfailed:"), 0) << g_notes;
            }
            // The window goes on: the buttons take the focus from the keyboard.
            host.pm.SetFocusControl(host.Find(L"before"));
            CHost::Key(VK_TAB);
            EXPECT_EQ(host.pm.GetFocus(), host.Find(L"after"));
        }
        CActiveXUI::AllowClass(probe::kProbeClsid);
        EXPECT_EQ(state.refs, 0);
        EXPECT_FALSE(state.callAfterRelease);
        if (c.mode == probe::kFailEveryCall) {
            EXPECT_EQ(state.Count("released"), 1);
        }
    }
}

TEST_F(ActiveX, NoOleOnTheThreadFailsCleanly) {
    std::string notes;
    bool created = true;
    std::thread worker([&] {
        CHost host;
        host.onNotify = &Record;
        g_notes.clear();
        if (!host.Open(ProbeMarkup().c_str(), 300, 200)) return;
        created = Host(host)->IsCreated();
        notes = g_notes;
    });
    worker.join();
    EXPECT_FALSE(created);
    char expected[64];
    wsprintfA(expected, "activexfailed:%08lx ", static_cast<unsigned long>(CO_E_NOTINITIALIZED));
    EXPECT_EQ(notes, expected);
}

TEST_F(ActiveX, LayeredWindowRunsWindowlessOnly) {
    for (probe::EMode mode : {probe::kWindowed, probe::kWindowless}) {
        probe::TProbeState state;
        state.mode = mode;
        probe::CProbeClass registration(state);
        g_notes.clear();
        {
            CHost host;
            host.onNotify = &Record;
            ASSERT_TRUE(host.Open(ProbeMarkup().c_str(), 300, 200, 100, true));
            ::RedrawWindow(host.GetHWND(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            fieldtest::Pump();
            CActiveXUI* ax = Host(host);
            if (mode == probe::kWindowed) {
                char expected[64];
                wsprintfA(expected, "activexfailed:%08lx ", static_cast<unsigned long>(kActiveXLayeredWindowed));
                EXPECT_NE(g_notes.find(expected), std::string::npos) << g_notes;
                EXPECT_FALSE(ax->IsCreated());
                EXPECT_EQ(state.window, nullptr);
            } else {
                EXPECT_TRUE(ax->IsWindowless());
                EXPECT_GT(state.Count("Draw"), 0);
            }
        }
        EXPECT_EQ(state.refs, 0);
        EXPECT_FALSE(state.callAfterRelease);
    }
}

TEST_F(ActiveX, ControlThatCallsBackIntoTheHost) {
    probe::TProbeState state;
    state.mode = probe::kReentrant;
    probe::CProbeClass registration(state);
    {
        CHost host;
        host.onNotify = &Record;
        ASSERT_TRUE(host.Open(ProbeMarkup().c_str(), 300, 200));
        CActiveXUI* ax = Host(host);
        ASSERT_TRUE(ax->IsInPlaceActive());
        ax->SetFixedHeight(80);
        host.pm.NeedUpdate();
        ::RedrawWindow(host.GetHWND(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        host.pm.SetFocusControl(ax);  // the object answers with OnFocus from inside its activation
        EXPECT_EQ(host.pm.GetFocus(), ax);
        EXPECT_LT(state.Count("SetObjectRects"), 12);
        // Removed (and destroyed) while active and focused.
        static_cast<CContainerUI*>(host.pm.GetRoot())->Remove(ax);
        fieldtest::Pump();
        host.Click(L"before");
    }
    EXPECT_EQ(state.refs, 0);
    EXPECT_EQ(state.addRefs, state.releases);
    EXPECT_FALSE(state.callAfterRelease);
}

TEST_F(ActiveX, ScreenReadersGetTheObjectsOwnAccessibleOrAClient) {
    for (probe::EMode mode : {probe::kWindowed, probe::kWindowless}) {
        probe::TProbeState state;
        state.mode = mode;
        probe::CProbeClass registration(state);
        CHost host;
        ASSERT_TRUE(host.Open(Markup((std::wstring(L"accname=\"Game news\" clsid=\"") + kProbeText + L"\"").c_str()).c_str(),
                              300, 200));
        CActiveXUI* ax = Host(host);
        IAccessible* own = ax->GetObjectAccessible();
        // The windowed object has its window's; the windowless probe has none.
        EXPECT_EQ(own != nullptr, mode == probe::kWindowed);
        if (own != nullptr) own->Release();
        const TUIAccessibleInfo info = Accessible::Describe(ax);
        EXPECT_EQ(Accessible::RoleOf(ax), ROLE_SYSTEM_CLIENT);
        EXPECT_EQ(std::wstring(info.name.GetData()), L"Game news");
        EXPECT_NE(info.state & STATE_SYSTEM_FOCUSABLE, 0u);
    }
}

}  // namespace
