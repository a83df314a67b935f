// CWebDocHost: what the web browser's document asks of its host, answered through the
// client site: no object for pages' scripts unless the program handed one over
// (GetExternal), and no script-error dialogs (OLECMDID_SHOWSCRIPTERROR is answered
// "keep running, say nothing"). Context menus and the rest keep the browser's own ways.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <docobj.h>
#include <mshtmhst.h>

namespace SkinUI {

class CWebDocHost final : public IDocHostUIHandler, public IOleCommandTarget {
public:
    CWebDocHost() : m_cRef(1), m_pExternal(nullptr) {}
    CWebDocHost(const CWebDocHost&) = delete;
    CWebDocHost& operator=(const CWebDocHost&) = delete;

    // The object pages reach as window.external (a reference is kept); null: none.
    void SetExternal(IDispatch* external);
    IDispatch* GetExternalObject() const { return m_pExternal; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDocHostUIHandler
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD id, POINT* pt, IUnknown* target, IDispatch* object) override;
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override;
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                                     IOleInPlaceFrame* frame, IOleInPlaceUIWindow* doc) override;
    HRESULT STDMETHODCALLTYPE HideUI() override;
    HRESULT STDMETHODCALLTYPE UpdateUI() override;
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL enable) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, WINBOOL frame) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, const GUID* group, DWORD id) override;
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* target, IDropTarget** replacement) override;
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** dispatch) override;
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD translate, LPWSTR in, LPWSTR* out) override;
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* in, IDataObject** out) override;

    // IOleCommandTarget
    HRESULT STDMETHODCALLTYPE QueryStatus(const GUID* group, ULONG count, OLECMD* commands, OLECMDTEXT* text) override;
    HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD id, DWORD options, VARIANT* in, VARIANT* out) override;

private:
    ~CWebDocHost() { SetExternal(nullptr); }

    LONG m_cRef;
    IDispatch* m_pExternal;
};

}  // namespace SkinUI
