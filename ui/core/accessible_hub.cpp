#include "ui/core/accessible_hub.h"

#include <vector>

#include "ui/core/accessible_element.h"
#include "ui/core/accessible_model.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

// {618736e0-3c3d-11cf-810c-00aa00389b71}
const IID kIIDAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

CAccessibleHub::CAccessibleHub(CPaintManagerUI* manager) : m_pManager(manager) {}

CAccessibleHub::~CAccessibleHub() = default;

void CAccessibleHub::Release() {
    if (::InterlockedDecrement(&m_refs) == 0) delete this;
}

HWND CAccessibleHub::GetWindow() const { return m_pManager != nullptr ? m_pManager->GetPaintWindow() : nullptr; }

LONG CAccessibleHub::IdOf(CControlUI* control) {
    if (control == nullptr || m_pManager == nullptr) return 0;
    auto found = m_ids.find(control);
    if (found != m_ids.end()) return found->second;
    if (m_nextId == LONG_MAX) return 0;  // numbers are never reused
    const LONG id = m_nextId++;
    m_ids[control] = id;
    m_controls[id] = control;
    return id;
}

CControlUI* CAccessibleHub::ControlOf(LONG id) const {
    auto found = m_controls.find(id);
    return found != m_controls.end() ? found->second : nullptr;
}

void CAccessibleHub::Forget(CControlUI* control) {
    auto found = m_ids.find(control);
    if (found == m_ids.end()) return;
    m_controls.erase(found->second);
    m_ids.erase(found);
}

void CAccessibleHub::Detach() {
    if (m_pManager == nullptr) return;
    m_pManager = nullptr;
    m_ids.clear();
    m_controls.clear();
    // Disconnecting may release the last reference of an element, which then
    // unregisters itself: work on a held copy.
    std::vector<CAccessibleElement*> live;
    for (auto& entry : m_elements) {
        entry.second->AddRef();
        live.push_back(entry.second);
    }
    for (CAccessibleElement* element : live) ::CoDisconnectObject(static_cast<IAccessible*>(element), 0);
    for (CAccessibleElement* element : live) element->Release();
}

CAccessibleHub::ElementFactory CAccessibleHub::s_factory = nullptr;

CAccessibleElement* CAccessibleHub::ElementFor(LONG id) {
    if (m_pManager == nullptr) return nullptr;
    auto found = m_elements.find(id);
    if (found != m_elements.end()) {
        found->second->AddRef();
        return found->second;
    }
    CAccessibleElement* element = s_factory != nullptr ? s_factory(this, id) : nullptr;
    if (element == nullptr) element = new CAccessibleElement(this, id);
    m_elements[id] = element;
    return element;
}

void CAccessibleHub::Unregister(LONG id, CAccessibleElement* element) {
    auto found = m_elements.find(id);
    if (found != m_elements.end() && found->second == element) m_elements.erase(found);
}

void CAccessibleHub::Notify(DWORD event, CControlUI* control) {
    HWND window = GetWindow();
    if (window == nullptr) return;
    LONG child = CHILDID_SELF;
    if (control != nullptr) {
        if (!Accessible::IsInTree(m_pManager, control)) return;
        // Events name elements by negative numbers, which the client area resolves.
        child = -IdOf(control);
        if (child == 0) return;
    }
    ::NotifyWinEvent(event, window, OBJID_CLIENT, child);
}

}  // namespace SkinUI

namespace SkinUI {
UINT AccessibleActionMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"SkinUI.AccessibleAction");
    return message;
}
}  // namespace SkinUI
