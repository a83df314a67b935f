// CAccessibleElement: the IAccessible of one element of a skinned window (or of
// its client area). It resolves its control through the hub on every call. Clients
// call in through the system's frames, so no method lets an exception out. Elements
// of controls that host content of their own may be of a class derived from this
// (CAccessibleHub::SetElementFactory).
#pragma once
#include <windows.h>
#include <oleacc.h>

namespace SkinUI {

class CAccessibleHub;
class CControlUI;

class CAccessibleElement : public IAccessible {
public:
    // Takes a reference on the hub. id 0 is the window's client area.
    CAccessibleElement(CAccessibleHub* hub, LONG id);
    CAccessibleElement(const CAccessibleElement&) = delete;
    CAccessibleElement& operator=(const CAccessibleElement&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IDispatch (no type information: clients use the IAccessible methods)
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) override;
    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(long* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** result) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* focus) override;
    STDMETHODIMP get_accSelection(VARIANT* selection) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
    STDMETHODIMP accSelect(long flags, VARIANT child) override;
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    STDMETHODIMP accNavigate(long dir, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(long left, long top, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override;
    STDMETHODIMP put_accValue(VARIANT child, BSTR value) override;

    LONG GetId() const { return m_id; }

protected:
    // Not virtual: a derived class deletes itself in a Release of its own.
    ~CAccessibleElement();

    // Resolves a child argument to an element id (0: the client area). Fails with
    // CO_E_OBJNOTCONNECTED once the window or the control is gone.
    HRESULT Target(const VARIANT& child, LONG& id, CControlUI*& control) const;
    // An element as a VARIANT: CHILDID_SELF for this object, else its IDispatch.
    void ToVariant(LONG id, VARIANT* out);

    CAccessibleHub* m_hub;
    LONG m_id;
    volatile LONG m_refs = 1;
};

}  // namespace SkinUI
