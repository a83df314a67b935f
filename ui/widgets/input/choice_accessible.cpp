#include "ui/widgets/input/choice_accessible.h"

#include <oleacc.h>

#include "ui/widgets/input/option.h"

namespace SkinUI {

namespace {

const TAccessibleRules* g_next = nullptr;

COptionUI* AsOption(CControlUI* control) { return static_cast<COptionUI*>(control->GetInterface(L"Option")); }

LONG Role(CControlUI* control) {
    if (COptionUI* option = AsOption(control)) {
        if (const LONG role = option->AccessibleRole()) return role;
    }
    return g_next != nullptr ? g_next->role(control) : 0;
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    if (COptionUI* option = AsOption(control)) option->DescribeAccessible(info);
    if (g_next != nullptr) g_next->describe(control, info);
}

const wchar_t* RoleText(LONG role) {
    if (role == ROLE_SYSTEM_RADIOBUTTON) return L"radio button";
    if (role == ROLE_SYSTEM_CHECKBUTTON) return L"check button";
    return g_next != nullptr ? g_next->roleText(role) : nullptr;
}

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

const TAccessibleRules* ChoiceAccessibleRules(const TAccessibleRules* next) {
    if (next != &kRules) g_next = next;
    return &kRules;
}

}  // namespace SkinUI
