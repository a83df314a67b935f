// CActiveXUI: in-place activation with the control's place and visibility, drawing,
// focus, keyboard and the window messages a windowless object gets.
#include <windowsx.h>
#include <ocidl.h>

#include "ui/core/paint_manager.h"
#include "ui/widgets/hosting/activex.h"
#include "ui/widgets/hosting/activex_site.h"

namespace SkinUI {

namespace {

const int kHimetricPerInch = 2540;

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL; }

bool IsKeyMessage(UINT msg) {
    return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || msg == WM_MOUSEWHEEL ||
           (msg >= WM_IME_STARTCOMPOSITION && msg <= WM_IME_KEYLAST) || msg == WM_IME_CHAR;
}

// Keeps an interface alive across one call into it (the call may release the host's pointer).
template <class T>
class CHold {
public:
    explicit CHold(T* p) : m_p(p) {
        if (m_p != nullptr) m_p->AddRef();
    }
    ~CHold() {
        if (m_p != nullptr) m_p->Release();
    }
    CHold(const CHold&) = delete;
    CHold& operator=(const CHold&) = delete;
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p;
};

}  // namespace

bool CActiveXUI::IsInPlaceActive() const { return m_pSite != nullptr && m_pSite->IsInPlaceActive(); }
bool CActiveXUI::IsWindowless() const { return IsInPlaceActive() && m_pSite->IsWindowless(); }

HWND CActiveXUI::GetHostWindow() const {
    if (m_pInPlace == nullptr || IsWindowless()) return nullptr;
    HWND hwnd = nullptr;
    if (FAILED(m_pInPlace->GetWindow(&hwnd)) || hwnd == nullptr || !::IsWindow(hwnd)) return nullptr;
    return hwnd;
}

CUIRect CActiveXUI::SiteClip() const {
    CUIRect clip = m_rcItem;
    if (m_pManager != nullptr && m_pManager->GetPaintWindow() != nullptr) {
        RECT client = {};
        ::GetClientRect(m_pManager->GetPaintWindow(), &client);
        ::IntersectRect(&clip, &clip, &client);
    }
    for (CControlUI* p = m_pParent; p != nullptr; p = p->GetParent()) {
        const RECT outer = p->GetPos();
        ::IntersectRect(&clip, &clip, &outer);
    }
    return clip;
}

bool CActiveXUI::SiteLayered() const { return m_pManager != nullptr && m_pManager->IsLayered(); }

// ---- activation ----

void CActiveXUI::UpdateActivation() {
    if (m_pObject == nullptr || m_nActivating > 0 || m_bReleasing || m_bCreating) return;
    const bool show = IsVisible() && !m_rcItem.IsEmpty() && m_pManager != nullptr &&
                      m_pManager->GetPaintWindow() != nullptr;
    if (show && !IsInPlaceActive()) {
        const HRESULT hr = InPlaceActivate();
        if (FAILED(hr)) {
            // An object that cannot run here is let go and reported once.
            ReleaseControl();
            Fail(hr);
            return;
        }
        SetObjectRects();
    } else if (!show && IsInPlaceActive()) {
        InPlaceDeactivate();
        Repaint();
    }
}

HRESULT CActiveXUI::InPlaceActivate() {
    if (m_pObject == nullptr || m_pSite == nullptr) return E_UNEXPECTED;
    if (m_pSite->IsInPlaceActive()) return S_OK;
    CHold<IOleObject> object(m_pObject);
    RECT rc = m_rcItem;
    ++m_nActivating;
    HRESULT hr = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(m_pSite), 0,
                                m_pManager->GetPaintWindow(), &rc);
    --m_nActivating;
    if (m_pSite == nullptr) return E_UNEXPECTED;  // released from inside
    if (SUCCEEDED(hr) && !m_pSite->IsInPlaceActive()) hr = E_FAIL;
    // An object that made a window although the site refused it in a layered window.
    if (SUCCEEDED(hr) && !m_pSite->IsWindowless() && SiteLayered()) hr = kActiveXLayeredWindowed;
    return hr;
}

void CActiveXUI::InPlaceDeactivate() {
    if (m_pInPlace != nullptr) {
        CHold<IOleInPlaceObject> inPlace(m_pInPlace);
        ++m_nActivating;
        if (m_pSite != nullptr && m_pSite->IsUIActive()) inPlace->UIDeactivate();
        inPlace->InPlaceDeactivate();
        --m_nActivating;
    }
    if (m_pSite != nullptr) m_pSite->ResetState();
    ForgetObjectPointers();
}

void CActiveXUI::SiteActivated(bool windowless) {
    ForgetObjectPointers();
    if (m_pObject == nullptr) return;
    if (windowless &&
        SUCCEEDED(m_pObject->QueryInterface(IID_IOleInPlaceObjectWindowless, reinterpret_cast<void**>(&m_pWindowless))) &&
        m_pWindowless != nullptr) {
        m_pInPlace = m_pWindowless;
        m_pInPlace->AddRef();
        return;
    }
    m_pWindowless = nullptr;
    if (FAILED(m_pObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_pInPlace)))) {
        m_pInPlace = nullptr;
    }
}

void CActiveXUI::SiteDeactivated() {
    if (m_nActivating == 0) ForgetObjectPointers();
}

void CActiveXUI::SiteActiveObject(IOleInPlaceActiveObject* object) {
    if (object == m_pActive) return;
    if (object != nullptr) object->AddRef();
    IOleInPlaceActiveObject* old = m_pActive;
    m_pActive = object;
    if (old != nullptr) old->Release();
}

void CActiveXUI::SetObjectRects() {
    if (m_pInPlace == nullptr || m_nActivating > 1) return;
    RECT pos = m_rcItem;
    RECT clip = SiteClip();
    CHold<IOleInPlaceObject> inPlace(m_pInPlace);
    ++m_nActivating;
    inPlace->SetObjectRects(&pos, &clip);
    --m_nActivating;
}

void CActiveXUI::SetExtent() {
    if (m_pObject == nullptr || m_rcItem.IsEmpty()) return;
    HDC screen = ::GetDC(nullptr);
    const int dpiX = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    const int dpiY = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) ::ReleaseDC(nullptr, screen);
    SIZEL extent = {::MulDiv(m_rcItem.GetWidth(), kHimetricPerInch, dpiX > 0 ? dpiX : 96),
                    ::MulDiv(m_rcItem.GetHeight(), kHimetricPerInch, dpiY > 0 ? dpiY : 96)};
    CHold<IOleObject> object(m_pObject);
    object->SetExtent(DVASPECT_CONTENT, &extent);
}

void CActiveXUI::PlaceAt(CUIRect rc, bool invalidate) {
    const CUIRect old = m_rcItem;
    CControlUI::PlaceAt(rc, invalidate);
    if (m_pObject == nullptr) {
        if (m_bDelayCreate && m_bLive && IsVisible() && !m_rcItem.IsEmpty()) CreateControl();
        return;
    }
    if (m_rcItem.GetWidth() != old.GetWidth() || m_rcItem.GetHeight() != old.GetHeight()) SetExtent();
    if (m_pObject == nullptr) return;
    const bool wasActive = IsInPlaceActive();
    UpdateActivation();  // a new activation places the object itself
    if (wasActive && IsInPlaceActive() && !(m_rcItem == old)) SetObjectRects();
}

void CActiveXUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
    UpdateActivation();
}

void CActiveXUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    UpdateActivation();
}

// ---- drawing ----

void CActiveXUI::DrawForeImage(HDC dc) {
    CControlUI::DrawForeImage(dc);
    if (m_pView == nullptr || !IsWindowless()) return;
    RECTL bounds = {m_rcItem.left, m_rcItem.top, m_rcItem.right, m_rcItem.bottom};
    CHold<IViewObject> view(m_pView);
    view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
}

void CActiveXUI::SiteInvalidate(const RECT* rc) {
    if (m_pManager == nullptr) return;
    if (rc == nullptr) {
        Repaint();
        return;
    }
    RECT part = {};
    if (::IntersectRect(&part, rc, &m_rcItem)) InvalidateClipped(part);
}

// ---- focus and keyboard ----

void CActiveXUI::ActivateForKeyboard(bool focus, HWND from) {
    if (m_pSite == nullptr || !IsInPlaceActive() || m_nActivating > 0) return;
    if (focus) {
        if (!m_pSite->IsUIActive()) {
            CHold<IOleObject> object(m_pObject);
            RECT rc = m_rcItem;
            ++m_nActivating;
            object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, static_cast<IOleClientSite*>(m_pSite), 0,
                           m_pManager->GetPaintWindow(), &rc);
            --m_nActivating;
        }
        if (HWND host = GetHostWindow()) {
            // The window took the focus back from the object (another control is taking
            // it): the focus is not sent back.
            const bool fromObject = from != nullptr && (from == host || ::IsChild(host, from));
            HWND now = ::GetFocus();
            if (!fromObject && now != host && !::IsChild(host, now)) ::SetFocus(host);
        } else if (m_pWindowless != nullptr) {
            LRESULT result = 0;
            CHold<IOleInPlaceObjectWindowless> windowless(m_pWindowless);
            windowless->OnWindowMessage(WM_SETFOCUS, 0, 0, &result);
        }
    } else {
        if (m_pWindowless != nullptr) {
            LRESULT result = 0;
            CHold<IOleInPlaceObjectWindowless> windowless(m_pWindowless);
            windowless->OnWindowMessage(WM_KILLFOCUS, 0, 0, &result);
        }
        if (m_pInPlace != nullptr && m_pSite != nullptr && m_pSite->IsUIActive()) {
            CHold<IOleInPlaceObject> inPlace(m_pInPlace);
            ++m_nActivating;
            inPlace->UIDeactivate();
            --m_nActivating;
        }
    }
}

void CActiveXUI::SiteFocus(bool focus) {
    if (!focus || m_bSyncingFocus || m_pManager == nullptr || m_pManager->GetFocus() == this) return;
    // The object took the focus itself (a click into its window): the window's focus follows.
    m_bSyncingFocus = true;
    m_pManager->SetFocusControl(this);
    m_bSyncingFocus = false;
}

void CActiveXUI::HandleEvent(TUIEvent& event) {
    switch (event.Type) {
    case UIEVENT_SETFOCUS: {
        bool* outer = m_pAlive;
        bool alive = true;
        m_pAlive = &alive;
        ActivateForKeyboard(true, reinterpret_cast<HWND>(event.wParam));
        if (!alive) {
            if (outer != nullptr) *outer = false;
            return;
        }
        m_pAlive = outer;
        break;
    }
    case UIEVENT_KILLFOCUS:
        ActivateForKeyboard(false, nullptr);
        break;
    default:
        break;
    }
    CControlUI::HandleEvent(event);
}

LRESULT CActiveXUI::TranslateAccelerator(MSG* pMsg) {
    if (pMsg == nullptr || m_pActive == nullptr || !IsKeyMessage(pMsg->message) || m_nActivating > 0) return S_FALSE;
    bool mine = false;
    if (HWND host = GetHostWindow()) {
        mine = pMsg->hwnd == host || ::IsChild(host, pMsg->hwnd);
    } else {
        mine = m_pManager != nullptr && m_pManager->GetFocus() == this && pMsg->hwnd == m_pManager->GetPaintWindow();
    }
    if (!mine) return S_FALSE;
    CHold<IOleInPlaceActiveObject> active(m_pActive);
    return active->TranslateAccelerator(pMsg) == S_OK ? 0 : S_FALSE;
}

LRESULT CActiveXUI::FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (uMsg == WM_DESTROY) {
        // The window goes: the object is let go while its window still exists. The filter
        // stays registered until the control goes (the manager is walking its filters).
        ReleaseObject();
        m_bLive = false;  // nothing is created for a window that is going
        return 0;
    }
    if (m_pWindowless == nullptr || m_pSite == nullptr || !IsWindowless() || !IsVisible() || !IsEnabled()) return 0;
    bool forward = false;
    if (IsMouseMessage(uMsg) || uMsg == WM_SETCURSOR) {
        POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (uMsg == WM_SETCURSOR) {
            ::GetCursorPos(&pt);
            ::ScreenToClient(m_pManager->GetPaintWindow(), &pt);
        }
        forward = m_pSite->HasCapture() ||
                  (::PtInRect(&m_rcItem, pt) && m_pManager->FindControlAt(pt) == this);
    } else if (IsKeyMessage(uMsg)) {
        forward = m_pManager->GetFocus() == this;
    }
    if (!forward) return 0;
    LRESULT result = 0;
    CHold<IOleInPlaceObjectWindowless> windowless(m_pWindowless);
    const HRESULT hr = windowless->OnWindowMessage(uMsg, wParam, lParam, &result);
    if (uMsg == WM_SETCURSOR && hr == S_OK) {
        bHandled = true;
        return TRUE;
    }
    return 0;
}

}  // namespace SkinUI
