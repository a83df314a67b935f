#include "ui/widgets/hosting/hosted_content.h"

#include "ui/core/accessible_hub.h"
#include "ui/core/accessible_model.h"
#include "ui/core/accessible_variant.h"
#include "ui/widgets/hosting/activex_accessible.h"

namespace SkinUI {

namespace {

// What VariantClear does for the answers taken here, without loading the automation
// library: object references are given back, anything else is dropped.
void Drop(VARIANT* v) {
    if ((v->vt == VT_DISPATCH || v->vt == VT_UNKNOWN) && v->punkVal != nullptr) v->punkVal->Release();
    v->vt = VT_EMPTY;
}

// How deep calls into hosted objects are nested on this thread.
int& Depth() {
    static thread_local int depth = 0;
    return depth;
}

IUnknown* Identity(IUnknown* object) {
    IUnknown* identity = nullptr;
    if (object == nullptr || FAILED(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)))) {
        return nullptr;
    }
    return identity;
}

}  // namespace

void CHostedContent::Reset(CControlUI* control) {
    if (m_content != nullptr) m_content->Release();
    m_content = nullptr;
    m_count = -1;
    if (m_counted) --Depth();
    m_counted = false;
    if (control == nullptr || Depth() >= kMaxDepth) return;
    // Counted before the object is asked: finding it may already call back.
    ++Depth();
    m_counted = true;
    m_content = HostingAccessibleContent(control);
}

long CHostedContent::ChildCount() {
    if (m_count >= 0) return m_count;
    m_count = 0;
    long count = 0;
    if (m_content != nullptr && SUCCEEDED(m_content->get_accChildCount(&count)) && count > 0) {
        m_count = count < kMaxChildren ? count : kMaxChildren;
    }
    return m_count;
}

bool CHostedContent::IsSelf(IUnknown* object, IUnknown* element) const {
    IUnknown* identity = Identity(object);
    if (identity == nullptr) return true;  // an object that does not answer is no child
    IUnknown* content = Identity(m_content);
    IUnknown* shown = Identity(element);
    const bool self = identity == content || identity == shown;
    for (IUnknown* held : {identity, content, shown}) {
        if (held != nullptr) held->Release();
    }
    return self;
}

IDispatch* CHostedContent::ChildObject(long number, IUnknown* element) {
    if (m_content == nullptr || number < 1 || number > ChildCount()) return nullptr;
    IDispatch* object = nullptr;
    if (FAILED(m_content->get_accChild(Accessible::NumberChild(number), &object)) || object == nullptr) return nullptr;
    // Only an accessible object of another identity is a child of its own.
    IAccessible* accessible = nullptr;
    if (IsSelf(object, element) ||
        FAILED(object->QueryInterface(kIIDAccessible, reinterpret_cast<void**>(&accessible))) ||
        accessible == nullptr) {
        object->Release();
        return nullptr;
    }
    accessible->Release();
    return object;
}

void CHostedContent::ChildVariant(long number, IUnknown* element, VARIANT* out) {
    if (IDispatch* object = ChildObject(number, element)) {
        out->vt = VT_DISPATCH;
        out->pdispVal = object;
        return;
    }
    out->vt = VT_I4;
    out->lVal = number;
}

bool CHostedContent::Screen(VARIANT* v, IUnknown* element) {
    if (v->vt == VT_I4 && v->lVal == CHILDID_SELF) return true;
    if (v->vt == VT_I4 && v->lVal >= 1 && v->lVal <= ChildCount()) return true;
    if (v->vt == VT_DISPATCH && v->pdispVal != nullptr) {
        if (!IsSelf(v->pdispVal, element)) return true;
        Drop(v);
        v->vt = VT_I4;
        v->lVal = CHILDID_SELF;
        return true;
    }
    Drop(v);
    return false;
}

}  // namespace SkinUI
