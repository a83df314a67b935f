// The web browser and Flash hosts under Wine, whose HTML engine stays off here: the
// browser is created (or fails cleanly), its event sink is driven through its dispatch
// interface (a navigation cancelled by the program, a new window refused unless allowed,
// a title change, malformed events, the browser destroyed inside an event), pages get
// no object unless the program hands one over, a navigation that cannot happen leaves
// the window working; Flash, absent here, is reported once.
#include <windows.h>
#include <exdisp.h>
#include <exdispid.h>
#include <mshtmhst.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/widgets/field_host.h"
#include "ui/widgets/hosting/flash.h"
#include "ui/widgets/hosting/web_browser.h"

using namespace SkinUI;
using fieldtest::CHost;

namespace {

const wchar_t kPage[] =
    L"<Window><VerticalLayout><Button name=\"back\" height=\"30\" text=\"Back\"/>"
    L"<WebBrowser name=\"web\" homepage=\"about:blank\"/>"
    L"<Flash name=\"flash\" height=\"40\" movie=\"intro.swf\"/>"
    L"<Button name=\"home\" height=\"30\" text=\"Home\"/></VerticalLayout></Window>";

std::string g_notes;
bool g_destroyInEvent = false;
bool g_allowWindows = false;

void Record(TUINotify& msg) {
    const std::string type = fieldtest::Narrow(msg.sType);
    if (type == "beforenavigate" || type == "newwindow") {
        auto* nav = reinterpret_cast<TWebNavigation*>(msg.wParam);
        g_notes += type + ":" + fieldtest::Narrow(nav->url) + " ";
        if (type == "beforenavigate") nav->cancel = std::wstring(nav->url).find(L"blocked") != std::wstring::npos;
        if (type == "newwindow" && g_allowWindows) nav->cancel = false;
        if (g_destroyInEvent) {
            g_destroyInEvent = false;
            CControlUI* web = msg.pSender;
            static_cast<CContainerUI*>(web->GetParent())->Remove(web);
        }
    } else if (type == "titlechanged" || type == "activexfailed" || type == "navigatecomplete") {
        char text[32];
        wsprintfA(text, ":%08lx ", static_cast<unsigned long>(msg.wParam));
        g_notes += type + (type == "activexfailed" ? std::string(text) : std::string(" "));
    }
}

// Fires one event at the sink as the browser would: `args` last parameter first.
HRESULT Fire(IDispatch* sink, DISPID id, std::vector<VARIANT> args) {
    DISPPARAMS params = {args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

VARIANT Str(BSTR b) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = b;
    return v;
}

VARIANT Ref(VARIANT* inner) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BYREF | VT_VARIANT;
    v.pvarVal = inner;
    return v;
}

VARIANT Cancel(VARIANT_BOOL* flag) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BYREF | VT_BOOL;
    v.pboolVal = flag;
    return v;
}

VARIANT Empty() {
    VARIANT v;
    ::VariantInit(&v);
    return v;
}

// BeforeNavigate2's answer for `url`: true when cancelled.
bool Navigating(IDispatch* sink, const wchar_t* url) {
    BSTR b = ::SysAllocString(url);
    VARIANT address = Str(b);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire(sink, DISPID_BEFORENAVIGATE2,
         {Cancel(&cancel), Empty(), Empty(), Empty(), Empty(), Ref(&address), Empty()});
    ::SysFreeString(b);
    return cancel == VARIANT_TRUE;
}

bool NewWindowRefused(IDispatch* sink, const wchar_t* url) {
    BSTR b = ::SysAllocString(url);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire(sink, DISPID_NEWWINDOW3, {Str(b), Empty(), Empty(), Cancel(&cancel), Empty()});
    ::SysFreeString(b);
    return cancel == VARIANT_TRUE;
}

struct TOleScope {
    TOleScope() { ok = SUCCEEDED(::OleInitialize(nullptr)); }
    ~TOleScope() {
        if (ok) ::OleUninitialize();
    }
    bool ok = false;
};

TEST(WebBrowser, EventsExternalAndFailuresUnderWine) {
    TOleScope ole;
    ASSERT_TRUE(ole.ok);
    g_notes.clear();
    {
        CHost host;
        host.onNotify = &Record;
        ASSERT_TRUE(host.Open(kPage, 400, 300));
        auto* web = static_cast<CWebBrowserUI*>(host.Find(L"web")->GetInterface(L"WebBrowser"));
        ASSERT_NE(web, nullptr);
        // Flash is not installed here: one failure, the rest goes on.
        char flash[64];
        wsprintfA(flash, "activexfailed:%08lx ", static_cast<unsigned long>(REGDB_E_CLASSNOTREG));
        EXPECT_NE(g_notes.find(flash), std::string::npos) << g_notes;
        EXPECT_EQ(g_notes.find(flash), g_notes.rfind(flash));
        if (!web->IsCreated()) {
            // A system without the browser: reported, and the window goes on.
            EXPECT_EQ(g_notes.find("activexfailed"), 0u) << g_notes;
            GTEST_SKIP() << "no web browser control on this system";
        }
        IDispatch* sink = web->GetEventSink();
        ASSERT_NE(sink, nullptr);
        g_notes.clear();

        // Cancelled by the program, or let through; a new window refused unless allowed.
        const struct {
            const wchar_t* url;
            bool cancelled;
        } kNavigations[] = {{L"https://example.com/blocked", true}, {L"https://example.com/news", false},
                            {L"", false}};
        for (const auto& n : kNavigations) EXPECT_EQ(Navigating(sink, n.url), n.cancelled);
        EXPECT_TRUE(NewWindowRefused(sink, L"https://example.com/popup"));
        g_allowWindows = true;
        EXPECT_FALSE(NewWindowRefused(sink, L"https://example.com/wanted"));
        g_allowWindows = false;
        EXPECT_EQ(g_notes,
                  "beforenavigate:https://example.com/blocked beforenavigate:https://example.com/news beforenavigate: "
                  "newwindow:https://example.com/popup newwindow:https://example.com/wanted ");

        // A title change: kept, and reported through the queue.
        g_notes.clear();
        BSTR title = ::SysAllocString(L"\u65B0\u95FB Tavrel");
        EXPECT_EQ(Fire(sink, DISPID_TITLECHANGE, {Str(title)}), S_OK);
        ::SysFreeString(title);
        fieldtest::Pump();
        EXPECT_EQ(std::wstring(web->GetTitle().GetData()), L"\u65B0\u95FB Tavrel");
        EXPECT_EQ(g_notes, "titlechanged ");

        // Malformed events are ignored.
        VARIANT wrong = Empty();
        wrong.vt = VT_I4;
        EXPECT_EQ(Fire(sink, DISPID_TITLECHANGE, {wrong}), S_OK);
        EXPECT_EQ(Fire(sink, DISPID_BEFORENAVIGATE2, {wrong, wrong}), S_OK);
        EXPECT_EQ(Fire(sink, DISPID_BEFORENAVIGATE2, {wrong, wrong, wrong, wrong, wrong, wrong, wrong}), S_OK);
        EXPECT_EQ(sink->Invoke(DISPID_NEWWINDOW3, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
                  E_INVALIDARG);

        // Pages get no object unless the program hands one over.
        IOleObject* object = nullptr;
        ASSERT_EQ(web->GetControl(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
        IOleClientSite* site = nullptr;
        ASSERT_EQ(object->GetClientSite(&site), S_OK);
        IDocHostUIHandler* docHost = nullptr;
        ASSERT_EQ(site->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&docHost)), S_OK);
        IDispatch* external = reinterpret_cast<IDispatch*>(1);
        docHost->GetExternal(&external);
        EXPECT_EQ(external, nullptr);
        web->SetExternal(sink);
        docHost->GetExternal(&external);
        EXPECT_EQ(external, sink);
        if (external != nullptr) external->Release();
        web->SetExternal(nullptr);
        // Script errors: answered without a dialog.
        IOleCommandTarget* commands = nullptr;
        ASSERT_EQ(site->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&commands)), S_OK);
        const GUID kDocHostCommands = {0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};
        VARIANT out = Empty();
        EXPECT_EQ(commands->Exec(&kDocHostCommands, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, &out), S_OK);
        EXPECT_EQ(out.vt, VT_BOOL);
        commands->Release();
        docHost->Release();
        site->Release();
        object->Release();

        // Navigation without the HTML engine: no hang, and the buttons still work.
        web->Navigate(L"https://example.com/");
        web->GoBack();
        web->GoForward();
        web->Refresh();
        web->Stop();
        fieldtest::Pump();
        host.pm.SetFocusControl(host.Find(L"back"));
        // Posted to the window itself: a window another test shows meanwhile may hold the
        // system's keyboard focus.
        ::PostMessageW(host.GetHWND(), WM_KEYDOWN, VK_TAB, 1);
        ::PostMessageW(host.GetHWND(), WM_KEYUP, VK_TAB, 0xC0000001);
        fieldtest::Pump();
        EXPECT_NE(host.pm.GetFocus(), host.Find(L"back"));

        // Destroyed inside its own event: the sink answers and the window goes on.
        sink->AddRef();
        g_destroyInEvent = true;
        EXPECT_FALSE(Navigating(sink, L"https://example.com/last"));
        fieldtest::Pump();
        EXPECT_TRUE(Navigating(sink, L"https://example.com/after"));  // no owner: nothing goes on
        sink->Release();
        host.Click(L"home");
    }
}

// A browser that writes down the commands it is given instead of running them.
class CCountingBrowser final : public CWebBrowserUI {
public:
    bool GoBack() override { return Note("back"); }
    bool GoForward() override { return Note("forward"); }
    bool NavigateHome() override { return Note("home"); }
    bool Refresh() override { return Note("refresh"); }
    bool Stop() override { return Note("stop"); }
    std::string commands;

private:
    bool Note(const char* command) {
        commands += std::string(command) + " ";
        return true;
    }
};

TEST(WebBrowser, ButtonsBoundByNameRunTheirCommand) {
    TOleScope ole;
    ASSERT_TRUE(ole.ok);
    const struct {
        const wchar_t* attrs;
        const char* commands;
    } kButtons[] = {
        {L"bindbrowsername=\"web\" bindbrowsercommand=\"back\"", "back "},
        {L"bindbrowsername=\"web\" bindbrowsercommand=\"Forward\"", "forward "},
        {L"bindbrowsername=\"web\" bindbrowsercommand=\"home\"", "home "},
        {L"bindbrowsername=\"web\" bindbrowsercommand=\"REFRESH\"", "refresh "},
        {L"bindbrowsername=\"web\" bindbrowsercommand=\"stop\"", "stop "},
        {L"bindbrowsername=\"web\" bindbrowsercommand=\"navigate\"", ""},
        {L"bindbrowsername=\"web\"", ""},
        {L"bindbrowsername=\"Web\" bindbrowsercommand=\"back\"", ""},
        {L"bindbrowsername=\"nobody\" bindbrowsercommand=\"back\"", ""},
        {L"bindbrowsername=\"box\" bindbrowsercommand=\"back\"", ""},
        {L"bindbrowsercommand=\"back\"", ""},
    };
    std::wstring markup = L"<Window><VerticalLayout name=\"box\">";
    for (size_t i = 0; i < sizeof(kButtons) / sizeof(kButtons[0]); ++i) {
        markup += L"<Button name=\"b" + std::to_wstring(i) + L"\" height=\"16\" " + kButtons[i].attrs + L"/>";
    }
    markup += L"</VerticalLayout></Window>";
    CHost host;
    ASSERT_TRUE(host.Open(markup.c_str(), 300, 300));
    auto* box = static_cast<CContainerUI*>(host.Find(L"box"));
    auto* web = new CCountingBrowser;
    web->SetName(L"web");
    web->SetDelayCreate(true);
    ASSERT_TRUE(box->Add(web));
    for (size_t i = 0; i < sizeof(kButtons) / sizeof(kButtons[0]); ++i) {
        SCOPED_TRACE(fieldtest::Narrow(kButtons[i].attrs));
        web->commands.clear();
        host.Click((L"b" + std::to_wstring(i)).c_str());
        EXPECT_EQ(web->commands, kButtons[i].commands);
    }
    // Taken out of the window, it hears no clicks; gone, it is not called.
    web->commands.clear();
    box->Remove(web);
    host.Find(L"b0")->Activate();
    EXPECT_EQ(web->commands, "");
    fieldtest::Pump();
    host.Click(L"b0");
}

}  // namespace
