// CWebBrowserEvents: the web browser's event sink (its DWebBrowserEvents2 dispatch
// interface). It reads the arguments of the events the host reports, checking every
// type, and hands them to its owner; events it does not know are ignored. The owner
// detaches before it goes; events arriving later are answered and dropped.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace SkinUI {

class CWebBrowserUI;

class CWebBrowserEvents final : public IDispatch {
public:
    explicit CWebBrowserEvents(CWebBrowserUI* owner) : m_cRef(1), m_pOwner(owner) {}
    CWebBrowserEvents(const CWebBrowserEvents&) = delete;
    CWebBrowserEvents& operator=(const CWebBrowserEvents&) = delete;
    void Detach() { m_pOwner = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

private:
    ~CWebBrowserEvents() = default;

    LONG m_cRef;
    CWebBrowserUI* m_pOwner;
};

}  // namespace SkinUI
