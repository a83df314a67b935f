// CActiveXUI: the class, the allow-list, attributes, and the object's creation and release.
#include "ui/widgets/hosting/activex.h"

#include <ocidl.h>

#include "ui/controls/attribute_values.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/hosting/activex_classes.h"
#include "ui/widgets/hosting/activex_site.h"

namespace SkinUI {

namespace {

// Clears the caller's flag when the control is destroyed inside a call it made, and
// passes that on to the calls further out.
class CAliveScope {
public:
    explicit CAliveScope(bool*& slot) : m_slot(slot), m_previous(slot) { slot = &m_alive; }
    ~CAliveScope() {
        if (m_alive) {
            m_slot = m_previous;
        } else if (m_previous != nullptr) {
            *m_previous = false;
        }
    }
    CAliveScope(const CAliveScope&) = delete;
    CAliveScope& operator=(const CAliveScope&) = delete;
    bool Alive() const { return m_alive; }

private:
    bool m_alive = true;
    bool*& m_slot;
    bool* m_previous;
};

}  // namespace

void CActiveXUI::AllowClass(const CLSID& clsid) { ActiveXClasses::Allow(clsid); }
void CActiveXUI::DisallowClass(const CLSID& clsid) { ActiveXClasses::Disallow(clsid); }
void CActiveXUI::DisallowAllClasses() { ActiveXClasses::DisallowAll(); }
bool CActiveXUI::IsClassAllowed(const CLSID& clsid) { return ActiveXClasses::IsAllowed(clsid); }

CActiveXUI::CActiveXUI()
    : m_clsid(CLSID_NULL),
      m_hrLast(S_OK),
      m_bDelayCreate(false),
      m_bCreating(false),
      m_nActivating(0),
      m_bReleasing(false),
      m_bLive(false),
      m_bFailPending(false),
      m_bSyncingFocus(false),
      m_pObject(nullptr),
      m_pSite(nullptr),
      m_pInPlace(nullptr),
      m_pWindowless(nullptr),
      m_pActive(nullptr),
      m_pView(nullptr),
      m_pHookManager(nullptr),
      m_pAlive(nullptr) {}

CActiveXUI::~CActiveXUI() {
    if (m_pAlive != nullptr) *m_pAlive = false;
    m_pAlive = nullptr;
    ReleaseControl();
}

const wchar_t* CActiveXUI::GetClass() const { return L"ActiveXUI"; }

void* CActiveXUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"ActiveX") == 0) return static_cast<CActiveXUI*>(this);
    return CControlUI::GetInterface(name);
}

UINT CActiveXUI::GetControlFlags() const { return IsEnabled() && m_pObject != nullptr ? static_cast<UINT>(UIFLAG_TABSTOP) : 0u; }

bool CActiveXUI::IsOwnClass(const CLSID&) const { return false; }

void* CActiveXUI::SiteInterface(REFIID) { return nullptr; }

void CActiveXUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (manager != m_pManager) {
        ReleaseControl();
        m_bLive = false;
    }
    CControlUI::SetManager(manager, parent, init);
    if (!init || manager == nullptr || manager->GetPaintWindow() == nullptr) return;
    m_bLive = true;
    if (m_bFailPending) {
        m_bFailPending = false;
        manager->SendNotify(this, L"activexfailed", static_cast<WPARAM>(m_hrLast), 0, true);
    }
    if (!m_bDelayCreate) CreateControl();
}

void CActiveXUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"clsid") || attr::NameIs(name, L"progid")) {
        SetClassName(value);
    } else if (attr::NameIs(name, L"delaycreate")) {
        SetDelayCreate(attr::IsTrue(value));
    } else {
        CControlUI::ApplyAttribute(name, value);
    }
}

bool CActiveXUI::Fail(HRESULT hr) {
    m_hrLast = FAILED(hr) ? hr : E_FAIL;
    if (m_bLive && m_pManager != nullptr) {
        m_pManager->SendNotify(this, L"activexfailed", static_cast<WPARAM>(m_hrLast), 0, true);
    } else {
        m_bFailPending = true;
    }
    return false;
}

bool CActiveXUI::SetClassName(const wchar_t* name) {
    CLSID clsid = CLSID_NULL;
    const HRESULT hr = ActiveXClasses::Resolve(name, clsid);
    if (FAILED(hr)) {
        ReleaseControl();
        m_clsid = CLSID_NULL;
        return Fail(hr);
    }
    return SetClassId(clsid);
}

bool CActiveXUI::SetClassId(const CLSID& clsid) {
    if (m_pObject != nullptr && IsEqualCLSID(clsid, m_clsid)) return true;
    ReleaseControl();
    m_clsid = clsid;
    m_hrLast = S_OK;
    m_bFailPending = false;
    if (!m_bLive || m_bDelayCreate) return true;
    return CreateControl();
}

bool CActiveXUI::CanCreateNow() const {
    return m_bLive && m_pManager != nullptr && m_pManager->GetPaintWindow() != nullptr && !m_bCreating &&
           !m_bReleasing && !IsEqualCLSID(m_clsid, CLSID_NULL);
}

bool CActiveXUI::CreateControl() {
    if (m_pObject != nullptr) return true;
    // A class the system does not have is reported once, not at every attempt.
    if (!CanCreateNow() || m_hrLast == REGDB_E_CLASSNOTREG) return false;
    if (!ActiveXClasses::IsAllowed(m_clsid) && !IsOwnClass(m_clsid)) return Fail(E_ACCESSDENIED);
    HRESULT hr = ActiveXClasses::ThreadReady();
    if (FAILED(hr)) return Fail(hr);

    CAliveScope alive(m_pAlive);
    m_bCreating = true;
    IOleObject* object = nullptr;
    hr = ::CoCreateInstance(m_clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, reinterpret_cast<void**>(&object));
    if (!alive.Alive()) {
        if (object != nullptr) object->Release();
        return false;
    }
    if (FAILED(hr) || object == nullptr) {
        m_bCreating = false;
        return Fail(FAILED(hr) ? hr : E_NOINTERFACE);
    }
    m_pObject = object;
    m_pSite = new COleSite(this);
    IOleClientSite* site = static_cast<IOleClientSite*>(m_pSite);
    DWORD misc = 0;
    if (FAILED(object->GetMiscStatus(DVASPECT_CONTENT, &misc))) misc = 0;
    const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
    hr = siteFirst ? object->SetClientSite(site) : S_OK;
    if (alive.Alive() && SUCCEEDED(hr) && m_pObject != nullptr) {
        IPersistStreamInit* init = nullptr;
        if (SUCCEEDED(object->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&init))) &&
            init != nullptr) {
            const HRESULT initHr = init->InitNew();
            init->Release();
            if (FAILED(initHr) && initHr != E_NOTIMPL) hr = initHr;
        }
    }
    if (alive.Alive() && SUCCEEDED(hr) && !siteFirst && m_pObject != nullptr) hr = object->SetClientSite(site);
    if (!alive.Alive()) return false;
    m_bCreating = false;
    if (m_pObject == nullptr) return false;  // released from inside a call
    if (FAILED(hr)) {
        ReleaseControl();
        return Fail(hr);
    }
    if (FAILED(object->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&m_pView)))) m_pView = nullptr;
    SetExtent();
    Hook();
    OnObjectCreated();
    if (!alive.Alive() || m_pObject == nullptr) return false;
    UpdateActivation();
    if (!alive.Alive() || m_pObject == nullptr) return false;
    m_pManager->SendNotify(this, L"activexcreated", 0, 0, true);
    return true;
}

void CActiveXUI::Hook() {
    if (m_pHookManager != nullptr || m_pManager == nullptr) return;
    m_pHookManager = m_pManager;
    m_pHookManager->AddMessageFilter(this);
    m_pHookManager->AddTranslateAccelerator(this);
}

void CActiveXUI::Unhook() {
    if (m_pHookManager == nullptr) return;
    m_pHookManager->RemoveMessageFilter(this);
    m_pHookManager->RemoveTranslateAccelerator(this);
    m_pHookManager = nullptr;
}

void CActiveXUI::ForgetObjectPointers() {
    if (m_pActive != nullptr) {
        IOleInPlaceActiveObject* active = m_pActive;
        m_pActive = nullptr;
        active->Release();
    }
    if (m_pWindowless != nullptr) {
        IOleInPlaceObjectWindowless* windowless = m_pWindowless;
        m_pWindowless = nullptr;
        windowless->Release();
    }
    if (m_pInPlace != nullptr) {
        IOleInPlaceObject* inPlace = m_pInPlace;
        m_pInPlace = nullptr;
        inPlace->Release();
    }
}

void CActiveXUI::ReleaseControl() {
    ReleaseObject();
    Unhook();
}

void CActiveXUI::ReleaseObject() {
    if (m_pObject == nullptr || m_bReleasing) return;
    m_bReleasing = true;
    OnObjectReleasing();
    IOleObject* object = m_pObject;
    InPlaceDeactivate();
    ForgetObjectPointers();
    if (m_pView != nullptr) {
        m_pView->Release();
        m_pView = nullptr;
    }
    // OLE's order: deactivated above; closed; its site taken away; let go.
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    m_pObject = nullptr;
    object->Release();
    if (m_pSite != nullptr) {
        m_pSite->ResetState();
        m_pSite->Detach();
        m_pSite->Release();
        m_pSite = nullptr;
    }
    m_bReleasing = false;
    m_bCreating = false;
    Repaint();
}

HRESULT CActiveXUI::GetControl(REFIID iid, void** object) const {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (m_pObject == nullptr) return E_NOINTERFACE;
    return m_pObject->QueryInterface(iid, object);
}

}  // namespace SkinUI
