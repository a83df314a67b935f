#include "ui/widgets/list/tree_accessible.h"

#include <oleacc.h>

#include "ui/widgets/list/list_ex.h"
#include "ui/widgets/list/tree_node.h"
#include "ui/widgets/list/tree_view.h"

namespace SkinUI {

namespace {

const TAccessibleRules* g_next = nullptr;

CTreeNodeUI* AsNode(CControlUI* control) {
    auto* node = static_cast<CTreeNodeUI*>(control->GetInterface(L"TreeNode"));
    return node != nullptr && node->GetTree() != nullptr ? node : nullptr;
}

DWORD CheckStates(int state) {
    return state == kCheckOn ? DWORD(STATE_SYSTEM_CHECKED) : state == kCheckMixed ? DWORD(STATE_SYSTEM_MIXED) : 0u;
}

LONG Role(CControlUI* control) {
    if (control->GetInterface(L"TreeView") != nullptr) return ROLE_SYSTEM_OUTLINE;
    if (AsNode(control) != nullptr) return ROLE_SYSTEM_OUTLINEITEM;
    if (control->GetInterface(L"ListContainerHeaderItem") != nullptr) return ROLE_SYSTEM_COLUMNHEADER;
    return g_next != nullptr ? g_next->role(control) : 0;
}

void Describe(CControlUI* control, TUIAccessibleInfo& info) {
    // The lists' rules give a node what any row has (name, selection, focus, action).
    if (g_next != nullptr) g_next->describe(control, info);
    if (CTreeNodeUI* node = AsNode(control)) {
        // A node under a collapsed one is no row: no caret, hot or selected row is it.
        if (node->GetRowIndex() < 0)
            info.state &= ~DWORD(STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_SELECTED);
        if (node->GetChildCount() > 0)
            info.state |= node->IsExpanded() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
        if (node->GetTree()->HasCheckBoxes()) info.state |= CheckStates(node->GetCheckState());
        info.value.Format(L"%d", node->GetLevel());
        return;
    }
    if (auto* box = static_cast<IListCheckUI*>(control->GetInterface(kListCheckInterface))) {
        info.state |= CheckStates(box->GetCheckBoxState());
    }
}

const wchar_t* RoleText(LONG role) {
    if (role == ROLE_SYSTEM_OUTLINE) return L"outline";
    if (role == ROLE_SYSTEM_OUTLINEITEM) return L"outline item";
    return g_next != nullptr ? g_next->roleText(role) : nullptr;
}

const TAccessibleRules kRules = {&Role, &Describe, &RoleText};

}  // namespace

const TAccessibleRules* TreeAccessibleRules(const TAccessibleRules* next) {
    if (next != &kRules) g_next = next;
    return &kRules;
}

}  // namespace SkinUI
