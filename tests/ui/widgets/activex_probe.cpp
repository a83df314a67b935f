#include "tests/ui/widgets/activex_probe.h"

#include <oleacc.h>

#include <memory>

namespace probe {

// {6A1B7C3E-2F40-4D8A-9E15-3C7B0A9D4E21}
const CLSID kProbeClsid = {0x6a1b7c3e, 0x2f40, 0x4d8a, {0x9e, 0x15, 0x3c, 0x7b, 0x0a, 0x9d, 0x4e, 0x21}};

std::string TProbeState::Joined(const std::vector<std::string>& skip) const {
    std::string out;
    for (const std::string& c : calls) {
        bool left = false;
        for (const std::string& s : skip) left = left || c.compare(0, s.size(), s) == 0;
        if (left) continue;
        out += (out.empty() ? "" : " ") + c;
    }
    return out;
}

int TProbeState::Count(const std::string& call) const {
    int n = 0;
    for (const std::string& c : calls) n += c.compare(0, call.size(), call) == 0 ? 1 : 0;
    return n;
}

namespace {

const wchar_t kWindowClass[] = L"ActiveXProbeWindow";

// {618736E0-3C3D-11CF-810C-00AA00389B71}
const IID kAccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The probe's accessible objects: the root (part 0) and its "Headline" child (part 1).
class CProbeAccessible final : public IAccessible {
public:
    CProbeAccessible(TProbeState& s, int part) : m_s(s), m_part(part) { ++m_s.accRefs; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) && !IsEqualIID(riid, kAccessibleIid)) {
            return E_NOINTERFACE;
        }
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        ++m_s.accRefs;
        return static_cast<ULONG>(++m_refs);
    }
    ULONG STDMETHODCALLTYPE Release() override {
        --m_s.accRefs;
        const LONG left = --m_refs;
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        if (n != nullptr) *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent != nullptr) *parent = nullptr;
        return Fails() ? E_FAIL : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (count == nullptr) return E_POINTER;
        *count = m_s.accessible == kAccessibleAsksBack ? 1 + HostsCount()
                 : Loops()                             ? m_s.accCount
                                                       : (m_part == 0 ? 2 : 0);
        return Fails() ? E_FAIL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (Fails()) return E_FAIL;
        if (Loops()) {
            AddRef();
            *out = this;
            return S_OK;
        }
        if (m_part != 0 || child.vt != VT_I4 || child.lVal < 1 || child.lVal > 2) return E_INVALIDARG;
        if (child.lVal == 2) return S_FALSE;  // "Story" is simple
        *out = new CProbeAccessible(m_s, 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) return E_POINTER;
        *name = nullptr;
        if (Fails()) return E_FAIL;
        const wchar_t* text = Loops() ? L"Loop"
                              : m_part == 1                       ? L"Headline"
                              : Part(child) == 0                  ? L"Probe page"
                              : Part(child) == 1                  ? L"Headline"
                                                                  : L"Story";
        *name = ::SysAllocString(text);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
        if (value != nullptr) *value = nullptr;
        return Fails() ? E_FAIL : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return get_accValue({}, text); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (role == nullptr) return E_POINTER;
        role->vt = VT_I4;
        const int part = m_part == 1 ? 1 : Part(child);
        role->lVal = part == 0 ? ROLE_SYSTEM_CLIENT : part == 1 ? ROLE_SYSTEM_STATICTEXT : ROLE_SYSTEM_PUSHBUTTON;
        return Fails() ? E_FAIL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (state == nullptr) return E_POINTER;
        state->vt = VT_I4;
        state->lVal = (m_part == 1 ? 1 : Part(child)) == 1 ? STATE_SYSTEM_READONLY : 0;
        return Fails() ? E_FAIL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return get_accValue({}, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long*) override { return get_accValue({}, file); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override { return get_accValue({}, text); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus != nullptr) focus->vt = VT_EMPTY;
        return Fails() ? E_FAIL : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override { return get_accFocus(selection); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override { return get_accValue({}, action); }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return Fails() ? E_FAIL : DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
        const RECT rc = Place(m_part == 1 ? 1 : Part(child));
        *left = rc.left;
        *top = rc.top;
        *width = rc.right - rc.left;
        *height = rc.bottom - rc.top;
        return Fails() ? E_FAIL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override {
        if (end == nullptr) return E_POINTER;
        end->vt = VT_EMPTY;
        if (Fails()) return E_FAIL;
        if (m_s.accessible != kAccessibleLoops) return S_FALSE;
        AddRef();
        end->vt = VT_DISPATCH;
        end->pdispVal = this;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (hit == nullptr) return E_POINTER;
        hit->vt = VT_EMPTY;
        if (Fails()) return E_FAIL;
        const POINT pt = {x, y};
        if (Loops()) return accNavigate(0, {}, hit);
        const RECT upper = Place(1);
        const RECT lower = Place(2);
        if (m_part == 0 && ::PtInRect(&upper, pt)) {
            hit->vt = VT_DISPATCH;
            hit->pdispVal = new CProbeAccessible(m_s, 1);
            return S_OK;
        }
        if (m_part == 0 && ::PtInRect(&lower, pt)) {
            hit->vt = VT_I4;
            hit->lVal = 2;
            return S_OK;
        }
        const RECT own = Place(m_part);
        if (!::PtInRect(&own, pt)) return S_FALSE;
        hit->vt = VT_I4;
        hit->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return accSelect(0, {}); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~CProbeAccessible() = default;
    bool Fails() const { return m_s.accessible == kAccessibleFails; }
    bool Loops() const { return m_s.accessible == kAccessibleLoops || m_s.accessible == kAccessibleAsksBack; }
    // The child count of the host's element, asked as a client would: the window's
    // element hit-tested at the probe's middle.
    long HostsCount() const {
        IAccessible* client = nullptr;
        if (FAILED(::AccessibleObjectFromWindow(m_s.container, static_cast<DWORD>(OBJID_CLIENT), kAccessibleIid,
                                                reinterpret_cast<void**>(&client)))) {
            return 0;
        }
        const RECT rc = Place(0);
        VARIANT hit;
        ::VariantInit(&hit);
        long count = 0;
        if (client->accHitTest((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2, &hit) == S_OK &&
            hit.vt == VT_DISPATCH && hit.pdispVal != nullptr) {
            IAccessible* host = nullptr;
            if (SUCCEEDED(hit.pdispVal->QueryInterface(kAccessibleIid, reinterpret_cast<void**>(&host)))) {
                host->get_accChildCount(&count);
                host->Release();
            }
        }
        ::VariantClear(&hit);
        client->Release();
        return count;
    }
    static int Part(const VARIANT& child) {
        return child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= 2 ? static_cast<int>(child.lVal) : 0;
    }
    // Screen pixels: the whole probe (0), its upper half (1) or its lower half (2).
    RECT Place(int part) const {
        RECT rc = m_s.pos;
        if (m_s.window != nullptr) {
            ::GetWindowRect(m_s.window, &rc);
        } else {
            POINT origin = {0, 0};
            ::ClientToScreen(m_s.container, &origin);
            ::OffsetRect(&rc, origin.x, origin.y);
        }
        const LONG middle = (rc.top + rc.bottom) / 2;
        if (part == 1) rc.bottom = middle;
        if (part == 2) rc.top = middle;
        return rc;
    }

    TProbeState& m_s;
    int m_part;
    LONG m_refs = 1;
};

// The state of the probe whose window this is (set when the window is made).
TProbeState* StateOf(HWND hwnd) { return reinterpret_cast<TProbeState*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

LRESULT CALLBACK ProbeWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        TProbeState* s = StateOf(hwnd);
        if (s != nullptr && s->accessible != kNoAccessible) {
            auto* root = new CProbeAccessible(*s, 0);
            const LRESULT result = ::LresultFromObject(kAccessibleIid, wParam, root);
            root->Release();
            return result;
        }
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        HBRUSH brush = ::CreateSolidBrush(RGB(0, 128, 255));
        ::FillRect(dc, &ps.rcPaint, brush);
        ::DeleteObject(brush);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

class CProbe final : public IOleObject,
                     public IOleInPlaceObjectWindowless,
                     public IOleInPlaceActiveObject,
                     public IViewObject,
                     public IPersistStreamInit {
public:
    explicit CProbe(TProbeState& s) : m_s(s) {}

    // A call of the object: written down; after the last release it is a fault.
    HRESULT Note(const char* call) {
        if (m_s.refs <= 0) m_s.callAfterRelease = true;
        m_s.calls.push_back(call);
        return m_s.mode == kFailEveryCall ? E_FAIL : S_OK;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (m_s.refs <= 0 && m_made) m_s.callAfterRelease = true;
        m_made = true;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject)) {
            *out = static_cast<IOleObject*>(this);
        } else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject) ||
                   (IsEqualIID(riid, IID_IOleInPlaceObjectWindowless) && m_s.mode == kWindowless)) {
            *out = static_cast<IOleInPlaceObjectWindowless*>(this);
        } else if (IsEqualIID(riid, IID_IOleInPlaceActiveObject)) {
            *out = static_cast<IOleInPlaceActiveObject*>(this);
        } else if (IsEqualIID(riid, IID_IViewObject)) {
            *out = static_cast<IViewObject*>(this);
        } else if (IsEqualIID(riid, IID_IPersistStreamInit)) {
            *out = static_cast<IPersistStreamInit*>(this);
        } else if (IsEqualIID(riid, kAccessibleIid) && m_s.mode == kWindowless && m_s.accessible != kNoAccessible) {
            *out = new CProbeAccessible(m_s, 0);  // an object of its own, with its own count
            return S_OK;
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        if (m_s.refs <= 0 && m_made && m_s.addRefs > 0) m_s.callAfterRelease = true;
        ++m_s.addRefs;
        return static_cast<ULONG>(++m_s.refs);
    }
    ULONG STDMETHODCALLTYPE Release() override {
        ++m_s.releases;
        if (m_s.refs <= 0) m_s.callAfterRelease = true;
        const LONG left = --m_s.refs;
        if (left == 0) Released();
        return static_cast<ULONG>(left);
    }

    // ---- IOleObject ----
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override {
        const HRESULT hr = Note(site != nullptr ? "SetClientSite" : "SetClientSite(null)");
        if (FAILED(hr)) return hr;
        if (site != nullptr) site->AddRef();
        if (m_site != nullptr) m_site->Release();
        m_site = site;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override {
        if (site == nullptr) return E_POINTER;
        *site = m_site;
        if (m_site != nullptr) m_site->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD) override {
        const HRESULT hr = Note("Close");
        if (m_active) InPlaceDeactivate();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND parent, LPCRECT pos) override {
        const HRESULT hr = Note(verb == OLEIVERB_INPLACEACTIVATE ? "DoVerb(INPLACEACTIVATE)"
                                : verb == OLEIVERB_UIACTIVATE    ? "DoVerb(UIACTIVATE)"
                                                                 : "DoVerb");
        if (FAILED(hr)) return hr;
        AddRef();  // the object stays while it works, whatever the host does meanwhile
        HRESULT result = Activate(parent, pos);
        if (SUCCEEDED(result) && verb == OLEIVERB_UIACTIVATE) result = UIActivate();
        Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override {
        if (clsid != nullptr) *clsid = kProbeClsid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return Note("SetExtent"); }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override {
        if (status == nullptr) return E_POINTER;
        *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE;
        return Note("GetMiscStatus");
    }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // ---- IOleWindow ----
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
        if (hwnd == nullptr) return E_POINTER;
        *hwnd = m_s.reportedWindow != nullptr ? m_s.reportedWindow : m_s.window;
        return *hwnd != nullptr ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return S_OK; }

    // ---- IOleInPlaceObject(Windowless) ----
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override {
        const HRESULT hr = Note("InPlaceDeactivate");
        if (!m_active) return hr;
        if (m_uiActive) UIDeactivate();
        m_active = false;
        if (m_s.window != nullptr) {
            ::DestroyWindow(m_s.window);
            m_s.window = nullptr;
        }
        if (IOleInPlaceSite* site = InPlaceSite()) {
            site->OnInPlaceDeactivate();
            site->Release();
        }
        if (m_frame != nullptr) {
            m_frame->Release();
            m_frame = nullptr;
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE UIDeactivate() override {
        const HRESULT hr = Note("UIDeactivate");
        if (!m_uiActive) return hr;
        m_uiActive = false;
        if (m_frame != nullptr) m_frame->SetActiveObject(nullptr, nullptr);
        if (IOleInPlaceSite* site = InPlaceSite()) {
            site->OnUIDeactivate(FALSE);
            site->Release();
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT pos, LPCRECT) override {
        char text[64];
        wsprintfA(text, "SetObjectRects(%dx%d)", pos != nullptr ? static_cast<int>(pos->right - pos->left) : -1,
                  pos != nullptr ? static_cast<int>(pos->bottom - pos->top) : -1);
        const HRESULT hr = Note(text);
        if (FAILED(hr) || pos == nullptr) return hr;
        m_s.pos = *pos;
        if (m_s.window != nullptr) {
            ::MoveWindow(m_s.window, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
        }
        if (m_s.mode == kReentrant && m_depth < 3) {
            ++m_depth;
            if (IOleInPlaceSite* site = InPlaceSite()) {
                site->OnPosRectChange(pos);
                site->Release();
            }
            --m_depth;
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) override {
        if (result != nullptr) *result = 0;
        if (msg == WM_KEYDOWN) {
            char text[48];
            wsprintfA(text, "OnWindowMessage(WM_KEYDOWN %u)", static_cast<unsigned>(wParam));
            return Note(text);
        }
        if (msg == WM_LBUTTONDOWN) return Note("OnWindowMessage(WM_LBUTTONDOWN)");
        if (msg == WM_SETFOCUS) return Note("OnWindowMessage(WM_SETFOCUS)");
        if (msg == WM_KILLFOCUS) return Note("OnWindowMessage(WM_KILLFOCUS)");
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget** target) override {
        if (target != nullptr) *target = nullptr;
        return E_NOTIMPL;
    }

    // ---- IOleInPlaceActiveObject: F5 is the probe's own accelerator ----
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override {
        if (msg == nullptr || msg->message != WM_KEYDOWN) return S_FALSE;
        char text[48];
        wsprintfA(text, "TranslateAccelerator(%u)", static_cast<unsigned>(msg->wParam));
        Note(text);
        return msg->wParam == VK_F5 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }

    // ---- IViewObject ----
    HRESULT STDMETHODCALLTYPE Draw(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                                   WINBOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override {
        const HRESULT hr = Note("Draw");
        if (FAILED(hr) || dc == nullptr || bounds == nullptr) return hr;
        RECT rc = {bounds->left, bounds->top, bounds->right, bounds->bottom};
        HBRUSH brush = ::CreateSolidBrush(RGB(0, 128, 255));
        ::FillRect(dc, &rc, brush);
        ::DeleteObject(brush);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD, DWORD, IAdviseSink*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD*, DWORD*, IAdviseSink**) override { return E_NOTIMPL; }

    // ---- IPersistStreamInit ----
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override { return GetUserClassID(clsid); }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitNew() override { return Note("InitNew"); }

private:
    IOleInPlaceSite* InPlaceSite() {
        void* site = nullptr;
        if (m_site == nullptr || FAILED(m_site->QueryInterface(IID_IOleInPlaceSite, &site))) return nullptr;
        return static_cast<IOleInPlaceSite*>(site);
    }

    HRESULT Activate(HWND parent, LPCRECT pos) {
        if (m_active) return S_OK;
        void* p = nullptr;
        if (m_site == nullptr || FAILED(m_site->QueryInterface(IID_IOleInPlaceSiteWindowless, &p))) return E_FAIL;
        auto* site = static_cast<IOleInPlaceSiteWindowless*>(p);
        HRESULT hr = site->CanInPlaceActivate();
        if (hr == S_OK) {
            const bool windowless = m_s.mode == kWindowless && site->CanWindowlessActivate() == S_OK;
            BOOL noRedraw = FALSE;
            hr = site->OnInPlaceActivateEx(&noRedraw, windowless ? ACTIVATE_WINDOWLESS : 0);
            m_s.calls.push_back(windowless ? "site:OnInPlaceActivateEx(windowless)" : "site:OnInPlaceActivateEx");
        } else {
            hr = E_FAIL;
        }
        if (SUCCEEDED(hr)) {
            IOleInPlaceUIWindow* doc = nullptr;
            RECT place = {}, clip = {};
            OLEINPLACEFRAMEINFO info = {sizeof(info), FALSE, nullptr, nullptr, 0};
            hr = site->GetWindowContext(&m_frame, &doc, &place, &clip, &info);
            if (doc != nullptr) doc->Release();
            m_active = SUCCEEDED(hr);
            m_s.pos = place;
            site->GetWindow(&m_s.container);
            if (m_active && m_s.mode != kWindowless) {
                HWND host = m_s.container;
                m_s.window = ::CreateWindowExW(0, kWindowClass, L"Probe", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                               place.left, place.top, place.right - place.left,
                                               place.bottom - place.top, host != nullptr ? host : parent, nullptr,
                                               ::GetModuleHandleW(nullptr), nullptr);
                ::SetWindowLongPtrW(m_s.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_s));
            }
            if (m_active && m_s.mode == kReentrant) {
                // Back into the host while it activates: a new place, a redraw, the object shown.
                site->OnPosRectChange(&place);
                site->InvalidateRect(nullptr, FALSE);
                if (m_site != nullptr) m_site->ShowObject();
            }
        }
        site->Release();
        (void)pos;
        return hr;
    }

    HRESULT UIActivate() {
        if (m_uiActive) return S_OK;
        m_uiActive = true;
        if (IOleInPlaceSite* site = InPlaceSite()) {
            site->OnUIActivate();
            site->Release();
        }
        if (m_frame != nullptr) m_frame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), L"probe");
        if (m_s.window != nullptr) ::SetFocus(m_s.window);
        if (m_s.mode == kReentrant && m_site != nullptr) {
            void* control = nullptr;
            if (SUCCEEDED(m_site->QueryInterface(IID_IOleControlSite, &control))) {
                static_cast<IOleControlSite*>(control)->OnFocus(TRUE);
                static_cast<IOleControlSite*>(control)->Release();
            }
        }
        return S_OK;
    }

    void Released() {
        m_s.calls.push_back("released");
        if (m_site != nullptr) {  // a host that never cleared the site: its reference is dropped here
            m_s.calls.push_back("site-still-set");
            m_site->Release();
            m_site = nullptr;
        }
    }

    TProbeState& m_s;
    IOleClientSite* m_site = nullptr;
    IOleInPlaceFrame* m_frame = nullptr;
    bool m_active = false;
    bool m_uiActive = false;
    bool m_made = false;
    int m_depth = 0;
};

class CFactory final : public IClassFactory {
public:
    explicit CFactory(TProbeState& s) : m_s(s) {}
    ~CFactory() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(::InterlockedDecrement(&m_refs)); }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        if (m_s.mode == kFailCreate) return E_OUTOFMEMORY;
        m_made.emplace_back(new CProbe(m_s));
        return m_made.back()->QueryInterface(riid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    TProbeState& m_s;
    LONG m_refs = 1;
    std::vector<std::unique_ptr<CProbe>> m_made;  // kept past their last release
};

}  // namespace

CProbeClass::CProbeClass(TProbeState& state) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &ProbeWindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    ::RegisterClassW(&wc);
    m_factory = new CFactory(state);
    if (FAILED(::CoRegisterClassObject(kProbeClsid, m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie))) {
        m_cookie = 0;
    }
}

CProbeClass::~CProbeClass() {
    if (m_cookie != 0) ::CoRevokeClassObject(m_cookie);
    delete static_cast<CFactory*>(m_factory);
}

}  // namespace probe
