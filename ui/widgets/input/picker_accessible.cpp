#include "ui/widgets/input/picker_accessible.h"

#include <oleacc.h>

#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/input/combo.h"
#include "ui/widgets/input/combo_list.h"
#include "ui/widgets/input/slider.h"

namespace SkinUI {

namespace {

// What a screen reader reads for the combo's default action: "open" and "close".
const wchar_t kOpenAction[] = L"\u6253\u5F00";
const wchar_t kCloseAction[] = L"\u5173\u95ED";

const TAccessibleRules* g_next = nullptr;

CComboUI* AsCombo(CControlUI* control) {
    return control != nullptr ? static_cast<CComboUI*>(control->GetInterface(L"Combo")) : nullptr;
}
CSliderUI* AsSlider(CControlUI* control) { return static_cast<CSliderUI*>(control->GetInterface(L"Slider")); }

LONG Role(CControlUI* control) {
    if (AsCombo(control) != nullptr) return ROLE_SYSTEM_COMBOBOX;
    if (AsSlider(control) != nullptr) return ROLE_SYSTEM_SLIDER;
    if (AsCombo(control->GetParent()) != nullptr) return ROLE_SYSTEM_LISTITEM;
    return g_next != nullptr ? g_next->role(control) : 0;
}

// An item of a combo: selectable, selected when it is the combo's choice, and placed
// where its row is (client pixels of the combo's window) while the drop-down shows it.
void DescribeItem(CComboUI* combo, CControlUI* item, TUIAccessibleInfo& info) {
    const int index = combo->GetItemIndex(item);
    info.state &= ~DWORD(STATE_SYSTEM_FOCUSABLE);
    info.state |= STATE_SYSTEM_SELECTABLE;
    if (index == combo->GetCurSel()) info.state |= STATE_SYSTEM_SELECTED;
    CComboListUI* list = combo->GetDropList();
    HWND from = combo->GetDropWindow();
    HWND to = combo->GetManager() != nullptr ? combo->GetManager()->GetPaintWindow() : nullptr;
    if (list == nullptr || from == nullptr || to == nullptr) {
        info.state |= STATE_SYSTEM_INVISIBLE;
        info.location = RECT{};
        return;
    }
    RECT row = list->RowRect(index);
    RECT view = list->GetClientPos();
    RECT shown;
    if (!::IntersectRect(&shown, &row, &view)) info.state |= STATE_SYSTEM_OFFSCREEN;
    ::MapWindowPoints(from, to, reinterpret_cast<POINT*>(&row), 2);
    info.location = row;
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    if (CComboUI* combo = AsCombo(control)) {
        info.value = combo->GetSelectedText();
        info.state |= combo->IsDropped() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
        info.state |= STATE_SYSTEM_HASPOPUP;
        info.defaultAction = combo->IsDropped() ? kCloseAction : kOpenAction;
    } else if (CSliderUI* slider = AsSlider(control)) {
        info.value.Format(L"%d", slider->GetValue());
        info.state &= ~DWORD(STATE_SYSTEM_READONLY);
    } else if (CComboUI* owner = AsCombo(control->GetParent())) {
        DescribeItem(owner, control, info);
    }
    if (g_next != nullptr) g_next->describe(control, info);
}

const wchar_t* RoleText(LONG role) {
    if (role == ROLE_SYSTEM_COMBOBOX) return L"combo box";
    if (role == ROLE_SYSTEM_SLIDER) return L"slider";
    if (role == ROLE_SYSTEM_LISTITEM) return L"list item";
    return g_next != nullptr ? g_next->roleText(role) : nullptr;
}

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

const TAccessibleRules* PickerAccessibleRules(const TAccessibleRules* next) {
    if (next != &kRules) g_next = next;
    return &kRules;
}

}  // namespace SkinUI
