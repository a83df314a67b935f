#include "ui/widgets/menu/menu_accessible.h"

#include <oleacc.h>

#include "ui/widgets/menu/menu_element.h"

namespace SkinUI {

namespace {

const TAccessibleRules* g_next = nullptr;

CMenuElementUI* AsItem(CControlUI* control) {
    return static_cast<CMenuElementUI*>(control->GetInterface(L"MenuElement"));
}

bool IsPopup(CControlUI* control) {
    return control->GetInterface(L"Menu") != nullptr || control->GetInterface(L"MenuLevel") != nullptr;
}

LONG Role(CControlUI* control) {
    if (CMenuElementUI* item = AsItem(control)) return item->IsSeparator() ? ROLE_SYSTEM_SEPARATOR : ROLE_SYSTEM_MENUITEM;
    if (IsPopup(control)) return ROLE_SYSTEM_MENUPOPUP;
    return g_next != nullptr ? g_next->role(control) : 0;
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    if (CMenuElementUI* item = AsItem(control)) {
        const wchar_t* given = control->GetExtraAttribute(kAccessibleNameAttribute);
        if (given == nullptr || *given == 0) info.name = item->GetPlainText();
        if (!item->GetShortcutText().IsEmpty()) info.value = item->GetShortcutText();
        if (item->IsChecked()) info.state |= STATE_SYSTEM_CHECKED;
        if (item->HasSubmenu()) info.state |= STATE_SYSTEM_HASPOPUP;
        if (item->IsHot()) info.state |= STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED;
        if (item->IsSelectable()) {
            info.state |= STATE_SYSTEM_FOCUSABLE;
            info.defaultAction = item->HasSubmenu() ? L"Open" : L"Execute";
        }
    }
    if (g_next != nullptr) g_next->describe(control, info);
}

const wchar_t* RoleText(LONG role) {
    if (role == ROLE_SYSTEM_MENUPOPUP) return L"menu popup";
    if (role == ROLE_SYSTEM_MENUITEM) return L"menu item";
    if (role == ROLE_SYSTEM_SEPARATOR) return L"separator";
    return g_next != nullptr ? g_next->roleText(role) : nullptr;
}

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

const TAccessibleRules* MenuAccessibleRules(const TAccessibleRules* next) {
    if (next != &kRules) g_next = next;
    return &kRules;
}

}  // namespace SkinUI
