#include "ui/widgets/layout/tab_layout.h"

#include "ui/controls/attribute_values.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

CTabLayoutUI::CTabLayoutUI() : m_iCurSel(-1) {}

const wchar_t* CTabLayoutUI::GetClass() const { return L"TabLayoutUI"; }

void* CTabLayoutUI::GetInterface(const wchar_t* name) {
    if (name != nullptr) {
        if (::_wcsicmp(name, L"TabLayout") == 0) return this;
        if (::_wcsicmp(name, kTabSelectInterface) == 0) return static_cast<ITabSelectUI*>(this);
    }
    return CContainerUI::GetInterface(name);
}

void CTabLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name != nullptr && attr::NameIs(name, L"selectedid")) {
        // The skin's own choice of the first page: no notification.
        Select(attr::ToInt(value), false);
    } else {
        CContainerUI::ApplyAttribute(name, value);
    }
}

bool CTabLayoutUI::Add(CControlUI* control) {
    if (control == nullptr) return false;
    const bool shown = control->IsVisible();
    if (!CContainerUI::Add(control)) return false;
    if (m_iCurSel < 0 && shown) {
        m_iCurSel = GetCount() - 1;
    } else {
        control->SetVisible(false);
    }
    return true;
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr) return false;
    const bool shown = control->IsVisible();
    if (!CContainerUI::AddAt(control, index)) return false;
    if (m_iCurSel >= index) ++m_iCurSel;
    if (m_iCurSel < 0 && shown) {
        m_iCurSel = index;
    } else {
        control->SetVisible(false);
    }
    return true;
}

bool CTabLayoutUI::RemoveAt(int index) {
    if (!CContainerUI::RemoveAt(index)) return false;
    if (index < m_iCurSel) {
        --m_iCurSel;
    } else if (index == m_iCurSel) {
        // The page that moved into the gap, else the new last one.
        m_iCurSel = index < GetCount() ? index : GetCount() - 1;
        if (CControlUI* page = GetItemAt(m_iCurSel)) page->SetVisible(true);
    }
    return true;
}

void CTabLayoutUI::RemoveAll() {
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SetItemIndex(CControlUI* control, int index) {
    CControlUI* selected = GetItemAt(m_iCurSel);
    if (!CContainerUI::SetItemIndex(control, index)) return false;
    m_iCurSel = selected != nullptr ? GetItemIndex(selected) : -1;
    return true;
}

int CTabLayoutUI::GetCurSel() const { return m_iCurSel; }

bool CTabLayoutUI::SelectItem(int index) { return Select(index, true); }

bool CTabLayoutUI::SelectPage(CControlUI* page) {
    const int index = GetItemIndex(page);
    return index >= 0 && Select(index, true);
}

bool CTabLayoutUI::Select(int index, bool notify) {
    if (index < 0 || index >= GetCount()) return false;
    if (index == m_iCurSel) return true;
    const int old = m_iCurSel;
    m_iCurSel = index;
    // Hide first, so that focus held inside the old page is dropped before the new one shows.
    for (int i = 0; i < GetCount(); ++i) {
        if (i != index) GetItemAt(i)->SetVisible(false);
    }
    GetItemAt(index)->SetVisible(true);
    OnPageChanged(old, notify);
    if (m_pManager != nullptr) {
        // The old page's invisible state and the new page's visible one.
        if (CControlUI* hidden = GetItemAt(old)) m_pManager->NotifyAccessible(EVENT_OBJECT_STATECHANGE, hidden);
        m_pManager->NotifyAccessible(EVENT_OBJECT_STATECHANGE, GetItemAt(index));
        if (notify) m_pManager->SendNotify(this, L"tabselect", static_cast<WPARAM>(index), static_cast<LPARAM>(old));
    }
    return true;
}

void CTabLayoutUI::OnPageChanged(int /*oldIndex*/, bool /*byUser*/) {}

}  // namespace SkinUI
