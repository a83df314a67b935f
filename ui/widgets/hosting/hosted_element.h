// CHostedElement: the accessible element of a control that hosts an embedded object
// (an ActiveX host). The object's own accessible children show as the element's
// children (hosted_content.h says how little of what the object says is trusted);
// everything else is answered as for any element. Made by the hub's element factory,
// which the hosting registration sets.
#pragma once

#include "ui/core/accessible_element.h"

namespace SkinUI {

class CHostedContent;

class CHostedElement final : public CAccessibleElement {
public:
    CHostedElement(CAccessibleHub* hub, LONG id) : CAccessibleElement(hub, id) {}

    // The element factory: a hosted element for an ActiveX host, else null.
    static CAccessibleElement* Make(CAccessibleHub* hub, LONG id);

    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP get_accChildCount(long* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** result) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
    STDMETHODIMP accSelect(long flags, VARIANT child) override;
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    STDMETHODIMP accNavigate(long dir, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(long left, long top, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;

private:
    ~CHostedElement() = default;
    // The hosted control while it is in its window's tree, else null.
    CControlUI* Host() const;
    // For a child argument that names a child of what the control hosts: S_OK with the
    // content taken and the child's number; S_FALSE when it names no such child (the
    // element's own rules answer); otherwise the failure to return.
    HRESULT HostedChild(const VARIANT& child, CHostedContent& content, LONG& number) const;
    template <typename Out, typename Own>
    HRESULT Ask(const VARIANT& child, Out* out, HRESULT (STDMETHODCALLTYPE IAccessible::*method)(VARIANT, Out*),
                Own&& own);
    // accNavigate from child `number` of the hosted content.
    HRESULT NavigateHosted(CHostedContent& content, LONG number, long dir, VARIANT* end);
};

}  // namespace SkinUI
