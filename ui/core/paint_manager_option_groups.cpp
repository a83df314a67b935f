// Paint manager: the map from option-group names to the controls of each group.
#include "ui/core/paint_manager.h"

namespace SkinUI {

bool CPaintManagerUI::AddOptionGroup(const wchar_t* group, CControlUI* control) {
    if (group == nullptr || group[0] == L'\0' || control == nullptr) return false;
    auto* members = static_cast<CUIPtrArray*>(m_mOptionGroup.Find(group));
    if (members == nullptr) {
        members = new CUIPtrArray;
        if (!m_mOptionGroup.Insert(group, members)) {
            delete members;
            return false;
        }
    }
    if (members->Find(control) >= 0) return false;
    return members->Add(control);
}

const CUIPtrArray* CPaintManagerUI::GetOptionGroup(const wchar_t* group) const {
    if (group == nullptr || group[0] == L'\0') return nullptr;
    return static_cast<const CUIPtrArray*>(m_mOptionGroup.Find(group, false));
}

void CPaintManagerUI::RemoveOptionGroup(const wchar_t* group, CControlUI* control) {
    if (group == nullptr || group[0] == L'\0') return;
    auto* members = static_cast<CUIPtrArray*>(m_mOptionGroup.Find(group, false));
    if (members == nullptr) return;
    const int index = members->Find(control);
    if (index >= 0) members->Remove(index);
    if (members->IsEmpty()) {
        m_mOptionGroup.Remove(group);
        delete members;
    }
}

}  // namespace SkinUI
