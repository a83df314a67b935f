#include "ui/widgets/hosting/web_browser_events.h"

#include <exdisp.h>
#include <exdispid.h>

#include "ui/widgets/hosting/web_browser.h"

namespace SkinUI {

namespace {

// The text of an argument: a BSTR, or a VARIANT holding one, by value or by reference.
const wchar_t* TextOf(const VARIANT& arg) {
    const VARIANT* v = &arg;
    if (v->vt == (VT_BYREF | VT_VARIANT)) {
        v = v->pvarVal;
        if (v == nullptr) return L"";
    }
    if (v->vt == VT_BSTR) return v->bstrVal != nullptr ? v->bstrVal : L"";
    if (v->vt == (VT_BYREF | VT_BSTR) && v->pbstrVal != nullptr && *v->pbstrVal != nullptr) return *v->pbstrVal;
    return L"";
}

VARIANT_BOOL* CancelOf(const VARIANT& arg) {
    return arg.vt == (VT_BYREF | VT_BOOL) ? arg.pboolVal : nullptr;
}

LONG LongOf(const VARIANT& arg) {
    const VARIANT* v = arg.vt == (VT_BYREF | VT_VARIANT) ? arg.pvarVal : &arg;
    if (v == nullptr) return 0;
    if (v->vt == VT_I4) return v->lVal;
    if (v->vt == (VT_BYREF | VT_I4) && v->plVal != nullptr) return *v->plVal;
    return 0;
}

void SetCancel(VARIANT_BOOL* cancel, bool value) {
    if (cancel != nullptr) *cancel = value ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace

HRESULT STDMETHODCALLTYPE CWebBrowserEvents::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, DIID_DWebBrowserEvents2)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CWebBrowserEvents::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_cRef)); }

ULONG STDMETHODCALLTYPE CWebBrowserEvents::Release() {
    const LONG left = ::InterlockedDecrement(&m_cRef);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE CWebBrowserEvents::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CWebBrowserEvents::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CWebBrowserEvents::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CWebBrowserEvents::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                                    EXCEPINFO*, UINT*) {
    if (params == nullptr || (params->cArgs > 0 && params->rgvarg == nullptr)) return E_INVALIDARG;
    // The arguments come last first: rgvarg[0] is the event's last parameter.
    const VARIANT* a = params->rgvarg;
    const UINT n = params->cArgs;
    AddRef();  // the owner may go while it handles an event
    switch (id) {
    case DISPID_BEFORENAVIGATE2:  // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
        if (n == 7) {
            VARIANT_BOOL* cancel = CancelOf(a[0]);
            // With no owner left the navigation does not go on.
            const bool stop = m_pOwner == nullptr || m_pOwner->BeforeNavigate(TextOf(a[5]), TextOf(a[3]));
            SetCancel(cancel, stop);
        }
        break;
    case DISPID_NEWWINDOW3:  // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
        if (n == 5) SetCancel(CancelOf(a[3]), m_pOwner == nullptr || m_pOwner->NewWindow(TextOf(a[0])));
        break;
    case DISPID_NEWWINDOW2:  // (ppDisp, Cancel)
        if (n == 2) SetCancel(CancelOf(a[0]), m_pOwner == nullptr || m_pOwner->NewWindow(L""));
        break;
    case DISPID_NAVIGATECOMPLETE2:  // (pDisp, URL)
        if (n == 2 && m_pOwner != nullptr) m_pOwner->NavigateComplete(TextOf(a[0]));
        break;
    case DISPID_DOCUMENTCOMPLETE:  // (pDisp, URL)
        if (n == 2 && m_pOwner != nullptr) m_pOwner->DocumentComplete(TextOf(a[0]));
        break;
    case DISPID_TITLECHANGE:  // (Text)
        if (n == 1 && m_pOwner != nullptr) m_pOwner->TitleChange(TextOf(a[0]));
        break;
    case DISPID_NAVIGATEERROR:  // (pDisp, URL, Frame, StatusCode, Cancel)
        if (n == 5 && m_pOwner != nullptr) m_pOwner->NavigateError(TextOf(a[3]), LongOf(a[1]));
        break;
    default:
        break;
    }
    Release();
    return S_OK;
}

}  // namespace SkinUI
