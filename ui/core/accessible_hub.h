// CAccessibleHub: the link between a paint manager's window and the accessible
// objects handed out for it.
//
// Accessible objects never hold control pointers. They hold a reference on the
// hub and a number; the hub turns numbers into controls while the control
// lives, and forgets a control the moment it is destroyed. When the window
// goes, the hub is detached: every object a client still holds then answers
// CO_E_OBJNOTCONNECTED, and remote clients are disconnected.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <map>

namespace SkinUI {

class CControlUI;
class CPaintManagerUI;
class CAccessibleElement;

// The interface identifier is spelled out here: the one in the static import
// library does not link to data in every toolchain.
extern const IID kIIDAccessible;

class CAccessibleHub {
public:
    explicit CAccessibleHub(CPaintManagerUI* manager);
    CAccessibleHub(const CAccessibleHub&) = delete;
    CAccessibleHub& operator=(const CAccessibleHub&) = delete;

    void AddRef() { ::InterlockedIncrement(&m_refs); }
    void Release();

    // Null once detached.
    CPaintManagerUI* GetManager() const { return m_pManager; }
    HWND GetWindow() const;
    bool IsConnected() const { return m_pManager != nullptr; }

    // A positive number for a control, stable while the control lives; 0 for none.
    LONG IdOf(CControlUI* control);
    // The control of a number, or null when it is gone or unknown.
    CControlUI* ControlOf(LONG id) const;
    // Called when a control is destroyed.
    void Forget(CControlUI* control);
    // Called when the window goes; the hub stays detached from then on.
    void Detach();

    // The accessible object of an element (id 0: the window's client area), with a
    // reference for the caller; the same object while it is alive. Null when detached.
    CAccessibleElement* ElementFor(LONG id);
    void Unregister(LONG id, CAccessibleElement* element);

    // Raises a WinEvent for an element (null: the window's client area).
    void Notify(DWORD event, CControlUI* control);

    // Makes the element of a control whose element is of a class of its own (one that
    // shows what the control hosts), with a reference; null for a plain element. Set
    // by the registration of the controls that host content (null removes it).
    typedef CAccessibleElement* (*ElementFactory)(CAccessibleHub* hub, LONG id);
    static void SetElementFactory(ElementFactory factory) { s_factory = factory; }

private:
    static ElementFactory s_factory;

    ~CAccessibleHub();

    volatile LONG m_refs = 1;
    CPaintManagerUI* m_pManager;
    LONG m_nextId = 1;
    std::map<CControlUI*, LONG> m_ids;
    std::map<LONG, CControlUI*> m_controls;
    std::map<LONG, CAccessibleElement*> m_elements;  // not owned; each removes itself
};

}  // namespace SkinUI

namespace SkinUI {
// The window message that carries a client's default action to the window's own queue
// (wParam: the element's number).
UINT AccessibleActionMessage();
}  // namespace SkinUI
