#include "ui/widgets/hosting/activex_site.h"

#include <olectl.h>

#include "ui/core/paint_manager.h"
#include "ui/widgets/hosting/activex.h"

namespace SkinUI {

namespace {

// Ambient properties a browser control asks for: download control, written out since
// the header that names it is the HTML engine's.
const DISPID kAmbientDownloadControl = -5512;
const LONG kDownloadSilent = 0x40000000 | 0x10 | 0x20 | 0x40;  // silent; images, videos, sounds

void SetBool(VARIANT* v, bool value) {
    v->vt = VT_BOOL;
    v->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void SetLong(VARIANT* v, LONG value) {
    v->vt = VT_I4;
    v->lVal = value;
}

OLE_COLOR ToOleColor(DWORD argb, int fallback) {
    if (argb == 0) return 0x80000000 | static_cast<OLE_COLOR>(fallback);  // a system colour
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

}  // namespace

COleSite::COleSite(CActiveXUI* owner)
    : m_cRef(1),
      m_pOwner(owner),
      m_bWindowless(false),
      m_bInPlace(false),
      m_bUIActive(false),
      m_bCapture(false),
      m_bFocus(false),
      m_hDC(nullptr) {}

void COleSite::ResetState() {
    if (m_bCapture && ::GetCapture() == Window()) ::ReleaseCapture();
    m_bInPlace = m_bUIActive = m_bCapture = m_bFocus = false;
}

HWND COleSite::Window() const {
    CPaintManagerUI* manager = m_pOwner != nullptr ? m_pOwner->GetManager() : nullptr;
    return manager != nullptr ? manager->GetPaintWindow() : nullptr;
}

// ---- IUnknown ----

HRESULT STDMETHODCALLTYPE COleSite::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite)) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite) ||
               IsEqualIID(riid, IID_IOleInPlaceSiteEx) || IsEqualIID(riid, IID_IOleInPlaceSiteWindowless)) {
        *object = static_cast<IOleInPlaceSiteWindowless*>(this);
    } else if (IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame)) {
        *object = static_cast<IOleInPlaceFrame*>(this);
    } else if (IsEqualIID(riid, IID_IOleControlSite)) {
        *object = static_cast<IOleControlSite*>(this);
    } else if (IsEqualIID(riid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
    } else if (m_pOwner != nullptr) {
        if (void* extra = m_pOwner->SiteQuery(riid)) {
            static_cast<IUnknown*>(extra)->AddRef();
            *object = extra;
            return S_OK;
        }
        return E_NOINTERFACE;
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE COleSite::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_cRef)); }

ULONG STDMETHODCALLTYPE COleSite::Release() {
    const LONG left = ::InterlockedDecrement(&m_cRef);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// ---- IOleClientSite ----

HRESULT STDMETHODCALLTYPE COleSite::SaveObject() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE COleSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker != nullptr) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleSite::GetContainer(IOleContainer** container) {
    if (container != nullptr) *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE COleSite::ShowObject() {
    if (m_pOwner != nullptr) m_pOwner->SiteInvalidate(nullptr);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::OnShowWindow(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE COleSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// ---- IOleWindow ----

HRESULT STDMETHODCALLTYPE COleSite::GetWindow(HWND* hwnd) {
    if (hwnd == nullptr) return E_POINTER;
    *hwnd = Window();
    return *hwnd != nullptr ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE COleSite::ContextSensitiveHelp(BOOL) { return S_OK; }

// ---- IOleInPlaceSite(Ex) ----

HRESULT STDMETHODCALLTYPE COleSite::CanInPlaceActivate() {
    return m_pOwner != nullptr && Window() != nullptr && m_pOwner->IsVisible() ? S_OK : S_FALSE;
}

HRESULT COleSite::Activated(bool windowless) {
    if (m_pOwner == nullptr || Window() == nullptr) return E_UNEXPECTED;
    // A layered window shows no child windows: there only windowless objects run.
    if (!windowless && m_pOwner->SiteLayered()) return kActiveXLayeredWindowed;
    m_bWindowless = windowless;
    m_bInPlace = true;
    m_pOwner->SiteActivated(windowless);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::OnInPlaceActivate() { return Activated(false); }

HRESULT STDMETHODCALLTYPE COleSite::OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) {
    if (noRedraw != nullptr) *noRedraw = FALSE;
    return Activated((flags & ACTIVATE_WINDOWLESS) != 0);
}

HRESULT STDMETHODCALLTYPE COleSite::OnUIActivate() {
    if (m_pOwner == nullptr) return E_UNEXPECTED;
    m_bUIActive = true;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                                     LPRECT pos, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (frame != nullptr) *frame = nullptr;
    if (doc != nullptr) *doc = nullptr;
    if (frame == nullptr || doc == nullptr || pos == nullptr || clip == nullptr) return E_POINTER;
    if (m_pOwner == nullptr || Window() == nullptr) return E_UNEXPECTED;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *pos = m_pOwner->GetPos();
    *clip = m_pOwner->SiteClip();
    if (info != nullptr) {
        info->fMDIApp = FALSE;
        info->hwndFrame = Window();
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::Scroll(SIZE) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE COleSite::OnUIDeactivate(BOOL) {
    m_bUIActive = false;
    if (m_pOwner != nullptr) m_pOwner->SiteActiveObject(nullptr);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::OnInPlaceDeactivate() {
    const bool was = m_bInPlace;
    ResetState();
    if (was && m_pOwner != nullptr) m_pOwner->SiteDeactivated();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::OnInPlaceDeactivateEx(BOOL) { return OnInPlaceDeactivate(); }
HRESULT STDMETHODCALLTYPE COleSite::DiscardUndoState() { return S_OK; }
HRESULT STDMETHODCALLTYPE COleSite::DeactivateAndUndo() { return S_OK; }

HRESULT STDMETHODCALLTYPE COleSite::OnPosRectChange(LPCRECT) {
    // The container keeps the place: the object is told its rectangle again.
    if (m_pOwner == nullptr) return E_UNEXPECTED;
    m_pOwner->SetObjectRects();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::RequestUIActivate() { return m_pOwner != nullptr ? S_OK : S_FALSE; }

// ---- IOleInPlaceSiteWindowless ----

HRESULT STDMETHODCALLTYPE COleSite::CanWindowlessActivate() { return m_pOwner != nullptr ? S_OK : S_FALSE; }

HRESULT STDMETHODCALLTYPE COleSite::GetCapture() { return m_bCapture ? S_OK : S_FALSE; }

HRESULT STDMETHODCALLTYPE COleSite::SetCapture(BOOL capture) {
    HWND hwnd = Window();
    if (hwnd == nullptr) return E_UNEXPECTED;
    if (capture) {
        m_bCapture = true;
        ::SetCapture(hwnd);
    } else if (m_bCapture) {
        m_bCapture = false;
        if (::GetCapture() == hwnd) ::ReleaseCapture();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::GetFocus() { return m_bFocus ? S_OK : S_FALSE; }

HRESULT STDMETHODCALLTYPE COleSite::SetFocus(BOOL focus) {
    if (m_pOwner == nullptr) return E_UNEXPECTED;
    m_bFocus = focus != FALSE;
    m_pOwner->SiteFocus(m_bFocus);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::GetDC(LPCRECT rect, DWORD, HDC* dc) {
    if (dc == nullptr) return E_POINTER;
    *dc = nullptr;
    HWND hwnd = Window();
    if (hwnd == nullptr || m_hDC != nullptr) return E_FAIL;
    m_hDC = ::GetDC(hwnd);
    if (m_hDC == nullptr) return E_FAIL;
    RECT clip = m_pOwner->SiteClip();
    if (rect != nullptr) ::IntersectRect(&clip, &clip, rect);
    ::IntersectClipRect(m_hDC, clip.left, clip.top, clip.right, clip.bottom);
    *dc = m_hDC;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::ReleaseDC(HDC dc) {
    if (dc == nullptr || dc != m_hDC) return E_INVALIDARG;
    ::ReleaseDC(Window(), m_hDC);
    m_hDC = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::InvalidateRect(LPCRECT rect, BOOL) {
    if (m_pOwner == nullptr) return E_UNEXPECTED;
    m_pOwner->SiteInvalidate(rect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::InvalidateRgn(HRGN, BOOL) { return InvalidateRect(nullptr, FALSE); }

HRESULT STDMETHODCALLTYPE COleSite::ScrollRect(INT, INT, LPCRECT, LPCRECT) { return InvalidateRect(nullptr, FALSE); }

HRESULT STDMETHODCALLTYPE COleSite::AdjustRect(LPRECT rect) { return rect != nullptr ? S_OK : E_POINTER; }

HRESULT STDMETHODCALLTYPE COleSite::OnDefWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) {
    if (result != nullptr) *result = 0;
    return S_FALSE;
}

// ---- IOleInPlaceUIWindow / IOleInPlaceFrame: a frame without menus or tool space ----

HRESULT STDMETHODCALLTYPE COleSite::GetBorder(LPRECT border) {
    if (border != nullptr) ::SetRectEmpty(border);
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT STDMETHODCALLTYPE COleSite::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
HRESULT STDMETHODCALLTYPE COleSite::SetBorderSpace(LPCBORDERWIDTHS) { return OLE_E_INVALIDRECT; }

HRESULT STDMETHODCALLTYPE COleSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    if (m_pOwner != nullptr) m_pOwner->SiteActiveObject(object);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COleSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT STDMETHODCALLTYPE COleSite::RemoveMenus(HMENU) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COleSite::SetStatusText(LPCOLESTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE COleSite::EnableModeless(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE COleSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// ---- IOleControlSite ----

HRESULT STDMETHODCALLTYPE COleSite::OnControlInfoChanged() { return S_OK; }
HRESULT STDMETHODCALLTYPE COleSite::LockInPlaceActive(BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE COleSite::GetExtendedControl(IDispatch** dispatch) {
    if (dispatch != nullptr) *dispatch = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleSite::TransformCoords(POINTL*, POINTF*, DWORD) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COleSite::TranslateAccelerator(MSG*, DWORD) { return S_FALSE; }

HRESULT STDMETHODCALLTYPE COleSite::OnFocus(BOOL gotFocus) {
    if (m_pOwner == nullptr) return E_UNEXPECTED;
    m_bFocus = gotFocus != FALSE;
    m_pOwner->SiteFocus(m_bFocus);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::ShowPropertyFrame() { return E_NOTIMPL; }

// ---- IDispatch: ambient properties ----

HRESULT STDMETHODCALLTYPE COleSite::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE COleSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                           EXCEPINFO*, UINT*) {
    if ((flags & DISPATCH_PROPERTYGET) == 0) return DISP_E_MEMBERNOTFOUND;
    if (result == nullptr) return E_POINTER;
    ::VariantInit(result);
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
    case DISPID_AMBIENT_AUTOCLIP:
        SetBool(result, true);
        return S_OK;
    case DISPID_AMBIENT_UIDEAD:
        SetBool(result, m_pOwner == nullptr || !m_pOwner->IsEnabled());
        return S_OK;
    case DISPID_AMBIENT_MESSAGEREFLECT:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
    case DISPID_AMBIENT_SUPPORTSMNEMONICS:
        SetBool(result, false);
        return S_OK;
    case DISPID_AMBIENT_LOCALEID:
        SetLong(result, static_cast<LONG>(::GetUserDefaultLCID()));
        return S_OK;
    case DISPID_AMBIENT_BACKCOLOR:
        SetLong(result, static_cast<LONG>(ToOleColor(m_pOwner != nullptr ? m_pOwner->GetBkColor() : 0, COLOR_WINDOW)));
        return S_OK;
    case DISPID_AMBIENT_FORECOLOR:
        SetLong(result, static_cast<LONG>(ToOleColor(0, COLOR_WINDOWTEXT)));
        return S_OK;
    case kAmbientDownloadControl:
        SetLong(result, kDownloadSilent);
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

}  // namespace SkinUI
