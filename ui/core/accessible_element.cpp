#include "ui/core/accessible_element.h"

#include <vector>

#include "ui/controls/control.h"
#include "ui/core/accessible_hub.h"
#include "ui/core/accessible_model.h"
#include "ui/core/accessible_variant.h"
#include "ui/core/entry_guard.h"
#include "ui/core/paint_manager.h"
#include "ui/core/system_library.h"

namespace SkinUI {

namespace {

using Accessible::ChildNumber;
using Accessible::ClearVariant;
using Accessible::NumberChild;

// The automation string allocator, looked up in oleaut32.dll on first use: the
// accessibility library has loaded it by then, and a launcher that no screen reader
// asks never loads it. The reader frees the string with the same library.
typedef BSTR(WINAPI* SysAllocStringFn)(const OLECHAR*);
BSTR AllocBstr(const wchar_t* text) {
    static const SysAllocStringFn fn = reinterpret_cast<SysAllocStringFn>(
        reinterpret_cast<void*>(::GetProcAddress(LoadSystemLibrary(L"oleaut32.dll"), "SysAllocString")));
    return fn != nullptr ? fn(text) : nullptr;
}

HRESULT ToBstr(const CUIString& text, BSTR* out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (text.IsEmpty()) return S_FALSE;
    *out = AllocBstr(text.GetData());
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

POINT Center(const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

// The sibling nearest to `from` in a screen direction, or null.
CControlUI* NearestInDirection(const std::vector<CControlUI*>& siblings, CControlUI* from, long dir) {
    const POINT origin = Center(from->GetPos());
    CControlUI* best = nullptr;
    long bestMain = 0;
    long bestCross = 0;
    for (CControlUI* candidate : siblings) {
        if (candidate == from) continue;
        const POINT at = Center(candidate->GetPos());
        long main = 0;
        long cross = 0;
        switch (dir) {
        case NAVDIR_LEFT: main = origin.x - at.x; cross = at.y - origin.y; break;
        case NAVDIR_RIGHT: main = at.x - origin.x; cross = at.y - origin.y; break;
        case NAVDIR_UP: main = origin.y - at.y; cross = at.x - origin.x; break;
        default: main = at.y - origin.y; cross = at.x - origin.x; break;
        }
        if (main <= 0) continue;
        if (cross < 0) cross = -cross;
        if (best == nullptr || main < bestMain || (main == bestMain && cross < bestCross)) {
            best = candidate;
            bestMain = main;
            bestCross = cross;
        }
    }
    return best;
}

}  // namespace

CAccessibleElement::CAccessibleElement(CAccessibleHub* hub, LONG id) : m_hub(hub), m_id(id) { m_hub->AddRef(); }

CAccessibleElement::~CAccessibleElement() {
    m_hub->Unregister(m_id, this);
    m_hub->Release();
}

// ---- IUnknown ----

STDMETHODIMP CAccessibleElement::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kIIDAccessible)) {
        *ppv = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CAccessibleElement::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) CAccessibleElement::Release() {
    const LONG left = ::InterlockedDecrement(&m_refs);
    if (left == 0) {
        // A plain element: a derived one deletes itself in its own Release.
        this->~CAccessibleElement();
        ::operator delete(this);
    }
    return static_cast<ULONG>(left);
}

// ---- IDispatch ----

STDMETHODIMP CAccessibleElement::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}
STDMETHODIMP CAccessibleElement::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP CAccessibleElement::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
STDMETHODIMP CAccessibleElement::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

// ---- resolving ----

HRESULT CAccessibleElement::Target(const VARIANT& child, LONG& id, CControlUI*& control) const {
    id = 0;
    control = nullptr;
    CPaintManagerUI* manager = m_hub->GetManager();
    if (manager == nullptr) return CO_E_OBJNOTCONNECTED;
    CControlUI* self = nullptr;
    if (m_id != 0) {
        self = m_hub->ControlOf(m_id);
        if (!Accessible::IsInTree(manager, self)) return CO_E_OBJNOTCONNECTED;
    }
    LONG number = 0;
    if (!ChildNumber(child, number)) return E_INVALIDARG;
    if (number == CHILDID_SELF) {
        id = m_id;
        control = self;
        return S_OK;
    }
    if (number > 0) {
        std::vector<CControlUI*> children;
        Accessible::ChildrenOf(manager, self, children);
        if (static_cast<size_t>(number) > children.size()) return E_INVALIDARG;
        control = children[static_cast<size_t>(number) - 1];
    } else {
        if (number == LONG_MIN) return E_INVALIDARG;
        control = m_hub->ControlOf(-number);
        if (!Accessible::IsInTree(manager, control)) return E_INVALIDARG;
        if (self != nullptr && !Accessible::IsDescendant(self, control)) return E_INVALIDARG;
    }
    id = m_hub->IdOf(control);
    return id != 0 ? S_OK : E_OUTOFMEMORY;
}

void CAccessibleElement::ToVariant(LONG id, VARIANT* out) {
    ClearVariant(out);
    if (id == m_id) {
        out->vt = VT_I4;
        out->lVal = CHILDID_SELF;
        return;
    }
    CAccessibleElement* element = m_hub->ElementFor(id);
    if (element == nullptr) return;
    out->vt = VT_DISPATCH;
    out->pdispVal = static_cast<IDispatch*>(element);
}

namespace {

// Everything a client reads of one element, with the location in screen pixels.
TUIAccessibleInfo InfoOf(CAccessibleHub* hub, CControlUI* control) {
    HWND window = hub->GetWindow();
    TUIAccessibleInfo info;
    if (control == nullptr) {
        info.role = ROLE_SYSTEM_CLIENT;
        const int length = ::GetWindowTextLengthW(window);
        if (length > 0) {
            std::vector<wchar_t> title(static_cast<size_t>(length) + 1);
            ::GetWindowTextW(window, title.data(), length + 1);
            info.name = title.data();
        }
        info.state = STATE_SYSTEM_FOCUSABLE;
        if (!::IsWindowVisible(window)) info.state |= STATE_SYSTEM_INVISIBLE;
        if (::GetFocus() == window && hub->GetManager()->GetFocus() == nullptr) info.state |= STATE_SYSTEM_FOCUSED;
        ::GetClientRect(window, &info.location);
    } else {
        info = Accessible::Describe(control);
    }
    POINT origin = {0, 0};
    ::ClientToScreen(window, &origin);
    ::OffsetRect(&info.location, origin.x, origin.y);
    return info;
}

}  // namespace

// ---- IAccessible: tree ----

STDMETHODIMP CAccessibleElement::get_accParent(IDispatch** parent) {
    return CatchAtEntry([&]() -> HRESULT {
        if (parent == nullptr) return E_POINTER;
        *parent = nullptr;
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(NumberChild(CHILDID_SELF), id, control);
        if (FAILED(hr)) return hr;
        if (control == nullptr) {
            if (!DelayImportsReady("oleacc.dll")) return E_FAIL;
            return ::CreateStdAccessibleObject(m_hub->GetWindow(), OBJID_WINDOW, IID_IDispatch,
                                               reinterpret_cast<void**>(parent));
        }
        CControlUI* above = Accessible::ParentOf(control);
        CAccessibleElement* element = m_hub->ElementFor(above != nullptr ? m_hub->IdOf(above) : 0);
        if (element == nullptr) return E_OUTOFMEMORY;
        *parent = static_cast<IDispatch*>(element);
        return S_OK;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accChildCount(long* count) {
    return CatchAtEntry([&]() -> HRESULT {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(NumberChild(CHILDID_SELF), id, control);
        if (FAILED(hr)) return hr;
        std::vector<CControlUI*> children;
        Accessible::ChildrenOf(m_hub->GetManager(), control, children);
        *count = static_cast<long>(children.size());
        return S_OK;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accChild(VARIANT child, IDispatch** result) {
    return CatchAtEntry([&]() -> HRESULT {
        if (result == nullptr) return E_POINTER;
        *result = nullptr;
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(child, id, control);
        if (FAILED(hr)) return hr;
        if (id == m_id) return E_INVALIDARG;
        CAccessibleElement* element = m_hub->ElementFor(id);
        if (element == nullptr) return E_OUTOFMEMORY;
        *result = static_cast<IDispatch*>(element);
        return S_OK;
    }, [] { return E_OUTOFMEMORY; });
}

// ---- IAccessible: properties ----

STDMETHODIMP CAccessibleElement::get_accName(VARIANT child, BSTR* name) {
    return CatchAtEntry([&]() -> HRESULT {
        if (name == nullptr) return E_POINTER;
        *name = nullptr;
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(child, id, control);
        if (FAILED(hr)) return hr;
        return ToBstr(InfoOf(m_hub, control).name, name);
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accValue(VARIANT child, BSTR* value) {
    return CatchAtEntry([&]() -> HRESULT {
        if (value == nullptr) return E_POINTER;
        *value = nullptr;
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(child, id, control);
        if (FAILED(hr)) return hr;
        const TUIAccessibleInfo info = InfoOf(m_hub, control);
        // Progress bars always have a value; other elements when their rules give one.
        if (info.role != ROLE_SYSTEM_PROGRESSBAR && info.value.IsEmpty()) return DISP_E_MEMBERNOTFOUND;
        return ToBstr(info.value, value);
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accDescription(VARIANT child, BSTR* description) {
    return CatchAtEntry([&]() -> HRESULT {
        if (description == nullptr) return E_POINTER;
        *description = nullptr;
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(child, id, control);
        if (FAILED(hr)) return hr;
        return ToBstr(InfoOf(m_hub, control).description, description);
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accRole(VARIANT child, VARIANT* role) {
    return CatchAtEntry([&]() -> HRESULT {
        if (role == nullptr) return E_POINTER;
        ClearVariant(role);
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(child, id, control);
        if (FAILED(hr)) return hr;
        role->vt = VT_I4;
        role->lVal = InfoOf(m_hub, control).role;
        return S_OK;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accState(VARIANT child, VARIANT* state) {
    return CatchAtEntry([&]() -> HRESULT {
        if (state == nullptr) return E_POINTER;
        ClearVariant(state);
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(child, id, control);
        if (FAILED(hr)) return hr;
        state->vt = VT_I4;
        state->lVal = static_cast<LONG>(InfoOf(m_hub, control).state);
        return S_OK;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accHelp(VARIANT, BSTR* help) {
    return CatchAtEntry([&]() -> HRESULT {
        if (help != nullptr) *help = nullptr;
        return m_hub->IsConnected() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    return CatchAtEntry([&]() -> HRESULT {
        if (file != nullptr) *file = nullptr;
        if (topic != nullptr) *topic = 0;
        return m_hub->IsConnected() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return CatchAtEntry([&]() -> HRESULT {
        if (shortcut == nullptr) return E_POINTER;
        *shortcut = nullptr;
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(child, id, control);
        if (FAILED(hr)) return hr;
        if (control == nullptr || control->GetShortcut() == 0) return S_FALSE;
        wchar_t text[] = L"Alt+?";
        text[4] = control->GetShortcut();
        return ToBstr(CUIString(text), shortcut);
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accFocus(VARIANT* focus) {
    return CatchAtEntry([&]() -> HRESULT {
        if (focus == nullptr) return E_POINTER;
        ClearVariant(focus);
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(NumberChild(CHILDID_SELF), id, control);
        if (FAILED(hr)) return hr;
        CPaintManagerUI* manager = m_hub->GetManager();
        CControlUI* focused = manager->GetFocus();
        if (focused != nullptr && Accessible::IsInTree(manager, focused) &&
            (focused == control || control == nullptr || Accessible::IsDescendant(control, focused))) {
            ToVariant(m_hub->IdOf(focused), focus);
            return S_OK;
        }
        if (control == nullptr && focused == nullptr && ::GetFocus() == m_hub->GetWindow()) {
            ToVariant(m_id, focus);
            return S_OK;
        }
        return S_FALSE;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accSelection(VARIANT* selection) {
    return CatchAtEntry([&]() -> HRESULT {
        if (selection != nullptr) ClearVariant(selection);
        return m_hub->IsConnected() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::get_accDefaultAction(VARIANT child, BSTR* action) {
    return CatchAtEntry([&]() -> HRESULT {
        if (action == nullptr) return E_POINTER;
        *action = nullptr;
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(child, id, control);
        if (FAILED(hr)) return hr;
        if (!Accessible::HasDefaultAction(control)) return DISP_E_MEMBERNOTFOUND;
        return ToBstr(InfoOf(m_hub, control).defaultAction, action);
    }, [] { return E_OUTOFMEMORY; });
}

// ---- IAccessible: methods ----

STDMETHODIMP CAccessibleElement::accSelect(long flags, VARIANT child) {
    return CatchAtEntry([&]() -> HRESULT {
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(child, id, control);
        if (FAILED(hr)) return hr;
        if (flags != SELFLAG_TAKEFOCUS) return E_INVALIDARG;
        if (control == nullptr) {
            ::SetFocus(m_hub->GetWindow());
            return S_OK;
        }
        if ((InfoOf(m_hub, control).state & STATE_SYSTEM_FOCUSABLE) == 0) return E_FAIL;
        control->SetFocus();
        return S_OK;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    return CatchAtEntry([&]() -> HRESULT {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
        *left = *top = *width = *height = 0;
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(child, id, control);
        if (FAILED(hr)) return hr;
        const RECT rc = InfoOf(m_hub, control).location;
        *left = rc.left;
        *top = rc.top;
        *width = rc.right - rc.left;
        *height = rc.bottom - rc.top;
        return S_OK;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::accNavigate(long dir, VARIANT start, VARIANT* end) {
    return CatchAtEntry([&]() -> HRESULT {
        if (end == nullptr) return E_POINTER;
        ClearVariant(end);
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(start, id, control);
        if (FAILED(hr)) return hr;
        CPaintManagerUI* manager = m_hub->GetManager();
        std::vector<CControlUI*> list;
        CControlUI* found = nullptr;
        switch (dir) {
        case NAVDIR_FIRSTCHILD:
        case NAVDIR_LASTCHILD:
            Accessible::ChildrenOf(manager, control, list);
            if (!list.empty()) found = dir == NAVDIR_FIRSTCHILD ? list.front() : list.back();
            break;
        case NAVDIR_NEXT:
        case NAVDIR_PREVIOUS: {
            if (control == nullptr) break;  // the window frame navigates between windows
            Accessible::ChildrenOf(manager, Accessible::ParentOf(control), list);
            for (size_t i = 0; i < list.size(); ++i) {
                if (list[i] != control) continue;
                if (dir == NAVDIR_NEXT && i + 1 < list.size()) found = list[i + 1];
                if (dir == NAVDIR_PREVIOUS && i > 0) found = list[i - 1];
                break;
            }
            break;
        }
        case NAVDIR_UP:
        case NAVDIR_DOWN:
        case NAVDIR_LEFT:
        case NAVDIR_RIGHT:
            if (control == nullptr) break;
            Accessible::ChildrenOf(manager, Accessible::ParentOf(control), list);
            found = NearestInDirection(list, control, dir);
            break;
        default:
            return E_INVALIDARG;
        }
        if (found == nullptr) return S_FALSE;
        ToVariant(m_hub->IdOf(found), end);
        return S_OK;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::accHitTest(long left, long top, VARIANT* child) {
    return CatchAtEntry([&]() -> HRESULT {
        if (child == nullptr) return E_POINTER;
        ClearVariant(child);
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(NumberChild(CHILDID_SELF), id, control);
        if (FAILED(hr)) return hr;
        POINT pt = {left, top};
        const RECT area = InfoOf(m_hub, control).location;
        if (!::PtInRect(&area, pt)) return S_FALSE;
        ::ScreenToClient(m_hub->GetWindow(), &pt);
        CControlUI* hit = m_hub->GetManager()->FindControlAt(pt);
        if (hit != nullptr && !Accessible::IsElement(hit)) hit = Accessible::ParentOf(hit);
        if (hit == nullptr || (control != nullptr && hit != control && !Accessible::IsDescendant(control, hit))) {
            hit = control;
        }
        ToVariant(hit != nullptr ? m_hub->IdOf(hit) : 0, child);
        return S_OK;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::accDoDefaultAction(VARIANT child) {
    return CatchAtEntry([&]() -> HRESULT {
        LONG id = 0;
        CControlUI* control = nullptr;
        const HRESULT hr = Target(child, id, control);
        if (FAILED(hr)) return hr;
        if (control == nullptr || !Accessible::HasDefaultAction(control)) return DISP_E_MEMBERNOTFOUND;
        if (!control->IsVisible() || !control->IsEnabled()) return E_FAIL;
        // The click runs from the window's own queue, as a mouse click would, so
        // that a client never waits on what the click handler does.
        return ::PostMessageW(m_hub->GetWindow(), AccessibleActionMessage(), static_cast<WPARAM>(id), 0) ? S_OK
                                                                                                         : E_FAIL;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::put_accName(VARIANT, BSTR) {
    return CatchAtEntry([&]() -> HRESULT {
        return m_hub->IsConnected() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }, [] { return E_OUTOFMEMORY; });
}

STDMETHODIMP CAccessibleElement::put_accValue(VARIANT, BSTR) {
    return CatchAtEntry([&]() -> HRESULT {
        return m_hub->IsConnected() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }, [] { return E_OUTOFMEMORY; });
}

}  // namespace SkinUI
