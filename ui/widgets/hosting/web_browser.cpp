#include "ui/widgets/hosting/web_browser.h"

#include <exdisp.h>
#include <ocidl.h>

#include "ui/controls/attribute_values.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/hosting/web_browser_events.h"
#include "ui/widgets/hosting/web_doc_host.h"

namespace SkinUI {

namespace {

// A BSTR owned for one call.
class CBstr {
public:
    explicit CBstr(const wchar_t* text) : m_b(::SysAllocString(text != nullptr ? text : L"")) {}
    ~CBstr() {
        if (m_b != nullptr) ::SysFreeString(m_b);
    }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    BSTR Get() const { return m_b; }

private:
    BSTR m_b;
};

}  // namespace

CWebBrowserUI::CWebBrowserUI()
    : m_pBrowser(nullptr), m_pEvents(nullptr), m_pDocHost(new CWebDocHost), m_dwCookie(0), m_pListening(nullptr) {
    SetClassId(CLSID_WebBrowser);
}

CWebBrowserUI::~CWebBrowserUI() {
    ListenTo(nullptr);
    // The object goes first (OnObjectReleasing runs while this class still exists).
    ReleaseControl();
    m_pDocHost->Release();
}

const wchar_t* CWebBrowserUI::GetClass() const { return L"WebBrowserUI"; }

void* CWebBrowserUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"WebBrowser") == 0) return static_cast<CWebBrowserUI*>(this);
    return CActiveXUI::GetInterface(name);
}

void CWebBrowserUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"homepage")) {
        SetHomePage(value);
    } else if (attr::NameIs(name, L"clsid") || attr::NameIs(name, L"progid")) {
        // The class is the browser's own.
    } else {
        CActiveXUI::ApplyAttribute(name, value);
    }
}

bool CWebBrowserUI::IsOwnClass(const CLSID& clsid) const { return IsEqualCLSID(clsid, CLSID_WebBrowser) != 0; }

void* CWebBrowserUI::SiteInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IDocHostUIHandler)) return static_cast<IDocHostUIHandler*>(m_pDocHost);
    if (IsEqualIID(iid, IID_IOleCommandTarget)) return static_cast<IOleCommandTarget*>(m_pDocHost);
    return nullptr;
}

void CWebBrowserUI::OnObjectCreated() {
    if (FAILED(GetControl(IID_IWebBrowser2, reinterpret_cast<void**>(&m_pBrowser)))) m_pBrowser = nullptr;
    if (m_pBrowser == nullptr) return;
    m_pBrowser->put_Silent(VARIANT_TRUE);
    m_pBrowser->put_RegisterAsDropTarget(VARIANT_FALSE);
    IConnectionPointContainer* container = nullptr;
    if (SUCCEEDED(m_pBrowser->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))) &&
        container != nullptr) {
        IConnectionPoint* point = nullptr;
        if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point)) && point != nullptr) {
            m_pEvents = new CWebBrowserEvents(this);
            if (FAILED(point->Advise(static_cast<IDispatch*>(m_pEvents), &m_dwCookie))) m_dwCookie = 0;
            point->Release();
        }
        container->Release();
    }
    if (!m_sHomePage.IsEmpty()) Navigate(m_sHomePage);
}

void CWebBrowserUI::OnObjectReleasing() {
    if (m_pEvents != nullptr) {
        m_pEvents->Detach();
        if (m_dwCookie != 0 && m_pBrowser != nullptr) {
            IConnectionPointContainer* container = nullptr;
            if (SUCCEEDED(m_pBrowser->QueryInterface(IID_IConnectionPointContainer,
                                                     reinterpret_cast<void**>(&container))) &&
                container != nullptr) {
                IConnectionPoint* point = nullptr;
                if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point)) && point != nullptr) {
                    point->Unadvise(m_dwCookie);
                    point->Release();
                }
                container->Release();
            }
        }
        m_dwCookie = 0;
        m_pEvents->Release();
        m_pEvents = nullptr;
    }
    if (m_pBrowser != nullptr) {
        m_pBrowser->Stop();
        m_pBrowser->Release();
        m_pBrowser = nullptr;
    }
}

IWebBrowser2* CWebBrowserUI::GetBrowser() const {
    if (m_pBrowser != nullptr) m_pBrowser->AddRef();
    return m_pBrowser;
}

IDispatch* CWebBrowserUI::GetEventSink() const { return m_pEvents; }

void CWebBrowserUI::SetExternal(IDispatch* external) { m_pDocHost->SetExternal(external); }

bool CWebBrowserUI::Navigate(const wchar_t* url) {
    if (m_pBrowser == nullptr || url == nullptr || *url == 0) return false;
    CBstr address(url);
    VARIANT empty;
    ::VariantInit(&empty);
    IWebBrowser2* browser = m_pBrowser;
    browser->AddRef();
    const HRESULT hr = browser->Navigate(address.Get(), &empty, &empty, &empty, &empty);
    browser->Release();
    return SUCCEEDED(hr);
}

bool CWebBrowserUI::NavigateHome() { return Navigate(m_sHomePage); }
bool CWebBrowserUI::GoBack() { return m_pBrowser != nullptr && SUCCEEDED(m_pBrowser->GoBack()); }
bool CWebBrowserUI::GoForward() { return m_pBrowser != nullptr && SUCCEEDED(m_pBrowser->GoForward()); }
bool CWebBrowserUI::Refresh() { return m_pBrowser != nullptr && SUCCEEDED(m_pBrowser->Refresh()); }
bool CWebBrowserUI::Stop() { return m_pBrowser != nullptr && SUCCEEDED(m_pBrowser->Stop()); }

// ---- events ----

void CWebBrowserUI::Notify(const wchar_t* type, WPARAM wParam, bool queued) {
    if (m_pManager != nullptr) m_pManager->SendNotify(this, type, wParam, 0, queued);
}

bool CWebBrowserUI::BeforeNavigate(const wchar_t* url, const wchar_t* frame) {
    TWebNavigation navigation = {url, frame, false};
    // The listener may destroy this control: nothing of it is touched afterwards.
    Notify(L"beforenavigate", reinterpret_cast<WPARAM>(&navigation), false);
    return navigation.cancel;
}

bool CWebBrowserUI::NewWindow(const wchar_t* url) {
    TWebNavigation navigation = {url, L"", true};
    Notify(L"newwindow", reinterpret_cast<WPARAM>(&navigation), false);
    return navigation.cancel;
}

void CWebBrowserUI::NavigateComplete(const wchar_t* url) {
    m_sLocation = url;
    Notify(L"navigatecomplete", 0, true);
}

void CWebBrowserUI::DocumentComplete(const wchar_t* url) {
    m_sLocation = url;
    Notify(L"documentcomplete", 0, true);
}

void CWebBrowserUI::TitleChange(const wchar_t* title) {
    m_sTitle = title;
    Notify(L"titlechanged", 0, true);
}

void CWebBrowserUI::NavigateError(const wchar_t*, LONG status) {
    Notify(L"navigateerror", static_cast<WPARAM>(status), true);
}

}  // namespace SkinUI
