#include "ui/widgets/hosting/web_doc_host.h"

namespace SkinUI {

namespace {

// {F38BC242-B950-11D1-8918-00C04FC2C836}: the document host's command group.
const GUID kDocHostCommands = {0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};

}  // namespace

void CWebDocHost::SetExternal(IDispatch* external) {
    if (external != nullptr) external->AddRef();
    IDispatch* old = m_pExternal;
    m_pExternal = external;
    if (old != nullptr) old->Release();
}

HRESULT STDMETHODCALLTYPE CWebDocHost::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDocHostUIHandler)) {
        *object = static_cast<IDocHostUIHandler*>(this);
    } else if (IsEqualIID(riid, IID_IOleCommandTarget)) {
        *object = static_cast<IOleCommandTarget*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CWebDocHost::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_cRef)); }

ULONG STDMETHODCALLTYPE CWebDocHost::Release() {
    const LONG left = ::InterlockedDecrement(&m_cRef);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// S_FALSE: the browser shows its own menu.
HRESULT STDMETHODCALLTYPE CWebDocHost::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) { return S_FALSE; }

HRESULT STDMETHODCALLTYPE CWebDocHost::GetHostInfo(DOCHOSTUIINFO* info) {
    if (info == nullptr) return E_POINTER;
    if (info->cbSize < sizeof(DOCHOSTUIINFO)) return E_INVALIDARG;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DISABLE_HELP_MENU;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CWebDocHost::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                              IOleInPlaceUIWindow*) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CWebDocHost::HideUI() { return S_OK; }
HRESULT STDMETHODCALLTYPE CWebDocHost::UpdateUI() { return S_OK; }
HRESULT STDMETHODCALLTYPE CWebDocHost::EnableModeless(WINBOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE CWebDocHost::OnDocWindowActivate(WINBOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE CWebDocHost::OnFrameWindowActivate(WINBOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE CWebDocHost::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE CWebDocHost::TranslateAccelerator(LPMSG, const GUID*, DWORD) { return S_FALSE; }

HRESULT STDMETHODCALLTYPE CWebDocHost::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key != nullptr) *key = nullptr;
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE CWebDocHost::GetDropTarget(IDropTarget*, IDropTarget** replacement) {
    if (replacement != nullptr) *replacement = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CWebDocHost::GetExternal(IDispatch** dispatch) {
    if (dispatch == nullptr) return E_POINTER;
    *dispatch = m_pExternal;
    if (m_pExternal == nullptr) return S_FALSE;
    m_pExternal->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CWebDocHost::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
    if (out != nullptr) *out = nullptr;
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE CWebDocHost::FilterDataObject(IDataObject*, IDataObject** out) {
    if (out != nullptr) *out = nullptr;
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE CWebDocHost::QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) {
    return OLECMDERR_E_UNKNOWNGROUP;
}

HRESULT STDMETHODCALLTYPE CWebDocHost::Exec(const GUID* group, DWORD id, DWORD, VARIANT*, VARIANT* out) {
    if (group == nullptr || !IsEqualGUID(*group, kDocHostCommands)) return OLECMDERR_E_UNKNOWNGROUP;
    if (id != OLECMDID_SHOWSCRIPTERROR) return OLECMDERR_E_NOTSUPPORTED;
    // A page's script error: no dialog; the page's scripts go on.
    if (out != nullptr) {
        ::VariantClear(out);
        out->vt = VT_BOOL;
        out->boolVal = VARIANT_TRUE;
    }
    return S_OK;
}

}  // namespace SkinUI
