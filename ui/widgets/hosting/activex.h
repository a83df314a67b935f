// CActiveXUI: an ActiveX control hosted in the control's rectangle ("ActiveX" in markup).
//
// Attributes: "clsid" (a CLSID, braces optional) or "progid" names the class;
// "delaycreate" (default off) waits with the creation until the control is first
// shown with a size. The class must be on the program's allow-list (AllowClass);
// the web-browser and Flash controls allow their own class.
//
// The object is created once the window exists, in-place activated while the control
// is visible (windowless when it can be, else in a child window of its own), sized
// with the control, deactivated when hidden, and closed and released in OLE's order
// (in-place deactivation, Close, client site cleared, release) when the control or
// its window goes. Windowless objects draw through IViewObject into the frame and
// get the window's mouse and key messages; the message loop gives the active object
// its accelerator turn, and Tab moves the focus into and out of it.
//
// Notifications: "activexcreated" (queued) once the object runs; "activexfailed"
// (queued; wParam: the HRESULT) when the class is not allowed, unknown or fails, when
// the thread has no OLE, or when a windowed object would have to show in a layered
// window, which cannot show child windows. The window goes on working either way.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "ui/controls/control.h"
#include "ui/core/ui_events.h"

struct IOleInPlaceActiveObject;
struct IOleInPlaceObject;
struct IOleInPlaceObjectWindowless;
struct IViewObject;
struct IAccessible;

namespace SkinUI {

class COleSite;

// The failure reported for a windowed object in a layered window.
const HRESULT kActiveXLayeredWindowed = HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED);

class CActiveXUI : public CControlUI, public IMessageFilterUI, public ITranslateAccelerator {
public:
    CActiveXUI();
    ~CActiveXUI() override;

    // ---- the program's allow-list of classes skins may create ----
    static void AllowClass(const CLSID& clsid);
    static void DisallowClass(const CLSID& clsid);
    static void DisallowAllClasses();
    static bool IsClassAllowed(const CLSID& clsid);

    const wchar_t* GetClass() const override;          // "ActiveXUI"
    void* GetInterface(const wchar_t* name) override;  // "ActiveX"
    UINT GetControlFlags() const override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawForeImage(HDC dc) override;
    LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    LRESULT TranslateAccelerator(MSG* pMsg) override;

    // Names the class (CLSID text or ProgID) and creates it when the window exists.
    // False when the name is malformed or unknown, the class not allowed or failing;
    // GetLastResult tells why, and "activexfailed" is sent.
    bool SetClassName(const wchar_t* name);
    bool SetClassId(const CLSID& clsid);
    const CLSID& GetClassId() const { return m_clsid; }
    HRESULT GetLastResult() const { return m_hrLast; }
    bool IsDelayCreate() const { return m_bDelayCreate; }
    void SetDelayCreate(bool delay) { m_bDelayCreate = delay; }

    // Creates the object now (the window must exist); true when it runs.
    bool CreateControl();
    // Deactivates, closes and releases the object (it can be created again).
    void ReleaseControl();
    bool IsCreated() const { return m_pObject != nullptr; }
    bool IsInPlaceActive() const;
    bool IsWindowless() const;
    // The object's own window while it is active windowed; null otherwise.
    HWND GetHostWindow() const;
    // Any interface of the hosted object (QueryInterface); E_NOINTERFACE without one.
    HRESULT GetControl(REFIID iid, void** object) const;
    // The object's own accessible object (its IAccessible, or its window's), with a
    // reference; null when it has none. What a screen reader then reads of the host.
    // A window of another thread that does not answer within half a second has none.
    IAccessible* GetObjectAccessible() const;

protected:
    // Classes a derived host allows on its own (the web browser's, Flash's).
    virtual bool IsOwnClass(const CLSID& clsid) const;
    // Called once the object runs, and before it is released.
    virtual void OnObjectCreated() {}
    virtual void OnObjectReleasing() {}
    // Further interfaces the site answers for this host (null: none).
    virtual void* SiteInterface(REFIID iid);
    // Raises "activexfailed" and records the result; returns false.
    bool Fail(HRESULT hr);

private:
    friend class COleSite;

    bool CanCreateNow() const;
    void UpdateActivation();
    HRESULT InPlaceActivate();
    void InPlaceDeactivate();
    void SetObjectRects();
    void SetExtent();
    void ForgetObjectPointers();
    // Closes and releases the object; ReleaseControl also stops filtering messages.
    void ReleaseObject();
    void Hook();
    void Unhook();
    // `from`: the window the focus came from, when the window's focus moved.
    void ActivateForKeyboard(bool focus, HWND from);
    // Called by the site.
    void SiteActivated(bool windowless);
    void SiteDeactivated();
    void SiteActiveObject(IOleInPlaceActiveObject* object);
    void SiteInvalidate(const RECT* rc);
    void SiteFocus(bool focus);
    CUIRect SiteClip() const;
    bool SiteLayered() const;
    void* SiteQuery(REFIID iid) { return SiteInterface(iid); }

    CLSID m_clsid;
    HRESULT m_hrLast;
    bool m_bDelayCreate;
    bool m_bCreating;       // inside CreateControl (re-entry creates nothing)
    int m_nActivating;      // inside an activation call of the object
    bool m_bReleasing;
    bool m_bLive;           // attached to a window with initialisation (creation may run)
    bool m_bFailPending;    // a failure waits for the window to be reported
    bool m_bSyncingFocus;
    IOleObject* m_pObject;
    COleSite* m_pSite;
    IOleInPlaceObject* m_pInPlace;
    IOleInPlaceObjectWindowless* m_pWindowless;
    IOleInPlaceActiveObject* m_pActive;
    IViewObject* m_pView;
    CPaintManagerUI* m_pHookManager;  // where this host filters messages and translates keys
    bool* m_pAlive;                   // cleared by the destructor (re-entry guard)
};

}  // namespace SkinUI
