#include "ui/widgets/input/edit_accessible.h"

#include <oleacc.h>

#include "ui/widgets/input/field.h"

namespace SkinUI {

namespace {

const TAccessibleRules* g_next = nullptr;

CFieldUI* AsField(CControlUI* control) { return static_cast<CFieldUI*>(control->GetInterface(L"Field")); }

LONG Role(CControlUI* control) {
    if (CFieldUI* field = AsField(control)) return field->AccessibleRole();
    return g_next != nullptr ? g_next->role(control) : 0;
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    if (CFieldUI* field = AsField(control)) field->DescribeAccessible(info);
    if (g_next != nullptr) g_next->describe(control, info);
}

const wchar_t* RoleText(LONG role) {
    if (role == ROLE_SYSTEM_TEXT) return L"editable text";
    if (role == ROLE_SYSTEM_IPADDRESS) return L"IP address";
    return g_next != nullptr ? g_next->roleText(role) : nullptr;
}

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

const TAccessibleRules* EditAccessibleRules(const TAccessibleRules* next) {
    if (next != &kRules) g_next = next;
    return &kRules;
}

}  // namespace SkinUI
