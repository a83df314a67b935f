#include "ui/widgets/hosting/hosted_element.h"

#include "ui/controls/control.h"
#include "ui/core/accessible_hub.h"
#include "ui/core/accessible_model.h"
#include "ui/core/accessible_variant.h"
#include "ui/core/entry_guard.h"
#include "ui/widgets/hosting/hosted_content.h"

namespace SkinUI {

namespace {

using Accessible::ChildNumber;
using Accessible::ClearVariant;
using Accessible::NumberChild;

// Answers for a hosted child through `hosted(content, child)` (the child as the hosted
// object numbers it), or for anything else through `own()` (the element's own rules);
// nothing thrown leaves.
template <typename Hosted, typename Own>
HRESULT Either(const CHostedElement* element, const VARIANT& child, Hosted&& hosted, Own&& own,
               HRESULT (CHostedElement::*find)(const VARIANT&, CHostedContent&, LONG&) const) {
    return CatchAtEntry(
        [&]() -> HRESULT {
            CHostedContent content;
            LONG number = 0;
            const HRESULT hr = (element->*find)(child, content, number);
            if (hr == S_OK) return hosted(content, NumberChild(number));
            return FAILED(hr) ? hr : own();
        },
        [] { return E_OUTOFMEMORY; });
}

// An answer left empty.
void Clear(BSTR* out) { *out = nullptr; }
void Clear(VARIANT* out) { ClearVariant(out); }

// An answer of accNavigate's that leaves the question to the element's own rules.
const HRESULT kOwnRules = 2;

}  // namespace

CAccessibleElement* CHostedElement::Make(CAccessibleHub* hub, LONG id) {
    CControlUI* control = id != 0 ? hub->ControlOf(id) : nullptr;
    if (control == nullptr || control->GetInterface(L"ActiveX") == nullptr) return nullptr;
    return new CHostedElement(hub, id);
}

STDMETHODIMP_(ULONG) CHostedElement::Release() {
    const LONG left = ::InterlockedDecrement(&m_refs);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

CControlUI* CHostedElement::Host() const {
    CPaintManagerUI* manager = m_hub->GetManager();
    CControlUI* self = manager != nullptr ? m_hub->ControlOf(m_id) : nullptr;
    return Accessible::IsInTree(manager, self) ? self : nullptr;
}

HRESULT CHostedElement::HostedChild(const VARIANT& child, CHostedContent& content, LONG& number) const {
    number = 0;
    LONG n = 0;
    if (!ChildNumber(child, n) || n <= 0) return S_FALSE;
    CControlUI* self = Host();
    if (self == nullptr) return CO_E_OBJNOTCONNECTED;
    content.Reset(self);
    if (!content) return S_FALSE;
    if (n > content.ChildCount()) return E_INVALIDARG;
    number = n;
    return S_OK;
}

STDMETHODIMP CHostedElement::get_accChildCount(long* count) {
    if (count == nullptr) return E_POINTER;
    const HRESULT hr = CatchAtEntry(
        [&]() -> HRESULT {
            CHostedContent content;
            content.Reset(Host());
            if (!content) return S_FALSE;
            *count = content.ChildCount();
            return S_OK;
        },
        [] { return S_FALSE; });
    return hr == S_OK ? S_OK : CAccessibleElement::get_accChildCount(count);
}

STDMETHODIMP CHostedElement::get_accChild(VARIANT child, IDispatch** result) {
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    return Either(
        this, child,
        [&](CHostedContent& content, VARIANT inner) -> HRESULT {
            *result = content.ChildObject(inner.lVal, static_cast<IAccessible*>(this));
            return *result != nullptr ? S_OK : S_FALSE;  // a simple child is asked here by number
        },
        [&] { return CAccessibleElement::get_accChild(child, result); }, &CHostedElement::HostedChild);
}

// A property of a child: the hosted object's (`method`) for a hosted child, else the
// element's own (`own`); the answer is handed on only when it succeeded.
template <typename Out, typename Own>
HRESULT CHostedElement::Ask(const VARIANT& child, Out* out,
                            HRESULT (STDMETHODCALLTYPE IAccessible::*method)(VARIANT, Out*), Own&& own) {
    if (out == nullptr) return E_POINTER;
    Clear(out);
    return Either(
        this, child,
        [&](CHostedContent& c, VARIANT inner) {
            const HRESULT hr = (c.Get()->*method)(inner, out);
            if (FAILED(hr)) Clear(out);
            return hr;
        },
        own, &CHostedElement::HostedChild);
}

STDMETHODIMP CHostedElement::get_accName(VARIANT child, BSTR* name) {
    return Ask(child, name, &IAccessible::get_accName, [&] { return CAccessibleElement::get_accName(child, name); });
}

STDMETHODIMP CHostedElement::get_accValue(VARIANT child, BSTR* value) {
    return Ask(child, value, &IAccessible::get_accValue,
               [&] { return CAccessibleElement::get_accValue(child, value); });
}

STDMETHODIMP CHostedElement::get_accDescription(VARIANT child, BSTR* description) {
    return Ask(child, description, &IAccessible::get_accDescription,
               [&] { return CAccessibleElement::get_accDescription(child, description); });
}

STDMETHODIMP CHostedElement::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return Ask(child, shortcut, &IAccessible::get_accKeyboardShortcut,
               [&] { return CAccessibleElement::get_accKeyboardShortcut(child, shortcut); });
}

STDMETHODIMP CHostedElement::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Ask(child, action, &IAccessible::get_accDefaultAction,
               [&] { return CAccessibleElement::get_accDefaultAction(child, action); });
}

STDMETHODIMP CHostedElement::get_accRole(VARIANT child, VARIANT* role) {
    return Ask(child, role, &IAccessible::get_accRole, [&] { return CAccessibleElement::get_accRole(child, role); });
}

STDMETHODIMP CHostedElement::get_accState(VARIANT child, VARIANT* state) {
    return Ask(child, state, &IAccessible::get_accState,
               [&] { return CAccessibleElement::get_accState(child, state); });
}

STDMETHODIMP CHostedElement::accSelect(long flags, VARIANT child) {
    return Either(
        this, child, [&](CHostedContent& c, VARIANT inner) { return c.Get()->accSelect(flags, inner); },
        [&] { return CAccessibleElement::accSelect(flags, child); }, &CHostedElement::HostedChild);
}

STDMETHODIMP CHostedElement::accDoDefaultAction(VARIANT child) {
    return Either(
        this, child, [&](CHostedContent& c, VARIANT inner) { return c.Get()->accDoDefaultAction(inner); },
        [&] { return CAccessibleElement::accDoDefaultAction(child); }, &CHostedElement::HostedChild);
}

STDMETHODIMP CHostedElement::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    *left = *top = *width = *height = 0;
    return Either(
        this, child,
        [&](CHostedContent& c, VARIANT inner) {
            const HRESULT hr = c.Get()->accLocation(left, top, width, height, inner);
            if (FAILED(hr)) *left = *top = *width = *height = 0;
            return hr;
        },
        [&] { return CAccessibleElement::accLocation(left, top, width, height, child); }, &CHostedElement::HostedChild);
}

HRESULT CHostedElement::NavigateHosted(CHostedContent& content, LONG number, long dir, VARIANT* end) {
    const long count = content.ChildCount();
    IUnknown* self = static_cast<IAccessible*>(this);
    switch (dir) {
        case NAVDIR_NEXT:
        case NAVDIR_PREVIOUS: {
            const long to = dir == NAVDIR_NEXT ? number + 1 : number - 1;
            if (to < 1 || to > count) return S_FALSE;
            content.ChildVariant(to, self, end);
            return S_OK;
        }
        case NAVDIR_FIRSTCHILD:
        case NAVDIR_LASTCHILD:
            return S_FALSE;  // a child shown by number has none; one of its own is asked itself
        case NAVDIR_UP:
        case NAVDIR_DOWN:
        case NAVDIR_LEFT:
        case NAVDIR_RIGHT: {
            // Places are the hosted object's to know; its answer is screened.
            VARIANT to;
            ClearVariant(&to);
            if (FAILED(content.Get()->accNavigate(dir, NumberChild(number), &to)) || !content.Screen(&to, self) ||
                (to.vt == VT_I4 && (to.lVal == CHILDID_SELF || to.lVal == number))) {
                return S_FALSE;  // nothing screened holds a reference
            }
            *end = to;
            return S_OK;
        }
        default:
            return E_INVALIDARG;
    }
}

STDMETHODIMP CHostedElement::accNavigate(long dir, VARIANT start, VARIANT* end) {
    if (end == nullptr) return E_POINTER;
    ClearVariant(end);
    const HRESULT hr = CatchAtEntry(
        [&]() -> HRESULT {
            CHostedContent content;
            LONG number = 0;
            const HRESULT hosted = HostedChild(start, content, number);
            if (hosted == S_OK) return NavigateHosted(content, number, dir, end);
            if (FAILED(hosted)) return hosted;
            // From the element itself, its first and last children are the content's.
            LONG self = -1;
            if (!ChildNumber(start, self) || self != CHILDID_SELF ||
                (dir != NAVDIR_FIRSTCHILD && dir != NAVDIR_LASTCHILD)) {
                return kOwnRules;
            }
            content.Reset(Host());
            if (!content) return kOwnRules;
            const long count = content.ChildCount();
            if (count == 0) return S_FALSE;
            content.ChildVariant(dir == NAVDIR_FIRSTCHILD ? 1 : count, static_cast<IAccessible*>(this), end);
            return S_OK;
        },
        [] { return E_OUTOFMEMORY; });
    return hr == kOwnRules ? CAccessibleElement::accNavigate(dir, start, end) : hr;
}

STDMETHODIMP CHostedElement::accHitTest(long left, long top, VARIANT* child) {
    const HRESULT hr = CAccessibleElement::accHitTest(left, top, child);
    if (hr != S_OK || child->vt != VT_I4 || child->lVal != CHILDID_SELF) return hr;
    // Inside what the element hosts: the hosted object's hit, when it names one.
    return CatchAtEntry(
        [&]() -> HRESULT {
            CHostedContent content;
            content.Reset(Host());
            VARIANT inner;
            ClearVariant(&inner);
            if (content && SUCCEEDED(content.Get()->accHitTest(left, top, &inner)) &&
                content.Screen(&inner, static_cast<IAccessible*>(this)) &&
                !(inner.vt == VT_I4 && inner.lVal == CHILDID_SELF)) {
                *child = inner;
            }
            return S_OK;
        },
        [] { return S_OK; });
}

}  // namespace SkinUI
